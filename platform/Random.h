// The game's one random generator: uniform reals in [0, 1), reseeded from the clock where the
// game's rules say so; tests seed it.
#pragma once

#include <cstdint>

double Random();             // in [0, 1)
int RandomInt(int n);        // integer part of Random() * n
void Randomize();            // reseed from the clock
void SetRandomSeed(std::uint64_t seed);

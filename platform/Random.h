// The game's one random generator: uniform reals in [0, 1), reseeded from the clock where the
// game's rules say so; tests seed it.
#pragma once

#include <cstdint>

double Random();             // in [0, 1)
int RandomInt(int n);        // integer part of Random() * n
// Reseeds from the clock; after SetRandomSeed, the k-th call reseeds with that seed + k instead,
// so that a test that pins a seed keeps it through every exercise start.
void Randomize();
void SetRandomSeed(std::uint64_t seed);

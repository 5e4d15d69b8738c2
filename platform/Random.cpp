// One process-wide std::mt19937_64.
#include "platform/Random.h"

#include <chrono>
#include <optional>
#include <random>

namespace {

std::mt19937_64& Generator()
{
    static std::mt19937_64 generator{5489u};
    return generator;
}

} // namespace

double Random()
{
    // The top 53 bits scaled by 2^-53: every value is exact and 1.0 can never come out.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

int RandomInt(int n)
{
    return static_cast<int>(Random() * n);
}

namespace {
// The seed a test pinned and how often it has been reseeded since; none in the game.
std::optional<std::uint64_t> pinnedSeed;
std::uint64_t reseeds = 0;
} // namespace

void Randomize()
{
    if (pinnedSeed) {
        Generator().seed(*pinnedSeed + ++reseeds);
        return;
    }
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::uint64_t>(now));
}

void SetRandomSeed(std::uint64_t seed)
{
    pinnedSeed = seed;
    reseeds = 0;
    Generator().seed(seed);
}

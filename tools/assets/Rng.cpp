#include "Rng.h"

namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

uint64_t mix(uint64_t z) {
    z += 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

uint64_t hashName(const std::string& name) {
    uint64_t h = kFnvOffset;
    for (unsigned char c : name) {
        h = (h ^ c) * kFnvPrime;
    }
    return h;
}

}  // namespace

Rng::Rng(uint64_t seed) : state(mix(seed) | 1u) {}

Rng::Rng(const std::string& name) : Rng(hashName(name)) {}

uint32_t Rng::next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return static_cast<uint32_t>((state * 0x2545f4914f6cdd1dull) >> 32);
}

int Rng::range(int lo, int hi) {
    if (hi <= lo) {
        return lo;
    }
    auto span = static_cast<uint32_t>(hi - lo) + 1u;
    return lo + static_cast<int>(next() % span);
}

double Rng::unit() {
    return next() / 4294967296.0;
}

bool Rng::chance(double p) {
    return unit() < p;
}

uint32_t hash3(int x, int y, int z, uint32_t seed) {
    uint64_t h = seed;
    h = mix(h ^ static_cast<uint32_t>(x));
    h = mix(h ^ (static_cast<uint64_t>(static_cast<uint32_t>(y)) << 1));
    h = mix(h ^ (static_cast<uint64_t>(static_cast<uint32_t>(z)) << 2));
    return static_cast<uint32_t>(h >> 32);
}

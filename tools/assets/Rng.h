#pragma once
#include <cstdint>
#include <string>

// A small seeded generator (xorshift64*), so every picture and sound comes out the same on
// every run. Each asset seeds its own generator from its name: editing one never reshuffles
// another. Never draw twice among the arguments of one call: compilers order them differently.
class Rng {
public:
    explicit Rng(uint64_t seed);
    explicit Rng(const std::string& name);

    uint32_t next();
    // Whole number in [lo, hi], both ends included; lo when hi < lo.
    int range(int lo, int hi);
    // Fraction in [0, 1).
    double unit();
    // True with the given chance in [0, 1].
    bool chance(double p);

private:
    uint64_t state;
};

// A stable 32-bit hash of three integers and a seed, for lattice noise.
uint32_t hash3(int x, int y, int z, uint32_t seed);

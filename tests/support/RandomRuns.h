// How many seeds a randomised test runs: a fixed number, so that every run is the same, or
// that many times ZARNI_RANDOM_SCALE (a positive integer) when a longer search is wanted.
#pragma once

#include <cstdint>
#include <cstdlib>

inline uint32_t RandomSeeds(uint32_t seeds) {
    const char* scale = std::getenv("ZARNI_RANDOM_SCALE");
    const long k = scale ? std::strtol(scale, nullptr, 10) : 1;
    return seeds * static_cast<uint32_t>(k > 0 && k < 1000 ? k : 1);
}

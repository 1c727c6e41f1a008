#pragma once
// The demo data's only source of randomness. The standard distributions are avoided on
// purpose: their output differs between library versions, and the demo must not.
#include <cstddef>
#include <cstdint>
#include <random>
#include <span>

namespace tally::demo {

class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, n); n must be at least 1.
    std::uint64_t below(std::uint64_t n);
    // Uniform in [low, high], both included; low <= high.
    std::int64_t between(std::int64_t low, std::int64_t high);
    // True with probability numerator / denominator.
    bool chance(std::uint64_t numerator, std::uint64_t denominator) { return below(denominator) < numerator; }
    // Index i with probability weights[i] / sum(weights); the sum must be positive.
    std::size_t weighted(std::span<const int> weights);

private:
    std::mt19937_64 engine_;
};

}  // namespace tally::demo

#include "DemoRandom.h"

#include <limits>

namespace tally::demo {

std::uint64_t DemoRandom::below(std::uint64_t n) {
    // Rejection keeps every value equally likely: draws from the incomplete top block are discarded.
    constexpr auto top = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t limit = top - (top % n + 1) % n;
    std::uint64_t x = engine_();
    while (x > limit) x = engine_();
    return x % n;
}

std::int64_t DemoRandom::between(std::int64_t low, std::int64_t high) {
    const auto span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
    if (span == std::numeric_limits<std::uint64_t>::max()) return static_cast<std::int64_t>(engine_());
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + below(span + 1));
}

std::size_t DemoRandom::weighted(std::span<const int> weights) {
    std::uint64_t total = 0;
    for (int w : weights) total += static_cast<std::uint64_t>(w > 0 ? w : 0);
    std::uint64_t pick = below(total);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const auto w = static_cast<std::uint64_t>(weights[i] > 0 ? weights[i] : 0);
        if (pick < w) return i;
        pick -= w;
    }
    return weights.size() - 1;
}

}  // namespace tally::demo

#pragma once
// Money of the demo data is held in integer cents so that line sums add up exactly.
#include <cstdint>

namespace tally::demo {

// Rates are held in basis points: 600 is 6 %.
constexpr std::int64_t kBasisPointsPerUnit = 10000;

// Tax contained in a tax-inclusive amount: amount × rate / (1 + rate), to the cent,
// halves rounded away from zero (a negative amount gives the mirrored tax).
constexpr std::int64_t includedTaxCents(std::int64_t amountCents, std::int64_t rateBasisPoints) {
    const std::int64_t divisor = kBasisPointsPerUnit + rateBasisPoints;
    const std::int64_t magnitude = amountCents < 0 ? -amountCents : amountCents;
    const std::int64_t tax = (2 * magnitude * rateBasisPoints + divisor) / (2 * divisor);
    return amountCents < 0 ? -tax : tax;
}

constexpr double centsToAmount(std::int64_t cents) { return static_cast<double>(cents) / 100.0; }
constexpr double basisPointsToRate(std::int64_t basisPoints) {
    return static_cast<double>(basisPoints) / static_cast<double>(kBasisPointsPerUnit);
}

}  // namespace tally::demo

#pragma once
// Amounts in whole cents, and the number texts the reports show.
#include <cstdint>
#include <string>
#include <string_view>

namespace tally::reports {

using Cents = std::int64_t;

// Rounds to cents as the "0.00" format does: the value is first taken to 15
// significant digits (so 1.005 counts as 1.005, not 1.00499...), then halves
// go away from zero.
Cents roundToCents(double value);

// "0.00" text: at least one digit before the point, two after, "-" for negatives,
// no grouping; never "-0.00".
std::string formatCents(Cents cents);

// The text of a two-decimal amount read back as cents ("" and non-numbers count 0).
Cents parseCents(std::string_view text);

// A number written with 15 significant digits in plain notation, trailing zeros
// and a trailing point dropped: 0.3, 0.333, 6.5, 1, 0.
std::string decimalText(double value);

// The number at the start of a text (0 when there is none): "30%" -> 30, " 2.5x" -> 2.5.
double leadingNumber(std::string_view text);

}  // namespace tally::reports

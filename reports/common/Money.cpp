#include "Money.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tally::reports {
namespace {

// The value as 15 significant decimal digits and a power of ten: value = digits * 10^exponent.
struct Decimal15 {
    bool negative = false;
    std::int64_t digits = 0;
    int exponent = 0;
};

Decimal15 toDecimal15(double value) {
    Decimal15 d;
    if (value == 0 || !std::isfinite(value)) return d;
    char buf[64];
    // d.dddddddddddddde±XX, with a point whatever the process's locale
    const char* end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.digits = d.digits * 10 + (*p - '0');
    const bool negativeExponent = p + 1 < end && p[1] == '-';
    int exponent = 0;
    std::from_chars(p + 2, end, exponent);  // past "e+" or "e-"
    d.exponent = (negativeExponent ? -exponent : exponent) - 14;
    return d;
}

std::int64_t powerOfTen(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

}  // namespace

Cents roundToCents(double value) {
    // Amounts read from the database are whole cents give or take the double's last bit,
    // and a year's run rounds about a million of them: those skip the decimal text. Below
    // 1e9, 15 significant digits keep six decimals, so within 1e-6 of a whole cent the
    // decimal rounding below gives that same cent.
    if (std::fabs(value) < 1e9) {
        const double scaled = value * 100;
        const double nearest = std::nearbyint(scaled);
        if (std::fabs(scaled - nearest) < 1e-6) return static_cast<Cents>(nearest);
    }
    Decimal15 d = toDecimal15(value);
    int shift = d.exponent + 2;  // cents = digits * 10^shift
    Cents cents;
    if (shift >= 0) {
        // exact while the cents fit in 64 bits; beyond that the nearest representable
        constexpr Cents kMax = std::numeric_limits<Cents>::max();
        cents = d.digits;
        for (int k = 0; k < shift; ++k) cents = cents > kMax / 10 ? kMax : cents * 10;
    } else if (shift < -16) {
        cents = 0;
    } else {
        std::int64_t divisor = powerOfTen(-shift);
        cents = d.digits / divisor;
        if ((d.digits % divisor) * 2 >= divisor) ++cents;
    }
    return d.negative ? -cents : cents;
}

std::string formatCents(Cents cents) {
    bool negative = cents < 0;
    std::uint64_t magnitude = negative ? std::uint64_t(-(cents + 1)) + 1 : std::uint64_t(cents);
    std::string fraction = std::to_string(magnitude % 100);
    if (fraction.size() < 2) fraction.insert(0, "0");
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

Cents parseCents(std::string_view text) { return roundToCents(leadingNumber(text)); }

std::string decimalText(double value) {
    Decimal15 d = toDecimal15(value);
    if (d.digits == 0) return "0";
    while (d.digits % 10 == 0) {
        d.digits /= 10;
        ++d.exponent;
    }
    std::string digits = std::to_string(d.digits);
    std::string out;
    if (d.exponent >= 0) {
        out = digits + std::string(d.exponent, '0');
    } else {
        int point = static_cast<int>(digits.size()) + d.exponent;  // digits before the point
        if (point > 0) out = digits.substr(0, point) + "." + digits.substr(point);
        else out = "0." + std::string(-point, '0') + digits;
    }
    return (d.negative ? "-" : "") + out;
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            digits = true;
        }
    }
    if (!digits) return 0;
    std::string_view number = text.substr(start, i - start);
    const bool negative = number.front() == '-';
    if (negative || number.front() == '+') number.remove_prefix(1);
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc::result_out_of_range)
        // more digits than a double holds: huge with a digit before the point, else a vanishing fraction
        value = number.find_first_of("123456789") < number.find('.') ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

}  // namespace tally::reports

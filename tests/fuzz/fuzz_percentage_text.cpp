// The texts a user types as split percentages and amounts. The property share ratio
// goes into the statistics SQL as it is, so whatever propertyRatioText accepts must be
// a plain decimal from 0 to 1; amounts written with at most 15 digits parse exactly.
#include <charconv>
#include <cmath>
#include <string>

#include "FeeItems.h"
#include "FuzzCheck.h"
#include "Money.h"

using tally::fuzz::check;
using namespace tally::reports;

namespace {

bool digitsOnly(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// "-12.34" and the like (at most 13 digits before the point, 2 after) as exact cents.
bool exactCents(const std::string& s, Cents& cents) {
    std::string t = s;
    bool negative = !t.empty() && t[0] == '-';
    if (negative) t.erase(0, 1);
    auto point = t.find('.');
    std::string whole = t.substr(0, point), fraction = point == std::string::npos ? "" : t.substr(point + 1);
    if (!digitsOnly(whole) || whole.size() > 13 || fraction.size() > 2) return false;
    if (point != std::string::npos && !digitsOnly(fraction)) return false;
    while (fraction.size() < 2) fraction += '0';
    cents = std::stoll(whole) * 100 + std::stoll(fraction);
    if (negative) cents = -cents;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);

    if (auto ratio = propertyRatioText(input)) {
        std::size_t points = 0;
        for (char c : *ratio) {
            check((c >= '0' && c <= '9') || c == '.', "a ratio is digits and a point", input + " => " + *ratio);
            points += c == '.';
        }
        check(points <= 1 && !ratio->empty() && ratio->front() != '.' && ratio->back() != '.',
              "a ratio is one plain decimal number", input + " => " + *ratio);
        double r = -1;
        std::from_chars(ratio->data(), ratio->data() + ratio->size(), r);
        check(r >= 0 && r <= 1, "a ratio lies from 0 to 1", input + " => " + *ratio);
        check(std::fabs(r * 100 - leadingNumber(input)) <= 1e-9 * 100, "the ratio is the percentage over 100",
              input + " => " + *ratio);
    }

    // Two texts side by side (split at the first NUL): the editor's percentage check.
    auto nul = input.find('\0');
    if (nul != std::string::npos) {
        std::string developer = input.substr(0, nul), property = input.substr(nul + 1);
        bool adds = splitAddsUpTo100(developer, property);
        if (digitsOnly(developer) && digitsOnly(property) && developer.size() <= 6 && property.size() <= 6)
            check(adds == (std::stol(developer) + std::stol(property) == 100), "whole percentages add up exactly",
                  developer + " + " + property);
    }

    double number = leadingNumber(input);
    check(!std::isnan(number), "a leading number is never NaN", input);
    Cents cents = parseCents(input);
    Cents expected = 0;
    if (exactCents(input, expected))
        check(cents == expected, "an amount with two decimals parses to its exact cents",
              input + " => " + std::to_string(cents));
    return 0;
}

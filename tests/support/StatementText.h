#pragma once
// Reading report statements in tests: the statements mix the case of their keywords
// ("Join", "join", "JOIN"), so fragments are counted and found whatever their ASCII case.
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace tally::testing {

inline std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Non-overlapping occurrences of `part` in `text`, ASCII case ignored.
inline std::size_t occurrences(std::string_view text, std::string_view part) {
    const std::string t = asciiLower(text), p = asciiLower(part);
    std::size_t count = 0;
    for (std::size_t at = t.find(p); !p.empty() && at != std::string::npos; at = t.find(p, at + p.size())) ++count;
    return count;
}

inline bool containsNoCase(std::string_view text, std::string_view part) { return occurrences(text, part) > 0; }

// The text between the first `open` and the first `close` after it; "" when either is missing.
inline std::string between(const std::string& text, const std::string& open, const std::string& close) {
    std::size_t from = text.find(open);
    if (from == std::string::npos) return "";
    from += open.size();
    std::size_t to = text.find(close, from);
    return to == std::string::npos ? "" : text.substr(from, to - from);
}

}  // namespace tally::testing

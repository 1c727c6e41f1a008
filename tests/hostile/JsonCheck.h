#pragma once
// A strict reader for the JSON that tallyvane-report writes: the whole text must be
// one valid JSON value in valid UTF-8 with no raw control characters in strings.
// Gives back the strings it holds, decoded, so a test can look for a value.
#include <optional>
#include <string>
#include <vector>

namespace tally::testing {

struct JsonReading {
    bool valid = false;
    std::string problem;               // where and why it is not valid
    std::vector<std::string> strings;  // every string value and key, decoded, in order
};

JsonReading readJson(const std::string& text);
bool isValidUtf8(const std::string& text);

}  // namespace tally::testing

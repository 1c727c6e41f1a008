#include "SqlText.h"

namespace tally::data {

std::string escapeSqlText(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    for (char c : value) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string sqlTextLiteral(std::string_view value) { return "'" + escapeSqlText(value) + "'"; }

std::string sqlTextList(const std::vector<std::string>& values) {
    std::string out;
    for (const auto& v : values) {
        if (!out.empty()) out += ',';
        out += sqlTextLiteral(v);
    }
    return out;
}

std::string sqlIdentifier(std::string_view name) {
    std::string out = "[";
    for (char c : name) {
        out += c;
        if (c == ']') out += ']';
    }
    return out + "]";
}

}  // namespace tally::data

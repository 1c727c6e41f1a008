#include "StatementSpill.h"

#include "SqlTokens.h"

namespace tally::testing {
namespace {

using data::SqlToken;

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// A literal or quoted name is closed when its last quote is not one half of a doubled pair.
bool terminated(const std::string& t, char close) {
    for (std::size_t j = 1; j < t.size(); ++j) {
        if (t[j] != close) continue;
        if (j + 1 < t.size() && t[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1 == t.size();
    }
    return false;
}

std::string stringContent(const std::string& t) {
    std::string out;
    for (std::size_t j = 1; j + 1 < t.size(); ++j) {
        out += t[j];
        if (t[j] == '\'' && t[j + 1] == '\'') ++j;
    }
    return out;
}

std::string excerpt(const std::string& t) { return t.size() > 60 ? t.substr(0, 60) + "..." : t; }

}  // namespace

std::vector<std::string> statementSpills(std::string_view sql, const std::vector<std::string>& values,
                                         std::string_view marker) {
    std::vector<std::string> problems;
    for (const SqlToken& tok : data::tokenizeSql(sql)) {
        std::string content;
        switch (tok.kind) {
        case SqlToken::Kind::Comment: problems.push_back("comment: " + excerpt(tok.text)); continue;
        case SqlToken::Kind::String:
            if (!terminated(tok.text, '\'')) problems.push_back("unterminated literal: " + excerpt(tok.text));
            content = stringContent(tok.text);
            break;
        case SqlToken::Kind::Bracketed:
        case SqlToken::Kind::Quoted:
            if (!terminated(tok.text, tok.kind == SqlToken::Kind::Bracketed ? ']' : '"'))
                problems.push_back("unterminated name: " + excerpt(tok.text));
            content = tok.name();
            break;
        default:
            if (contains(tok.text, marker)) problems.push_back("value outside a literal: " + excerpt(tok.text));
            continue;
        }
        if (!contains(content, marker)) continue;
        bool whole = false;
        for (const auto& v : values) whole = whole || contains(content, v);
        if (!whole) problems.push_back("literal holds part of a value: " + excerpt(tok.text));
    }
    return problems;
}

}  // namespace tally::testing

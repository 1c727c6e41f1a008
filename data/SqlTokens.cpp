#include "SqlTokens.h"

namespace tally::data {
namespace {

bool isWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '@' ||
           c == '#' || c == '$' || c >= 0x80;
}

// Length of a quoted run starting at s[i] == open, where a doubled close char stands for itself.
std::size_t quotedLength(std::string_view s, std::size_t i, char close) {
    std::size_t j = i + 1;
    while (j < s.size()) {
        if (s[j] == close) {
            if (j + 1 < s.size() && s[j + 1] == close) {
                j += 2;
                continue;
            }
            return j + 1 - i;
        }
        ++j;
    }
    return s.size() - i;  // unterminated: the engine will report it
}

}  // namespace

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

bool SqlToken::isWord(std::string_view keyword) const {
    return kind == Kind::Word && asciiLower(text) == asciiLower(keyword);
}

std::string SqlToken::name() const {
    if (kind == Kind::Word) return text;
    char close = kind == Kind::Bracketed ? ']' : '"';
    std::string out;
    std::string_view body(text);
    body = body.substr(1, body.size() >= 2 && body.back() == close ? body.size() - 2 : body.size() - 1);
    for (std::size_t i = 0; i < body.size(); ++i) {
        out += body[i];
        if (body[i] == close && i + 1 < body.size() && body[i + 1] == close) ++i;
    }
    return out;
}

std::vector<SqlToken> tokenizeSql(std::string_view s) {
    std::vector<SqlToken> out;
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        std::size_t len = 1;
        SqlToken::Kind kind = SqlToken::Kind::Symbol;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            kind = SqlToken::Kind::Space;
            while (i + len < s.size() &&
                   (s[i + len] == ' ' || s[i + len] == '\t' || s[i + len] == '\r' || s[i + len] == '\n'))
                ++len;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            kind = SqlToken::Kind::Comment;
            while (i + len < s.size() && s[i + len] != '\n') ++len;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            kind = SqlToken::Kind::Comment;
            auto end = s.find("*/", i + 2);
            len = end == std::string_view::npos ? s.size() - i : end + 2 - i;
        } else if (c == '\'') {
            kind = SqlToken::Kind::String;
            len = quotedLength(s, i, '\'');
        } else if (c == '[') {
            kind = SqlToken::Kind::Bracketed;
            len = quotedLength(s, i, ']');
        } else if (c == '"') {
            kind = SqlToken::Kind::Quoted;
            len = quotedLength(s, i, '"');
        } else if ((c >= '0' && c <= '9') || (c == '.' && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '9')) {
            kind = SqlToken::Kind::Number;
            while (i + len < s.size() && ((s[i + len] >= '0' && s[i + len] <= '9') || s[i + len] == '.')) ++len;
        } else if (isWordByte(c)) {
            kind = SqlToken::Kind::Word;
            while (i + len < s.size() && isWordByte(static_cast<unsigned char>(s[i + len]))) ++len;
        } else if ((c == '<' || c == '>' || c == '!') && i + 1 < s.size() && (s[i + 1] == '=' || s[i + 1] == '>')) {
            len = 2;
        }
        out.push_back({kind, std::string(s.substr(i, len))});
        i += len;
    }
    return out;
}

std::string joinTokens(const std::vector<SqlToken>& tokens) {
    std::string out;
    for (const auto& t : tokens) out += t.text;
    return out;
}

}  // namespace tally::data

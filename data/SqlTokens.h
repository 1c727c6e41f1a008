#pragma once
// A lossless tokenizer for T-SQL statement text: joining the tokens' texts gives the input back.
#include <string>
#include <string_view>
#include <vector>

namespace tally::data {

struct SqlToken {
    enum class Kind { Space, Comment, Word, Bracketed, Quoted, String, Number, Symbol };
    Kind kind;
    std::string text;

    bool isWord(std::string_view keyword) const;  // case-insensitive ASCII keyword test
    bool isSymbol(char c) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == c; }
    bool isIdentifier() const { return kind == Kind::Word || kind == Kind::Bracketed || kind == Kind::Quoted; }
    bool isBlank() const { return kind == Kind::Space || kind == Kind::Comment; }
    // The identifier's name without its quotes ("]]" and "\"\"" undoubled).
    std::string name() const;
};

std::vector<SqlToken> tokenizeSql(std::string_view sql);
std::string joinTokens(const std::vector<SqlToken>& tokens);

// Lower-cases ASCII letters only; other bytes (Chinese names) are compared as they are.
std::string asciiLower(std::string_view s);

}  // namespace tally::data

#include "ReadOnlyQuery.h"

#include <array>

#include "DbError.h"
#include "SqlTokens.h"

namespace tally::data {
namespace {

// T-SQL and SQLite words that change data or settings, or run other code. REPLACE is left
// out: it is also a string function, and its statement form needs INTO.
constexpr std::array kWritingWords = {
    "insert",   "update",     "delete",         "merge",     "into",   "drop",    "create", "alter",
    "truncate", "exec",       "execute",        "grant",     "revoke", "deny",    "backup", "restore",
    "dbcc",     "shutdown",   "kill",           "attach",    "detach", "pragma",  "vacuum", "reindex",
    "analyze",  "openrowset", "opendatasource", "openquery", "bulk",   "waitfor",
};

bool isWritingWord(const SqlToken& token) {
    if (token.kind != SqlToken::Kind::Word) return false;
    const std::string word = asciiLower(token.text);
    for (const char* writing : kWritingWords)
        if (word == writing) return true;
    return false;
}

}  // namespace

std::optional<std::string> refuseUnlessQuery(std::string_view sql) {
    const std::vector<SqlToken> tokens = tokenizeSql(sql);
    std::size_t i = 0;
    while (i < tokens.size() && (tokens[i].isBlank() || tokens[i].isSymbol('('))) ++i;
    if (i == tokens.size() || !(tokens[i].isWord("select") || tokens[i].isWord("with"))) return "not a query";
    for (; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (isWritingWord(token)) return "\"" + token.text + "\" in a query";
        if (token.isSymbol(';')) {
            for (std::size_t rest = i + 1; rest < tokens.size(); ++rest)
                if (!tokens[rest].isBlank() && !tokens[rest].isSymbol(';')) return "a second statement";
            break;
        }
    }
    return std::nullopt;
}

void requireQuery(std::string_view sql) {
    if (auto reason = refuseUnlessQuery(sql))
        throw DbError(3906, "the connection is read-only and runs single queries only (" + *reason + ")");
}

}  // namespace tally::data

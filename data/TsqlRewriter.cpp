#include "TsqlRewriter.h"

#include <algorithm>

#include "SqlTokens.h"

namespace tally::data {
namespace {

using Tokens = std::vector<SqlToken>;
using Kind = SqlToken::Kind;

std::string doubleQuoted(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

std::size_t nextSolid(const Tokens& t, std::size_t i) {
    while (i < t.size() && t[i].isBlank()) ++i;
    return i;
}

long prevSolid(const Tokens& t, long i) {
    while (i >= 0 && t[i].isBlank()) --i;
    return i;
}

// Index just past the ')' matching the '(' at i.
std::size_t skipParens(const Tokens& t, std::size_t i) {
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (t[i].isSymbol('(')) ++depth;
        else if (t[i].isSymbol(')') && --depth == 0) return i + 1;
    }
    return t.size();
}

bool isJoinWord(const SqlToken& tok) {
    for (auto w : {"inner", "left", "right", "full", "cross", "outer", "join"})
        if (tok.isWord(w)) return true;
    return false;
}

bool endsFromItem(const SqlToken& tok) {
    if (isJoinWord(tok) || tok.isSymbol(',') || tok.isSymbol(')')) return true;
    for (auto w : {"on", "where", "group", "order", "having", "union", "except", "intersect"})
        if (tok.isWord(w)) return true;
    return false;
}

struct JoinedTable {
    std::string qualifier;             // alias, or the table name as written
    std::vector<std::string> columns;  // lower-cased; empty for derived tables
};

bool hasColumn(const JoinedTable& table, const std::string& lowerName) {
    return std::find(table.columns.begin(), table.columns.end(), lowerName) != table.columns.end();
}

class OnClauseResolver {
public:
    OnClauseResolver(Tokens& t, const ColumnLookup& lookup) : t_(t), lookup_(lookup) {}

    void run() {
        for (std::size_t i = 0; i < t_.size(); ++i)
            if (t_[i].isWord("from")) resolveFrom(i + 1);
    }

private:
    // Parses "table [AS] [alias]" or "(subquery) [AS] alias" at i; returns the index after it.
    std::size_t readTable(std::size_t i, JoinedTable& out) {
        i = nextSolid(t_, i);
        if (i >= t_.size()) return i;
        bool derived = t_[i].isSymbol('(');
        std::string name;
        if (derived) {
            i = skipParens(t_, i);
        } else if (t_[i].isIdentifier()) {
            name = t_[i].name();
            out.qualifier = t_[i].text;
            ++i;
            // schema-qualified names (dbo.票据): keep the last part as the table name
            while (nextSolid(t_, i) < t_.size() && t_[nextSolid(t_, i)].isSymbol('.')) {
                std::size_t n = nextSolid(t_, nextSolid(t_, i) + 1);
                if (n >= t_.size() || !t_[n].isIdentifier()) break;
                name = t_[n].name();
                out.qualifier = t_[n].text;
                i = n + 1;
            }
        } else {
            return i;
        }
        std::size_t j = nextSolid(t_, i);
        if (j < t_.size() && t_[j].isWord("as")) j = nextSolid(t_, j + 1);
        if (j < t_.size() && t_[j].isIdentifier() && !endsFromItem(t_[j])) {
            out.qualifier = t_[j].text;
            i = j + 1;
        }
        if (!derived)
            for (const auto& c : lookup_(name)) out.columns.push_back(asciiLower(c));
        return i;
    }

    void resolveFrom(std::size_t i) {
        std::vector<JoinedTable> joined;
        JoinedTable first;
        i = readTable(i, first);
        joined.push_back(first);
        while (true) {
            i = nextSolid(t_, i);
            if (i >= t_.size()) return;
            if (t_[i].isSymbol(',')) {
                JoinedTable next;
                i = readTable(i + 1, next);
                joined.push_back(next);
                continue;
            }
            if (!isJoinWord(t_[i])) return;
            while (i < t_.size() && (isJoinWord(t_[i]) || t_[i].isBlank())) ++i;
            JoinedTable next;
            i = readTable(i, next);
            joined.push_back(next);
            i = nextSolid(t_, i);
            if (i < t_.size() && t_[i].isWord("on")) i = qualifyOnClause(i + 1, joined);
        }
    }

    // Qualifies the unqualified column names of one ON clause; returns the index after it.
    std::size_t qualifyOnClause(std::size_t i, const std::vector<JoinedTable>& joined) {
        int depth = 0;
        for (; i < t_.size(); ++i) {
            const SqlToken& tok = t_[i];
            if (tok.isSymbol('(')) {
                ++depth;
                continue;
            }
            if (tok.isSymbol(')')) {
                if (depth == 0) return i;
                --depth;
                continue;
            }
            if (depth == 0 && (isJoinWord(tok) || tok.isSymbol(',') || tok.isWord("where") || tok.isWord("group") ||
                               tok.isWord("order") || tok.isWord("having") || tok.isWord("union")))
                return i;
            if (!tok.isIdentifier()) continue;
            long before = prevSolid(t_, long(i) - 1);
            std::size_t after = nextSolid(t_, i + 1);
            if (before >= 0 && t_[before].isSymbol('.')) continue;
            if (after < t_.size() && (t_[after].isSymbol('.') || t_[after].isSymbol('('))) continue;
            std::string lower = asciiLower(tok.name());
            const JoinedTable* owner = nullptr;
            int owners = 0;
            for (const auto& table : joined)
                if (hasColumn(table, lower)) {
                    owner = &table;
                    ++owners;
                }
            if (owners == 1) t_[i].text = owner->qualifier + "." + tok.text;
        }
        return i;
    }

    Tokens& t_;
    const ColumnLookup& lookup_;
};

// Indexes of the top-level (depth 0) solid tokens.
std::vector<std::size_t> topLevel(const Tokens& t) {
    std::vector<std::size_t> out;
    int depth = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol('(')) {
            if (depth++ == 0) out.push_back(i);
            continue;
        }
        if (t[i].isSymbol(')')) {
            --depth;
            continue;
        }
        if (depth == 0 && !t[i].isBlank()) out.push_back(i);
    }
    return out;
}

// Splits token range [from, to) at top-level commas into lists of solid token indexes.
std::vector<std::vector<std::size_t>> splitItems(const Tokens& t, std::size_t from, std::size_t to) {
    std::vector<std::vector<std::size_t>> items(1);
    int depth = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].isBlank()) continue;
        if (t[i].isSymbol('(')) ++depth;
        if (t[i].isSymbol(')')) --depth;
        if (depth == 0 && t[i].isSymbol(',')) {
            items.emplace_back();
            continue;
        }
        items.back().push_back(i);
    }
    return items;
}

void fixOrderBy(Tokens& t) {
    auto top = topLevel(t);
    bool compound = false;
    std::size_t orderAt = t.size(), byAt = t.size();
    for (std::size_t k = 0; k + 1 < top.size(); ++k) {
        if (t[top[k]].isWord("union") || t[top[k]].isWord("except") || t[top[k]].isWord("intersect")) compound = true;
        if (t[top[k]].isWord("order") && t[top[k + 1]].isWord("by")) {
            orderAt = top[k];
            byAt = top[k + 1];
        }
    }
    if (orderAt == t.size()) return;
    auto terms = splitItems(t, byAt + 1, t.size());

    if (compound) {
        // ORDER BY of a compound names the columns of its result: drop the qualifiers.
        for (const auto& term : terms)
            if (term.size() >= 3 && t[term[0]].isIdentifier() && t[term[1]].isSymbol('.')) {
                // a blank keeps "BY" apart from the name: "Order by[票据].x" must not become "Order byx"
                t[term[0]].text.assign(t[term[0] - 1].kind == Kind::Word ? 1 : 0, ' ');
                t[term[1]].text.clear();
            }
        Tokens wrapped;
        wrapped.push_back({Kind::Word, "SELECT * FROM ("});
        wrapped.insert(wrapped.end(), t.begin(), t.begin() + orderAt);
        wrapped.push_back({Kind::Word, ") "});
        wrapped.insert(wrapped.end(), t.begin() + orderAt, t.end());
        t = std::move(wrapped);
        return;
    }

    // A plain SELECT: an unqualified term that names a qualified output column means that column.
    std::size_t selectAt = t.size(), fromAt = t.size();
    for (std::size_t k : top) {
        if (selectAt == t.size() && t[k].isWord("select")) selectAt = k;
        else if (selectAt != t.size() && fromAt == t.size() && t[k].isWord("from")) fromAt = k;
    }
    if (selectAt == t.size() || fromAt == t.size()) return;
    std::vector<std::pair<std::string, std::string>> qualified;  // lower base name -> "q.name" text
    std::vector<std::string> aliases;
    for (const auto& item : splitItems(t, selectAt + 1, fromAt)) {
        std::vector<std::size_t> it = item;
        if (!it.empty() && (t[it[0]].isWord("distinct") || t[it[0]].isWord("all"))) it.erase(it.begin());
        if (it.size() == 3 && t[it[0]].isIdentifier() && t[it[1]].isSymbol('.') && t[it[2]].isIdentifier())
            qualified.emplace_back(asciiLower(t[it[2]].name()), t[it[0]].text + "." + t[it[2]].text);
        else if (it.size() >= 2 && t[it.back()].isIdentifier()) aliases.push_back(asciiLower(t[it.back()].name()));
    }
    for (const auto& term : terms) {
        if (term.empty() || !t[term[0]].isIdentifier()) continue;
        if (term.size() > 1 && !(term.size() == 2 && (t[term[1]].isWord("asc") || t[term[1]].isWord("desc")))) continue;
        std::string lower = asciiLower(t[term[0]].name());
        if (std::find(aliases.begin(), aliases.end(), lower) != aliases.end()) continue;
        for (const auto& [base, text] : qualified)
            if (base == lower) {
                t[term[0]].text = text;
                break;
            }
    }
}

// CONVERT(datetime, '2026-03-01', 120): SQLite would read the bare type name as a
// column, so it goes to the convert function as a text, like the char(n) of a day key.
void quoteConvertTargetTypes(Tokens& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("convert")) continue;
        std::size_t open = nextSolid(t, i + 1);
        if (open >= t.size() || !t[open].isSymbol('(')) continue;
        std::size_t type = nextSolid(t, open + 1);
        if (type >= t.size() || t[type].kind != Kind::Word) continue;
        std::size_t comma = nextSolid(t, type + 1);
        if (comma >= t.size() || !t[comma].isSymbol(',')) continue;
        for (auto name : {"datetime", "smalldatetime", "datetime2", "date"})
            if (t[type].isWord(name)) {
                t[type] = {Kind::String, "'" + t[type].text + "'"};
                break;
            }
    }
}

}  // namespace

std::string rewriteTsqlForSqlite(std::string_view sql, const ColumnLookup& columnsOf) {
    Tokens tokens = tokenizeSql(sql);
    for (auto& tok : tokens)
        if (tok.kind == Kind::Bracketed) {
            tok.text = doubleQuoted(tok.name());
            tok.kind = Kind::Quoted;
        }
    quoteConvertTargetTypes(tokens);
    OnClauseResolver(tokens, columnsOf).run();
    fixOrderBy(tokens);
    return joinTokens(tokens);
}

}  // namespace tally::data

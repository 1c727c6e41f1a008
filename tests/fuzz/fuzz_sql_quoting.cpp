// Values and names placed into SQL text, run on SQLite the way every report statement
// runs there (rewritten, prepared with its length). A value comes back exactly as it
// went in, or (a NUL byte, which ends a statement text for SQLite) the statement is
// refused; it never runs as a different statement.
#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "SqlText.h"
#include "TsqlRewriter.h"

using tally::fuzz::check;
using namespace tally::data;

namespace {

sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        check(sqlite3_open(":memory:", &d) == SQLITE_OK, "an in-memory database opens");
        return d;
    }();
    return db;
}

std::vector<std::string> noColumns(const std::string&) { return {}; }

struct Result {
    bool refused = false;            // did not prepare
    bool oneStatement = true;        // nothing after the statement
    std::vector<std::string> texts;  // first column of each row
    std::string columnName;
};

// Runs statement text as SqliteConnection does; params are bound as text.
Result run(const std::string& tsql, const std::vector<std::string>& params = {}) {
    std::string sql = rewriteTsqlForSqlite(tsql, noColumns);
    Result r;
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(database(), sql.c_str(), int(sql.size()), &stmt, &tail) != SQLITE_OK || !stmt) {
        r.refused = true;
        sqlite3_finalize(stmt);
        return r;
    }
    r.oneStatement = std::all_of(tail, sql.c_str() + sql.size(), [](char c) { return c == ' '; });
    for (std::size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(stmt, int(i + 1), params[i].data(), int(params[i].size()), SQLITE_TRANSIENT);
    r.columnName = sqlite3_column_name(stmt, 0);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        auto t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        r.texts.emplace_back(t ? t : "", std::size_t(sqlite3_column_bytes(stmt, 0)));
    }
    check(rc == SQLITE_DONE, "a prepared statement runs to its end", tsql);
    sqlite3_finalize(stmt);
    return r;
}

bool hasNul(const std::string& s) { return s.find('\0') != std::string::npos; }

// Exactly one row with exactly the value, or (values with NUL only) a refusal.
void expectValue(const Result& r, const std::string& value, const char* property, const std::string& sql) {
    if (r.refused) {
        check(hasNul(value), property, "refused: " + sql);
        return;
    }
    check(r.oneStatement, "the text is one statement", sql);
    check(r.texts.size() == 1 && r.texts[0] == value, property, sql + " => " + (r.texts.empty() ? "" : r.texts[0]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tally::fuzz::InputReader in(data, size);
    std::vector<std::string> values;
    int count = 1 + in.byte() % 4;
    for (int i = 0; i + 1 < count; ++i) values.push_back(in.shortText());
    values.push_back(in.rest());
    const std::string& v = values.back();

    std::string literal = "SELECT " + sqlTextLiteral(v);
    expectValue(run(literal), v, "a literal gives back its value", literal);

    std::string escaped = "SELECT 'a" + escapeSqlText(v) + "z'";
    expectValue(run(escaped), "a" + v + "z", "an escaped text stays inside its quotes", escaped);

    // The list matches exactly its values: each of them, and none of a few near misses.
    std::string inList = "SELECT 1 WHERE ?1 IN (" + sqlTextList(values) + ")";
    std::vector<std::string> probes = values;
    for (const auto& x : values) {
        probes.push_back(x + "'");
        probes.push_back("'" + x);
        if (!x.empty()) probes.push_back(x.substr(0, x.size() - 1));
    }
    probes.push_back("' OR '1'='1");
    probes.push_back("");
    bool anyNul = std::any_of(values.begin(), values.end(), hasNul);
    for (const auto& p : probes) {
        if (hasNul(p)) continue;  // compared by SQLite up to the NUL only when bound through text APIs
        Result r = run(inList, {p});
        if (r.refused) {
            check(anyNul, "an IN list of values without NUL prepares", inList);
            continue;
        }
        check(r.oneStatement, "the IN list is one statement", inList);
        bool listed = std::find(values.begin(), values.end(), p) != values.end();
        check(r.texts.size() == (listed ? 1u : 0u), "the IN list matches exactly its values", inList + " ? " + p);
    }

    std::string named = "SELECT 1 AS " + sqlIdentifier(v);
    Result r = run(named);
    if (r.refused) {
        check(hasNul(v), "a bracketed name prepares", named);
    } else {
        check(r.oneStatement && r.texts.size() == 1 && r.texts[0] == "1", "a bracketed name stays a name", named);
        check(r.columnName == v, "the column is named exactly as given", named + " => " + r.columnName);
    }
    return 0;
}

#include "DemoSqlite.h"

#include <sqlite3.h>

#include <cstdio>

namespace tally::demo {

namespace {

std::string messageOf(sqlite3* db, std::string_view what) {
    std::string text(what);
    text += ": ";
    text += db ? sqlite3_errmsg(db) : "out of memory";
    return text;
}

}  // namespace

SqliteFile::SqliteFile(const std::string& path, Mode mode) : path_(path) {
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string message = messageOf(db_, "cannot open " + path);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DemoError(message);
    }
    sqlite3_extended_result_codes(db_, 1);
}

SqliteFile::~SqliteFile() {
    if (db_) sqlite3_close_v2(db_);
}

void SqliteFile::exec(std::string_view sql) {
    const std::string text(sql);
    char* error = nullptr;
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = "SQL failed in " + path_ + ": " + (error ? error : sqlite3_errmsg(db_));
        sqlite3_free(error);
        throw DemoError(message);
    }
}

void SqliteFile::close() {
    if (!db_) return;
    if (sqlite3_close(db_) != SQLITE_OK) throw DemoError(messageOf(db_, "cannot close " + path_));
    db_ = nullptr;
}

SqliteStatement::SqliteStatement(SqliteFile& file, std::string_view sql) : db_(file.handle()) {
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) != SQLITE_OK)
        fail("cannot prepare \"" + std::string(sql) + "\"");
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

void SqliteStatement::bindText(int index, std::string_view text) {
    if (sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC) != SQLITE_OK)
        fail("cannot bind text");
}

void SqliteStatement::bindInt(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) fail("cannot bind integer");
}

void SqliteStatement::bindReal(int index, double value) {
    if (sqlite3_bind_double(statement_, index, value) != SQLITE_OK) fail("cannot bind number");
}

void SqliteStatement::bindNull(int index) {
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK) fail("cannot bind null");
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail("statement failed");
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

int SqliteStatement::columnCount() const { return sqlite3_column_count(statement_); }

bool SqliteStatement::isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

std::int64_t SqliteStatement::intAt(int column) const { return sqlite3_column_int64(statement_, column); }

double SqliteStatement::realAt(int column) const { return sqlite3_column_double(statement_, column); }

std::string SqliteStatement::textAt(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

std::string SqliteStatement::taggedValueAt(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_NULL: return "N";
    case SQLITE_INTEGER: return "I" + std::to_string(intAt(column));
    case SQLITE_FLOAT: {
        // Seventeen significant digits tell every double apart.
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "R%.17g", realAt(column));
        return buffer;
    }
    default: return "T" + std::to_string(sqlite3_column_bytes(statement_, column)) + ":" + textAt(column);
    }
}

void SqliteStatement::fail(std::string_view what) const { throw DemoError(messageOf(db_, what)); }

}  // namespace tally::demo

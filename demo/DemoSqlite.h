#pragma once
// A thin RAII layer over the SQLite C API for writing (and, in tests, reading) demo files.
// Every failure becomes a DemoError carrying SQLite's message.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "DemoDatabase.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tally::demo {

class SqliteFile {
public:
    enum class Mode { ReadOnly, CreateNew };
    SqliteFile(const std::string& path, Mode mode);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Runs one or more statements separated by semicolons.
    void exec(std::string_view sql);
    // Closes now so that errors of the close are reported; the destructor closes quietly.
    void close();
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteFile& file, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // 1-based parameters. Text is not copied: it must stay alive until the next reset().
    void bindText(int index, std::string_view text);
    void bindInt(int index, std::int64_t value);
    void bindReal(int index, double value);
    void bindNull(int index);

    void bind(int index, std::string_view text) { bindText(index, text); }
    void bind(int index, int value) { bindInt(index, value); }
    void bind(int index, std::int64_t value) { bindInt(index, value); }
    void bind(int index, double value) { bindReal(index, value); }
    void bind(int index, std::nullopt_t) { bindNull(index); }
    template <typename Value>
    void bind(int index, const std::optional<Value>& value) {
        if (value) bind(index, *value);
        else bindNull(index);
    }

    // Binds the values to parameters 1, 2, … in order, runs the statement and resets it.
    template <typename... Values>
    void insert(const Values&... values) {
        int index = 0;
        (bind(++index, values), ...);
        step();
        reset();
    }

    // Runs until the next row; false when the statement is done.
    bool step();
    // Ready for the next set of parameters.
    void reset();

    // 0-based result columns of the current row.
    int columnCount() const;
    bool isNull(int column) const;
    std::int64_t intAt(int column) const;
    double realAt(int column) const;
    std::string textAt(int column) const;
    // The value with a type tag, so that 1, 1.0 and '1' differ; for digests.
    std::string taggedValueAt(int column) const;

private:
    [[noreturn]] void fail(std::string_view what) const;

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace tally::demo

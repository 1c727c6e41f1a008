#pragma once
// A forward-only, read-only cursor over the rows of one statement.
//
//   auto rs = connection.open(sql);
//   while (!rs->eof()) { ... rs->field("收款方式").text() ...; rs->moveNext(); }
//
// Fields are addressed by zero-based position or by column name (case-insensitive).
#include <string>
#include <string_view>
#include <vector>

#include "DbError.h"
#include "Value.h"

namespace tally::data {

class Recordset {
public:
    virtual ~Recordset() = default;

    bool eof() const { return eof_; }
    // Moves to the next row; throws DbError when the engine fails while reading.
    void moveNext();

    int fieldCount() const { return static_cast<int>(names_.size()); }
    const std::string& fieldName(int position) const;
    const Value& field(int position) const;
    // Throws DbError when no column has that name.
    const Value& field(std::string_view name) const;

protected:
    // Called by the engine once the column names are known, then fetchRow() for the first row.
    void start(std::vector<std::string> names);
    // Fills row_ with the next row; returns false at the end of the set.
    virtual bool fetchRow(std::vector<Value>& row) = 0;

private:
    std::vector<std::string> names_;
    std::vector<Value> row_;
    bool eof_ = true;
};

}  // namespace tally::data

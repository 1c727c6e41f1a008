#include "StoredRecordset.h"

#include <utility>

namespace tally::data {

StoredRecordset::StoredRecordset(Recordset& source) {
    std::vector<std::string> names;
    for (int f = 0; f < source.fieldCount(); ++f) names.push_back(source.fieldName(f));
    for (; !source.eof(); source.moveNext()) {
        std::vector<Value> row;
        row.reserve(names.size());
        for (int f = 0; f < source.fieldCount(); ++f) row.push_back(source.field(f));
        rows_.push_back(std::move(row));
    }
    start(std::move(names));
}

bool StoredRecordset::fetchRow(std::vector<Value>& row) {
    if (next_ >= rows_.size()) return false;
    row = std::move(rows_[next_++]);  // each row is handed on once
    return true;
}

}  // namespace tally::data

#include "Recordset.h"

#include <algorithm>

namespace tally::data {
namespace {

bool sameNameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

}  // namespace

void Recordset::start(std::vector<std::string> names) {
    names_ = std::move(names);
    row_.assign(names_.size(), Value());
    eof_ = !fetchRow(row_);
}

void Recordset::moveNext() {
    if (eof_) return;
    eof_ = !fetchRow(row_);
}

const std::string& Recordset::fieldName(int position) const {
    if (position < 0 || position >= fieldCount())
        throw DbError(3265, "Item cannot be found in the collection: column " + std::to_string(position));
    return names_[position];
}

const Value& Recordset::field(int position) const {
    if (eof_) throw DbError(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    fieldName(position);  // range check
    return row_[position];
}

const Value& Recordset::field(std::string_view name) const {
    for (int i = 0; i < fieldCount(); ++i)
        if (sameNameIgnoringAsciiCase(names_[i], name)) return field(i);
    throw DbError(3265, "Item cannot be found in the collection: " + std::string(name));
}

}  // namespace tally::data

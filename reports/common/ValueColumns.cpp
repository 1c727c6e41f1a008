#include "ValueColumns.h"

#include <cmath>

namespace tally::reports {

double moneyValue(const data::Value& value) {
    const double v = value.number();
    if (!(std::fabs(v) <= 922337203685477.5807))
        throw data::DbError(8115, "Arithmetic overflow error converting expression to data type money.");
    return v;
}

Cents centsOf(const data::Value& value) { return value.isNull() ? 0 : roundToCents(moneyValue(value)); }

Cents developerShare(const data::Value& netAmount, Cents propertyShare) {
    return netAmount.isNull() ? 0 : roundToCents(moneyValue(netAmount) - propertyShare / 100.0);
}

ValueColumnLayout::ValueColumnLayout(const FeeItemList& items) {
    for (const auto& item : items) {
        parking.push_back(item.isParking());
        columnCount += item.valueColumnCount();
    }
}

namespace {

// `field(k)` is the k-th value field, counted from the first item's.
template <class Field>
std::vector<Cents> valueColumnsOf(const Field& field, const ValueColumnLayout& layout) {
    std::vector<Cents> values;
    values.reserve(layout.columnCount);
    int at = 0;
    for (bool parking : layout.parking) {
        if (parking) {
            const Cents property = centsOf(field(at + 1));
            values.push_back(developerShare(field(at), property));
            values.push_back(property);
            values.push_back(centsOf(field(at + 2)));
            at += 3;
        } else {
            values.push_back(centsOf(field(at)));
            values.push_back(centsOf(field(at + 1)));
            at += 2;
        }
    }
    return values;
}

}  // namespace

std::vector<Cents> readValueColumns(const data::Recordset& row, int first, const ValueColumnLayout& layout) {
    return valueColumnsOf([&](int k) -> const data::Value& { return row.field(first + k); }, layout);
}

std::vector<Cents> readValueColumns(std::span<const data::Value> fields, const ValueColumnLayout& layout) {
    return valueColumnsOf([&](int k) -> const data::Value& { return fields[static_cast<std::size_t>(k)]; }, layout);
}

std::vector<Cents> readValueColumns(const data::Recordset& row, int first, const FeeItemList& items) {
    return readValueColumns(row, first, ValueColumnLayout(items));
}

}  // namespace tally::reports

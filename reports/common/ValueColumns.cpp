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
        firstColumn.push_back(columnCount);
        columnCount += item.valueColumnCount();
    }
}

void itemValueColumns(const data::Value& net, const data::Value* property, const data::Value& tax, Cents* out) {
    if (property) {
        const Cents propertyShare = centsOf(*property);
        out[0] = developerShare(net, propertyShare);
        out[1] = propertyShare;
        out[2] = centsOf(tax);
    } else {
        out[0] = centsOf(net);
        out[1] = centsOf(tax);
    }
}

namespace {

// `field(k)` is the k-th value field, counted from the first item's.
template <class Field>
std::vector<Cents> valueColumnsOf(const Field& field, const ValueColumnLayout& layout) {
    std::vector<Cents> values(layout.columnCount);
    for (std::size_t i = 0; i < layout.parking.size(); ++i) {
        const int at = layout.firstColumn[i];
        if (layout.parking[i]) itemValueColumns(field(at), &field(at + 1), field(at + 2), &values[at]);
        else itemValueColumns(field(at), nullptr, field(at + 1), &values[at]);
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

#pragma once
// Reading the fee-item value columns of a detail report's result row.
#include <span>
#include <vector>

#include "FeeItems.h"
#include "Money.h"
#include "Recordset.h"

namespace tally::reports {

// A field's number as an amount (0 when Null). An amount beyond the range of the
// money type (more than 922,337,203,685,477.58 either way) throws the DbError the
// server gives for it: its cents would not survive the sums of a run.
double moneyValue(const data::Value& value);
// A field's amount in cents; 0 when Null; checked as moneyValue() does.
Cents centsOf(const data::Value& value);

// The developer share: the item's whole net amount less the rounded property share,
// so the two shares always add up to the net amount. 0 when the net amount is Null.
Cents developerShare(const data::Value& netAmount, Cents propertyShare);

// Which items take the three columns of a parking item, worked out once for a run: the
// rows read their columns item by item, and an office may have hundreds of items.
struct ValueColumnLayout {
    explicit ValueColumnLayout(const FeeItemList& items);
    std::vector<bool> parking;     // per item
    std::vector<int> firstColumn;  // per item, its first value column
    int columnCount = 0;
};

// One item's value columns from its fields, from `out` on: developer share, property share
// and tax for a parking item (`property` its property share), net amount and tax for any
// other item (`property` null).
void itemValueColumns(const data::Value& net, const data::Value* property, const data::Value& tax, Cents* out);

// The value columns from result position `first` on, item by item: developer share,
// property share and tax for a parking item (its columns come as net, property, tax),
// net amount and tax for any other item.
std::vector<Cents> readValueColumns(const data::Recordset& row, int first, const ValueColumnLayout& layout);
std::vector<Cents> readValueColumns(const data::Recordset& row, int first, const FeeItemList& items);
// The same from fields of the program's own making, the first item's first.
std::vector<Cents> readValueColumns(std::span<const data::Value> fields, const ValueColumnLayout& layout);

}  // namespace tally::reports

#pragma once
// The statements of the parking-fee detail report, built fragment by fragment.
//
// Per-invoice sums are grouped and joined by invoice number AND stock-in batch, so
// two invoices sharing a number in different batches never receive each other's
// lines. The period's lines are read once, one conditional sum per item (ItemSumsSql.h);
// fee-item names are bracket-quoted aliases of the outer select list only, so a name with
// a blank or a bracket, or two items with equal names, cannot break or change the
// statement. Values go in with their quotes doubled. The period is tested through ranges
// an index can seek, with the day keys kept (PeriodRanges.h).
#include <string>
#include <vector>

#include "FeeItems.h"

namespace tally::reports::parking {

struct ParkingStatementInput {
    std::string departmentCode;
    std::string fromKey, toKey;       // collection dates, "yyyymmdd"
    FeeItemList items;                // parking items, in list order
    std::vector<std::string> ratios;  // property share multiplier per item ("0.3")
};

// The parking items used on invoices issued in the period (invoice date) in the department.
std::string parkingExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                       const std::string& toKey);

// Per invoice with lines collected in the period: each item's property share (P1), net
// amount (N1) and tax (T1).
std::string parkingItemSums(const ParkingStatementInput& in);

// The conditions of the lines parkingItemSums adds up (each starting " And "): of the
// department, collected in the period, not voided, of the items.
std::string parkingLineConditions(const ParkingStatementInput& in);

// The same lines one by one, in no order, with the columns of lineListColumns() (LineListSql.h).
std::string parkingLinesStatement(const ParkingStatementInput& in);

// One row per invoice with lines of at least one item, in collection order. Fields:
// 0 票据编号, 1 入库单编号, 2 收款日期, 3 金额, 4 收款方式, 5 交易订单号, then per item
// its net amount, property share and tax.
std::string parkingStatisticsStatement(const ParkingStatementInput& in);

// Position of item i's first value field in the statistics statement's rows.
constexpr int kParkingFirstValueField = 6;

}  // namespace tally::reports::parking

#pragma once
// The statements as first built, kept to check that the program's statements give the same
// rows: the parking-fee detail report's, one derived table per fee item, taking the
// program's own input.
#include <cstddef>
#include <string>

#include "ParkingStatements.h"
#include "ReferenceItemColumnsSql.h"

namespace tally::reference::parking {

using reports::parking::ParkingStatementInput;

// The parking items used on invoices issued in the period (invoice date) in the department.
std::string parkingExtractionStatement(const std::string& departmentCode, const std::string& fromKey,
                                       const std::string& toKey);

// Item i's derived table: per invoice, property share ([nameWY]), net amount
// ([nameKFS]) and tax ([name税额]) of its lines collected in the period.
std::string parkingItemStatement(const ParkingStatementInput& in, std::size_t i);

// One row per invoice with lines of at least one item, in collection order. Fields:
// 0 票据编号, 1 入库单编号, 2 收款日期, 3 金额, 4 收款方式, 5 交易订单号, then per item
// its net amount, property share and tax.
std::string parkingStatisticsStatement(const ParkingStatementInput& in);

}  // namespace tally::reference::parking

#pragma once
// An invoice line read back on its own, by plain statements of the test, to check a listed
// line against a report's conditions without the program's statements.
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"

namespace tally::testing::explain {

struct InvoiceFacts {
    std::string department;   // 开票部门编号
    std::string issuedMonth;  // "yyyymm" of 开票日期
    std::string issuedDay;    // "yyyymmdd"
    std::optional<std::string> collectedMonth, collectedDay;
    bool voided = false;
    std::string typeName;    // 票据类型
    double fixedAmount = 0;  // 定额
    std::string paymentMethod;
    std::optional<std::string> exchangedFrom;  // 被换票票据编号
    // The invoice's lines with the fee code: their 金额 and 税额 (Null as nullopt).
    std::vector<std::pair<double, std::optional<double>>> linesOfCode;
};

// nullopt when no invoice has that number and batch.
std::optional<InvoiceFacts> readInvoiceFacts(data::Connection& connection, const std::string& number,
                                             const std::string& batch, const std::string& feeCode);

// The rates of the office's tax-control settings of a fee code (Null as nullopt).
std::vector<std::optional<double>> settingsRates(data::Connection& connection, const std::string& officeCode,
                                                 const std::string& feeCode);

}  // namespace tally::testing::explain

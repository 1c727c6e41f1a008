#pragma once
// What names one invoice: its number and its stock-in batch. Numbers repeat across batches.
#include <compare>
#include <string>

namespace tally::reports {

struct InvoiceKey {
    std::string number;  // 票据编号
    std::string batch;   // 入库单编号

    auto operator<=>(const InvoiceKey&) const = default;
};

}  // namespace tally::reports

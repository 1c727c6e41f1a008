#include "PaymentMethods.h"

namespace tally::reports {

std::vector<std::string> LoadPaymentMethods(data::Connection& connection) {
    std::vector<std::string> methods;
    for (auto rs = connection.open("Select * From 收款方式列表", data::Connection::kNoTimeout); !rs->eof();
         rs->moveNext()) {
        // A row without a name lists no method: its "" would match the grand-total row
        // and every invoice paid without a method, and count them again.
        std::string method = rs->field("收款方式").text();
        if (!method.empty()) methods.push_back(std::move(method));
    }
    return methods;
}

Outcome<std::vector<std::string>> propertyRatios(const FeeItemList& items, const SplitRatioRows& splits) {
    std::vector<std::string> ratios;
    for (const auto& item : items) {
        if (!item.isParking()) {
            ratios.emplace_back();
            continue;
        }
        const SplitRatioRow* row = findSplitRow(splits, item.code);
        auto ratio = row ? propertyRatioText(row->propertyText) : std::nullopt;
        if (!ratio)
            return ReportError::refused("停车费项目【" + item.cleanedName + "】的物业公司分成比例\"" +
                                        (row ? row->propertyText : std::string()) +
                                        "\"不是0到100之间的数字,请重新设置分成比例!");
        ratios.push_back(*ratio);
    }
    return ratios;
}

}  // namespace tally::reports

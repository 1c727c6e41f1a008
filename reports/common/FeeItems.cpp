#include "FeeItems.h"

#include <charconv>
#include <cmath>

#include "Money.h"
#include "SqlText.h"

namespace tally::reports {

std::string FeeItemSplit::quotedCode() const { return code.empty() ? "" : data::sqlTextLiteral(code); }

bool FeeItemSplit::isParking() const { return category.find("停车") != std::string::npos; }

std::string cleanFeeItemName(std::string_view name) {
    std::string out(name);
    for (std::string_view removed : {"(", ")", "）", "（", "%"}) {
        for (auto at = out.find(removed); at != std::string::npos; at = out.find(removed, at))
            out.erase(at, removed.size());
    }
    return out;
}

FeeItemSplit feeItemFromRow(const data::Recordset& row) {
    FeeItemSplit item;
    item.code = row.field(0).text();
    item.taxRate = row.field(1).isNull() ? 0 : roundToCents(row.field(1).number()) / 100.0;
    item.cleanedName = cleanFeeItemName(row.field(2).text());
    item.category = row.field(3).text();
    item.taxColumnName = item.cleanedName.empty() ? "" : item.cleanedName + "税额";
    return item;
}

Outcome<std::optional<FeeItemSplit>> LookUpFeeItem(data::Connection& connection, const std::string& code) {
    const std::string sql = "Select dh, 税率, xm, 收费类别 From setupsfxm Where dh = " + data::sqlTextLiteral(code);
    try {
        auto rs = connection.open(sql);
        if (rs->eof()) return std::optional<FeeItemSplit>();
        return std::optional<FeeItemSplit>(feeItemFromRow(*rs));
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
}

int valueColumnCount(const FeeItemList& items) {
    int count = 0;
    for (const auto& item : items) count += item.valueColumnCount();
    return count;
}

SplitRatioRows defaultSplitRows(const FeeItemList& items) {
    SplitRatioRows rows;
    for (const auto& item : items)
        if (item.isParking()) rows.push_back({item.cleanedName, "70", "30", item.code});
    return rows;
}

const SplitRatioRow* findSplitRow(const SplitRatioRows& rows, const std::string& code) {
    for (const auto& row : rows)
        if (row.code == code) return &row;
    return nullptr;
}

double propertyRatioValue(const std::string& ratioText) {
    double ratio = 0;
    std::from_chars(ratioText.data(), ratioText.data() + ratioText.size(), ratio);
    return ratio;
}

std::optional<std::string> propertyRatioText(const std::string& propertyText) {
    std::string text = propertyText;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    if (!text.empty() && text.back() == '%') text.pop_back();
    if (text.empty()) return std::nullopt;
    std::size_t i = 0, digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') ++digits;
        else if (text[i] == '.' && !point) point = true;
        else return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    double percent = leadingNumber(text);
    if (percent < 0 || percent > 100) return std::nullopt;
    return decimalText(percent / 100);
}

bool splitAddsUpTo100(const std::string& developerText, const std::string& propertyText) {
    return std::fabs(leadingNumber(developerText) + leadingNumber(propertyText) - 100) < 1e-9;
}

}  // namespace tally::reports

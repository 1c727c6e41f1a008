#include "FeeItems.h"

#include <charconv>
#include <cmath>
#include <utility>

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

std::optional<double> plainPercentage(const std::string& typed) {
    std::string text = typed;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    if (!text.empty() && text.back() == '%') text.pop_back();
    if (text.empty()) return std::nullopt;
    std::size_t digits = 0;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '.' && !point) point = true;
        else return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    const double percent = leadingNumber(text);
    if (percent < 0 || percent > 100) return std::nullopt;
    return percent;
}

std::optional<std::string> propertyRatioText(const std::string& propertyText) {
    const auto percent = plainPercentage(propertyText);
    if (!percent) return std::nullopt;
    return decimalText(*percent / 100);
}

Outcome<SplitRatioRows> splitsForRun(const SplitRatioRows& splits) {
    SplitRatioRows used = splits;
    for (auto& row : used) {
        for (auto [text, party] : {std::pair{&row.developerText, "开发商"}, std::pair{&row.propertyText, "物业公司"}}) {
            const auto percent = plainPercentage(*text);
            if (!percent)
                return ReportError::refused("停车费项目【" + row.name + "】的" + party + "分成比例\"" + *text +
                                            "\"不是0到100之间的数字,请重新设置分成比例!");
            *text = decimalText(*percent);
        }
    }
    return used;
}

bool splitAddsUpTo100(const std::string& developerText, const std::string& propertyText) {
    return std::fabs(leadingNumber(developerText) + leadingNumber(propertyText) - 100) < 1e-9;
}

}  // namespace tally::reports

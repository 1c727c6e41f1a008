#pragma once
// The fee items an extraction finds, and the split percentages of the parking items.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Connection.h"
#include "Recordset.h"
#include "ReportError.h"

namespace tally::reports {

// One extracted fee item.
struct FeeItemSplit {
    std::string code;           // 收费项目代号 as stored ("" when Null)
    std::string cleanedName;    // xm without "(", ")", "（", "）", "%"
    double taxRate = 0;         // 税率 rounded to two decimals, 0 when Null
    std::string category;       // 收费类别
    std::string taxColumnName;  // cleanedName + "税额", "" when the name is empty

    // The code as the system lists it in SQL: in single quotes (quotes inside doubled); "" when Null.
    std::string quotedCode() const;
    bool isParking() const;  // category contains "停车"
    // Value columns the item takes in the detail reports: 3 for a parking item, 2 otherwise.
    int valueColumnCount() const { return isParking() ? 3 : 2; }
};

using FeeItemList = std::vector<FeeItemSplit>;

std::string cleanFeeItemName(std::string_view name);
// Reads one row of an extraction statement (收费项目代号, 税率, XM, 收费类别).
FeeItemSplit feeItemFromRow(const data::Recordset& row);
int valueColumnCount(const FeeItemList& items);

// The fee item of the fee-item table (setupsfxm) with this code; nullopt when there is none.
Outcome<std::optional<FeeItemSplit>> LookUpFeeItem(data::Connection& connection, const std::string& code);

// One row of the split-ratio grid: the percentages are the texts the user typed.
struct SplitRatioRow {
    std::string name;                  // cleaned name
    std::string developerText = "70";  // 开发商
    std::string propertyText = "30";   // 物业公司
    std::string code;                  // the item's code (the hidden column shows it quoted)
};

using SplitRatioRows = std::vector<SplitRatioRow>;

// The rows a new extraction gives: one per parking item, in list order, at 70/30.
SplitRatioRows defaultSplitRows(const FeeItemList& items);
const SplitRatioRow* findSplitRow(const SplitRatioRows& rows, const std::string& code);

// A percentage as typed in the split grid, read as a plain number from 0 to 100: blanks
// around it and one trailing "%" are allowed ("30%" -> 30, " 30.50 " -> 30.5); anything
// else gives nullopt.
std::optional<double> plainPercentage(const std::string& text);

// The property share multiplier of a parking item, as the SQL text of percentage / 100
// ("30" -> "0.3"). A text that is not a number from 0 to 100 (a trailing "%" is
// accepted) gives nullopt: such a value never reaches the SQL.
std::optional<std::string> propertyRatioText(const std::string& propertyText);
// The number of such a multiplier text ("0.3" -> 0.3), read as the database reads it.
double propertyRatioValue(const std::string& ratioText);

inline constexpr const char* kSplitNotAt100 = "分成比例总和必须等于100,请重新设置分成比例!";

// The split rows a run uses: both percentages of every row rewritten as the plain numbers
// they stand for ("30%" -> "30"), so that headings and amounts show the same value.
// Refused (naming the item) when a percentage is not a number from 0 to 100.
Outcome<SplitRatioRows> splitsForRun(const SplitRatioRows& splits);

// The percentage check of the editor: the leading numbers of the two texts add up to 100.
bool splitAddsUpTo100(const std::string& developerText, const std::string& propertyText);

}  // namespace tally::reports

namespace tally::reports {

// The body of an IN (...) list built from a quoted list such as 'A','B'. An empty
// list would make "IN ()", which the server rejects; "NULL" matches nothing instead.
inline std::string inListBody(const std::string& quotedList) { return quotedList.empty() ? "NULL" : quotedList; }

}  // namespace tally::reports

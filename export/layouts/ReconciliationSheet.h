#pragma once
// The invoice reconciliation report as a sheet: the table's two heading rows in sheet
// rows 4 and 5, its data rows from row 6 (table row r in sheet row r + 4, column c in
// column c + 1), and the fixed check line under them.
#include <filesystem>
#include <string>

#include "ExportLabels.h"
#include "ReconciliationTable.h"

namespace tally::exports {

inline constexpr const char* kReconciliationExportDone = "票据核对表导出成功！";
inline constexpr const char* kReconciliationCheckFormula =
    "( 专用发票 + 普通发票 + 收据 = 财务交账 - 当月收预开票 + 当月未收预开票 )";

// The line under the table: " 核对结果: 相符 (…)" only when no month has a difference,
// else " 核对结果: 不符, N 个月有差额 (…)".
std::string reconciliationCheckLine(const reports::reconciliation::ReconciliationTable& table);

// Writes the table and returns the file written. Values go in as typed text: amounts,
// row numbers, month keys and rates become numbers, "小计" and "合计" stay text. The
// progress callback counts data rows. Throws SheetError.
std::filesystem::path ExportReconciliation(const reports::reconciliation::ReconciliationTable& table,
                                           const ReconciliationSheetLabels& labels, const sheet::OutputTarget& target,
                                           const ExportProgress& progress = {});
// The same as a sheet named `sheetName` of `book`; the book's owner saves it.
void ExportReconciliation(const reports::reconciliation::ReconciliationTable& table,
                          const ReconciliationSheetLabels& labels, sheet::Workbook& book, const std::string& sheetName,
                          const ExportProgress& progress = {});

}  // namespace tally::exports

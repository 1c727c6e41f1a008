#pragma once
// What an export takes from the window besides the result: the labels as they stand at
// export time (not at the run), the chosen output and someone to tell about progress.
#include <functional>
#include <string>

#include "Headings.h"
#include "OutputTarget.h"

namespace tally::sheet {
class Workbook;
}  // namespace tally::sheet

namespace tally::exports {

// Called after each table row is written: rows done so far, rows in all.
using ExportProgress = std::function<void(int done, int total)>;

struct DetailSheetLabels {
    std::string title;            // the title label text
    std::string departmentEntry;  // the selected department entry as the list shows it; "" when none
    std::string startDate;        // "yyyy-mm-dd"
    std::string endDate;          // "yyyy-mm-dd"
};

struct ReconciliationSheetLabels {
    std::string title;            // the window title
    std::string departmentEntry;  // as for the detail reports
    std::string year;             // the three period boxes' texts
    std::string startMonth;
    std::string endMonth;
};

// Everything a detail report's export takes besides its result.
struct DetailSheetRequest {
    reports::HeadingLayout headings;  // the result grid's two heading rows and widths
    DetailSheetLabels labels;
    sheet::OutputTarget target;
    ExportProgress progress;
    // Set: the sheet is added to this workbook under `sheetName` and `target` is unused;
    // the export then finishes the sheet and the workbook's owner saves it.
    sheet::Workbook* workbook = nullptr;
    std::string sheetName = {};
};

// " 统计部门 : " and the entry up to, not including, its first "【" (code, blank, name).
std::string departmentLine(const std::string& departmentEntry);
// " 开票日期 : 2024-03-01 至 2024-03-31"
std::string invoiceDateLine(const std::string& startDate, const std::string& endDate);
// " 核对年月 : 2024 年 01 月 至 03 月"
std::string reconciliationPeriodLine(const ReconciliationSheetLabels& labels);

}  // namespace tally::exports

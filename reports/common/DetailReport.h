#pragma once
// What a paged detail report (parking, VAT invoicing, VAT pre-invoicing) plugs into
// the report window and the command-line tool. Engines never touch widgets: they
// take the selection, read the database and return rows drawn as cell texts.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"
#include "Departments.h"
#include "FeeItems.h"
#include "Headings.h"
#include "ReportError.h"

namespace tally::reports {

// The selection a command runs with.
struct ReportRequest {
    DepartmentEntry department;   // as captured by the last extraction
    std::string fromKey;          // first day of the period, "yyyymmdd"
    std::string toKey;            // last day of the period, "yyyymmdd"
    std::string invoiceTypeList;  // 'A','B': the types with 定额 0
};

enum class CellAlign { General, Left, Centre, Right };

struct GridCell {
    std::string text;
    CellAlign align = CellAlign::General;
    // 24-bit colour value, red in the low byte; none: the grid's own background.
    std::optional<std::uint32_t> background = std::nullopt;
};

// One result row as the grid shows it: every column, column 0 the row number.
struct DrawnRow {
    std::vector<GridCell> cells;
    // A column whose text may be wider than the column; the window then makes the
    // row 600 twips high. -1 when none.
    int wrapColumn = -1;
};

// The rows of one run. Rows are numbered from 0 here; the grid shows index + 1.
class ReportResult {
public:
    virtual ~ReportResult() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual DrawnRow drawRow(int index) const = 0;
};

// The fixed texts of one report window.
struct ReportTexts {
    std::string kind;           // "parking", "vat-invoicing", "pre-invoicing"
    std::string objectName;     // "frm停车费明细表New"
    std::string caption;        // window caption and initial title
    std::string titleSuffix;    // after "【name】" in the title label
    std::string panelHeading;   // "停车费统计条件"
    std::string periodLabel;    // "收款日期范围"
    std::string extractBusy;    // busy caption of the extraction
    std::string runBusy;        // busy caption of the run
    std::string noFeeItems;     // message when the extraction finds nothing
    std::string exportSuccess;  // message after an export
};

struct Extraction {
    FeeItemList items;  // items read before an error stay
    std::optional<ReportError> error;
};

class DetailReport {
public:
    virtual ~DetailReport() = default;

    virtual const ReportTexts& texts() const = 0;
    // Headings when the window opens.
    virtual HeadingLayout initialHeadings() const = 0;
    // Headings for a fee-item list and the split percentages as they stand.
    virtual HeadingLayout layoutHeadings(const FeeItemList& items, const SplitRatioRows& splits) const = 0;
    // Whether the start command lays the headings out again before each run.
    virtual bool layoutHeadingsBeforeRun() const = 0;

    virtual Extraction extractFeeItems(data::Connection& connection, const ReportRequest& request) const = 0;
    // A result with no rows means nothing was found.
    virtual Outcome<std::shared_ptr<const ReportResult>> run(data::Connection& connection, const ReportRequest& request,
                                                             const FeeItemList& items,
                                                             const SplitRatioRows& splits) const = 0;

    std::string titleFor(const DepartmentEntry& department) const {
        return "【" + department.officeName + "】" + texts().titleSuffix;
    }
};

}  // namespace tally::reports

#include "PrintTables.h"

#include "DetailSheet.h"
#include "InvoiceSheet.h"
#include "ParkingPage.h"
#include "ParkingSheet.h"
#include "PreInvoicePage.h"
#include "ReconciliationSheet.h"
#include "SheetError.h"
#include "VatInvoicingReport.h"

namespace tally::pdf {

using reports::DrawnRow;
using reports::ReportResult;

namespace {

// The sheet's signature texts at its columns (zero-based here).
std::vector<TrailerCell> trailerOf(const std::vector<exports::SignatureCell>& signature) {
    std::vector<TrailerCell> trailer;
    for (const auto& cell : signature) trailer.push_back({cell.column - 1, cell.text});
    return trailer;
}

void takeHeadings(PrintTable& table, const reports::HeadingLayout& headings) {
    table.headingRow0 = headings.row0;
    table.headingRow1 = headings.row1;
    table.widthsTwips = headings.widthsTwips;
    table.headingSpans = headings.spans();
    table.headingFill = static_cast<std::uint32_t>(exports::kHeadingFill);
}

// Totals and payment-method rows carry the heading's light blue, as in the sheet.
DrawnRow filled(DrawnRow row, std::uint32_t colour) {
    for (auto& cell : row.cells) cell.background = colour;
    return row;
}

// Which rows of the result the sheet fills, and its signature line.
struct DetailKind {
    std::function<bool(int index)> isFilled;
    std::vector<TrailerCell> signature;
};

DetailKind detailKind(const std::shared_ptr<const ReportResult>& result) {
    using namespace reports;
    if (auto parking = std::dynamic_pointer_cast<const parking::ParkingResult>(result))
        return {[parking](int i) { return parking->rows().at(i).rowKind != parking::ParkingRowKind::Detail; },
                trailerOf(exports::parkingSignature())};
    if (auto vat = std::dynamic_pointer_cast<const vat::VatInvoicingResult>(result))
        return {[vat](int i) { return vat->rows().at(i).kind != vat::RowKind::Invoice; },
                trailerOf(exports::invoiceSignature())};
    if (auto pre = std::dynamic_pointer_cast<const preinvoice::PreInvoiceResult>(result))
        return {[pre](int i) { return i == pre->rowCount() - 1; }, trailerOf(exports::invoiceSignature())};
    throw sheet::SheetError(sheet::sheet_errors::kBadCell, "此报表没有打印格式");
}

}  // namespace

PrintTable detailPrintTable(std::shared_ptr<const ReportResult> result, const reports::HeadingLayout& headings,
                            const exports::DetailSheetLabels& labels) {
    if (!result) throw sheet::SheetError(sheet::sheet_errors::kBadCell, "没有可打印的统计结果");
    exports::checkHeadingColumns(headings, result->columnCount());
    DetailKind kind = detailKind(result);
    PrintTable table;
    table.title = labels.title;
    table.conditionLines = {exports::departmentLine(labels.departmentEntry),
                            exports::invoiceDateLine(labels.startDate, labels.endDate)};
    takeHeadings(table, headings);
    table.rowCount = result->rowCount();
    const std::uint32_t fill = table.headingFill;
    table.row = [result, isFilled = std::move(kind.isFilled), fill](int i) {
        DrawnRow row = result->drawRow(i);
        return isFilled(i) ? filled(std::move(row), fill) : row;
    };
    table.trailer = std::move(kind.signature);
    checkPrintTable(table);
    return table;
}

PrintTable reconciliationPrintTable(const reports::reconciliation::ReconciliationTable& source,
                                    const exports::ReconciliationSheetLabels& labels) {
    using reports::reconciliation::CellAlignment;
    using reports::reconciliation::ReconciliationTable;
    exports::checkHeadingColumns(source.headings(), source.columnCount());
    PrintTable table;
    table.title = labels.title;
    table.conditionLines = {exports::departmentLine(labels.departmentEntry), exports::reconciliationPeriodLine(labels)};
    takeHeadings(table, source.headings());
    table.headingSpans = source.headingSpans();
    for (int c = 0; c < source.columnCount(); ++c) table.widthsTwips[c] = source.widthTwips(c);
    table.rowCount = std::max(0, source.rowCount() - ReconciliationTable::kHeadingRows);
    table.row = [&source](int i) {
        const int r = i + ReconciliationTable::kHeadingRows;
        DrawnRow row;
        for (int c = 0; c < source.columnCount(); ++c) {
            const auto& cell = source.cell(r, c);
            row.cells.push_back({cell.text,
                                 source.alignment(r, c) == CellAlignment::Right ? reports::CellAlign::Right
                                                                                : reports::CellAlign::Centre,
                                 cell.colour});
        }
        return row;
    };
    table.trailer = {{1, exports::reconciliationCheckLine(source)}};
    checkPrintTable(table);
    return table;
}

}  // namespace tally::pdf

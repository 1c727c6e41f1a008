#include "PreInvoicedCorrections.h"

#include "ReconciliationHeadings.h"
#include "ReconciliationStatements.h"
#include "ValueColumns.h"

namespace tally::reports::reconciliation {
namespace {

using StatementFor = std::string (*)(const std::string& departmentCode, const std::string& allTypes,
                                     const std::string& monthKey, const std::string& codeList);

std::optional<ReportError> fillCorrection(data::Connection& connection, const ReconciliationSelection& selection,
                                          const InvoiceTypeLists& typeLists, const ReconciliationFeeItems& items,
                                          ReconciliationTable& table, StatementFor statement, const char* columnName,
                                          int targetColumn) {
    std::string codeList = reconciliationCodeList(items);
    try {
        for (const auto& key : selection.monthKeys()) {
            auto rs = connection.open(statement(selection.department.departmentCode, typeLists.all, key, codeList),
                                      data::Connection::kNoTimeout);
            if (rs->eof()) continue;
            const auto& sum = rs->field(columnName);
            std::string shown = sum.isNull() ? "0.00" : formatCents(centsOf(sum));
            for (int r = ReconciliationTable::kHeadingRows; r < table.rowCount(); ++r)
                if (table.text(r, ReconciliationColumns::kMonth) == key &&
                    table.text(r, ReconciliationColumns::kRate) == kSubtotalMark)
                    table.setCell(r, targetColumn, shown, kSubtotalColour);
        }
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ReportError> FillCollectedPreInvoiced(data::Connection& connection,
                                                    const ReconciliationSelection& selection,
                                                    const InvoiceTypeLists& typeLists,
                                                    const ReconciliationFeeItems& items, ReconciliationTable& table) {
    ReconciliationColumns col{static_cast<int>(items.size())};
    return fillCorrection(connection, selection, typeLists, items, table, collectedPreInvoicedStatement, "当月收预开",
                          col.collectedPreInvoiced());
}

std::optional<ReportError> FillUncollectedPreInvoiced(data::Connection& connection,
                                                      const ReconciliationSelection& selection,
                                                      const InvoiceTypeLists& typeLists,
                                                      const ReconciliationFeeItems& items, ReconciliationTable& table) {
    ReconciliationColumns col{static_cast<int>(items.size())};
    return fillCorrection(connection, selection, typeLists, items, table, uncollectedPreInvoicedStatement,
                          "当月未收预开票", col.uncollectedPreInvoiced());
}

}  // namespace tally::reports::reconciliation

#include "ReconciliationFeeItems.h"

#include "FeeItems.h"
#include "Money.h"
#include "ReconciliationHeadings.h"
#include "ReconciliationStatements.h"
#include "SqlText.h"

namespace tally::reports::reconciliation {

std::string reconciliationCodeList(const ReconciliationFeeItems& items) {
    std::string list;
    for (std::size_t k = 0; k < items.size(); ++k) list += (k ? "," : "") + items[k].code;
    return list;
}

std::optional<ReportError> ExtractReconciliationFeeItems(data::Connection& connection,
                                                         const ReconciliationSelection& selection,
                                                         const InvoiceTypeLists& typeLists,
                                                         ReconciliationFeeItems& items, ReconciliationTable& table) {
    try {
        auto rs = connection.open(feeItemExtractionStatement(selection, typeLists), data::Connection::kNoTimeout);
        items.clear();
        for (; !rs->eof(); rs->moveNext()) {
            const auto& code = rs->field(0);
            const auto& rate = rs->field(1);
            items.push_back({code.isNull() ? "" : data::sqlTextLiteral(code.text()),
                             cleanFeeItemName(rs->field(2).text()),
                             rate.isNull() ? 0 : roundToCents(rate.number()) / 100.0});
        }
    } catch (const data::DbError& e) {
        return ReportError::fromDb(e);
    }
    SetReconciliationHeadings(table, items);
    return std::nullopt;
}

}  // namespace tally::reports::reconciliation

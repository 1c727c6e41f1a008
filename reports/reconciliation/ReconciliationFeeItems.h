#pragma once
// The fee items of a reconciliation run: one hand-over column each.
#include <optional>
#include <string>
#include <vector>

#include "Connection.h"
#include "InvoiceTypeLists.h"
#include "ReconciliationSelection.h"
#include "ReportError.h"

namespace tally::reports::reconciliation {

class ReconciliationTable;

struct ReconciliationFeeItem {
    std::string code;  // 收费项目代号 as an SQL literal ('F01', quotes doubled); "" when Null
    std::string name;  // xm without "(", ")", "（", "）" and "%": column heading and alias
    double rate = 0;   // the office's tax-control rate rounded to two decimals, 0 when Null

    bool operator==(const ReconciliationFeeItem&) const = default;
};

using ReconciliationFeeItems = std::vector<ReconciliationFeeItem>;

// The items' codes joined by ",", in list order: the body of an IN (...) list.
std::string reconciliationCodeList(const ReconciliationFeeItems& items);

// Rebuilds `items` from the fee lines of the selection and lays `table` out for
// them. On a database error nothing is laid out and `items` keeps what it holds:
// the previous list when the statement did not open, the entries read so far when
// reading failed.
std::optional<ReportError> ExtractReconciliationFeeItems(data::Connection& connection,
                                                         const ReconciliationSelection& selection,
                                                         const InvoiceTypeLists& typeLists,
                                                         ReconciliationFeeItems& items, ReconciliationTable& table);

}  // namespace tally::reports::reconciliation

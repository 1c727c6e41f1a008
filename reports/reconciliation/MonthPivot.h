#pragma once
// A month's rows of the reconciliation, one per tax rate of the settings, put together
// from the month's sums per rate and code (monthCodeSumsStatement) and the settings' rates
// (settingsRatesStatement).
//
// The columns: 0 S税率 (100 for the lines of no rate), 1 专用发票, 2 专发税额, 3 普通发票,
// 4 普发税额, 5 S收据, then the hand-over of item k at 5 + k. A rate's row shows that rate's
// sums and receipts; an item of rate 0 shows on the row of rate 0 (or of no rate) its
// lines of that rate, or else its lines of no rate, and 0 on a row of a higher rate. A
// rate with nothing issued, no receipts and no receipts of no rate has no row. Rows come
// in rate order, each once.
//
// The items' columns are picked here rather than by one conditional sum per item in the
// statement: with hundreds of items, preparing such a statement each month cost more
// than reading the month's lines.
#include <memory>
#include <string>
#include <vector>

#include "Connection.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationStatements.h"
#include "Recordset.h"

namespace tally::reports::reconciliation {

class MonthPivot : public data::Recordset {
public:
    // Reads both statements, one after the other, before the first row.
    MonthPivot(data::Connection& connection, const StatementScope& scope, const std::string& monthKey,
               const ReconciliationFeeItems& items);

protected:
    bool fetchRow(std::vector<data::Value>& row) override;

private:
    std::vector<std::vector<data::Value>> rows_;
    std::size_t next_ = 0;
};

inline std::unique_ptr<data::Recordset> OpenMonthRows(data::Connection& connection, const StatementScope& scope,
                                                      const std::string& monthKey,
                                                      const ReconciliationFeeItems& items) {
    return std::make_unique<MonthPivot>(connection, scope, monthKey, items);
}

}  // namespace tally::reports::reconciliation

#include "ReconciliationRun.h"

#include <exception>

#include "CompleteReconciliation.h"
#include "MonthRows.h"
#include "PreInvoicedCorrections.h"
#include "ReconciliationHeadings.h"

namespace tally::reports::reconciliation {
namespace {

ReconciliationRun abandon(ReconciliationRun run, ReportError error) {
    run.reported.push_back(std::move(error));
    run.end = RunEnd::Abandoned;
    return run;
}

}  // namespace

ReconciliationRun openedReconciliation() {
    ReconciliationRun run;
    SetInitialReconciliationHeadings(run.table);
    return run;
}

ReconciliationRun RunReconciliation(data::Connection& connection, const ReconciliationSelection& selection,
                                    const InvoiceTypeLists& typeLists, ReconciliationRun run,
                                    const BeforeMonthRows& beforeMonthRows) {
    run.reported.clear();
    run.end = RunEnd::Completed;
    if (auto refusal = checkReconciliationSelection(true, selection.startMonth, selection.endMonth)) {
        run.reported.push_back(refusal->error);
        run.end = RunEnd::Refused;
        return run;
    }
    try {
        run.table.removeDataRows();
        if (auto e = ExtractReconciliationFeeItems(connection, selection, typeLists, run.items, run.table))
            run.reported.push_back(*e);
        if (run.items.empty()) {
            run.reported.push_back(ReportError::refused(kNoReconciliationData));
            run.end = RunEnd::NoData;
            return run;
        }
        run.table.removeDataRows();
        if (beforeMonthRows) beforeMonthRows(run.table);
        if (auto e = FillMonthRows(connection, selection, typeLists, run.items, run.table))
            return abandon(std::move(run), *e);
        // The corrections report their errors and the run goes on; missing cells count as 0.
        if (auto e = FillCollectedPreInvoiced(connection, selection, typeLists, run.items, run.table))
            run.reported.push_back(*e);
        if (auto e = FillUncollectedPreInvoiced(connection, selection, typeLists, run.items, run.table))
            run.reported.push_back(*e);
        CompleteReconciliation(run.table, static_cast<int>(run.items.size()));
    } catch (const data::DbError& e) {
        return abandon(std::move(run), ReportError::fromDb(e));
    } catch (const std::exception& e) {
        // A table whose layout no longer fits the item list (left by a failed
        // extraction) is the one way to get here; the table stays as written.
        return abandon(std::move(run), ReportError{0, e.what(), false});
    }
    return run;
}

ReconciliationRun RunReconciliation(data::Connection& connection, const ReconciliationSelection& selection) {
    auto lists = LoadInvoiceTypeLists(connection);
    if (!lists.ok()) return abandon(openedReconciliation(), lists.error());
    return RunReconciliation(connection, selection, lists.value());
}

}  // namespace tally::reports::reconciliation

// The reconciliation statements against the reference over generated and hostile databases.
#include <gtest/gtest.h>

#include "InvoiceTypeLists.h"
#include "MonthPivot.h"
#include "ReconciliationFeeItems.h"
#include "ReconciliationStatements.h"
#include "ReconciliationTable.h"
#include "ReferenceReconciliationStatements.h"
#include "Selections.h"

namespace tally::testing::equivalence {
namespace {

namespace rc = reports::reconciliation;
namespace reference = tally::reference::reconciliation;

const OrderColumns kByCode{0};
const OrderColumns kByRate{0};  // S税率
const OrderColumns kUnordered{};

std::string shownItems(const rc::ReconciliationFeeItems& items) {
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : ", ") + item.code + " " + item.name;
    return out;
}

// Every month of the selection, as the run fills its rows and corrections.
void checkMonths(Equivalence& equivalence, data::Connection& connection, const rc::ReconciliationSelection& selection,
                 const rc::InvoiceTypeLists& lists, const rc::ReconciliationFeeItems& items) {
    const rc::StatementScope scope = rc::statementScope(selection, lists);
    const std::string codeList = rc::reconciliationCodeList(items);
    const std::string& department = selection.department.departmentCode;
    for (const std::string& month : selection.monthKeys()) {
        const std::string shown = equivalence::shown(selection) + ", month " + month + ", items " + shownItems(items);
        equivalence.compare(
            connection, "monthStatement", shown, [&] { return rc::OpenMonthRows(connection, scope, month, items); },
            rc::monthCodeSumsStatement(scope, month, items) + ";\n" + rc::settingsRatesStatement(),
            reference::monthStatement(scope, month, items), kByRate);
        equivalence.compare(connection, "collectedPreInvoicedStatement", shown,
                            rc::collectedPreInvoicedStatement(department, lists.all, month, codeList),
                            reference::collectedPreInvoicedStatement(department, lists.all, month, codeList),
                            kUnordered);
        equivalence.compare(connection, "uncollectedPreInvoicedStatement", shown,
                            rc::uncollectedPreInvoicedStatement(department, lists.all, month, codeList),
                            reference::uncollectedPreInvoicedStatement(department, lists.all, month, codeList),
                            kUnordered);
    }
}

void checkReconciliation(Equivalence& equivalence, data::Connection& connection, Random& random, const Corpus& corpus) {
    auto lists = rc::LoadInvoiceTypeLists(connection);
    ASSERT_TRUE(lists.ok()) << lists.error().description;
    for (const auto& selection : reconciliationSelections(connection, random, corpus)) {
        equivalence.compare(connection, "feeItemExtractionStatement", shown(selection),
                            rc::feeItemExtractionStatement(selection, lists.value()),
                            reference::feeItemExtractionStatement(selection, lists.value()), kByCode);
        // The items as the run reads them, through the program's extraction.
        rc::ReconciliationFeeItems items;
        rc::ReconciliationTable table;
        // After an error or without items the run stops there.
        if (rc::ExtractReconciliationFeeItems(connection, selection, lists.value(), items, table) || items.empty())
            continue;
        checkMonths(equivalence, connection, selection, lists.value(), items);
        checkMonths(equivalence, connection, selection, lists.value(), randomSubset(items, random));
    }
}

const std::vector<std::string> kKinds{"feeItemExtractionStatement", "monthStatement", "collectedPreInvoicedStatement",
                                      "uncollectedPreInvoicedStatement"};

TEST(ReconciliationEquivalence, DemoDatabasesGiveTheReferenceRows) { checkDemoDatabases(kKinds, checkReconciliation); }

// No hostile file collects in March what was issued before it: that column stays Null there.
TEST(ReconciliationEquivalence, HostileDatabasesGiveTheReferenceRows) {
    checkHostileDatabases({"feeItemExtractionStatement", "monthStatement", "uncollectedPreInvoicedStatement"},
                          checkReconciliation);
}

}  // namespace
}  // namespace tally::testing::equivalence

// The VAT pre-invoicing statements against the reference over generated and hostile databases.
#include <gtest/gtest.h>

#include "DetailReportParts.h"
#include "PaymentMethods.h"
#include "PreInvoiceStatements.h"
#include "ReferencePreInvoiceStatements.h"
#include "Selections.h"

namespace tally::testing::equivalence {
namespace {

namespace preinvoice = reports::preinvoice;
namespace reference = tally::reference::preinvoice;

const OrderColumns kByCode{0};
const OrderColumns kByDateAndNumber{3, 0};  // 开票日期, 票据编号

void checkRun(Equivalence& equivalence, data::Connection& connection, Random& random, const DetailSelection& s,
              const std::string& typeList, const reports::FeeItemList& items) {
    if (items.empty()) return;  // the report only runs once an item was extracted
    auto ratios = reports::propertyRatios(items, randomSplits(items, random));
    ASSERT_TRUE(ratios.ok()) << ratios.error().description;
    const preinvoice::PreInvoiceStatementInput in{
        s.department.departmentCode, s.fromKey, s.toKey, typeList, items, ratios.value()};
    equivalence.compare(connection, "preInvoiceStatisticsStatement",
                        s.shown() + ", types " + typeList + ", items " + shownItems(items, ratios.value()),
                        preinvoice::preInvoiceStatisticsStatement(in), reference::preInvoiceStatisticsStatement(in),
                        kByDateAndNumber);
}

void checkPreInvoice(Equivalence& equivalence, data::Connection& connection, Random& random, const Corpus& corpus) {
    auto typeList = reports::LoadInvoiceTypeList(connection);
    ASSERT_TRUE(typeList.ok()) << typeList.error().description;
    for (const DetailSelection& s : detailSelections(connection, random, corpus)) {
        const std::string& department = s.department.departmentCode;
        const std::string extraction =
            preinvoice::preInvoiceExtractionStatement(department, s.fromKey, s.toKey, typeList.value());
        equivalence.compare(
            connection, "preInvoiceExtractionStatement", s.shown() + ", types " + typeList.value(), extraction,
            reference::preInvoiceExtractionStatement(department, s.fromKey, s.toKey, typeList.value()), kByCode);
        auto read = reports::ReadFeeItems(connection, extraction);
        if (read.error) continue;  // the report shows the error and stops; the rows were compared above
        checkRun(equivalence, connection, random, s, typeList.value(), read.items);
        checkRun(equivalence, connection, random, s, typeList.value(), randomSubset(read.items, random));
    }
}

const std::vector<std::string> kKinds{"preInvoiceExtractionStatement", "preInvoiceStatisticsStatement"};

TEST(PreInvoiceEquivalence, DemoDatabasesGiveTheReferenceRows) { checkDemoDatabases(kKinds, checkPreInvoice); }

TEST(PreInvoiceEquivalence, HostileDatabasesGiveTheReferenceRows) { checkHostileDatabases(kKinds, checkPreInvoice); }

}  // namespace
}  // namespace tally::testing::equivalence

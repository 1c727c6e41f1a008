// The parking-fee statements against the reference over generated and hostile databases.
#include <gtest/gtest.h>

#include "DetailReportParts.h"
#include "ParkingStatements.h"
#include "PaymentMethods.h"
#include "ReferenceParkingStatements.h"
#include "Selections.h"

namespace tally::testing::equivalence {
namespace {

namespace parking = reports::parking;
namespace reference = tally::reference::parking;

const OrderColumns kByCode{0};
const OrderColumns kByCollection{2, 1, 0, 3};  // 收款日期, 入库单编号, 票据编号, 金额

void checkRun(Equivalence& equivalence, data::Connection& connection, Random& random, const DetailSelection& s,
              const reports::FeeItemList& extracted) {
    // The report keeps the parking items of the list and runs only when there is one.
    reports::FeeItemList items;
    for (const auto& item : extracted)
        if (item.isParking()) items.push_back(item);
    if (items.empty()) return;
    auto ratios = reports::propertyRatios(items, randomSplits(items, random));
    ASSERT_TRUE(ratios.ok()) << ratios.error().description;
    const parking::ParkingStatementInput in{s.department.departmentCode, s.fromKey, s.toKey, items, ratios.value()};
    equivalence.compare(
        connection, "parkingStatisticsStatement", s.shown() + ", items " + shownItems(items, ratios.value()),
        parking::parkingStatisticsStatement(in), reference::parkingStatisticsStatement(in), kByCollection);
}

void checkParking(Equivalence& equivalence, data::Connection& connection, Random& random, const Corpus& corpus) {
    for (const DetailSelection& s : detailSelections(connection, random, corpus)) {
        const std::string& department = s.department.departmentCode;
        const std::string extraction = parking::parkingExtractionStatement(department, s.fromKey, s.toKey);
        equivalence.compare(connection, "parkingExtractionStatement", s.shown(), extraction,
                            reference::parkingExtractionStatement(department, s.fromKey, s.toKey), kByCode);
        auto read = reports::ReadFeeItems(connection, extraction);
        if (read.error) continue;  // the report shows the error and stops; the rows were compared above
        checkRun(equivalence, connection, random, s, read.items);
        checkRun(equivalence, connection, random, s, randomSubset(read.items, random));
    }
}

const std::vector<std::string> kKinds{"parkingExtractionStatement", "parkingStatisticsStatement"};

TEST(ParkingEquivalence, DemoDatabasesGiveTheReferenceRows) { checkDemoDatabases(kKinds, checkParking); }

TEST(ParkingEquivalence, HostileDatabasesGiveTheReferenceRows) { checkHostileDatabases(kKinds, checkParking); }

}  // namespace
}  // namespace tally::testing::equivalence

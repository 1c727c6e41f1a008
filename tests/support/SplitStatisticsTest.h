#pragma once
// The fixture of the split-ratio statistics (parking, pre-invoicing) over a purpose-built
// fee database: extract the items, set property percentages per code, run; and the
// texts of what comes back.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DetailReport.h"
#include "FeeDatabaseRows.h"
#include "FeeItems.h"
#include "Money.h"
#include "RecordingConnection.h"

namespace tally::testing {

using Texts = std::vector<std::string>;
// Property percentages as typed, per fee item code.
using PropertyTexts = std::vector<std::pair<std::string, std::string>>;

inline Texts cellTexts(const reports::DrawnRow& row) {
    Texts out;
    for (const auto& cell : row.cells) out.push_back(cell.text);
    return out;
}

template <class Row>
Texts amountTexts(const Row& row) {
    Texts out;
    for (reports::Cents c : row.amounts) out.push_back(reports::formatCents(c));
    return out;
}

// `extractItems` and `runStatistics` are the report's two steps, as ExtractParkingFeeItems
// and RunParkingStatistics.
template <class Row, auto extractItems, auto runStatistics>
class SplitStatisticsTest : public FeeDatabaseTest {
protected:
    reports::FeeItemList extract(const reports::ReportRequest& r) {
        flush();
        auto connection = db.connect();
        reports::Extraction e = extractItems(*connection, r);
        EXPECT_FALSE(e.error) << e.error->messageText();
        return e.items;
    }

    // Extracts into `items`, applies the property percentages, and runs.
    std::vector<Row> runWith(const reports::ReportRequest& r, const PropertyTexts& propertyTexts) {
        items = extract(r);
        reports::SplitRatioRows splits = reports::defaultSplitRows(items);
        for (const auto& [code, text] : propertyTexts)
            for (auto& row : splits)
                if (row.code == code) row.propertyText = text;
        auto connection = db.connect();
        auto rows = runStatistics(*connection, r, items, splits);
        EXPECT_TRUE(rows.ok()) << rows.error().messageText();
        return rows.ok() ? rows.value() : std::vector<Row>{};
    }

    // With the first split row's property percentage typed as `propertyText`, the run must
    // refuse the selection, naming `itemName`, before it sends any statement.
    void expectRefusedBeforeAnyStatement(const reports::ReportRequest& r, const reports::FeeItemList& list,
                                         const std::string& propertyText, const std::string& itemName) {
        reports::SplitRatioRows splits = reports::defaultSplitRows(list);
        splits[0].propertyText = propertyText;
        RecordingConnection connection;
        auto rows = runStatistics(connection, r, list, splits);
        ASSERT_FALSE(rows.ok());
        EXPECT_TRUE(rows.error().refusedSelection);
        EXPECT_NE(rows.error().description.find(itemName), std::string::npos) << rows.error().description;
        EXPECT_TRUE(connection.statements.empty()) << connection.statements.front();
    }

    reports::FeeItemList items;
};

}  // namespace tally::testing

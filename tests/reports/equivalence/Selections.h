#pragma once
// Random selections as a user makes them in the report windows: departments (one without
// any invoice among them), periods (a day, a month, a quarter, a year, across a year end,
// a stretch with nothing in it), fee-item lists and the split percentages of the editor.
#include <string>
#include <vector>

#include "Connection.h"
#include "Departments.h"
#include "Equivalence.h"
#include "EquivalenceCorpus.h"
#include "FeeItems.h"
#include "ReconciliationSelection.h"

namespace tally::testing::equivalence {

struct DetailSelection {
    reports::DepartmentEntry department;
    std::string fromKey, toKey;  // "yyyymmdd"
    std::string periodKind;      // "a day", "a month", ...

    std::string shown() const;
};

// A few departments of the database crossed with random periods around its years, and one
// department that has no invoice.
std::vector<DetailSelection> detailSelections(data::Connection& connection, Random& random, const Corpus& corpus);

// A few departments, each with a year and a month span: one month, a quarter, the whole
// year, or a year without invoices.
std::vector<reports::reconciliation::ReconciliationSelection> reconciliationSelections(data::Connection& connection,
                                                                                       Random& random,
                                                                                       const Corpus& corpus);
std::string shown(const reports::reconciliation::ReconciliationSelection& selection);

// The split rows a new extraction gives, with the property share set as a user types it
// ("35", "12.5", "40%", "0", "100") and the developer share making up 100.
reports::SplitRatioRows randomSplits(const reports::FeeItemList& items, Random& random);

// Some of the items, at least one, in list order.
template <typename Item>
std::vector<Item> randomSubset(const std::vector<Item>& items, Random& random) {
    std::vector<Item> subset;
    for (const Item& item : items)
        if (random() % 2) subset.push_back(item);
    if (subset.empty() && !items.empty()) subset.push_back(items[random() % items.size()]);
    return subset;
}

// "0101 物业管理费, 0301 停车费月租 x0.3, ..." for failure messages.
std::string shownItems(const reports::FeeItemList& items, const std::vector<std::string>& ratios);

}  // namespace tally::testing::equivalence

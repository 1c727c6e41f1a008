#pragma once
// Reads SQLite query plans for the one trap that turns a year's report from seconds
// into minutes: a derived table (a subquery in FROM, such as the per-item sums B1,
// B2, ...) joined without an index. SQLite answers those joins with automatic
// indexes as long as the join key is a plain column on the derived table's side;
// hide the key in an expression and every outer row scans the whole derived table.
#include <set>
#include <string>
#include <vector>

#include "SqliteConnection.h"

namespace tally::bench {

struct PlanProblem {
    std::string table;   // the derived table's alias, "B3"
    std::string detail;  // the plan step, "SCAN B3 LEFT-JOIN"
};

// Derived tables read without an index inside a join: a SCAN, or a SEARCH that names
// no index, of a materialized subquery in any loop but the outermost one of its
// SELECT. Aliases in `accepted` are not reported.
std::vector<PlanProblem> unindexedDerivedJoins(const std::vector<data::QueryPlanStep>& plan,
                                               const std::set<std::string>& accepted = {});

// Derived tables joined on a disjunction with a Null test, "On (A.税率=A3.税率 Or
// A3.税率 Is Null)": no index can serve such a join, by construction of the statement.
std::set<std::string> disjunctionJoinedTables(const std::string& sql);

}  // namespace tally::bench

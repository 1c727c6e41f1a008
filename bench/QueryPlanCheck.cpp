#include "QueryPlanCheck.h"

#include <map>
#include <regex>

namespace tally::bench {
namespace {

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// "SEARCH B1 USING ..." -> "B1"; "" for a step that is no loop.
std::string loopTable(const std::string& detail) {
    for (const char* verb : {"SCAN ", "SEARCH "}) {
        if (!startsWith(detail, verb)) continue;
        std::string rest = detail.substr(std::string(verb).size());
        return rest.substr(0, rest.find(' '));
    }
    return "";
}

// "MATERIALIZE B1" or "CO-ROUTINE B1" -> "B1".
std::string derivedTable(const std::string& detail) {
    for (const char* verb : {"MATERIALIZE ", "CO-ROUTINE "})
        if (startsWith(detail, verb)) return detail.substr(std::string(verb).size());
    return "";
}

}  // namespace

std::vector<PlanProblem> unindexedDerivedJoins(const std::vector<data::QueryPlanStep>& plan,
                                               const std::set<std::string>& accepted) {
    std::set<std::string> derived;
    for (const auto& step : plan)
        if (auto name = derivedTable(step.detail); !name.empty()) derived.insert(name);

    std::vector<PlanProblem> problems;
    std::map<int, int> loopsSeen;  // parent step -> loops met so far under it
    for (const auto& step : plan) {
        const std::string table = loopTable(step.detail);
        if (table.empty()) continue;
        const bool outermost = loopsSeen[step.parent]++ == 0;
        if (outermost || !derived.count(table) || accepted.count(table)) continue;
        const bool indexed = startsWith(step.detail, "SEARCH ") && step.detail.find(" INDEX ") != std::string::npos;
        if (!indexed) problems.push_back({table, step.detail});
    }
    return problems;
}

std::set<std::string> disjunctionJoinedTables(const std::string& sql) {
    static const std::regex join(R"(\)\s*(\w+)\s+On\s*\([^()]*\s+Or\s+(\w+)\.[^\s()]+\s+Is\s+Null\s*\))",
                                 std::regex::icase);
    std::set<std::string> tables;
    for (std::sregex_iterator it(sql.begin(), sql.end(), join), end; it != end; ++it)
        if ((*it)[1] == (*it)[2]) tables.insert((*it)[1]);
    return tables;
}

}  // namespace tally::bench

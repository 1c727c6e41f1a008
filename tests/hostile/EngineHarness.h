#pragma once
// Runs one report through its engine on a hostile database the way a window does:
// department list, invoice types, extraction, default splits, headings, run (or the
// reconciliation run), and keeps what came out as texts. Exceptions are caught and
// kept too, so a test can say which report let one escape.
#include <optional>
#include <string>
#include <vector>

#include "HostileDatabase.h"
#include "RecordingConnection.h"
#include "ReportError.h"

namespace tally::testing {

// The four reports by their command-line names.
std::vector<std::string> allReportKinds();

struct EngineOutcome {
    std::vector<std::vector<std::string>> headings;  // the two heading rows
    std::vector<std::vector<std::string>> rows;      // cell texts of every result row
    std::vector<reports::ReportError> errors;        // what the window would have shown
    bool departmentFound = false;
    std::optional<std::string> escaped;  // an exception that left the engine

    bool hasRows() const { return !rows.empty(); }
    bool hasError() const { return !errors.empty(); }
    // The row whose cells include `text`; nullptr when none.
    const std::vector<std::string>* rowWith(const std::string& text) const;
    bool headingsHold(const std::string& text) const;
};

EngineOutcome runReportEngine(const std::string& kind, RecordingConnection& connection, const HostileProfile& profile);

}  // namespace tally::testing

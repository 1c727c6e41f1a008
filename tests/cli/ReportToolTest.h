#pragma once
// The fixture of the end-to-end tests of tallyvane-report.
#include <string>

#include "CommandRunner.h"
#include "DatabaseTest.h"

namespace tally::testing {

// A test of the tool over its own fee database, filled with the fixture's rows.
class ReportToolTest : public DatabaseTest {
protected:
    using DatabaseTest::DatabaseTest;

    // The tool on this test's database: `--db FILE arguments`.
    CommandResult runOnDatabase(const std::string& arguments) const {
        return runReportTool("--db " + shellQuote(db.path()) + " " + arguments);
    }
};

}  // namespace tally::testing

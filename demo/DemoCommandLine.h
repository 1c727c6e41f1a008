#pragma once
// Arguments of tallyvane-demo-db: OUT.sqlite [--seed N] [--invoices N] [--years N] [--first-year YYYY]
// [--fee-items N].
#include <string>
#include <vector>

#include "DemoDatabase.h"

namespace tally::demo {

struct DemoRequest {
    bool showHelp = false;
    std::string outputPath;
    DemoOptions options;
};

// `arguments` excludes the program name. Throws DemoError with a message for the user when an
// argument is unknown, a value is missing or not a number in range, or the output file is missing.
DemoRequest parseDemoCommandLine(const std::vector<std::string>& arguments);

std::string demoUsage(const std::string& program);

}  // namespace tally::demo

#pragma once
// Builds the demo fee database: a fresh SQLite file with the suite's tables filled with
// realistic, reproducible invoices, so the reports can be tried without the real server.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tally::demo {

// Anything that stops a demo database from being written (bad options, file or SQLite errors).
class DemoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DemoOptions {
    std::uint64_t seed = 1;               // same seed, same rows
    std::int64_t invoicesPerYear = 3000;  // exact count of 票据 rows issued in each year, at least 1
    int years = 2;                        // number of calendar years covered, at least 1
    int firstYear = 2025;                 // first year covered; the last one must not pass 9999
    // 0: the built-in fee items, each department with its own. Otherwise the number of fee items,
    // the built-in ones and generated ones, all in use every month; the invoices stay the same.
    int feeItems = 0;
};

struct DemoSummary {
    std::int64_t invoices = 0;
    std::int64_t lines = 0;
    std::int64_t batches = 0;
};

// Throws DemoError when the options are out of range.
void validateDemoOptions(const DemoOptions& options);

// Writes the database to `path`, replacing an existing file only once the new one is complete
// (it is built under a temporary name in the same folder and renamed into place).
// Throws DemoError on failure; the target is then left as it was.
DemoSummary generateDemoDatabase(const std::string& path, const DemoOptions& options);

}  // namespace tally::demo

#pragma once
// What both benchmark programs share around their measurements: the options they
// both take, the exit statuses bench/run expects, and the line each measurement prints.
#include <functional>
#include <string>

#include "Stopwatch.h"

namespace tally::bench {

struct BenchOptions {
    std::string db;
    std::string year = "2026";
    int runs = 5;
};

// Reads --db FILE, --year YYYY and --runs N into `options`; every other option with its
// value goes to `own`, which returns false for one it does not know. False also when
// --db is missing or --runs is not positive.
bool parseBenchOptions(int argc, char** argv, BenchOptions& options,
                       const std::function<bool(const std::string& option, const std::string& value)>& own);

// Runs the program's work in the C.UTF-8 locale. Returns 2 after the usage line when the
// options did not parse, 1 after "program: error" when the work throws, else 0.
int runBenchmark(const std::string& program, const std::string& usage, const std::function<bool()>& parseOptions,
                 const std::function<void()>& work);

// The same for a program whose options are read by `parse` into its Options, which
// `measure` then runs with.
template <class Options>
int runBenchmark(int argc, char** argv, const std::string& program, const std::string& usage,
                 bool (*parse)(int, char**, Options&), void (*measure)(const Options&)) {
    Options options;
    return runBenchmark(
        program, usage, [&] { return parse(argc, argv, options); }, [&] { measure(options); });
}

// One measurement, tab-separated: key, median wall seconds, fastest wall seconds,
// median processor seconds, runs, note.
void printMeasurement(const std::string& key, const Timing& timing, const std::string& note);

// `text` with tabs and line breaks made blanks, to stay one field of one line.
std::string oneLine(std::string text);

}  // namespace tally::bench

#pragma once
// Runs a program to completion with its output captured in a file.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tally::sheet {

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally (signal, time-out)
    bool timedOut = false;
    bool stopped = false;  // killed because `stopRequested` said so
    std::string output;    // standard output and error, cut to the last kilobyte
};

// argv[0] is the program's path. stdin reads nothing; stdout and stderr go to `outputFile`.
// A program still running after `timeout`, or once `stopRequested` (asked while it
// runs) returns true, is killed with every process it started (its process group on
// Linux, its job object on Windows).
// Throws SheetError when the program cannot be started.
// The last kilobyte of a program's output file (ProcessResult::output).
std::string outputTail(const std::filesystem::path& outputFile);

ProcessResult runProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                         std::chrono::seconds timeout, const std::function<bool()>& stopRequested = {});

}  // namespace tally::sheet

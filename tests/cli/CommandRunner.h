#pragma once
// Runs tallyvane-report as a process and keeps its exit status and both outputs.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "ScratchFolder.h"
#include "TestDatabase.h"

namespace tally::testing {

struct CommandResult {
    int status = -1;
    std::string out, err;
};

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command line; `status` is the raw wait status, `err` stays empty.
inline CommandResult runShell(const std::string& command) {
    CommandResult r;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    r.status = ::pclose(pipe);
    return r;
}

inline CommandResult runReportTool(const std::string& arguments) {
    ScratchFolder scratch;
    const auto errPath = scratch / "stderr.txt";
    CommandResult r = runShell(std::string(TALLYVANE_REPORT) + " " + arguments + " 2>" + shellQuote(errPath.string()));
    r.status = WIFEXITED(r.status) ? WEXITSTATUS(r.status) : -1;
    r.err = readFile(errPath);
    return r;
}

}  // namespace tally::testing

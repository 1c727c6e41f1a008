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

inline CommandResult runReportTool(const std::string& arguments) {
    ScratchFolder scratch;
    const auto errPath = scratch / "stderr.txt";
    std::string command = std::string(TALLYVANE_REPORT) + " " + arguments + " 2>" + shellQuote(errPath.string());
    CommandResult r;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = readFile(errPath);
    return r;
}

}  // namespace tally::testing

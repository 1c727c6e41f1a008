#pragma once
// Files the program finds at run time next to itself: in the build tree beside the
// binaries, or in the installed layout relative to the running program, so an installed
// copy works wherever its prefix was put.
#include <filesystem>
#include <string>

namespace tally::data {

// The folder of the running executable (empty when it cannot be told).
std::filesystem::path runningProgramFolder();

// The T-SQL extension module for SQLite's ODBC driver as seen from a program in
// `programFolder`: the installed place first (<bin>/../<lib>/tallyvane/), then the one this
// build wrote. Empty when neither exists.
std::string findTsqlExtension(const std::filesystem::path& programFolder);

// findTsqlExtension(runningProgramFolder()).
std::string tsqlExtensionPath();

}  // namespace tally::data

#pragma once
// What the command-line tool sets up in its process, and how it reads its arguments,
// where Linux and Windows differ.
#include <string>
#include <vector>

namespace tally::cli {

// Before anything else runs: numbers in the C locale, a write past a file-size limit
// failing like a full disk instead of ending the process (Linux), standard output
// written byte for byte and the console told it is UTF-8 (Windows).
void prepareProcess();

// The command line as UTF-8, without the program's name.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Whether standard error is a terminal (progress lines are drawn only there).
bool standardErrorIsTerminal();

}  // namespace tally::cli

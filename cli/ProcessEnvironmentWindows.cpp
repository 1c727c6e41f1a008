#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>  // needs windows.h first

#include <clocale>
#include <cstdio>
#include <filesystem>

#include "ProcessEnvironment.h"

namespace tally::cli {

void prepareProcess() {
    std::setlocale(LC_ALL, "C");
    // No "\n" → "\r\n": the JSON and CSV on standard output are the same bytes as in a file.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

// main's argv is in the ANSI code page, which cannot hold every file name: the wide
// command line can.
std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(std::filesystem::path(wide[i]).string());  // UTF-8
    if (wide) LocalFree(wide);
    return arguments;
}

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace tally::cli

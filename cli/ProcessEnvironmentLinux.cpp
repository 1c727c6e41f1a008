#include <unistd.h>

#include <clocale>
#include <csignal>

#include "ProcessEnvironment.h"

namespace tally::cli {

void prepareProcess() {
    std::signal(SIGXFSZ, SIG_IGN);
    std::setlocale(LC_ALL, "C.UTF-8");
}

std::vector<std::string> commandLineArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tally::cli

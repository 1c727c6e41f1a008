#pragma once
// The main of the programs that write sample workbooks for the Python checks: one
// argument, where to write; without it the usage and status 2, a sheet error's message
// and status 1.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Platform.h"
#include "SheetError.h"

namespace tally::testing {

inline int sampleWriterMain(int argc, char** argv, const char* argumentName,
                            const std::function<void(const std::filesystem::path&)>& write) {
    const std::vector<std::string> arguments = programArguments(argc, argv);
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], argumentName);
        return 2;
    }
    try {
        write(utf8Path(arguments[1]));
        return 0;
    } catch (const sheet::SheetError& e) {
        std::fprintf(stderr, "%s\n", e.messageText().c_str());
        return 1;
    }
}

}  // namespace tally::testing

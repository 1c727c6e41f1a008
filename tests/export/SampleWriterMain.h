#pragma once
// The main of the programs that write sample workbooks for the Python checks: one
// argument, where to write; without it the usage and status 2, a sheet error's message
// and status 1.
#include <cstdio>
#include <filesystem>
#include <functional>

#include "SheetError.h"

namespace tally::testing {

inline int sampleWriterMain(int argc, char** argv, const char* argumentName,
                            const std::function<void(const std::filesystem::path&)>& write) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], argumentName);
        return 2;
    }
    try {
        write(argv[1]);
        return 0;
    } catch (const sheet::SheetError& e) {
        std::fprintf(stderr, "%s\n", e.messageText().c_str());
        return 1;
    }
}

}  // namespace tally::testing

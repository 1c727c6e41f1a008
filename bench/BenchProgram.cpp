#include "BenchProgram.h"

#include <clocale>
#include <cstdio>
#include <exception>
#include <iostream>

namespace tally::bench {

bool parseBenchOptions(int argc, char** argv, BenchOptions& options,
                       const std::function<bool(const std::string& option, const std::string& value)>& own) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const std::string value = i + 1 < argc ? argv[++i] : "";  // every option takes one
        if (option == "--db") options.db = value;
        else if (option == "--year") options.year = value;
        else if (option == "--runs") options.runs = std::stoi(value);
        else if (!own(option, value)) return false;
    }
    return !options.db.empty() && options.runs > 0;
}

int runBenchmark(const std::string& program, const std::string& usage, const std::function<bool()>& parseOptions,
                 const std::function<void()>& work) {
    std::setlocale(LC_ALL, "C.UTF-8");
    if (!parseOptions()) {
        std::cerr << usage << "\n";
        return 2;
    }
    try {
        work();
    } catch (const std::exception& e) {
        std::cerr << program << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

void printMeasurement(const std::string& key, const Timing& timing, const std::string& note) {
    std::printf("%s\t%.6f\t%.6f\t%.6f\t%d\t%s\n", key.c_str(), timing.median, timing.fastest, timing.medianCpu,
                timing.runs, oneLine(note).c_str());
    // bench/run reads the lines as they come.
    std::fflush(stdout);
}

}  // namespace tally::bench

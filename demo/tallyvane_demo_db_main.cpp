// tallyvane-demo-db: writes a demo fee database for trying the reports without the real server.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "DemoCommandLine.h"

int main(int argc, char** argv) {
    using namespace tally::demo;
    const std::string program = "tallyvane-demo-db";
    DemoRequest request;
    try {
        request = parseDemoCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const DemoError& e) {
        std::cerr << program << ": " << e.what() << "\nRun " << program << " --help for the usage.\n";
        return 2;
    }
    if (request.showHelp) {
        std::cout << demoUsage(program);
        return 0;
    }
    try {
        const auto started = std::chrono::steady_clock::now();
        const DemoSummary summary = generateDemoDatabase(request.outputPath, request.options);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f", elapsed.count());
        std::cout << "Wrote " << request.outputPath << ": " << summary.invoices << " invoices, " << summary.lines
                  << " lines, " << summary.batches << " batches (seed " << request.options.seed << ") in " << seconds
                  << " s\n";
    } catch (const std::exception& e) {
        std::cerr << program << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

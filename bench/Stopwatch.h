#pragma once
// Runs a piece of work several times and keeps the median and the fastest wall time,
// and the median processor time (user + system), which other work on a busy machine
// disturbs less than the wall time.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace tally::bench {

struct Timing {
    double median = 0;     // wall seconds
    double fastest = 0;    // wall seconds
    double medianCpu = 0;  // processor seconds of this process
    int runs = 0;
};

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The process's processor time, all threads, user and system (glibc's clock() reads the
// process CPU clock). The benchmarks run on Linux; on Windows clock() counts wall time.
inline double processorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

inline Timing summarize(const std::vector<double>& wall, const std::vector<double>& cpu) {
    Timing t;
    if (wall.empty()) return t;
    t.median = median(wall);
    t.fastest = *std::min_element(wall.begin(), wall.end());
    t.medianCpu = median(cpu);
    t.runs = static_cast<int>(wall.size());
    return t;
}

// Single runs timed one at a time, in turns with other work, and summarized together.
struct Samples {
    std::vector<double> wall, cpu;
    void add(const Timing& run) {
        wall.push_back(run.median);
        cpu.push_back(run.medianCpu);
    }
    Timing summary() const { return summarize(wall, cpu); }
};

template <class Work>
Timing timeRuns(int runs, Work&& work) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double cpuStart = processorSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu.push_back(processorSeconds() - cpuStart);
    }
    return summarize(wall, cpu);
}

}  // namespace tally::bench

// A console reporter that closes a run with the ratios asked for, such as a keyed copy's
// CPU time over memcpy of the same bytes, so every run states them itself. With
// --benchmark_repetitions the medians are compared, else the single runs.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Each pair: the benchmark measured, the benchmark it is measured against.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs)
        : m_pairs(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool bMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || bMedian) {
                Entry& entry = m_cpuTimes[run.run_name.str()];
                if (bMedian || !entry.bMedian)
                    entry = Entry{run.GetAdjustedCPUTime(), bMedian};
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [measured, reference] : m_pairs) {
            const auto a = m_cpuTimes.find(measured);
            const auto b = m_cpuTimes.find(reference);
            if (a == m_cpuTimes.end() || b == m_cpuTimes.end() || b->second.dCpu <= 0)
                continue; // filtered out or failed
            std::printf("ratio %s / %s = %.2f (CPU time%s)\n", measured.c_str(), reference.c_str(),
                        a->second.dCpu / b->second.dCpu, a->second.bMedian ? ", medians" : "");
        }
        std::fflush(stdout);
    }

private:
    struct Entry {
        double dCpu = 0;
        bool bMedian = false;
    };
    std::vector<std::pair<std::string, std::string>> m_pairs;
    std::map<std::string, Entry> m_cpuTimes;
};

// The main of a benchmark program that reports the given ratios at its end.
inline int RunWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

#pragma once

// A console reporter that also keeps each benchmark's time, so that a program
// can print its figures as ratios against a baseline from the same run.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace velmora::bench {

// Whether the program's own option `flag` was given; it is taken out of the
// arguments before Google Benchmark reads them.
inline bool takeFlag(int &argc, char **argv, const char *flag) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0) {
            std::memmove(argv + i, argv + i + 1, sizeof(char *) * std::size_t(argc - i));
            --argc;
            return true;
        }
    }
    return false;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Prints as usual. One figure per benchmark: the median over repetitions
    // when there are several (a repetition disturbed by the machine's other
    // work does not move it), else the single run.
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const std::string &name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_median[name] = run.GetAdjustedRealTime() * 1e3 /
                                 benchmark::GetTimeUnitMultiplier(run.time_unit);
            else if (run.run_type == Run::RT_Iteration && !m_median.count(name))
                m_ms[name] = run.real_accumulated_time * 1e3 / double(run.iterations);
        }
        for (const auto &[name, time] : m_median)
            m_ms[name] = time;
    }

    // The time of a benchmark in milliseconds, if it ran without error.
    std::optional<double> ms(const std::string &name) const {
        const auto it = m_ms.find(name);
        return it == m_ms.end() ? std::nullopt : std::optional<double>(it->second);
    }

    // "NAME: T ms, Rx the LABEL (B ms)" for every benchmark but the baseline,
    // with `decimals` places for the times. Nothing without the baseline.
    void printAgainst(const std::string &baseline, const char *label, int decimals) const {
        const std::optional<double> base = ms(baseline);
        if (!base)
            return;
        for (const auto &[name, time] : m_ms) {
            if (name != baseline)
                std::printf("%s: %.*f ms, %.2fx the %s (%.*f ms)\n", name.c_str(), decimals, time,
                            time / *base, label, decimals, *base);
        }
    }

private:
    std::map<std::string, double> m_ms;
    std::map<std::string, double> m_median;
};

} // namespace velmora::bench

#pragma once

// A console reporter that also keeps each benchmark's processor time per iteration, for the
// comparison with the goals that each benchmark prints at the end. Real time would also count,
// on a shared machine, the time that other processes take.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class ProcessorTimes : public benchmark::ConsoleReporter {
public:
    ProcessorTimes() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                seconds_[run.benchmark_name()] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
            }
        }
    }

    // Processor seconds per iteration; 0 for a benchmark that did not run.
    double Seconds(const std::string& name) const {
        const auto found = seconds_.find(name);
        return found == seconds_.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> seconds_;
};

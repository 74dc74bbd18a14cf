// torvex-run --grade: one scenario, with a plant if asked, run against every diagram of a
// class, in parallel, into a table and reports.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace torvex {

struct GradeFailure {
    int64_t scan = 0;     // the time its line gives
    std::string name;     // "OP0", "plant.cars", or "plant stopped"
    std::string message;  // "t=2.0 OP0: expected 1, got 0", as a single run prints it
};

// A row of a failing file's timing chart.
struct ChartSignal {
    std::string name;            // "OP2", "T3", "plant.cars"
    std::string meaning;         // what the plant wires to the point ("N/S green"), or empty
    bool bit = true;             // drawn high and low; numbers are drawn as a stepped line
    std::vector<double> values;  // one per scan from GradeChart::firstScan until the run ended
};

// The points the failed expectations name, over the seconds around the first failure: 10 s
// before it (or from the start) to 5 s after it (or 15 s after the start).
struct GradeChart {
    static constexpr int64_t kScansBefore = 100;  // 10 s
    static constexpr int64_t kScansAfter = 50;    // 5 s
    static constexpr size_t kMostSignals = 16;

    int64_t firstScan = 0;  // the window shown
    int64_t lastScan = 0;
    int64_t focusScan = 0;  // the first failure, or the end of the run when it came before
    std::vector<ChartSignal> signals;
    size_t omitted = 0;  // signals beyond kMostSignals, left out
};

struct GradeResult {
    enum Outcome { Passed, Failed, Error, TimedOut };

    std::string name;  // as the table shows it
    std::string path;
    Outcome outcome = Error;
    int passed = 0;  // expectations
    int failed = 0;
    std::string stopReason;            // why the plant stopped the run, or empty
    std::vector<std::string> figures;  // the batch's figures at the end of the run, as text
    std::vector<GradeFailure> failures;
    std::string error;                  // Error: the reader's message; TimedOut: how long it ran
    std::vector<std::string> warnings;  // the reader's, for a file it read on after them
    std::string output;                 // what a single run of the file prints
    double seconds = 0;                 // real time taken
    std::optional<GradeChart> chart;
};

struct GradeBatch {
    std::string scenario;  // the file as given
    std::string plant;     // the plant's name, or empty
    uint64_t seed = 1;
    std::vector<std::string> figureNames;  // the plant's figures the scenario names
    std::vector<GradeResult> results;      // sorted by name
    double seconds = 0;                    // real time of the whole batch
    std::string timestamp;                 // its start, UTC, "2025-03-01T08:15:00"
    std::string hostname;

    int passedFiles() const;
    int failedFiles() const;
};

// `torvex-run --grade ...`; `args` without the program name, --grade among them.
int GradeMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The help text of --grade, printed after torvex-run's own.
const char* GradeHelp();

}  // namespace torvex

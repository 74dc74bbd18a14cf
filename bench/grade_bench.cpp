// Grading a class: thirty diagrams, each against an hour of the Traffic Light, with the
// reports written. Real time is what a teacher waits for.
//
// The class: the Traffic Light example (36 rungs), as it is for half the students and with its
// timer presets varied for the other half (greens of 10.5 ... 14.5 s, ambers of 2.5 ... 3.5 s,
// walks of 5 ... 7 s), so that some pass its one-hour scenario and most of the others fail it
// with charts to draw.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/torvex_run.h"

namespace torvex {
namespace {

constexpr int kStudents = 30;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The preset of timer `t` in llg text set to `ms`.
void SetPreset(std::string& llg, int t, int ms) {
    const std::string banner =
        "--------------- Timer " + std::to_string(t) + " ----------------\r\n";
    const size_t at = llg.find(banner) + banner.size();
    llg.replace(at, llg.find("\r\n", at) - at, std::to_string(ms));
}

class Class {
public:
    Class() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "torvex-grade-XXXXXX").string();
        if (mkdtemp(pattern.data())) folder_ = pattern;
        const std::string example = ReadAll(std::string(TORVEX_SOLUTIONS) + "/traffic_light.llg");
        for (int s = 0; s < kStudents; ++s) {
            std::string llg = example;
            if (s % 2 == 1) {
                SetPreset(llg, 3, 10000 + 500 * (s % 10));  // N/S green
                SetPreset(llg, 5, 10000 + 500 * (s % 10));  // E/W green
                SetPreset(llg, 4, 2500 + 500 * (s % 3));    // amber
                SetPreset(llg, 6, 5000 + 1000 * (s % 3));   // walk
            }
            std::ofstream(folder_ + "/student" + std::to_string(s + 10) + ".llg", std::ios::binary)
                << llg;
        }
    }
    ~Class() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

void BM_GradeThirtyTrafficLightHours(benchmark::State& state) {
    const Class students;
    const std::vector<std::string> args = {
        "--grade",    students.folder(),
        "--scenario", std::string(TORVEX_SOLUTIONS) + "/traffic_light.scn",
        "--plant",    "traffic",
        "--jobs",     std::to_string(state.range(0)),
        "--report",   students.folder() + "/grades"};
    int failed = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        if (TorvexRunMain(args, out, err) == kRunBadInput) state.SkipWithError(err.str().c_str());
        failed = std::stoi(out.str().substr(out.str().rfind(", ") + 2));
    }
    state.counters["failed_files"] = failed;
}
BENCHMARK(BM_GradeThirtyTrafficLightHours)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("jobs")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvex

BENCHMARK_MAIN();

// Cost of loading and saving the largest diagram the tables hold, and of torvex-run playing
// an hour of plant time on a classroom-sized diagram.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/editing.h"
#include "files/ladder_reader.h"
#include "files/ladder_writer.h"
#include "tests/support/ladder_text.h"
#include "tools/torvex_run.h"

namespace torvex {
namespace {

using test::SetRung;
using test::Simple;

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("torvex-bench-" + std::to_string(getpid()) + "-" + name))
        .string();
}

// 1001 rungs, a control in every cell of all four rows, a 210-character comment on every
// rung, every I/O comment 200 characters long, every timer and counter in use.
void BuildLargest(Plc& plc, IOComments& comments) {
    plc.ClearDiagram();
    for (int r = 0; r < kMaxRungs; ++r) {
        plc.diagram.NewRung(r);
        RungRecord& rung = plc.diagram.Rungs[r];
        for (int w = 0; w < kRows; ++w) {
            rung.setCode(0, w, Link::STA);
            for (int c = 0; c < kControlColumns - 1; ++c) {
                rung.setCell(2 * c + 1, w, Control::NCC, ContactKind::Flag, (r + w + c) % kPoints);
                rung.setCode(2 * c + 2, w, Link::THR);
            }
            rung.setCell(kOutputColumn, w, Control::OUT, CoilKind::Output, (r + w) % kPoints);
        }
        WireParallelOutputs(rung, kRows - 1);
        rung.setComment(std::string(kCommentMax, static_cast<char>('A' + r % 26)));
    }
    for (int g = 0; g < kIOCommentGroups; ++g)
        for (int n = IOCommentGroups()[g].first; n <= IOCommentGroups()[g].last; ++n)
            *IOCommentSlot(comments, g, n) = std::string(kIOCommentMax, 'c');
    for (auto& t : plc.memory.Timers) t.Used = t.OnDelayStyle = true;
    for (auto& c : plc.memory.Counters) c.Used = true;
}

void BM_SaveLadder_Largest(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    IOComments comments;
    BuildLargest(*plc, comments);
    const std::string path = TempPath("save.llg");
    const DiagramSettings settings;
    for (auto _ : state) {
        const std::string error = SaveLadder(*plc, comments, settings, path);
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveLadder_Largest)->Unit(benchmark::kMillisecond);

// The text alone, without the file system.
void BM_LadderText_Largest(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    IOComments comments;
    BuildLargest(*plc, comments);
    const DiagramSettings settings;
    for (auto _ : state) benchmark::DoNotOptimize(LadderText(*plc, comments, settings));
}
BENCHMARK(BM_LadderText_Largest)->Unit(benchmark::kMillisecond);

void BM_LoadFile_Largest(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    IOComments comments;
    BuildLargest(*plc, comments);
    const std::string path = TempPath("load.llg");
    if (!SaveLadder(*plc, comments, DiagramSettings{}, path).empty()) state.SkipWithError("save");
    for (auto _ : state) {
        const LoadResult result = LoadFile(*plc, comments, path);
        if (!result.completed || plc->diagram.RungCount() != kMaxRungs) state.SkipWithError("load");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadFile_Largest)->Unit(benchmark::kMillisecond);

// Twenty rungs of seal-in circuits, on-delay timers, counters and their done bits.
void BuildTwenty(Plc& plc) {
    plc.ClearDiagram();
    for (int r = 0; r < 20; ++r) {
        const std::string n = std::to_string(r / 4 + 1), a = std::to_string(r % 16);
        switch (r % 4) {
            case 0:
                SetRung(plc.diagram, r,
                        {"STA NOC:IP" + a + " BRA NCC:IP15" + std::string(" - - -") +
                             " - - - - - - - - - - - - OUT:OP" + a + " FIN",
                         "STA NOC:OP" + a + " RIG"});
                break;
            case 1:
            case 2: {
                const bool timer = r % 4 == 1;
                SetRung(plc.diagram, r, {Simple({"NOC:IP" + a}, (timer ? "ODT:T" : "CUP:C") + n)});
                plc.diagram.Rungs[r].setCell(kOutputColumn, 1, timer ? Control::TBT : Control::CBT,
                                             0, std::stoi(n));
                WireParallelOutputs(plc.diagram.Rungs[r], 1);
                break;
            }
            default:
                SetRung(plc.diagram, r,
                        {Simple({"NOC:T" + n + "/DN", "NCC:C" + n + "/UP"}, "OUT:OP" + a)});
        }
    }
    for (int k = 1; k <= 5; ++k) {
        plc.memory.Timers[k].Used = plc.memory.Timers[k].OnDelayStyle = true;
        plc.memory.Timers[k].Preset = 1500 * k;
        plc.memory.Counters[k].Used = true;
        plc.memory.Counters[k].Preset = 10;
    }
}

void BM_TorvexRun_Hour(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    IOComments comments;
    BuildTwenty(*plc);
    const std::string diagram = TempPath("twenty.llg"), scenario = TempPath("hour.scn"),
                      trace = TempPath("hour.csv");
    if (!SaveLadder(*plc, comments, DiagramSettings{}, diagram).empty())
        state.SkipWithError("save");
    {
        // Inputs change every second, with an expectation every minute.
        std::ofstream out(scenario);
        for (int s = 0; s < 3600; ++s) {
            out << "at " << s << " set IP" << s % 15 << "=" << (s / 15) % 2 << "\n";
            if (s % 60 == 59) out << "at " << s << ".5 expect IP15=0\n";
        }
        out << "end 3600\n";
    }
    std::vector<std::string> args = {diagram, scenario};
    if (state.range(0)) args.insert(args.end(), {"--trace", trace});
    for (auto _ : state) {
        std::ostringstream out, err;
        if (TorvexRunMain(args, out, err) != kRunPassed) state.SkipWithError(err.str().c_str());
    }
    std::remove(diagram.c_str());
    std::remove(scenario.c_str());
    std::remove(trace.c_str());
}
BENCHMARK(BM_TorvexRun_Hour)->Arg(0)->Arg(1)->ArgName("csv_trace")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvex

BENCHMARK_MAIN();

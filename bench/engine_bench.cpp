// Cost of one scan: a typical classroom diagram, and the largest diagram the tables hold,
// beside the floor of reading every cell of that diagram once.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/plc.h"
#include "tests/engine/reference_scan.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::SetRung;
using test::Simple;

// Twenty rungs of the kind students write: seal-in circuits, branches, timers, counters,
// a shift register and latches.
void BuildTypical(Plc& plc) {
    plc.ClearDiagram();
    SetRung(plc.diagram, 0, {Simple({"NOC:IP0", "NCC:IP1"}, "OUT:OP0"), "STA NOC:OP0 RET"});
    SetRung(plc.diagram, 1,
            {Simple({"NOC:OP0"}, "TIM:T1"), "STA . . . . . . . . . . . . . . . . . . TBT"});
    SetRung(plc.diagram, 2, {Simple({"NOC:T1/DN"}, "OUT:OP1")});
    SetRung(plc.diagram, 3,
            {Simple({"NOC:IP2"}, "CUP:C1"), "STA . . . . . . . . . . . . . . . . . . CBT"});
    SetRung(plc.diagram, 4, {Simple({"NOC:C1/UP"}, "OUT:OP2")});
    SetRung(plc.diagram, 5, {Simple({"NOC:IP3"}, "RES:C1")});
    SetRung(plc.diagram, 6,
            {Simple({"NOC:IP4"}, "BL1:IP5"), "STA . . . . . . . . . . . . . . . . . . BBT"});
    SetRung(plc.diagram, 7, {Simple({"NOC:R1/3"}, "OUT:OP3")});
    SetRung(plc.diagram, 8,
            {"STA NOC:IP6 BRA NOC:IP7 BRA - - - - - - - - - - - - - - OUT:OP4 FIN",
             ". . LEF NOC:IP8 RET"});
    SetRung(plc.diagram, 9, {Simple({"NOC:IP9"}, "LAT:F0")});
    SetRung(plc.diagram, 10, {Simple({"NOC:IP10"}, "UNL:F0")});
    SetRung(plc.diagram, 11, {Simple({"NOC:F0", "NOC:IP11", "NCC:IP12"}, "OUT:OP5")});
    SetRung(plc.diagram, 12,
            {Simple({"NOC:IP13"}, "ODT:T2"), "STA . . . . . . . . . . . . . . . . . . TBT"});
    SetRung(plc.diagram, 13, {Simple({"NOC:T2/DN"}, "OUT:OP6")});
    SetRung(plc.diagram, 14,
            {Simple({"NOC:IP14"}, "CDN:C2"), "STA . . . . . . . . . . . . . . . . . . CBT"});
    SetRung(plc.diagram, 15, {Simple({"NOC:C2/DN"}, "OUT:OP7")});
    SetRung(plc.diagram, 16,
            {"STA NOC:IP0 BRA - - - - - - - - - - - - - - - - OUT:OP8 BRA",
             "STA NOC:IP1 FIN . . . . . . . . . . . . . . . . OUT:OP9 FIN",
             "STA NOC:IP2 RET . . . . . . . . . . . . . . . . OUT:OP10 RET"});
    SetRung(plc.diagram, 17, {Simple({"NOC:OP8", "NOC:OP9"}, "OUT:F1")});
    SetRung(plc.diagram, 18, {Simple({"NCC:F1"}, "RES:T1")});
    SetRung(plc.diagram, 19, {Simple({"NOC:IP15"}, "OUT:OP11")});
    plc.memory.Timers[1].Preset = 2000;
    plc.memory.Timers[2].Preset = 500;
    plc.memory.Counters[1].Preset = 5;
    plc.memory.Counters[2].Preset = 5;
    plc.memory.Counters[2].InitialCount = 5;
}

// 1001 rungs, each with contacts in every condition column of all four rows, the rows
// joined in parallel before the output column, and four outputs.
void BuildLargest(Plc& plc) {
    plc.ClearDiagram();
    for (int r = 0; r < kMaxRungs; ++r) {
        SetRung(plc.diagram, r, test::FullRung(r));
    }
}

void SetInputs(Plc& plc, unsigned pattern) {
    for (int i = 0; i < kPoints; ++i) plc.memory.Inputs[i].Raw = (pattern >> i) & 1;
}

void BM_RunStep_Typical20(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    BuildTypical(*plc);
    plc->StartRun();
    unsigned pattern = 0x5A5A;
    for (auto _ : state) {
        SetInputs(*plc, pattern);
        pattern = pattern * 1103515245u + 12345u;
        plc->RunStep();
    }
    benchmark::DoNotOptimize(plc->memory.Outputs[0].State);
}
BENCHMARK(BM_RunStep_Typical20);

void BM_RunStep_Largest(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    BuildLargest(*plc);
    plc->StartRun();
    unsigned pattern = 0;
    for (auto _ : state) {
        // Mostly on, so that power flows deep into the rungs.
        SetInputs(*plc, ~(1u << (pattern++ % 16)));
        plc->RunStep();
    }
    benchmark::DoNotOptimize(plc->memory.Outputs[0].State);
}
BENCHMARK(BM_RunStep_Largest)->Unit(benchmark::kMicrosecond);

// The same scan, cell by cell, as the reference solver of the tests does it.
void BM_CellByCellRunStep_Largest(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    BuildLargest(*plc);
    plc->StartRun();
    unsigned pattern = 0;
    for (auto _ : state) {
        SetInputs(*plc, ~(1u << (pattern++ % 16)));
        test::ReferenceRunStep(*plc);
    }
    benchmark::DoNotOptimize(plc->memory.Outputs[0].State);
}
BENCHMARK(BM_CellByCellRunStep_Largest)->Unit(benchmark::kMicrosecond);

// The floor: Code, Kind and Index of every cell of the largest diagram read once.
void BM_ReadEveryCell_Largest(benchmark::State& state) {
    auto plc = std::make_unique<Plc>();
    BuildLargest(*plc);
    for (auto _ : state) {
        int32_t sum = 0;
        for (int r = 0; r < plc->diagram.RungCount(); ++r) {
            const RungRecord& rung = plc->diagram.Rungs[r];
            for (int c = 0; c < kColumns; ++c)
                for (int w = 0; w < kRows; ++w)
                    sum += rung.Code(c, w) + rung.Kind(c, w) + rung.Index(c, w);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadEveryCell_Largest)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvex

BENCHMARK_MAIN();

// The engine's solver against the cell-by-cell reference, on random diagrams: valid ones,
// and ones whose cells hold codes and operands that lie outside every table.

#include <gtest/gtest.h>

#include <random>

#include "tests/engine/engine_fixture.h"
#include "tests/engine/reference_scan.h"
#include "tests/support/memory_compare.h"

namespace torvex::test {
namespace {

class RandomDiagrams {
public:
    explicit RandomDiagrams(uint32_t seed) : rng_(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    // Kind and index that suit `code`, or now and then anything at all.
    void Operand(int32_t code, int32_t& kind, int32_t& index, int garbagePercent) {
        if (Chance(garbagePercent)) {
            kind = Between(-3, 12);
            index = Between(-5, 100);
            return;
        }
        kind = 0;
        switch (code) {
            case Control::NOC:
            case Control::NCC:
                kind = Between(0, 9);
                index = kind >= 7 ? Between(1, 8) : Between(0, 15);
                break;
            case Control::OUT:
            case Control::LAT:
            case Control::UNL:
                kind = Between(0, 5);
                index = Between(0, 15);
                break;
            case Control::RES:
                kind = Between(0, 5);
                index = kind <= 1 ? Between(1, 8) : Between(0, 15);
                break;
            case Control::TIM:
            case Control::ODT:
            case Control::CUP:
            case Control::CDN:
                index = Between(1, 8);
                break;
            default:
                if (IsShift(code)) {
                    kind = Between(0, 6);
                    index = kind == 6   ? Between(16, 79)
                            : kind >= 3 ? Between(1, 8)
                                        : Between(0, 15);
                } else {
                    index = 0;
                }
        }
    }

    void Fill(Plc& plc, int garbagePercent) {
        plc.ClearDiagram();
        const int rungs = Between(1, 25);
        plc.diagram.setRungCount(rungs);
        for (int r = 0; r < rungs; ++r) {
            RungRecord& rung = plc.diagram.Rungs[r];
            const int rows = Between(1, 4);  // rows below this stay empty, as they mostly are
            for (int c = 0; c < kColumns; ++c) {
                for (int w = 0; w < rows; ++w) {
                    if (IsLinkColumn(c)) {
                        int32_t code = Between(0, 9);
                        if (Chance(garbagePercent)) code = Between(-2, 20);
                        rung.setCell(c, w, code, 0, 0);
                    } else {
                        int32_t code = Chance(30) ? Control::LNK : Between(0, 22);
                        if (Chance(garbagePercent)) code = Between(-2, 40);
                        int32_t kind = 0, index = 0;
                        Operand(code, kind, index, garbagePercent);
                        rung.setCell(c, w, code, kind, index);
                    }
                }
            }
        }
        for (int k = 1; k <= kTimers; ++k) plc.memory.Timers[k].Preset = Between(0, 10) * 100;
        for (int k = 1; k <= kCounters; ++k) {
            plc.memory.Counters[k].Preset = Between(0, 5);
            plc.memory.Counters[k].InitialCount = Between(0, 7);
        }
    }

    std::mt19937 rng_;
};

void ExpectSame(Plc& engine, Plc& reference, const std::string& where) {
    ASSERT_EQ(FirstDifference(engine.memory, reference.memory), "") << where;
    for (int r = 0; r < engine.diagram.RungCount(); ++r) {
        ASSERT_EQ(PowerRows(engine.diagram.Rungs[r]), PowerRows(reference.diagram.Rungs[r]))
            << where << " rung " << r;
        ASSERT_EQ(LitRows(engine.diagram.Rungs[r]), LitRows(reference.diagram.Rungs[r]))
            << where << " rung " << r;
    }
}

void Compare(uint32_t seed, int garbagePercent, int diagrams, int scans) {
    RandomDiagrams random(seed);
    VirtualTickSource clockA(0x7FFFF000u), clockB(0x7FFFF000u);
    auto engine = std::make_unique<Plc>(clockA);
    auto reference = std::make_unique<Plc>(clockB);
    for (int d = 0; d < diagrams; ++d) {
        random.Fill(*engine, garbagePercent);
        reference->diagram = engine->diagram;
        reference->memory = engine->memory;
        engine->StartRun();
        reference->StartRun();
        for (int s = 0; s < scans; ++s) {
            for (int i = 0; i < kPoints; ++i) {
                if (random.Chance(20)) {
                    const bool on = random.Chance(50);
                    engine->memory.Inputs[i].Raw = reference->memory.Inputs[i].Raw = on;
                }
            }
            if (random.Chance(10)) {  // the view has drawn a rung and cleared its lit marks
                const int r = random.Between(0, engine->diagram.RungCount() - 1);
                for (auto* plc : {engine.get(), reference.get()})
                    for (auto& column : plc->diagram.Rungs[r].Lit)
                        for (bool& lit : column) lit = false;
            }
            engine->RunStep();
            ReferenceRunStep(*reference);
            ExpectSame(*engine, *reference,
                       "seed " + std::to_string(seed) + " diagram " + std::to_string(d) + " scan " +
                           std::to_string(s));
            if (testing::Test::HasFatalFailure()) return;
            const uint32_t step = random.Chance(5) ? random.Between(0, 3000) : 100;
            clockA.advance(step);
            clockB.advance(step);
        }
    }
}

TEST(SolverEquivalence, ValidDiagramsScanAsTheReferenceDoes) {
    Compare(20261209, 0, 300, 60);
}

TEST(SolverEquivalence, CellsOutsideEveryTableScanAsTheReferenceDoes) {
    Compare(4242, 15, 300, 40);
}

TEST(SolverEquivalence, SteppingRungByRungMatchesAWholeScan) {
    RandomDiagrams random(77);
    VirtualTickSource clock(5000);
    auto whole = std::make_unique<Plc>(clock);
    auto stepped = std::make_unique<Plc>(clock);
    for (int d = 0; d < 50; ++d) {
        random.Fill(*whole, 0);
        stepped->diagram = whole->diagram;
        stepped->memory = whole->memory;
        whole->StartRun();
        stepped->StartRun();
        for (int s = 0; s < 30; ++s) {
            for (int i = 0; i < kPoints; ++i)
                whole->memory.Inputs[i].Raw = stepped->memory.Inputs[i].Raw = random.Chance(40);
            whole->RunStep();
            stepped->PreStep();
            for (int r = 0; r < stepped->diagram.RungCount(); ++r) stepped->SingleStep(r);
            stepped->PostStep();
            ExpectSame(*whole, *stepped, "diagram " + std::to_string(d));
            clock.advance(100);
        }
    }
}

}  // namespace
}  // namespace torvex::test

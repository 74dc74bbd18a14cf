// The diagram tables, a new rung, clearing, and what starting and ending a run do.

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"
#include "tests/support/memory_compare.h"

namespace torvex::test {
namespace {

using Lifecycle = EngineTest;

TEST_F(Lifecycle, ANewRungIsAStraightWire) {
    ASSERT_TRUE(plc.diagram.NewRung(0));
    EXPECT_EQ(plc.diagram.RungCount(), 1);
    const RungRecord& rung = R(0);
    EXPECT_EQ(rung.Code(0, 0), Link::STA);
    for (int c = 1; c <= 19; c += 2) EXPECT_EQ(rung.Code(c, 0), Control::LNK) << c;
    for (int c = 2; c <= 18; c += 2) EXPECT_EQ(rung.Code(c, 0), Link::THR) << c;
    EXPECT_EQ(rung.Code(20, 0), Link::FIN);
    for (int c = 0; c < kColumns; ++c) {
        for (int w = 1; w < kRows; ++w) EXPECT_EQ(rung.Code(c, w), 0);
        for (int w = 0; w < kRows; ++w) {
            EXPECT_EQ(rung.Kind(c, w), 0);
            EXPECT_EQ(rung.Index(c, w), 0);
        }
    }
    EXPECT_EQ(rung.Comment(), "");
}

TEST_F(Lifecycle, TheRungTableRefusesARungPastItsEnd) {
    for (int r = 0; r < kMaxRungs; ++r) ASSERT_TRUE(plc.diagram.NewRung(r));
    EXPECT_EQ(plc.diagram.RungCount(), 1001);
    R(1000).setComment("last");
    EXPECT_FALSE(plc.diagram.NewRung(1000));
    EXPECT_FALSE(plc.diagram.NewRung(1001));
    EXPECT_EQ(plc.diagram.RungCount(), 1001);
    EXPECT_EQ(R(1000).Comment(), "last");
    plc.diagram.setRungCount(5000);
    EXPECT_EQ(plc.diagram.RungCount(), 1001);
    plc.diagram.setRungCount(-3);
    EXPECT_EQ(plc.diagram.RungCount(), 0);
    EXPECT_FALSE(plc.diagram.NewRung(-1));
}

TEST_F(Lifecycle, CellsOutsideTheGridReadZeroAndAreNotWritten) {
    RungRecord rung;
    rung.setCell(21, 0, Control::NOC, 1, 1);
    rung.setCode(-1, 0, Control::NOC);
    rung.setKind(0, 4, 3);
    rung.setIndex(3, -1, 3);
    EXPECT_EQ(rung.Code(21, 0), 0);
    EXPECT_EQ(rung.Code(-1, 0), 0);
    for (int c = 0; c < kColumns; ++c)
        for (int w = 0; w < kRows; ++w)
            EXPECT_EQ(rung.Code(c, w) | rung.Kind(c, w) | rung.Index(c, w), 0);
}

TEST_F(Lifecycle, ACommentKeepsItsFirst210Characters) {
    RungRecord rung;
    rung.setComment(std::string(300, 'x') + "tail");
    EXPECT_EQ(rung.Comment(), std::string(210, 'x'));
    rung.setComment(std::string(210, 'y'));
    EXPECT_EQ(rung.Comment().size(), 210u);
}

TEST_F(Lifecycle, TheDefaultWireScansWithoutEffect) {
    plc.diagram.NewRung(0);
    m.Timers[2].Preset = 700;
    m.Counters[3].Preset = 4;
    plc.StartRun();
    const MemoryImage before = m;
    Scan(20);
    EXPECT_EQ(FirstDifference(before, m, /*compareTick=*/false), "");
    EXPECT_EQ(PowerRows(R(0))[0], std::string(21, '1'));
}

TEST_F(Lifecycle, StartRunResetsTheRunStateAndKeepsTheSettings) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:IP0"}, "OUT:OP1")});
    Rung(2, {Simple({"NOC:IP0"}, "BL2:IP0")});
    m.Timers[1].Preset = 200;
    m.Timers[1].Used = true;
    m.Timers[1].OnDelayStyle = true;
    m.Counters[1].Preset = 3;
    m.Counters[1].InitialCount = 3;
    plc.StartRun();
    In(0, true);
    Scan(5);
    ASSERT_TRUE(m.Timers[1].DoneImage);
    ASSERT_TRUE(Out(1));
    plc.EndRun();
    m.Counters[1].Count = 1;
    plc.StartRun();
    EXPECT_EQ(m.Timers[1].Preset, 200);
    EXPECT_TRUE(m.Timers[1].Used);
    EXPECT_TRUE(m.Timers[1].OnDelayStyle);
    EXPECT_FALSE(m.Timers[1].DoneImage || m.Timers[1].Done || m.Timers[1].Running ||
                 m.Timers[1].Enabled);
    EXPECT_EQ(m.Timers[1].Elapsed, 0);
    EXPECT_FALSE(Out(1));
    EXPECT_FALSE(m.Inputs[0].Raw);
    EXPECT_EQ(Bits(2), 0u);
    EXPECT_FALSE(m.Registers[2].LeftEdge);
    EXPECT_EQ(m.Counters[1].Count, 3);
    EXPECT_TRUE(m.Counters[1].UpImage);
    for (int w = 0; w < kRows; ++w) EXPECT_TRUE(R(2).Power[0][w]);
    EXPECT_FALSE(R(1).Power[1][0]);
    EXPECT_FALSE(R(1).Lit[0][0]);
}

TEST_F(Lifecycle, EndRunClearsPowerAndLitAndKeepsTheMemory) {
    Rung(0, {Simple({"NOC:IP0"}, "LAT:OP1")});
    Rung(1, {"STA - BRA", "STA - RET"});
    plc.StartRun();
    In(0, true);
    Scan(2);
    plc.EndRun();
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(PowerRows(R(r)), std::vector<std::string>(4, std::string(21, '0')));
        EXPECT_EQ(LitRows(R(r)), std::vector<std::string>(4, std::string(21, '0')));
    }
    EXPECT_TRUE(Out(1));
    EXPECT_TRUE(m.Inputs[0].Image);
}

TEST_F(Lifecycle, ClearingTheDiagramLeavesOneNewRungAndKeepsPresets) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    Rung(3, {Simple({"NOC:IP0"}, "OUT:OP0")});
    R(3).setComment("rung three");
    // A record past the rungs in use, as a file may leave one.
    R(700).setCell(4, 2, Link::CRO, 0, 0);
    R(700).setComment("stale");
    m.Timers[5].Used = true;
    m.Timers[5].Preset = 1500;
    m.Timers[5].OnDelayStyle = true;
    m.Counters[6].Used = true;
    m.Counters[6].Preset = 9;
    m.Counters[6].InitialCount = 2;
    plc.ClearDiagram();
    EXPECT_EQ(plc.diagram.RungCount(), 1);
    EXPECT_EQ(R(0).Code(1, 0), Control::LNK);
    EXPECT_EQ(R(3).Code(1, 0), 0);
    EXPECT_EQ(R(3).Comment(), "");
    EXPECT_EQ(R(700).Code(4, 2), 0);
    EXPECT_EQ(R(700).Comment(), "");
    EXPECT_FALSE(m.Timers[5].Used);
    EXPECT_FALSE(m.Counters[6].Used);
    EXPECT_EQ(m.Timers[5].Preset, 1500);
    EXPECT_TRUE(m.Timers[5].OnDelayStyle);
    EXPECT_EQ(m.Counters[6].Preset, 9);
    EXPECT_EQ(m.Counters[6].InitialCount, 2);
}

TEST_F(Lifecycle, ANewPlcStartsEmpty) {
    for (const TimerRecord& t : m.Timers) EXPECT_EQ(t.Preset, 0);
    for (const CounterRecord& c : m.Counters) {
        EXPECT_EQ(c.Preset, 0);
        EXPECT_EQ(c.Count, 0);
    }
    EXPECT_EQ(plc.diagram.RungCount(), 0);
}

}  // namespace
}  // namespace torvex::test

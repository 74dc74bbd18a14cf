// Latched on-delay (TIM) and on-delay (ODT) timers, their reset, and the tick's wrap.

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace torvex::test {
namespace {

using Timers = EngineTest;

TEST_F(Timers, ALatchedTimerRunsToTheEndFromASinglePoweredScan) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:T1/DN"}, "OUT:OP0")});
    m.Timers[1].Preset = 2000;
    plc.StartRun();
    In(0, true);
    Scan();  // t = 0: starts
    In(0, false);
    for (int k = 1; k < 20; ++k) {
        if (k == 10) {
            EXPECT_EQ(m.Timers[1].Elapsed, 900);
        }
        Scan();
        EXPECT_FALSE(m.Timers[1].DoneImage) << "scan " << k;
    }
    EXPECT_EQ(m.Timers[1].Elapsed, 1900);
    Scan();  // t = 2000 (done counts from 1950)
    EXPECT_TRUE(m.Timers[1].DoneImage);
    EXPECT_EQ(m.Timers[1].Elapsed, 2000);
    EXPECT_FALSE(Out(0));  // the contact sees it one scan later
    Scan(50);
    EXPECT_TRUE(m.Timers[1].DoneImage);
    EXPECT_TRUE(Out(0));
}

TEST_F(Timers, TheToleranceMakesATimerDoneFiftyMillisecondsEarly) {
    // Scans 10 ms apart: done from the first scan at or after preset - 50 ms.
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    m.Timers[1].Preset = 1000;
    plc.StartRun();
    In(0, true);
    const uint32_t start = clock.now();
    for (int t = 0; t <= 1000; t += 10) {
        clock.set(start + t);
        plc.RunStep();
        EXPECT_EQ(m.Timers[1].DoneImage, t >= 950) << t;
    }
}

TEST_F(Timers, AHeldResetActsAtTheEndOfItsSecondScan) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:IP1"}, "RES:T1")});
    m.Timers[1].Preset = 500;
    plc.StartRun();
    In(0, true);
    Scan();
    In(0, false);
    Scan(10);
    ASSERT_TRUE(m.Timers[1].DoneImage);
    In(1, true);
    Scan();
    EXPECT_TRUE(m.Timers[1].DoneImage) << "one reset scan only arms the reset";
    Scan();
    EXPECT_FALSE(m.Timers[1].DoneImage);
    EXPECT_FALSE(m.Timers[1].Running);
    EXPECT_FALSE(m.Timers[1].Enabled);
    EXPECT_EQ(m.Timers[1].Elapsed, 0);
    In(1, false);
    Scan(20);
    EXPECT_FALSE(m.Timers[1].DoneImage) << "unpowered since the reset, it stays off";
}

TEST_F(Timers, ResetScansNeedNotBeConsecutive) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:IP1"}, "RES:T1")});
    m.Timers[1].Preset = 100;
    plc.StartRun();
    In(0, true);
    Scan(3);
    In(0, false);
    ASSERT_TRUE(m.Timers[1].DoneImage);
    In(1, true);
    Scan();  // arms
    In(1, false);
    Scan(5);  // nothing disarms it
    EXPECT_TRUE(m.Timers[1].DoneImage);
    In(1, true);
    Scan();  // the next powered reset acts at once
    EXPECT_FALSE(m.Timers[1].DoneImage);
}

TEST_F(Timers, ATimerStillPoweredRestartsAfterItsReset) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:IP1"}, "RES:T1")});
    m.Timers[1].Preset = 300;
    plc.StartRun();
    In(0, true);
    Scan(4);
    ASSERT_TRUE(m.Timers[1].DoneImage);
    In(1, true);
    Scan(2);
    In(1, false);
    EXPECT_FALSE(m.Timers[1].DoneImage);
    Scan();  // restarts here
    EXPECT_TRUE(m.Timers[1].Running);
    EXPECT_FALSE(m.Timers[1].DoneImage);
    Scan(3);
    EXPECT_TRUE(m.Timers[1].DoneImage);
}

TEST_F(Timers, AnOnDelayTimerFollowsItsPower) {
    Rung(0, {Simple({"NOC:IP0"}, "ODT:T2")});
    m.Timers[2].Preset = 1000;
    plc.StartRun();
    // Powered for 500 ms only: never done, and the elapsed time falls back to 0.
    In(0, true);
    Scan(5);
    EXPECT_EQ(m.Timers[2].Elapsed, 400);
    In(0, false);
    Scan();
    EXPECT_FALSE(m.Timers[2].Running);
    EXPECT_EQ(m.Timers[2].Elapsed, 0);
    Scan(20);
    EXPECT_FALSE(m.Timers[2].DoneImage);
    // Held: done from 950 ms after the first powered scan, off in the scan the power drops.
    In(0, true);
    Scan(10);
    EXPECT_FALSE(m.Timers[2].DoneImage);
    Scan();
    EXPECT_TRUE(m.Timers[2].DoneImage);
    Scan(10);
    EXPECT_TRUE(m.Timers[2].DoneImage);
    In(0, false);
    Scan();
    EXPECT_FALSE(m.Timers[2].DoneImage);
    EXPECT_EQ(m.Timers[2].Elapsed, 0);
}

TEST_F(Timers, APresetOfZeroIsDoneInTheScanThatStartsIt) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T4")});
    Rung(1, {Simple({"NOC:IP0"}, "ODT:T5")});
    plc.StartRun();
    In(0, true);
    Scan();
    EXPECT_TRUE(m.Timers[4].DoneImage);
    EXPECT_TRUE(m.Timers[5].DoneImage);
}

TEST_F(Timers, TwoControlsOfOneNumberShareTheTimer) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T3")});
    Rung(1, {Simple({"NOC:IP1"}, "TIM:T3")});
    m.Timers[3].Preset = 200;
    plc.StartRun();
    In(1, true);
    Scan();
    In(1, false);
    Scan(2);
    EXPECT_TRUE(m.Timers[3].DoneImage);
}

TEST_F(Timers, TimePassingBetweenScansCounts) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    m.Timers[1].Preset = 5000;
    plc.StartRun();
    In(0, true);
    Scan();
    In(0, false);
    clock.advance(10'000);  // a pause of ten seconds
    Scan();
    EXPECT_TRUE(m.Timers[1].DoneImage);
}

// A timer whose end lies across the sign change (2^31) or the wrap (2^32) of the tick
// times exactly as anywhere else.
TEST_F(Timers, TimingIsTheSameAcrossTheSignChangeAndTheWrapOfTheTick) {
    const uint32_t starts[] = {0x7FFFFFFFu - 1000u,
                               0x7FFFFFFFu - 1950u,
                               0x80000000u - 2000u,
                               0xFFFFFFFFu - 1000u,
                               0xFFFFFFFFu - 1949u,
                               0x80000000u,
                               0u};
    for (uint32_t start : starts) {
        for (int code : {Control::TIM, Control::ODT}) {
            plc.ClearDiagram();
            Rung(0, {Simple({"NOC:IP0"}, code == Control::TIM ? "TIM:T1" : "ODT:T1")});
            m.Timers[1].Preset = 2000;
            clock.set(start);
            plc.StartRun();
            In(0, true);
            for (int k = 0; k < 20; ++k) {
                Scan();
                ASSERT_FALSE(m.Timers[1].DoneImage)
                    << std::hex << start << " scan " << std::dec << k;
                ASSERT_EQ(m.Timers[1].Elapsed, 100 * k) << std::hex << start;
            }
            Scan();
            EXPECT_TRUE(m.Timers[1].DoneImage) << std::hex << start;
            EXPECT_EQ(m.Timers[1].Elapsed, 2000);
        }
    }
}

}  // namespace
}  // namespace torvex::test

// Up and down counters: edges, limits, done bits and reset.

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace torvex::test {
namespace {

class Counters : public EngineTest {
protected:
    // One scan with the input on, one with it off.
    void Pulse(int input) {
        In(input, true);
        Scan();
        In(input, false);
        Scan();
    }
    CounterRecord& C(int n) { return m.Counters[n]; }
};

TEST_F(Counters, CountsUpToThePresetAndStops) {
    Rung(0, {Simple({"NOC:IP0"}, "CUP:C1")});
    Rung(1, {Simple({"NOC:C1/UP"}, "OUT:OP0")});
    C(1).Preset = 3;
    plc.StartRun();
    const int expected[] = {1, 2, 3, 3, 3};
    for (int pulse = 0; pulse < 5; ++pulse) {
        In(0, true);
        Scan();
        EXPECT_EQ(C(1).Count, expected[pulse]);
        EXPECT_EQ(C(1).UpImage, pulse >= 2);
        EXPECT_EQ(Out(0), pulse >= 3) << "the contact sees the bit a scan later";
        In(0, false);
        Scan();
        EXPECT_TRUE(Out(0) == (pulse >= 2));
    }
}

TEST_F(Counters, HeldInputCountsOnce) {
    Rung(0, {Simple({"NOC:IP0"}, "CUP:C2")});
    C(2).Preset = 100;
    plc.StartRun();
    In(0, true);
    Scan(30);
    EXPECT_EQ(C(2).Count, 1);
}

TEST_F(Counters, CountsDownToZeroAndStops) {
    Rung(0, {Simple({"NOC:IP0"}, "CDN:C1")});
    C(1).Preset = 5;
    C(1).InitialCount = 2;
    plc.StartRun();
    EXPECT_FALSE(C(1).DownImage);
    Pulse(0);
    EXPECT_EQ(C(1).Count, 1);
    Pulse(0);
    EXPECT_EQ(C(1).Count, 0);
    EXPECT_TRUE(C(1).DownImage);
    Pulse(0);
    EXPECT_EQ(C(1).Count, 0);
}

TEST_F(Counters, TheRunStartLoadsTheAccumulatorAndTheDoneBits) {
    C(1).Preset = 4;
    C(1).InitialCount = 4;
    C(2).Preset = 4;
    C(2).InitialCount = 0;
    C(3).Preset = 4;
    C(3).InitialCount = 2;
    C(3).Count = 99;
    plc.StartRun();
    EXPECT_TRUE(C(1).UpImage);
    EXPECT_FALSE(C(1).DownImage);
    EXPECT_FALSE(C(2).UpImage);
    EXPECT_TRUE(C(2).DownImage);
    EXPECT_EQ(C(3).Count, 2);
    EXPECT_FALSE(C(3).UpImage || C(3).DownImage);
}

TEST_F(Counters, ACountAboveThePresetNeverCountsUpButCountsDownToIt) {
    Rung(0, {Simple({"NOC:IP0"}, "CUP:C1")});
    Rung(1, {Simple({"NOC:IP1"}, "CDN:C1")});
    C(1).Preset = 3;
    C(1).InitialCount = 5;
    plc.StartRun();
    EXPECT_FALSE(C(1).UpImage) << "the bit means equal to the preset";
    Pulse(0);
    EXPECT_EQ(C(1).Count, 5);
    EXPECT_FALSE(C(1).UpImage);
    Pulse(1);
    EXPECT_EQ(C(1).Count, 4);
    EXPECT_FALSE(C(1).UpImage);
    Pulse(1);
    EXPECT_EQ(C(1).Count, 3);
    EXPECT_TRUE(C(1).UpImage);
}

TEST_F(Counters, AResetWhileTheInputIsHeldWaitsForTheNextRisingEdge) {
    Rung(0, {Simple({"NOC:IP0"}, "CUP:C1")});
    Rung(1, {Simple({"NOC:IP1"}, "RES:C1")});
    C(1).Preset = 10;
    plc.StartRun();
    Pulse(0);
    Pulse(0);
    ASSERT_EQ(C(1).Count, 2);
    In(0, true);
    Scan();
    ASSERT_EQ(C(1).Count, 3);
    In(1, true);
    Scan();
    EXPECT_EQ(C(1).Count, 0);
    EXPECT_TRUE(C(1).DownImage);
    EXPECT_FALSE(C(1).UpImage);
    In(1, false);
    Scan(5);
    EXPECT_EQ(C(1).Count, 0) << "the input held through the reset is not counted";
    In(0, false);
    Scan();
    In(0, true);
    Scan();
    EXPECT_EQ(C(1).Count, 1);
}

TEST_F(Counters, AResetSetsTheUpBitWhenThePresetIsZero) {
    Rung(0, {Simple({"NOC:IP1"}, "RES:C4")});
    C(4).Preset = 0;
    C(4).InitialCount = 3;
    plc.StartRun();
    EXPECT_FALSE(C(4).UpImage);
    In(1, true);
    Scan();
    EXPECT_EQ(C(4).Count, 0);
    EXPECT_TRUE(C(4).UpImage);
    EXPECT_TRUE(C(4).DownImage);
}

TEST_F(Counters, TheFirstPoweredControlInScanOrderGivesTheDirection) {
    Rung(0, {Simple({"NOC:IP0"}, "CDN:C1")});
    Rung(1, {Simple({"NOC:IP1"}, "CUP:C1")});
    C(1).Preset = 10;
    C(1).InitialCount = 5;
    plc.StartRun();
    In(0, true);
    In(1, true);
    Scan();
    EXPECT_EQ(C(1).Count, 4);
    In(0, false);
    Scan(3);
    EXPECT_EQ(C(1).Count, 4) << "the OR of both inputs never fell";
    In(1, false);
    Scan();
    In(1, true);
    Scan();
    EXPECT_EQ(C(1).Count, 5);
}

}  // namespace
}  // namespace torvex::test

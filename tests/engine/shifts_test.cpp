// Bit-shift registers: edges, sources, rotation, and the order against coils.

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace torvex::test {
namespace {

class Shifts : public EngineTest {
protected:
    void Pulse(int input) {
        In(input, true);
        Scan();
        In(input, false);
        Scan();
    }
};

TEST_F(Shifts, ShiftingLeftInsertsAtBitZero) {
    Rung(0, {Simple({"NOC:IP1"}, "BL1:IP0")});
    plc.StartRun();
    In(0, true);
    for (int i = 0; i < 3; ++i) Pulse(1);
    EXPECT_EQ(Bits(1), 0b111u);
    In(0, false);
    Pulse(1);
    EXPECT_EQ(Bits(1), 0b1110u);
}

TEST_F(Shifts, ShiftingRightInsertsAtBitFifteenAndLosesBitZero) {
    Rung(0, {Simple({"NOC:IP1"}, "BR3:IP0")});
    plc.StartRun();
    In(0, true);
    Pulse(1);
    Pulse(1);
    EXPECT_EQ(Bits(3), 0xC000u);
    In(0, false);
    for (int i = 0; i < 15; ++i) Pulse(1);
    EXPECT_EQ(Bits(3), 0x0001u);
    Pulse(1);
    EXPECT_EQ(Bits(3), 0u);
}

TEST_F(Shifts, AHeldShiftPowerShiftsOnce) {
    Rung(0, {Simple({"NOC:IP1"}, "BR1:IP0")});
    Rung(1, {Simple({"NOC:IP2"}, "BR1:IP0")});
    plc.StartRun();
    In(0, true);
    In(1, true);
    Scan(10);
    In(2, true);  // a second control of that direction, while the OR is still on
    Scan(10);
    EXPECT_EQ(Bits(1), 0x8000u);
}

TEST_F(Shifts, EverySourceKind) {
    // R2 shifts in, on each pulse of IP15, the source named by the rung's box.
    const struct {
        const char* source;
        const char* setup;  // a rung that makes the source true
    } cases[] = {
        {"IP3", nullptr},
        {"OP4", "STA - - - - - - - - - - - - - - - - - - OUT:OP4 FIN"},
        {"F5", "STA - - - - - - - - - - - - - - - - - - OUT:F5 FIN"},
        {"T2/DN", "STA - - - - - - - - - - - - - - - - - - TIM:T2 FIN"},
        {"C3/UP", "STA - - - - - - - - - - - - - - - - - - CUP:C3 FIN"},
        {"C3/DN", nullptr},
        {"R4/9", "STA - - - - - - - - - - - - - - - - - - LAT:R4/9 FIN"},
    };
    for (const auto& c : cases) {
        plc.ClearDiagram();
        if (c.setup) Rung(0, {c.setup});
        Rung(1, {Simple({"NOC:IP15"}, std::string("BL2:") + c.source)});
        m.Counters[3].Preset = 1;
        plc.StartRun();
        In(3, true);
        Scan(3);
        Pulse(15);
        EXPECT_EQ(Bits(2), 1u) << c.source;
    }
}

TEST_F(Shifts, AnInvalidSourceShiftsButLeavesBitZero) {
    Rung(0, {Simple({"NOC:IP1"}, "BL1:7,0")});
    plc.StartRun();
    m.Registers[1].Bits[0] = true;
    Pulse(1);
    EXPECT_EQ(Bits(1), 0b11u);
}

TEST_F(Shifts, ARegisterRotatesItsOwnBitFromBeforeTheShift) {
    Rung(0, {Simple({"NOC:IP0"}, "LAT:R1/15")});
    Rung(1, {Simple({"NOC:IP1"}, "BL1:R1/15")});
    plc.StartRun();
    In(0, true);
    Scan();
    In(0, false);
    // The latch keeps setting the bit only while it is powered; from now on R1 rotates.
    Pulse(1);
    EXPECT_EQ(Bits(1), 0x0001u) << "bit 15 went out and came back in as bit 0";
    Pulse(1);
    EXPECT_EQ(Bits(1), 0x0002u);
}

TEST_F(Shifts, LeftAndRightShiftsOfOneRegisterBothHappenInScanOrder) {
    Rung(0, {Simple({"NOC:IP0"}, "BL1:IP2")});
    Rung(1, {Simple({"NOC:IP0"}, "BR1:IP3")});
    plc.StartRun();
    m.Registers[1].Bits[4] = true;
    In(2, true);
    In(3, false);
    Pulse(0);
    // Left: 0x0010 -> 0x0021 (bit 0 from IP2), then right: -> 0x0010 (bit 15 from IP3).
    EXPECT_EQ(Bits(1), 0x0010u);
    In(3, true);
    Pulse(0);
    EXPECT_EQ(Bits(1), 0x8010u);
}

TEST_F(Shifts, ACoilBeforeTheShiftIsShiftedAndOneAfterIsNot) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:R1/3")});
    Rung(1, {Simple({"NOC:IP1"}, "BL1:IP9")});
    Rung(2, {Simple({"NOC:IP0"}, "OUT:R1/7")});
    plc.StartRun();
    In(0, true);
    In(1, true);
    Scan();
    EXPECT_EQ(Bits(1), (1u << 4) | (1u << 7));
}

TEST_F(Shifts, AResetBitIsClearedAfterTheShiftWhateverTheOrder) {
    Rung(0, {Simple({"NOC:IP0"}, "RES:R1/1")});
    Rung(1, {Simple({"NOC:IP1"}, "BL1:IP2")});
    plc.StartRun();
    m.Registers[1].Bits[0] = true;
    In(0, true);
    In(1, true);
    Scan();
    EXPECT_EQ(Bits(1), 0u) << "bit 0 moved into bit 1, which the reset clears";
}

}  // namespace
}  // namespace torvex::test

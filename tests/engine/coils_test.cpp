// Output, latch, unlatch and reset coils on outputs, flags and register bits.

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace torvex::test {
namespace {

using Coils = EngineTest;

TEST_F(Coils, ACoilIsSeenByContactsOneScanLaterWhateverTheRungOrder) {
    Rung(2, {Simple({"NOC:OP3"}, "OUT:F2")});
    Rung(5, {Simple({"NOC:IP0"}, "OUT:OP3")});
    Rung(7, {Simple({"NOC:OP3"}, "OUT:F7")});
    plc.StartRun();
    In(0, true);
    Scan();
    EXPECT_TRUE(Out(3));
    EXPECT_FALSE(Flag(2));
    EXPECT_FALSE(Flag(7));
    Scan();
    EXPECT_TRUE(Flag(2));
    EXPECT_TRUE(Flag(7));
    In(0, false);
    Scan();
    EXPECT_FALSE(Out(3));
    EXPECT_TRUE(Flag(7));
    Scan();
    EXPECT_FALSE(Flag(2));
    EXPECT_FALSE(Flag(7));
}

TEST_F(Coils, CoilsOfOnePointAreOred) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP3")});
    Rung(1, {Simple({"NOC:IP1"}, "OUT:OP3")});
    plc.StartRun();
    for (int inputs = 0; inputs < 4; ++inputs) {
        In(0, inputs & 1);
        In(1, inputs & 2);
        Scan();
        EXPECT_EQ(Out(3), inputs != 0) << inputs;
    }
}

TEST_F(Coils, CoilsInARowAllReceiveThePower) {
    Rung(0, {"STA NOC:IP0 - - - - - - - - - - - - - - - OUT:OP0 - OUT:OP1 FIN"});
    plc.StartRun();
    In(0, true);
    Scan();
    EXPECT_TRUE(Out(0));
    EXPECT_TRUE(Out(1));
    EXPECT_TRUE(R(0).Power[20][0]);
}

TEST_F(Coils, APoweredUnlatchWinsOverOutInEitherOrder) {
    for (bool unlatchFirst : {true, false}) {
        plc.ClearDiagram();
        const std::string unl = Simple({"NOC:IP1"}, "UNL:OP3");
        const std::string out = Simple({"NOC:IP0"}, "OUT:OP3");
        Rung(0, {unlatchFirst ? unl : out});
        Rung(1, {unlatchFirst ? out : unl});
        plc.StartRun();
        In(0, true);
        Scan();
        EXPECT_TRUE(Out(3)) << unlatchFirst;
        In(1, true);
        Scan();
        EXPECT_FALSE(Out(3)) << unlatchFirst;
        In(1, false);
        Scan();
        EXPECT_TRUE(Out(3)) << unlatchFirst;
    }
}

TEST_F(Coils, ALatchAfterAPoweredUnlatchLatchesAgainButIsOffForThatScan) {
    for (bool unlatchFirst : {true, false}) {
        plc.ClearDiagram();
        const std::string unl = Simple({"NOC:IP1"}, "UNL:OP3");
        const std::string lat = Simple({"NOC:IP0"}, "LAT:OP3");
        Rung(0, {unlatchFirst ? unl : lat});
        Rung(1, {unlatchFirst ? lat : unl});
        plc.StartRun();
        In(0, true);
        In(1, true);
        Scan();
        EXPECT_FALSE(Out(3)) << unlatchFirst;
        EXPECT_EQ(m.Outputs[3].Latched, unlatchFirst);
        In(0, false);
        In(1, false);
        Scan();
        EXPECT_EQ(Out(3), unlatchFirst);
    }
}

TEST_F(Coils, TheLastUnlatchEvaluatedDecides) {
    // Two UNL of F5: the later one, unpowered, writes ResetReq false after the powered one.
    Rung(0, {Simple({"NOC:IP0"}, "LAT:F5")});
    Rung(1, {Simple({"NOC:IP1"}, "UNL:F5")});
    Rung(2, {Simple({"NOC:IP2"}, "UNL:F5")});
    plc.StartRun();
    In(0, true);
    Scan();
    In(0, false);
    In(1, true);
    Scan();
    // Rung 1 clears the latch, but rung 2 runs last and leaves no reset request, so the
    // latch that was set when the scan began still shows for this one scan.
    EXPECT_FALSE(m.Flags[5].Latched);
    EXPECT_TRUE(Flag(5));
    Scan();
    EXPECT_FALSE(Flag(5));
    In(0, true);
    Scan();
    EXPECT_TRUE(Flag(5));  // LAT in rung 0 and powered UNL in rung 1, but rung 2 decides
    In(2, true);
    In(1, false);
    Scan();
    EXPECT_FALSE(Flag(5));
}

TEST_F(Coils, ALatchHoldsUntilAPoweredUnlatch) {
    Rung(0, {Simple({"NOC:IP0"}, "LAT:OP2")});
    Rung(1, {Simple({"NOC:IP1"}, "UNL:OP2")});
    plc.StartRun();
    In(0, true);
    Scan();
    In(0, false);
    for (int i = 0; i < 5; ++i) {
        Scan();
        EXPECT_TRUE(Out(2));
    }
    In(1, true);
    Scan();
    EXPECT_FALSE(Out(2));
    In(1, false);
    Scan();
    EXPECT_FALSE(Out(2));
}

TEST_F(Coils, RegisterBitsAreSetByOutAndLatchAndClearedOnlyByResetOrUnlatch) {
    for (int reg = 1; reg <= 4; ++reg) {
        const std::string bit = "R" + std::to_string(reg) + "/5";
        plc.ClearDiagram();
        Rung(0, {Simple({"NOC:IP0"}, "OUT:" + bit)});
        Rung(1, {Simple({"NOC:IP1"}, "LAT:R" + std::to_string(reg) + "/6")});
        Rung(2, {Simple({"NOC:IP2"}, "RES:" + bit)});  // never powered
        Rung(3, {Simple({"NOC:IP3"}, "UNL:R" + std::to_string(reg) + "/6")});
        plc.StartRun();
        In(0, true);
        In(1, true);
        Scan();
        EXPECT_TRUE(Bit(reg, 5)) << reg;
        EXPECT_TRUE(Bit(reg, 6)) << reg;
        In(0, false);
        In(1, false);
        Scan(3);
        EXPECT_TRUE(Bit(reg, 5)) << "an unpowered OUT leaves the bit, R" << reg;
        EXPECT_TRUE(Bit(reg, 6)) << reg;
        In(2, true);
        In(3, true);
        Scan();
        EXPECT_FALSE(Bit(reg, 5)) << reg;
        EXPECT_FALSE(Bit(reg, 6)) << reg;
        EXPECT_EQ(Bits(reg), 0u) << reg;
    }
}

TEST_F(Coils, AResetBitClearsAtPublicationWhateverTheOrder) {
    // The powered RES comes first, then an OUT sets the bit again in the same scan: the
    // reset request still clears it at the end of the scan.
    Rung(0, {Simple({"NOC:IP0"}, "RES:R2/3")});
    Rung(1, {Simple({"NOC:IP1"}, "OUT:R2/3")});
    plc.StartRun();
    In(0, true);
    In(1, true);
    Scan();
    EXPECT_FALSE(Bit(2, 3));
    In(0, false);
    Scan();
    EXPECT_TRUE(Bit(2, 3));
}

}  // namespace
}  // namespace torvex::test

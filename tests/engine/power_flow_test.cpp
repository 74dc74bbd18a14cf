// Power through contacts, links and branches, and what the scan shows lit.

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace torvex::test {
namespace {

using PowerFlow = EngineTest;

TEST_F(PowerFlow, RailPowersEveryRowEvenWithNothingAbove) {
    Rung(0, {".", "STA NOC:IP0 THR NOC:IP1 THR"});
    plc.StartRun();
    In(0, true);
    Scan();
    EXPECT_EQ(PowerRows(R(0)),
              (std::vector<std::string>{"100000000000000000000", "111000000000000000000",
                                        "100000000000000000000", "100000000000000000000"}));
    In(1, true);
    Scan();
    EXPECT_EQ(PowerRows(R(0))[1], "111110000000000000000");
}

TEST_F(PowerFlow, ContactsInSeriesAndParallel) {
    // OP0 = IP0 or IP1 (power rises from row 1 in the up pass);
    // OP1 = (IP2 and IP3) or IP4;  OP2 = IP5 and (IP6 or IP7), a branch inside the rung.
    Rung(0, {"STA NOC:IP0 BRA - - - - - - - - - - - - - - - - OUT:OP0 FIN", "STA NOC:IP1 RET"});
    Rung(1, {"STA NOC:IP2 - NOC:IP3 BRA - - - - - - - - - - - - - - OUT:OP1 FIN",
             "STA NOC:IP4 - - RET"});
    Rung(2, {"STA NOC:IP5 BRA NOC:IP6 BRA - - - - - - - - - - - - - - OUT:OP2 FIN",
             ". . LEF NOC:IP7 RET"});
    plc.StartRun();
    for (unsigned inputs = 0; inputs < 256; ++inputs) {
        for (int i = 0; i < 8; ++i) In(i, (inputs >> i) & 1);
        Scan();
        auto ip = [&](int i) { return ((inputs >> i) & 1) != 0; };
        EXPECT_EQ(Out(0), ip(0) || ip(1)) << inputs;
        EXPECT_EQ(Out(1), (ip(2) && ip(3)) || ip(4)) << inputs;
        EXPECT_EQ(Out(2), ip(5) && (ip(6) || ip(7))) << inputs;
    }
}

TEST_F(PowerFlow, ThreeAndFourParallelRows) {
    Rung(0, {"STA NOC:IP0 BRA - - - - - - - - - - - - - - - - OUT:OP0 FIN", "STA NOC:IP1 FIN",
             "STA NOC:IP2 RET"});
    Rung(1, {"STA NOC:IP0 BRA - - - - - - - - - - - - - - - - OUT:OP1 FIN", "STA NCC:IP1 CRO",
             "STA NOC:IP2 FIN", "STA NOC:IP3 RET"});
    plc.StartRun();
    for (unsigned inputs = 0; inputs < 16; ++inputs) {
        for (int i = 0; i < 4; ++i) In(i, (inputs >> i) & 1);
        Scan();
        auto ip = [&](int i) { return ((inputs >> i) & 1) != 0; };
        EXPECT_EQ(Out(0), ip(0) || ip(1) || ip(2)) << inputs;
        EXPECT_EQ(Out(1), ip(0) || !ip(1) || ip(2) || ip(3)) << inputs;
    }
}

// Each link code: does it take power from the cell on its left?
TEST_F(PowerFlow, EachLinkCodeTakesPowerFromTheLeftOrNot) {
    const struct {
        const char* link;
        bool takesLeft;
    } cases[] = {{"NON", false}, {"STA", false}, {"FIN", true},  {"THR", true}, {"BRA", true},
                 {"CRO", true},  {"RET", true},  {"LEF", false}, {"RIG", true}, {"DWN", false}};
    for (const auto& c : cases) {
        Rung(0, {std::string("STA NOC:IP0 ") + c.link +
                 " - - - - - - - - - - - - - - - - OUT:OP0 FIN"});
        plc.StartRun();
        In(0, true);
        Scan();
        EXPECT_EQ(Out(0), c.takesLeft) << c.link;
        EXPECT_EQ(R(0).Power[2][0], c.takesLeft) << c.link;
    }
}

// Every pair of link codes stacked in rows 0 and 1 of column 2: power from the left in one
// row reaches the other only through the join the receiving direction reads.
TEST_F(PowerFlow, VerticalJoinsAreDirectionalPerPair) {
    const char* names[] = {"NON", "STA", "FIN", "THR", "BRA", "CRO", "RET", "LEF", "RIG", "DWN"};
    //                       NON    STA   FIN   THR    BRA   CRO   RET    LEF    RIG    DWN
    const bool left[] = {false, false, true, true, true, true, true, false, true, false};
    const bool above[] = {false, true, true, false, false, true, true, true, true, true};
    const bool below[] = {false, true, true, false, true, true, false, false, false, true};
    for (int upper = 0; upper < 10; ++upper) {
        for (int lower = 0; lower < 10; ++lower) {
            // Power enters row 0 only.
            Rung(0, {std::string("STA - ") + names[upper], std::string("STA . ") + names[lower]});
            plc.StartRun();
            Scan();
            EXPECT_EQ(R(0).Power[2][1], left[upper] && above[lower])
                << names[upper] << " over " << names[lower] << ", power from row 0";
            // Power enters row 1 only.
            Rung(0, {std::string("STA . ") + names[upper], std::string("STA - ") + names[lower]});
            plc.StartRun();
            Scan();
            EXPECT_EQ(R(0).Power[2][0], left[lower] && below[upper])
                << names[upper] << " over " << names[lower] << ", power from row 1";
        }
    }
}

TEST_F(PowerFlow, PowerTravelsThroughRunsOfJoinedCells) {
    // Entering at row 3, power rises through cells joined below (DWN, STA) to row 0;
    // entering at row 0 it falls through cells joined above, but not into BRA, which is
    // joined below only, nor past it.
    Rung(0, {"STA . STA", "STA . DWN", "STA . STA", "STA - THR"});
    Rung(1, {"STA - THR", "STA . LEF", "STA . BRA", "STA . LEF"});
    plc.StartRun();
    Scan();
    EXPECT_EQ(PowerRows(R(0)),
              (std::vector<std::string>{"101000000000000000000", "101000000000000000000",
                                        "101000000000000000000", "111000000000000000000"}));
    EXPECT_EQ(PowerRows(R(1)),
              (std::vector<std::string>{"111000000000000000000", "101000000000000000000",
                                        "100000000000000000000", "100000000000000000000"}));
}

TEST_F(PowerFlow, ControlColumnsNeverJoinRows) {
    Rung(0, {"STA - THR", "STA . THR"});
    plc.StartRun();
    Scan();
    EXPECT_TRUE(R(0).Power[1][0]);
    EXPECT_FALSE(R(0).Power[1][1]);
    EXPECT_FALSE(R(0).Power[2][1]);
}

TEST_F(PowerFlow, UnknownCodesConductNothing) {
    Rung(0, {"STA - THR - THR"});
    R(0).setCode(3, 0, 23);  // beyond the last control code
    R(0).setCode(2, 1, Link::FirstDeletion);
    plc.StartRun();
    Scan();
    EXPECT_TRUE(R(0).Power[2][0]);
    EXPECT_FALSE(R(0).Power[3][0]);
    EXPECT_FALSE(R(0).Power[4][0]);
    EXPECT_FALSE(R(0).Power[2][1]);
}

TEST_F(PowerFlow, BoxBottomsPassTheirOwnRowAndDoNotJoinTheBoxAbove) {
    Rung(0, {"STA NOC:IP0 - TIM:T1", "STA - - TBT - CBT - BBT - LNK THR"});
    plc.StartRun();
    Scan();
    EXPECT_EQ(PowerRows(R(0))[1], "111111111110000000000");
    EXPECT_FALSE(R(0).Power[3][0]);  // IP0 is off: the box gets no power from below
}

TEST_F(PowerFlow, LitMarksEnergisedCellsAndClosedContacts) {
    // With no input on: the NOC is neither powered nor lit, the NCC is lit though its left is
    // dead, and a NOC whose input is on is lit where no power reaches it.
    Rung(0, {"STA NOC:IP0 - NCC:IP1 - NOC:IP3"});
    plc.StartRun();
    Scan();
    EXPECT_EQ(LitRows(R(0))[0], "100100000000000000000");
    In(3, true);
    Scan();
    EXPECT_EQ(LitRows(R(0))[0], "100101000000000000000");
    EXPECT_EQ(PowerRows(R(0))[0], "100000000000000000000");
}

TEST_F(PowerFlow, LitStaysSetUntilTheViewClearsIt) {
    Rung(0, {"STA NOC:IP0 THR"});
    plc.StartRun();
    In(0, true);
    Scan();
    In(0, false);
    Scan();
    EXPECT_FALSE(R(0).Power[1][0]);
    EXPECT_TRUE(R(0).Lit[1][0]);
    EXPECT_TRUE(R(0).Lit[2][0]);
    R(0).Lit[1][0] = R(0).Lit[2][0] = false;
    Scan();
    EXPECT_FALSE(R(0).Lit[1][0]);
}

TEST_F(PowerFlow, OnlyRungsInUseAreScanned) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    Rung(1, {Simple({"NOC:IP0"}, "OUT:OP1")});
    plc.diagram.setRungCount(1);
    plc.StartRun();
    In(0, true);
    Scan(2);
    EXPECT_TRUE(Out(0));
    EXPECT_FALSE(Out(1));
    EXPECT_FALSE(R(1).Power[0][0]);
}

TEST_F(PowerFlow, AnEditReachesTheNextScan) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    plc.StartRun();
    In(0, true);
    Scan();
    EXPECT_TRUE(Out(0));
    R(0).setCode(1, 0, Control::NCC);
    Scan();
    EXPECT_FALSE(Out(0));
    R(0).setIndex(1, 0, 1);  // NCC IP1, and IP1 is off
    Scan();
    EXPECT_TRUE(Out(0));
    R(0).setKind(19, 0, CoilKind::Flag);
    Scan(2);
    EXPECT_TRUE(Flag(0));
    EXPECT_FALSE(Out(0));
    // A whole rung copied over another brings its own cells.
    Rung(5, {Simple({"NOC:IP2"}, "OUT:OP5")});
    plc.diagram.setRungCount(1);
    R(5).Prepared();
    R(0) = R(5);
    plc.StartRun();
    In(2, true);
    Scan();
    EXPECT_TRUE(Out(5));
    R(0).clear();
    Scan(2);
    EXPECT_FALSE(Out(5));
}

}  // namespace
}  // namespace torvex::test

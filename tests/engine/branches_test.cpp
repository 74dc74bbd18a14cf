#include "engine/branches.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "engine/editing.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::RungRows;
using Rows = std::vector<std::string>;

// A row as RungRows prints it: `base` (21 tokens) with the tokens at some grid columns
// replaced, trailing empty cells left out.
std::string Cells(const std::string& base, const std::map<int, std::string>& replaced) {
    std::istringstream in(base);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    tokens.resize(kColumns, ".");
    for (const auto& [column, token] : replaced) tokens[column] = token;
    while (!tokens.empty() && tokens.back() == ".") tokens.pop_back();
    std::string row;
    for (const std::string& t : tokens) row += (row.empty() ? "" : " ") + t;
    return row;
}
std::string Below(const std::map<int, std::string>& cells) {
    return Cells("", cells);
}

// Four contacts IP0 ... IP3 in control columns 0 ... 3 driving OP0.
const std::string kLine = test::Simple({"NOC:IP0", "NOC:IP1", "NOC:IP2", "NOC:IP3"}, "OUT:OP0");
std::string Line(const std::map<int, std::string>& cells) {
    return Cells(kLine, cells);
}

struct Contact {
    int column, row, input;
};
struct Cell {
    int column, row;
};

// The line with branches drawn as Add Branch would (each in its first free row) and
// contacts put into them.
RungRecord Drawn(const std::vector<std::pair<int, int>>& branches,
                 const std::vector<Contact>& contacts = {}) {
    Diagram d;
    test::SetRung(d, 0, {kLine});
    for (const auto& [first, second] : branches) {
        const std::optional<BranchSpan> span = BranchFor(d, 0, first, second);
        EXPECT_TRUE(span) << first << "-" << second;
        if (span) DrawBranch(d.Rungs[0], span->start, span->end, span->row);
    }
    for (const Contact& c : contacts)
        d.Rungs[0].setCell(ControlGrid(c.column), c.row, Control::NOC, ContactKind::Input, c.input);
    return d.Rungs[0];
}

const std::string kNone(kColumns, '0');  // a row without marks
std::vector<std::string> NoPower() {
    return Rows(kRows, kNone);
}

bool AnyDeletionLink(const RungRecord& rung) {
    for (int c = 0; c < kColumns; c += 2)
        for (int w = 0; w < kRows; ++w)
            if (rung.Code(c, w) >= Link::FirstDeletion && rung.Code(c, w) <= Link::LastDeletion)
                return true;
    return false;
}

TEST(DrawBranch, IsDrawnInColumnOrderInTheFirstFreeRow) {
    Diagram d;
    test::SetRung(d, 0, {kLine});
    const std::optional<BranchSpan> span = BranchFor(d, 0, 7, 2);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->start, 2);
    EXPECT_EQ(span->end, 7);
    EXPECT_EQ(span->row, 1);
    DrawBranch(d.Rungs[0], 7, 2, 1);
    EXPECT_EQ(RungRows(d.Rungs[0]),
              (Rows{Line({{4, "BRA"}, {16, "BRA"}}), ". . . . LEF - - - - - - - - - - - RIG"}));
}

TEST(DrawBranch, ThreeRowsTakeTheRoomUnderAColumn) {
    Diagram d;
    test::SetRung(d, 0, {kLine});
    for (int row = 1; row <= 3; ++row) {
        const std::optional<BranchSpan> span = BranchFor(d, 0, 1, 3);
        ASSERT_TRUE(span);
        EXPECT_EQ(span->row, row);
        DrawBranch(d.Rungs[0], span->start, span->end, span->row);
    }
    EXPECT_FALSE(BranchFor(d, 0, 1, 3));
    EXPECT_FALSE(BranchFor(d, 0, 3, 0));  // overlaps
    const std::optional<BranchSpan> beside = BranchFor(d, 0, 4, 7);
    ASSERT_TRUE(beside);
    EXPECT_EQ(beside->row, 1);

    EXPECT_EQ(
        RungRows(d.Rungs[0]),
        (Rows{Line({{2, "BRA"}, {8, "BRA"}}),
              Below({{2, "STA"}, {3, "-"}, {4, "-"}, {5, "-"}, {6, "-"}, {7, "-"}, {8, "FIN"}}),
              Below({{2, "STA"}, {3, "-"}, {4, "-"}, {5, "-"}, {6, "-"}, {7, "-"}, {8, "FIN"}}),
              Below({{2, "LEF"}, {3, "-"}, {4, "-"}, {5, "-"}, {6, "-"}, {7, "-"}, {8, "RIG"}})}));
}

TEST(DrawBranch, RefusesTheOutputSideAndRungsNotInUse) {
    Diagram d;
    test::SetRung(d, 0, {kLine});
    EXPECT_TRUE(BranchStartAccepted(d, 0, 0));
    EXPECT_TRUE(BranchStartAccepted(d, 0, 7));
    EXPECT_FALSE(BranchStartAccepted(d, 0, 8));
    EXPECT_FALSE(BranchStartAccepted(d, 0, -1));
    EXPECT_FALSE(BranchStartAccepted(d, 1, 0));
    EXPECT_FALSE(BranchFor(d, 0, 2, 8));
    EXPECT_FALSE(BranchFor(d, 0, 9, 2));
    EXPECT_FALSE(BranchFor(d, 1, 2, 3));

    const RungRecord before = d.Rungs[0];
    DrawBranch(d.Rungs[0], 2, 8, 1);
    DrawBranch(d.Rungs[0], 2, 3, 4);
    EXPECT_EQ(RungRows(d.Rungs[0]), RungRows(before));
}

using BranchPower = test::EngineTest;

TEST_F(BranchPower, DrawnBranchesAreParallelPaths) {
    // OP0 = IP0 and ((IP1 and IP2 and IP3) or IP4 or IP5 or IP6)
    R(0) = Drawn({{1, 3}, {1, 3}, {3, 1}}, {{2, 1, 4}, {1, 2, 5}, {3, 3, 6}});
    plc.diagram.setRungCount(1);
    plc.StartRun();
    for (unsigned inputs = 0; inputs < 128; ++inputs) {
        for (int i = 0; i < 7; ++i) In(i, (inputs >> i) & 1);
        Scan();
        auto ip = [&](int i) { return ((inputs >> i) & 1) != 0; };
        EXPECT_EQ(Out(0), ip(0) && ((ip(1) && ip(2) && ip(3)) || ip(4) || ip(5) || ip(6)))
            << "inputs " << inputs;
    }
}

TEST(DeleteBranch, MarksFindsWipesAndRestoresEachShape) {
    const struct Case {
        const char* shape;
        std::vector<std::pair<int, int>> branches;
        std::vector<Contact> contacts;
        Cell click;
        Rows marked;                                         // the rung with its deletion links
        Rows marks;                                          // Power (and Lit) of the marked cells
        std::vector<std::pair<int, int>> leftBranches = {};  // the rung left drawn afresh...
        std::vector<Contact> leftContacts = {};
        Rows left = {};  // ...or as rows
    } cases[] = {
        {"under the line",
         {{1, 3}},
         {},
         {2, 1},
         {Line({{2, "delBRA"}, {8, "delBRA"}}), ". . LEF - - - - - RIG"},
         {"001000001000000000000", "001111111000000000000", kNone, kNone},
         {}},
        {"from the rail, nothing below",
         {{0, 2}},
         {},
         {1, 1},
         {Line({{6, "delBRA"}}), "STA - - - - - RIG"},
         {"000000100000000000000", "111111100000000000000", kNone, kNone},
         {}},
        {"the lower of two on the same columns",
         {{1, 3}, {1, 3}},
         {},
         {2, 2},
         {Line({{2, "BRA"}, {8, "BRA"}}), ". . STA - - - - - delFIN2", ". . LEF - - - - - RIG"},
         {kNone, "000000001000000000000", "001111111000000000000", kNone},
         {{1, 3}}},
        {"the upper of two on the same columns",
         {{1, 3}, {1, 3}},
         {{2, 2, 4}},
         {2, 1},
         {Line({{2, "BRA"}, {8, "BRA"}}), ". . delSTA - - - - - delFIN1",
          ". . LEF - - NOC:IP4 - - RIG"},
         {kNone, "001111111000000000000", kNone, kNone},
         {{1, 3}},
         {{2, 1, 4}}},
        {"ending on a crossing",
         {{1, 2}, {0, 2}, {3, 4}},
         {},
         {4, 1},
         {Line({{2, "BRA"}, {6, "BRA"}, {10, "delBRA"}}), "DWN . LEF - - - delRCRO - - - RIG",
          "STA - - - - - RIG"},
         {"000000000010000000000", "000000111110000000000", kNone, kNone},
         {{1, 2}, {0, 2}}},
        {"starting on a crossing",
         {{1, 2}, {0, 2}, {3, 4}},
         {},
         {1, 1},
         {Line({{2, "delBRA"}, {6, "BRA"}, {10, "BRA"}}), "DWN . LEF - - - delLCRO - - - RIG",
          "STA - - - - - RIG"},
         {"001000000000000000000", "001111100000000000000", kNone, kNone},
         {},
         {},
         {Line({{6, "BRA"}, {10, "BRA"}}), "DWN . . . . . STA - - - RIG", "STA - - - - - RIG"}},
        {"the second of two end to end",
         {{1, 2}, {3, 4}},
         {},
         {4, 1},
         {Line({{2, "BRA"}, {6, "BRA"}, {10, "delBRA"}}), ". . LEF - - - delRRET - - - RIG"},
         {"000000000010000000000", "000000111110000000000", kNone, kNone},
         {{1, 2}}},
        {"the first of two end to end",
         {{1, 2}, {3, 4}},
         {},
         {1, 1},
         {Line({{2, "delBRA"}, {6, "BRA"}, {10, "BRA"}}), ". . LEF - - - delLRET - - - RIG"},
         {"001000000000000000000", "001111100000000000000", kNone, kNone},
         {{3, 4}}},
        {"from the rail over another from the rail",
         {{0, 2}, {0, 1}},
         {{1, 2, 4}},
         {2, 1},
         {Line({{6, "delBRA"}}), "delSTA - - - BRA - RIG", "STA - - NOC:IP4 RIG"},
         {"000000100000000000000", "111111100000000000000", kNone, kNone},
         {{0, 1}},
         {{1, 1, 4}}},
        {"from the rail under a branch that is not",
         {{1, 3}, {0, 1}},
         {},
         {0, 2},
         {Line({{2, "BRA"}, {8, "BRA"}}), "DWN . LEF - delBRA - - - RIG", "STA - - - RIG"},
         {kNone, "000010000000000000000", "111110000000000000000", kNone},
         {{1, 3}}},
        {"nested under a longer one",
         {{1, 5}, {2, 3}},
         {},
         {2, 2},
         {Line({{2, "BRA"}, {12, "BRA"}}), ". . LEF - delBRA - - - delBRA - - - RIG",
          ". . . . LEF - - - RIG"},
         {kNone, "000010001000000000000", "000011111000000000000", kNone},
         {{1, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        RungRecord rung = Drawn(c.branches, c.contacts);
        Diagram d;
        d.Rungs[0] = rung;
        d.setRungCount(1);
        ASSERT_TRUE(BranchClickAccepted(d, 0, c.click.column, c.click.row));

        const RungBackup backup = BackupRung(rung);
        FindBranch(rung, c.click.column, c.click.row);
        EXPECT_EQ(RungRows(rung), c.marked);
        EXPECT_EQ(test::PowerRows(rung), c.marks);
        EXPECT_EQ(test::LitRows(rung), c.marks);

        RungRecord rejected = rung;  // answered No
        RestoreRung(rejected, backup);
        EXPECT_EQ(RungRows(rejected), RungRows(Drawn(c.branches, c.contacts)));
        EXPECT_EQ(test::PowerRows(rejected), NoPower());
        EXPECT_EQ(test::LitRows(rejected), NoPower());

        WipeBranch(rung);  // answered Yes
        RestoreLinks(rung);
        const Rows left = c.left.empty() ? RungRows(Drawn(c.leftBranches, c.leftContacts)) : c.left;
        EXPECT_EQ(RungRows(rung), left);
        EXPECT_EQ(test::PowerRows(rung), NoPower());
        EXPECT_FALSE(AnyDeletionLink(rung));
    }
}

TEST_F(BranchPower, TheRowLeftBehindMovesUpAndStillConducts) {
    R(0) = Drawn({{0, 2}, {0, 1}}, {{1, 2, 4}});
    plc.diagram.setRungCount(1);
    FindBranch(R(0), 2, 1);
    WipeBranch(R(0));
    RestoreLinks(R(0));
    // OP0 = ((IP0 and IP1) or IP4) and IP2 and IP3
    plc.StartRun();
    for (unsigned inputs = 0; inputs < 32; ++inputs) {
        for (int i = 0; i < 5; ++i) In(i, (inputs >> i) & 1);
        Scan();
        auto ip = [&](int i) { return ((inputs >> i) & 1) != 0; };
        EXPECT_EQ(Out(0), ((ip(0) && ip(1)) || ip(4)) && ip(2) && ip(3)) << "inputs " << inputs;
    }
}

TEST(DeleteBranch, ARejectedDeletionLeavesNoMarkForTheNext) {
    RungRecord rung = Drawn({{1, 3}, {4, 6}});
    const RungBackup backup = BackupRung(rung);
    FindBranch(rung, 2, 1);
    RestoreRung(rung, backup);  // No
    FindBranch(rung, 5, 1);
    WipeBranch(rung);
    RestoreLinks(rung);
    EXPECT_EQ(RungRows(rung), RungRows(Drawn({{1, 3}})));
}

TEST(DeleteBranch, OnlyCellsOnABranchCanBeClicked) {
    Diagram d;
    test::SetRung(d, 0,
                  {Line({{2, "BRA"}, {8, "BRA"}, {18, "BRA"}}),
                   ". . LEF - - NOC:IP4 - - RIG . . . . . . . . . LEF OUT:OP1 FIN"});
    const struct {
        int rung, column, row;
        bool accepted;
    } cases[] = {
        {0, 1, 1, true},  {0, 2, 1, true},  {0, 3, 1, true}, {0, 2, 0, false},  // the rung line
        {0, 0, 1, false},                                                       // empty
        {0, 5, 1, false}, {0, 9, 1, false},  // an output, wired by the editor
        {1, 2, 1, false},                    // no rung
        {0, 2, 4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BranchClickAccepted(d, c.rung, c.column, c.row), c.accepted)
            << c.rung << " " << c.column << "," << c.row;
}

}  // namespace
}  // namespace torvex

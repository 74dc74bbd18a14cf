#include "engine/editing.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/plc.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::MakeRung;
using test::RungRows;
using Rows = std::vector<std::string>;

// Row `row` of a rung whose controls all stand in the output column.
std::string OutputRow(int row, const std::string& link9, const std::string& output,
                      const std::string& rail) {
    std::string s = row == 0 ? "STA" : ".";
    for (int c = 1; c < kOutputColumn - 1; ++c) s += row == 0 ? " -" : " .";
    return s + " " + link9 + " " + output + " " + rail;
}

const std::string kStraight = OutputRow(0, "-", "-", "FIN");

TEST(LastOutputRow, CountsControlsButNotWiresOrEmptyCells) {
    const struct {
        std::vector<int32_t> rows;
        int last;
    } cases[] = {
        {{Control::LNK, 0, 0, 0}, -1},
        {{Control::OUT, 0, 0, 0}, 0},
        {{Control::OUT, Control::LNK, Control::RES, Control::LNK}, 2},
        {{Control::TIM, Control::TBT, 0, 0}, 1},
        {{0, 0, 0, Control::UNL}, 3},
    };
    for (const auto& c : cases) {
        RungRecord rung;
        for (int w = 0; w < kRows; ++w) rung.setCode(kOutputColumn, w, c.rows[w]);
        EXPECT_EQ(LastOutputRow(rung), c.last);
    }
}

TEST(WireParallelOutputs, JoinsEveryOutputRowToTheRungLineAndTheRail) {
    RungRecord rung = test::MakeRung({test::Simple({"NOC:IP0"}, "OUT:OP0"),
                                      ". . . . . . . . . . . . . . . . . . . OUT:OP1 .",
                                      ". . . . . . . . . . . . . . . . . . . OUT:OP2 ."});
    WireParallelOutputs(rung, 2);
    const int32_t link9[] = {Link::BRA, Link::STA, Link::LEF, Link::NON};
    const int32_t link10[] = {Link::FIN, Link::FIN, Link::FIN, Link::NON};
    for (int w = 0; w < kRows; ++w) {
        EXPECT_EQ(rung.Code(18, w), link9[w]) << w;
        EXPECT_EQ(rung.Code(20, w), link10[w]) << w;
    }

    // Every row's output is driven by the rung line.
    VirtualTickSource clock;
    auto plc = std::make_unique<Plc>(clock);
    plc->diagram.Rungs[0] = rung;
    plc->diagram.setRungCount(1);
    plc->StartRun();
    plc->memory.Inputs[0].Raw = true;
    plc->RunStep();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(plc->memory.Outputs[i].State) << "OP" << i;

    RungRecord same = rung;
    WireParallelOutputs(same, 0);  // nothing to wire in parallel
    WireParallelOutputs(same, 4);
    for (int w = 0; w < kRows; ++w) EXPECT_EQ(same.Code(18, w), rung.Code(18, w));
}

TEST(OutputPlaces, CloseGapsKeepingOrderAndWireTheRowsLeft) {
    const struct {
        Rows column9;  // rows 0 ... 3 of the output column before
        Rows expected;
    } cases[] = {
        {{"-", "OUT:OP1", "-", "OUT:OP3"},
         {OutputRow(0, "BRA", "OUT:OP1", "FIN"), OutputRow(1, "LEF", "OUT:OP3", "FIN")}},
        {{".", ".", "RES:T2", "."}, {OutputRow(0, "-", "RES:T2", "FIN")}},
        {{"OUT:OP0", "-", "-", "-"}, {OutputRow(0, "-", "OUT:OP0", "FIN")}},
        {{"LAT:F1", "UNL:F2", "OUT:R1/3", "-"},
         {OutputRow(0, "BRA", "LAT:F1", "FIN"), OutputRow(1, "STA", "UNL:F2", "FIN"),
          OutputRow(2, "LEF", "OUT:R1/3", "FIN")}},
        {{".", ".", ".", "."}, {kStraight}},
    };
    for (const auto& c : cases) {
        // Stale links in the output's link columns must be rewritten too.
        Rows rows;
        for (int w = 0; w < kRows; ++w) rows.push_back(OutputRow(w, "STA", c.column9[w], "FIN"));
        RungRecord rung = MakeRung(rows);
        DoOutputPlaces(rung);
        DoOutputLinks(rung);
        EXPECT_EQ(RungRows(rung), c.expected) << c.column9[0] << " " << c.column9[1];
    }
}

TEST(OutputPos, FirstFreeRowOfTheOutputColumn) {
    Diagram d;
    test::SetRung(d, 0, {kStraight});
    test::SetRung(d, 1,
                  {OutputRow(0, "BRA", "OUT:OP0", "FIN"), OutputRow(1, "LEF", "RES:C1", "FIN")});
    test::SetRung(d, 2,
                  {OutputRow(0, "BRA", "TIM:T1", "FIN"), OutputRow(1, "LEF", "TBT:0,1", "FIN")});
    test::SetRung(d, 3,
                  {OutputRow(0, "BRA", "OUT:OP0", "FIN"), OutputRow(1, "STA", "OUT:OP1", "FIN"),
                   OutputRow(2, "STA", "OUT:OP2", "FIN"), OutputRow(3, "LEF", "OUT:OP3", "FIN")});
    const int expected[] = {0, 2, 4, 4, /*not in use*/ 4, 4};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(OutputPos(d, r), expected[r]) << "rung " << r;
    EXPECT_EQ(OutputPos(d, -1), 4);
}

class Editing : public test::EngineTest {
protected:
    EditorState s;
    Diagram& d = plc.diagram;

    Editing() { plc.ClearDiagram(); }

    // A drop of palette tool `tool` on control column `column`, row `row` of rung `rung`
    // (shown in the slot of the same number).
    Placement Drop(int rung, int tool, int column = 0, int row = 0) {
        s.PaletteTool = tool;
        return AddControl(s, d, rung, rung, column, row);
    }
    // The dialog's OK: the operand chosen, and for a box its code.
    bool Ok(int32_t kind, int32_t number, int32_t code = 0) {
        if (code != 0) s.PendingCode = code;
        s.PendingKind = kind;
        s.PendingNumber = number;
        const int tag = s.PendingCode <= Control::NCC ? kPlaceContact : kPlaceOutputSide;
        return PlacePendingControl(d, m, s, s.TargetSlot, tag);
    }
    void Place(int rung, int tool, int column, int row, int32_t kind, int32_t number,
               int32_t code = 0) {
        ASSERT_EQ(Drop(rung, tool, column, row).verdict, PlacementVerdict::Accepted);
        ASSERT_TRUE(Ok(kind, number, code));
    }
};

TEST_F(Editing, PlacementFollowsTheToolsTable) {
    test::SetRung(d, 0, {test::Simple({"NOC:IP0", "NCC:IP1", "-", "OUT:OP1"}, "-")});
    test::SetRung(d, 1, {OutputRow(0, "-", "OUT:OP0", "FIN")});
    test::SetRung(d, 2,
                  {OutputRow(0, "BRA", "OUT:OP0", "FIN"), OutputRow(1, "STA", "OUT:OP1", "FIN"),
                   OutputRow(2, "STA", "OUT:OP2", "FIN"), OutputRow(3, "LEF", "OUT:OP3", "FIN")});
    test::SetRung(d, 3,
                  {OutputRow(0, "BRA", "CUP:C1", "FIN"), OutputRow(1, "LEF", "CBT:0,1", "FIN")});
    using V = PlacementVerdict;
    using Dlg = DialogKind;
    const struct {
        int rung, tool, column, row;
        V verdict;
        int32_t code = 0;
        int targetColumn = 0, targetRow = 0;
        Dlg dialog = Dlg::None;
        bool placingNew = false;
    } cases[] = {
        {0, 1, 2, 0, V::Accepted, Control::NOC, 2, 0, Dlg::Input, false},  // on a wire
        {0, 2, 8, 0, V::Accepted, Control::NCC, 8, 0, Dlg::Input, false},  // last contact column
        {0, 1, 1, 0, V::ConfirmOnContact, Control::NOC, 1, 0, Dlg::Input, false},
        {0, 2, 0, 0, V::ConfirmOnContact, Control::NCC, 0, 0, Dlg::Input, false},
        {0, 1, 0, 0, V::Ignored},   // on a contact of its own kind
        {0, 1, 3, 0, V::Ignored},   // on an output standing left of the output column
        {0, 1, 2, 1, V::Ignored},   // on an empty cell
        {0, 1, 9, 0, V::Ignored},   // contacts never go in the output column
        {0, 2, 10, 0, V::Ignored},  // right of the last cell
        {0, 0, 2, 0, V::Ignored},   // the pointer
        {5, 1, 2, 0, V::Ignored},   // a rung not in use
        {0, 3, 2, 1, V::Accepted, Control::OUT, 9, 0, Dlg::Output, false},
        {1, 4, 0, 0, V::Accepted, Control::RES, 9, 1, Dlg::Reset, false},
        {1, 5, 0, 0, V::Accepted, Control::LAT, 9, 1, Dlg::Output, false},
        {1, 6, 0, 0, V::Accepted, Control::UNL, 9, 1, Dlg::Output, false},
        {2, 3, 0, 0, V::NoMoreOutputs, 0, 9, 4},  // four outputs already
        {1, 7, 0, 0, V::NoMoreOutputs, 0, 9, 1},  // a timer on a rung with one output
        {3, 3, 0, 0, V::NoMoreOutputs, 0, 9, 4},  // a counter box fills the column
        {3, 9, 0, 0, V::NoMoreOutputs, 0, 9, 4},
        {5, 3, 0, 0, V::NoMoreOutputs, 0, 9, 4},  // no rung: no room either
        {0, 7, 4, 2, V::Accepted, Control::TIM, 9, 0, Dlg::Timer, true},
        {0, 8, 4, 2, V::Accepted, Control::CUP, 9, 0, Dlg::Counter, true},
        {0, 9, 4, 2, V::Accepted, Control::BL1, 9, 0, Dlg::BitShift, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rung " << c.rung << " tool " << c.tool << " at "
                                        << c.column << "," << c.row);
        s.PendingKind = s.PendingNumber = 7;  // a placement starts afresh
        const Placement p = Drop(c.rung, c.tool, c.column, c.row);
        EXPECT_EQ(p.verdict, c.verdict);
        if (c.verdict == V::Ignored) continue;
        EXPECT_EQ(s.PendingCode, c.code);
        EXPECT_EQ(s.PendingKind, 0);
        EXPECT_EQ(s.PendingNumber, 0);
        EXPECT_EQ(s.TargetSlot, c.rung);
        EXPECT_EQ(s.TargetColumn, c.targetColumn);
        EXPECT_EQ(s.TargetRow, c.targetRow);
        EXPECT_EQ(p.dialog, c.dialog);
        EXPECT_EQ(p.placingNew, c.placingNew);
    }

    s.ControlDialogOpen = true;
    s.TargetRow = 3;
    EXPECT_EQ(Drop(0, 1, 2, 0).verdict, V::Ignored);
    EXPECT_EQ(s.TargetRow, 3);
}

TEST_F(Editing, FourOutputsFillTheColumnInParallelAndAFifthIsRefused) {
    Place(0, 1, 0, 0, ContactKind::Input, 0);
    for (int i = 0; i < 4; ++i) Place(0, i % 2 == 0 ? 3 : 5, 4, 2, CoilKind::Output, i);
    EXPECT_EQ(RungRows(R(0)),
              (Rows{"STA NOC:IP0 - - - - - - - - - - - - - - - - BRA OUT:OP0 FIN",
                    OutputRow(1, "STA", "LAT:OP1", "FIN"), OutputRow(2, "STA", "OUT:OP2", "FIN"),
                    OutputRow(3, "LEF", "LAT:OP3", "FIN")}));
    const RungRecord before = R(0);
    EXPECT_EQ(Drop(0, 4).verdict, PlacementVerdict::NoMoreOutputs);
    EXPECT_EQ(RungRows(R(0)), RungRows(before));

    plc.StartRun();
    In(0, true);
    Scan();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Out(i)) << "OP" << i;
    In(0, false);
    Scan();
    EXPECT_FALSE(Out(0));
    EXPECT_TRUE(Out(1));  // latched
}

TEST_F(Editing, ABoxTakesTwoRowsAndMarksItsNumberUsed) {
    Place(0, 7, 0, 0, 0, 3, Control::TIM);
    EXPECT_EQ(RungRows(R(0)),
              (Rows{OutputRow(0, "BRA", "TIM:T3", "FIN"), OutputRow(1, "LEF", "TBT:0,3", "FIN")}));
    EXPECT_TRUE(m.Timers[3].Used);

    ASSERT_TRUE(d.NewRung(1));
    Place(1, 9, 0, 0, ShiftSourceKind::RegisterBit, 16 * 2 + 5, Control::BR3);
    EXPECT_EQ(RungRows(R(1)), (Rows{OutputRow(0, "BRA", "BR3:R2/5", "FIN"),
                                    OutputRow(1, "LEF", "BBT:6,37", "FIN")}));
    EXPECT_EQ(Drop(1, 3).verdict, PlacementVerdict::NoMoreOutputs);
}

TEST_F(Editing, TheTimerWritesNothingWithoutOkOrWithAnOperandThatDoesNotExist) {
    const RungRecord before = R(0);
    ASSERT_EQ(Drop(0, 7).verdict, PlacementVerdict::Accepted);
    s.PendingNumber = 3;
    EXPECT_FALSE(PlacePendingControl(d, m, s, 0, kPlaceNothing));     // cancelled
    EXPECT_FALSE(PlacePendingControl(d, m, s, 1, kPlaceOutputSide));  // no rung 1
    EXPECT_FALSE(Ok(0, 9));                                           // no timer 9
    s.PendingCode = Control::LNK;
    EXPECT_FALSE(Ok(0, 0));  // no control
    EXPECT_EQ(RungRows(R(0)), RungRows(before));
    for (const TimerRecord& t : m.Timers) EXPECT_FALSE(t.Used);
}

TEST_F(Editing, AContactOnTheOtherKindIsReplacedOnceConfirmed) {
    test::SetRung(d, 0, {test::Simple({"NCC:IP1"}, "OUT:OP0")});
    s.PaletteTool = 1;
    const Placement p = AddControl(s, d, 0, 0, 0, 0);
    ASSERT_EQ(p.verdict, PlacementVerdict::ConfirmOnContact);
    ASSERT_TRUE(Ok(ContactKind::Flag, 5));
    EXPECT_EQ(RungRows(R(0)), (Rows{test::Simple({"NOC:F5"}, "OUT:OP0")}));
}

TEST_F(Editing, EditFindsTheBoxTopAndRewritesTheControlInPlace) {
    Place(0, 7, 0, 0, 0, 3, Control::TIM);
    s.TargetRow = 3;
    EXPECT_EQ(EditControl(s, d, 0, 0, 4, 0), DialogKind::None);  // a wire
    EXPECT_EQ(EditControl(s, d, 0, 0, 9, 2), DialogKind::None);  // empty
    EXPECT_EQ(EditControl(s, d, 1, 1, 9, 0), DialogKind::None);  // no rung
    EXPECT_EQ(s.TargetRow, 3);

    ASSERT_EQ(EditControl(s, d, 0, 0, 9, 1), DialogKind::Timer);  // the bottom
    EXPECT_EQ(s.TargetColumn, 9);
    EXPECT_EQ(s.TargetRow, 0);
    EXPECT_EQ(s.PendingCode, Control::TIM);
    EXPECT_EQ(s.PendingNumber, 3);
    ASSERT_TRUE(Ok(0, 4, Control::ODT));
    EXPECT_EQ(RungRows(R(0)),
              (Rows{OutputRow(0, "BRA", "ODT:T4", "FIN"), OutputRow(1, "LEF", "TBT:0,4", "FIN")}));
    EXPECT_TRUE(m.Timers[4].Used);

    s.ControlDialogOpen = true;
    EXPECT_EQ(EditControl(s, d, 0, 0, 9, 0), DialogKind::None);

    const struct {
        int32_t code;
        DialogKind dialog;
    } dialogs[] = {{Control::NOC, DialogKind::Input},    {Control::NCC, DialogKind::Input},
                   {Control::OUT, DialogKind::Output},   {Control::RES, DialogKind::Reset},
                   {Control::LAT, DialogKind::Output},   {Control::UNL, DialogKind::Output},
                   {Control::TIM, DialogKind::Timer},    {Control::ODT, DialogKind::Timer},
                   {Control::CUP, DialogKind::Counter},  {Control::CDN, DialogKind::Counter},
                   {Control::BL1, DialogKind::BitShift}, {Control::BR4, DialogKind::BitShift},
                   {Control::TBT, DialogKind::None},     {Control::LNK, DialogKind::None}};
    for (const auto& c : dialogs) EXPECT_EQ(DialogFor(c.code), c.dialog) << c.code;
}

TEST_F(Editing, DeletingTheSecondOfThreeOutputsMovesTheThirdUp) {
    Place(0, 1, 0, 0, ContactKind::Input, 0);
    for (int i = 0; i < 3; ++i) Place(0, 3, 0, 0, CoilKind::Output, i);
    const std::optional<ControlTarget> t = ControlAt(d, 0, 9, 1);
    ASSERT_TRUE(t);
    EXPECT_EQ(ControlName(t->code, t->kind, t->number, false), "Output OP1");
    ASSERT_TRUE(DeleteControl(d, m, 0, 9, 1));
    EXPECT_EQ(RungRows(R(0)), (Rows{"STA NOC:IP0 - - - - - - - - - - - - - - - - BRA OUT:OP0 FIN",
                                    OutputRow(1, "LEF", "OUT:OP2", "FIN")}));
    plc.StartRun();
    In(0, true);
    Scan();
    EXPECT_TRUE(Out(0));
    EXPECT_FALSE(Out(1));
    EXPECT_TRUE(Out(2));
}

TEST_F(Editing, DeletingABoxFromItsBottomLeavesAStraightRung) {
    Place(0, 8, 0, 0, 0, 2, Control::CDN);
    R(0).Lit[kOutputColumn][0] = R(0).Lit[kOutputColumn][1] = true;  // highlighted
    EXPECT_FALSE(DeleteControl(d, m, 0, 4, 0));                      // a wire is no control
    ASSERT_TRUE(DeleteControl(d, m, 0, 9, 1));
    EXPECT_EQ(RungRows(R(0)), Rows{kStraight});
    EXPECT_FALSE(R(0).Lit[kOutputColumn][0]);
    EXPECT_FALSE(R(0).Lit[kOutputColumn][1]);
    EXPECT_FALSE(m.Counters[2].Used);
}

TEST_F(Editing, ANumberStaysUsedWhileAnotherBoxForItStands) {
    ASSERT_TRUE(d.NewRung(1));
    ASSERT_TRUE(d.NewRung(2));
    Place(0, 7, 0, 0, 0, 1, Control::TIM);
    Place(1, 7, 0, 0, 0, 1, Control::ODT);
    Place(2, 8, 0, 0, 0, 1, Control::CUP);  // counter 1 is not timer 1
    m.Timers[1].Preset = 2500;
    // A record past the rung count is no box of the diagram.
    test::SetRung(d, 3,
                  {OutputRow(0, "BRA", "TIM:T1", "FIN"), OutputRow(1, "LEF", "TBT:0,1", "FIN")});
    d.setRungCount(3);

    ASSERT_TRUE(DeleteControl(d, m, 0, 9, 0));
    EXPECT_TRUE(m.Timers[1].Used);
    ASSERT_TRUE(DeleteControl(d, m, 1, 9, 1));
    EXPECT_FALSE(m.Timers[1].Used);
    EXPECT_TRUE(m.Counters[1].Used);
    EXPECT_EQ(m.Timers[1].Preset, 2500);
}

class Rungs : public Editing {
protected:
    // Rungs 0 ... n-1, each with its number on an input contact and as its comment.
    void Numbered(int n) {
        d.clear();
        for (int r = 0; r < n; ++r) {
            test::SetRung(d, r, {test::Simple({"NOC:IP" + std::to_string(r % 16)}, "OUT:OP0")});
            R(r).setComment("rung " + std::to_string(r));
        }
    }
    // Which numbered rung stands at each index, -1 for a new one; checks its comment too.
    std::vector<int> Order() {
        std::vector<int> order;
        for (int r = 0; r < d.RungCount(); ++r) {
            if (RungRows(R(r)) == Rows{kStraight}) {
                EXPECT_EQ(R(r).Comment(), "") << r;
                order.push_back(-1);
                continue;
            }
            const int n = R(r).Index(1, 0);
            EXPECT_EQ(R(r).Comment(), "rung " + std::to_string(n)) << r;
            order.push_back(n);
        }
        return order;
    }
};

TEST_F(Rungs, InsertMovesTheRungsAndTheirCommentsDown) {
    Numbered(4);
    R(2).Lit[3][0] = true;
    ASSERT_EQ(InsertRung(d, 2), RungEdit::Done);
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, -1, 2, 3}));
    EXPECT_TRUE(R(3).Lit[3][0]);
    EXPECT_FALSE(R(2).Lit[3][0]);
    ASSERT_EQ(InsertRung(d, 0), RungEdit::Done);
    EXPECT_EQ(Order(), (std::vector<int>{-1, 0, 1, -1, 2, 3}));
    EXPECT_EQ(InsertRung(d, 6), RungEdit::NoSuchRung);
    EXPECT_EQ(InsertRung(d, -1), RungEdit::NoSuchRung);
    EXPECT_EQ(d.RungCount(), 6);
}

TEST_F(Rungs, DeleteMovesTheRestUpAndClearsTheFreedRecord) {
    Numbered(4);
    ASSERT_EQ(DeleteRung(d, 1), RungEdit::Done);
    EXPECT_EQ(Order(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(RungRows(R(3)), Rows{});
    EXPECT_EQ(R(3).Comment(), "");
    ASSERT_EQ(DeleteRung(d, 2), RungEdit::Done);
    EXPECT_EQ(Order(), (std::vector<int>{0, 2}));
    EXPECT_EQ(DeleteRung(d, 2), RungEdit::NoSuchRung);
    EXPECT_EQ(Order(), (std::vector<int>{0, 2}));
}

TEST_F(Rungs, DeletingTheOnlyRungLeavesOneEmptyRung) {
    Numbered(1);
    SetRungLit(R(0), true);  // shown red while asked
    EXPECT_EQ(DeleteRung(d, 1), RungEdit::NoSuchRung);
    ASSERT_EQ(DeleteRung(d, 0), RungEdit::Done);
    EXPECT_EQ(d.RungCount(), 1);
    EXPECT_EQ(Order(), std::vector<int>{-1});
    EXPECT_EQ(test::LitRows(R(0)), Rows(kRows, std::string(kColumns, '0')));
}

TEST_F(Rungs, AFullTableRefusesNewRungsAndChangesNothing) {
    Numbered(kMaxRungs);
    ASSERT_EQ(d.RungCount(), 1001);
    EXPECT_EQ(AddRung(d), RungEdit::TableFull);
    EXPECT_EQ(InsertRung(d, 0), RungEdit::TableFull);
    EXPECT_EQ(InsertRung(d, 1000), RungEdit::TableFull);
    EXPECT_EQ(d.RungCount(), 1001);
    EXPECT_EQ(R(0).Comment(), "rung 0");
    EXPECT_EQ(R(1000).Comment(), "rung 1000");

    ASSERT_EQ(DeleteRung(d, 0), RungEdit::Done);
    ASSERT_EQ(AddRung(d), RungEdit::Done);
    EXPECT_EQ(RungRows(R(1000)), Rows{kStraight});
    EXPECT_EQ(R(999).Comment(), "rung 1000");
}

TEST(ControlName, NamesEveryControlInBothLanguages) {
    const struct {
        int32_t code, kind, number;
        const char* english;
        const char* finnish;
    } cases[] = {
        {Control::OUT, CoilKind::Output, 3, "Output OP3", "Lähtö OP3"},
        {Control::OUT, CoilKind::Flag, 12, "Output Flag 12", "Lähtö Lippu 12"},
        {Control::NCC, 4, 5, "(Not) Input Register 2, Bit 5", "(Ei) Tulo Rekisteri 2, bitti 5"},
        {Control::BR3, ShiftSourceKind::RegisterBit, 23, "Bit Shift Right 3 Register 1, Bit 7",
         "Bittisiirto oikealle 3 Rekisteri 1, bitti 7"},
        {Control::CDN, 0, 4, "Counter 4 Down", "Alaslaskuri 4"},
        {Control::CUP, 0, 8, "Counter 8 Up", "Ylöslaskuri 8"},
        {Control::NOC, ContactKind::Input, 15, "Input IP15", "Tulo IP15"},
        {Control::NOC, ContactKind::Output, 0, "Input OP0", "Tulo OP0"},
        {Control::NOC, ContactKind::Register4, 0, "Input Register 4, Bit 0",
         "Tulo Rekisteri 4, bitti 0"},
        {Control::NOC, ContactKind::CounterUp, 2, "Input Counter 2 Up", "Tulo Ylöslaskuri 2"},
        {Control::NCC, ContactKind::CounterDown, 3, "(Not) Input Counter 3 Down",
         "(Ei) Tulo Alaslaskuri 3"},
        {Control::NOC, ContactKind::TimerDone, 7, "Input Timer 7", "Tulo Ajastin 7"},
        {Control::RES, ResetKind::Timer, 1, "Reset Timer 1", "Nollaus Ajastin 1"},
        {Control::RES, ResetKind::Counter, 6, "Reset Counter 6", "Nollaus Laskurit 6"},
        {Control::RES, ResetKind::Register1, 9, "Reset Register 1, Bit 9",
         "Nollaus Rekisteri 1, bitti 9"},
        {Control::LAT, CoilKind::Register4, 15, "Latched Output Register 4, Bit 15",
         "Lukittu lähtö Rekisteri 4, bitti 15"},
        {Control::UNL, CoilKind::Output, 10, "Unlatched Output OP10", "Lukitsematon lähtö OP10"},
        {Control::TIM, 0, 2, "Latched On Delay Timer 2", "Ajastin 2"},
        {Control::ODT, 0, 5, "On Delay Timer 5", "On Delay Timer 5"},
        {Control::BL1, ShiftSourceKind::Input, 4, "Bit Shift Left 1 IP4",
         "Bittisiirto vasemmalle 1 IP4"},
        {Control::BL4, ShiftSourceKind::Flag, 11, "Bit Shift Left 4 Flag 11",
         "Bittisiirto vasemmalle 4 Lippu 11"},
        {Control::BR1, ShiftSourceKind::Output, 1, "Bit Shift Right 1 OP1",
         "Bittisiirto oikealle 1 OP1"},
        {Control::BL2, ShiftSourceKind::TimerDone, 3, "Bit Shift Left 2 Timer 3 Down",
         "Bittisiirto vasemmalle 2 Ajastin 3"},
        {Control::BR2, ShiftSourceKind::CounterUp, 5, "Bit Shift Right 2 Counter 5 Up",
         "Bittisiirto oikealle 2 Ylöslaskuri 5"},
        {Control::BR4, ShiftSourceKind::CounterDown, 1, "Bit Shift Right 4 Counter 1 Down",
         "Bittisiirto oikealle 4 Alaslaskuri 1"},
        {Control::BL3, ShiftSourceKind::RegisterBit, 79, "Bit Shift Left 3 Register 4, Bit 15",
         "Bittisiirto vasemmalle 3 Rekisteri 4, bitti 15"},
        {Control::OUT, 6, 1, "Output ", "Lähtö "},  // a kind without a name
        {Control::LNK, 0, 0, "", ""},
        {Control::TBT, 0, 1, "", ""},
        {Control::NON, 0, 0, "", ""},
        {23, 0, 0, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlName(c.code, c.kind, c.number, false), c.english);
        EXPECT_EQ(ControlName(c.code, c.kind, c.number, true), c.finnish);
    }
}

}  // namespace
}  // namespace torvex

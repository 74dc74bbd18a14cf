// Rungs as the clipboard carries them: llg text out, the same rungs back in, pasted with the
// presets their boxes need, and anything damaged refused with a reason.
#include <gtest/gtest.h>

#include "files/diagram_change.h"
#include "files/ladder_writer.h"
#include "files/rung_clipboard.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::Crlf;
using test::Model;
using test::SetRung;
using test::Simple;

void Set(MemoryImage& m, int timer, TimerSetting s) {
    m.Timers[timer].Used = s.Used;
    m.Timers[timer].Preset = s.Preset;
    m.Timers[timer].OnDelayStyle = s.OnDelayStyle;
}
void Set(MemoryImage& m, int counter, CounterSetting s) {
    m.Counters[counter].Used = s.Used;
    m.Counters[counter].Preset = s.Preset;
    m.Counters[counter].InitialCount = s.InitialCount;
}

const std::vector<std::string> kTimerRung = {
    "STA NOC:IP1 - - - - - - - - - - - - - - - - BRA ODT:T2 FIN",
    ". . . . . . . . . . . . . . . . . . LEF TBT:0,2 FIN"};

TEST(RungClipboard, ACopiedRungReadsAsTheFileWouldHoldIt) {
    Model m;
    SetRung(m.diagram(), 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    SetRung(m.diagram(), 1, kTimerRung);
    m.diagram().Rungs[1].setComment("Starts the pump after a delay");
    Set(m.memory(), 2, TimerSetting{true, 2500, true});

    const std::string text = RungsText(*m.plc, 1, 1);
    const std::string zeros = "  0  0  0  0  0  0  0  0  0  0";
    EXPECT_EQ(text, Crlf({MakeForty("Rung 0 Controls"),
                          "NOCLNKLNKLNKLNKLNKLNKLNKLNKODT",
                          "NONNONNONNONNONNONNONNONNONTBT",
                          "NONNONNONNONNONNONNONNONNONNON",
                          "NONNONNONNONNONNONNONNONNONNON",
                          "",
                          MakeForty("Rung 0 Types"),
                          zeros,
                          zeros,
                          zeros,
                          zeros,
                          "",
                          MakeForty("Rung 0 Indexes"),
                          "  1  0  0  0  0  0  0  0  0  2",
                          "  0  0  0  0  0  0  0  0  0  2",
                          zeros,
                          zeros,
                          "",
                          MakeForty("Rung 0 Links"),
                          "STATHRTHRTHRTHRTHRTHRTHRTHRBRAFIN",
                          "NONNONNONNONNONNONNONNONNONLEFFIN",
                          "NONNONNONNONNONNONNONNONNONNONNON",
                          "NONNONNONNONNONNONNONNONNONNONNON",
                          "",
                          MakeForty("Timer 2"),
                          "2500",
                          "",
                          MakeForty("OnDelay 2"),
                          "",
                          MakeForty("Comment 0"),
                          "Starts the pump after",
                          " a delay",
                          ""}));

    const RungsReadResult back = ReadRungsText(text);
    ASSERT_TRUE(back.ok) << back.error;
    ASSERT_EQ(back.rungs.rungs.size(), 1u);
    EXPECT_TRUE(SameRung(back.rungs.rungs[0], m.diagram().Rungs[1]));
    EXPECT_EQ(back.rungs.timers[1], (TimerSetting{true, 2500, true}));
    // Several rungs come back in their order.
    const RungsReadResult both = ReadRungsText(RungsText(*m.plc, 0, 2));
    ASSERT_TRUE(both.ok) << both.error;
    ASSERT_EQ(both.rungs.rungs.size(), 2u);
    EXPECT_TRUE(SameRung(both.rungs.rungs[0], m.diagram().Rungs[0]));
    EXPECT_TRUE(SameRung(both.rungs.rungs[1], m.diagram().Rungs[1]));
}

// A number the diagram uses keeps its preset; an unused one takes the pasted preset.
TEST(RungClipboard, PastedBoxesKeepTheDiagramsPresetsAndFillTheUnused) {
    Model from;
    SetRung(from.diagram(), 0, kTimerRung);
    SetRung(from.diagram(), 1, {Simple({"NOC:IP1"}, "TIM:T3")});
    SetRung(from.diagram(), 2, {Simple({"NOC:IP2"}, "CUP:C1")});
    SetRung(from.diagram(), 3, {Simple({"NOC:IP3"}, "CDN:C4")});
    MemoryImage& source = from.memory();
    Set(source, 2, TimerSetting{true, 5000, true});
    Set(source, 3, TimerSetting{true, 7000, false});
    Set(source, 1, CounterSetting{true, 9, 1});
    Set(source, 4, CounterSetting{true, 8, 2});
    const RungsReadResult copied = ReadRungsText(RungsText(*from.plc, 0, 4));
    ASSERT_TRUE(copied.ok) << copied.error;

    Model to;
    SetRung(to.diagram(), 0, {Simple({"NOC:IP9"}, "OUT:OP9")});
    MemoryImage& m = to.memory();
    Set(m, 2, TimerSetting{true, 1000, false});
    m.Timers[3].Preset = 300;  // left from a box deleted since
    Set(m, 1, CounterSetting{true, 5, 0});
    ASSERT_EQ(PasteRungs(*to.plc, copied.rungs, 0), RungEdit::Done);

    EXPECT_EQ(to.diagram().RungCount(), 5);
    for (int r = 0; r < 4; ++r)
        EXPECT_TRUE(SameRung(to.diagram().Rungs[r], from.diagram().Rungs[r])) << r;
    EXPECT_EQ(test::RungRows(to.diagram().Rungs[4])[0], Simple({"NOC:IP9"}, "OUT:OP9"));
    auto timer = [&](int n) {
        return TimerSetting{m.Timers[n].Used, m.Timers[n].Preset, m.Timers[n].OnDelayStyle};
    };
    auto counter = [&](int n) {
        return CounterSetting{m.Counters[n].Used, m.Counters[n].Preset, m.Counters[n].InitialCount};
    };
    EXPECT_EQ(timer(2), (TimerSetting{true, 1000, false})) << "in use: the diagram's";
    EXPECT_EQ(timer(3), (TimerSetting{true, 7000, false})) << "unused: the pasted one";
    EXPECT_EQ(counter(1), (CounterSetting{true, 5, 0})) << "in use: the diagram's";
    EXPECT_EQ(counter(4), (CounterSetting{true, 8, 2})) << "unused: the pasted one";
    EXPECT_FALSE(m.Timers[1].Used);
}

// Nothing is pasted half-way: past the table's 1001 rungs, or outside the diagram.
TEST(RungClipboard, APasteThatDoesNotFitChangesNothing) {
    Model m;
    SetRung(m.diagram(), 0, kTimerRung);
    SetRung(m.diagram(), 1, {Simple({}, "OUT:OP1")});
    const RungsReadResult two = ReadRungsText(RungsText(*m.plc, 0, 2));
    ASSERT_TRUE(two.ok) << two.error;
    Model full;
    for (int r = 0; r < kMaxRungs - 1; ++r) full.diagram().NewRung(r);
    const std::string before = LadderText(*full.plc, full.comments, full.settings);
    EXPECT_EQ(PasteRungs(*full.plc, two.rungs, 0), RungEdit::TableFull);
    EXPECT_EQ(PasteRungs(*full.plc, two.rungs, kMaxRungs), RungEdit::NoSuchRung);
    EXPECT_EQ(LadderText(*full.plc, full.comments, full.settings), before);
    EXPECT_FALSE(full.memory().Timers[2].Used);
}

TEST(RungClipboard, DamagedOrForeignTextIsRefusedWithAReason) {
    Model m;
    SetRung(m.diagram(), 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    SetRung(m.diagram(), 1, {Simple({"NOC:0,99"}, "OUT:OP0")});  // no input 99
    const std::string good = RungsText(*m.plc, 0, 1);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, from.size(), to);
        return text;
    };
    const std::string types = MakeForty("Rung 0 Types") + "\r\n";
    const struct {
        const char* what;
        std::string text;
        const char* message;
    } cases[] = {
        {"plain words", "Motor start\r\n", "The clipboard holds no rungs of a TORVEX diagram."},
        {"nothing", "", "The clipboard holds no rungs of a TORVEX diagram."},
        {"a whole novel", std::string(kLargestRungsText + 1, '-'),
         "The clipboard holds too much text to be rungs of a diagram."},
        {"a field that is no number", replaced(types + "  0", types + "abc"),
         "The rungs on the clipboard are damaged and were not pasted: 'clipboard', section "
         "'Rung 0 Types', line 8: 'abc' is not a valid integer value"},
        {"text cut short", good.substr(0, good.find(MakeForty("Rung 0 Links")) + 50),
         "The rungs on the clipboard are damaged and were not pasted: The file 'clipboard' ends"},
        {"an input that does not exist", RungsText(*m.plc, 1, 1),
         "The rungs on the clipboard name operands outside their tables and were not pasted: "
         "rung 0, row 0, column 0"},
        {"a comment for a rung it does not hold", good + Crlf({MakeForty("Comment 4"), "x", ""}),
         "The rungs on the clipboard are damaged and were not pasted: The file 'clipboard' holds "
         "comments for rungs"},
        {"a rung it numbers but does not hold", replaced(" Rung 0 ", " Rung 1 "),
         "The rungs on the clipboard are damaged and were not pasted: rung 0 is missing."},
    };
    for (const auto& c : cases) {
        const RungsReadResult read = ReadRungsText(c.text);
        EXPECT_FALSE(read.ok) << c.what;
        EXPECT_EQ(read.error.substr(0, std::string(c.message).size()), c.message) << c.what;
    }
    EXPECT_EQ(ReadRungsText("Moottori\r\n", true).error,
              "Leikepöydällä ei ole TORVEX-kaavion puolia.");
}

}  // namespace
}  // namespace torvex

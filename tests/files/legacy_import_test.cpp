#include "files/legacy_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/ladder_writer.h"
#include "tests/files/file_fixture.h"

namespace torvex {
namespace {

using test::Crlf;
using test::DataPath;
using test::Model;

struct Cell {
    int32_t code, kind, index;
    bool operator==(const Cell&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Cell& c) {
    return out << "{" << c.code << ", " << c.kind << ", " << c.index << "}";
}
Cell CellAt(const RungRecord& rung, int g, int w) {
    return {rung.Code(g, w), rung.Kind(g, w), rung.Index(g, w)};
}

TEST(OldLetterValue, FollowsTheLetterTable) {
    const char* letters = "OCTFBDEGR";
    for (int i = 0; letters[i]; ++i) EXPECT_EQ(OldLetterValue(letters[i]), i + 1) << letters[i];
    for (char other : {'I', 'o', ' ', 'Z', '\0'}) EXPECT_EQ(OldLetterValue(other), 0) << other;
}

TEST(OldCellLine, DecodesEveryFamily) {
    const struct {
        const char* line;
        Cell cell;
    } cases[] = {
        {"\"P0I  5\"", {Control::NOC, ContactKind::Input, 5}},
        {"\"P2O  3\"", {Control::OUT, CoilKind::Output, 3}},
        {"\"P0C  3\"", {Control::NOC, ContactKind::CounterUp, 2}},
        {"\"P0C  4\"", {Control::NOC, ContactKind::CounterDown, 3}},
        {"\"P0T  0\"", {Control::NOC, ContactKind::TimerDone, 1}},
        {"\"PS\"", {Control::NON, 0, 0}},
        {"\"P     \"", {Control::LNK, 0, 0}},
        {"\"\"", {Control::NON, 0, 0}},
        {"", {Control::NON, 0, 0}},
        {"\"Q0I  5\"", {Control::NON, 0, 0}},
        {"\"P1O 12\"", {Control::NCC, ContactKind::Output, 12}},
        {"\"P1F  9\"", {Control::NCC, ContactKind::Flag, 9}},
        {"\"P0B  1\"", {Control::NOC, 3, 1}},
        {"\"P1G 15\"", {Control::NCC, 6, 15}},
        {"\"P0R  4\"", {Control::NOC, 0, 4}},  // R is no contact letter
        {"\"P2F  6\"", {Control::OUT, CoilKind::Flag, 6}},
        {"\"P3D  2\"", {Control::LAT, 3, 2}},
        {"\"P4G 15\"", {Control::UNL, 5, 15}},
        {"\"P2T  1\"", {Control::OUT, 0, 1}},  // T is no coil letter
        {"\"P5T  4\"", {Control::TIM, 0, 4}},
        {"\"P6C  0\"", {Control::CUP, 0, 1}},
        {"\"P7R  3\"", {Control::RES, ResetKind::Timer, 4}},
        {"\"P7R  8\"", {Control::RES, ResetKind::Counter, 1}},
        {"\"P7R 15\"", {Control::RES, ResetKind::Counter, 8}},
        {"\"P7E  9\"", {Control::RES, 4, 9}},
        {"\"P8   0\"", {Control::BL1, 0, 0}},
        {"\"P8   3\"", {Control::BL4, 0, 0}},
        {"\"P9   1\"", {Control::BR2, 0, 0}},
        {"\"P9   4\"", {Control::LNK, 0, 0}},  // no such register: the wire stays
        {"\"PSO  3\"", {Control::NON, 0, 0}},
        {"\"P0I5  \"", {Control::NOC, 0, 5}},  // the number is trimmed of spaces
    };
    for (const auto& c : cases) {
        RungRecord rung;
        rung.makeNew();
        OldCellLine(rung, 4, 0, c.line);
        EXPECT_EQ(CellAt(rung, 9, 0), c.cell) << c.line;
    }
}

TEST(OldCellLine, RejectsDigitsAndNumbersThatAreNotIntegers) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"\"PXI  5\"", "'X' is not a valid integer value"},
        {"\"P0I  x\"", "'x' is not a valid integer value"},
        {"\"P0I\"", "'\"' is not a valid integer value"},
        {"\"P0I   \"", "'' is not a valid integer value"},
        {"\"P", "'' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        RungRecord rung;
        try {
            OldCellLine(rung, 0, 0, c.line);
            ADD_FAILURE() << c.line << ": no error";
        } catch (const FileFormatError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.line;
        }
    }
}

TEST(ApplyOldShiftSource, FollowsTheSourceTable) {
    const struct {
        int32_t source;
        int32_t kind, index;
    } cases[] = {
        {0, ShiftSourceKind::Input, 0},
        {11, ShiftSourceKind::Input, 11},
        {16, ShiftSourceKind::Output, 0},
        {27, ShiftSourceKind::Output, 11},
        {32, ShiftSourceKind::TimerDone, 1},
        {33, ShiftSourceKind::TimerDone, 2},
        {37, ShiftSourceKind::TimerDone, 6},
        {48, ShiftSourceKind::CounterDown, 1},
        {49, ShiftSourceKind::CounterUp, 1},
        {59, ShiftSourceKind::CounterUp, 6},
        {64, ShiftSourceKind::Flag, 0},
        {79, ShiftSourceKind::Flag, 15},
        {80, ShiftSourceKind::RegisterBit, 16},
        {81, ShiftSourceKind::RegisterBit, 17},
        {143, ShiftSourceKind::RegisterBit, 79},
        {12, 2, 7},  // outside the table: unchanged
        {144, 2, 7},
        {-1, 2, 7},
    };
    for (const auto& c : cases) {
        RungRecord rung;
        rung.setCell(19, 0, Control::BR3, 2, 7);
        rung.setCell(19, 1, Control::BBT, 2, 7);
        ApplyOldShiftSource(rung, c.source);
        EXPECT_EQ(CellAt(rung, 19, 0), (Cell{Control::BR3, c.kind, c.index})) << c.source;
        EXPECT_EQ(CellAt(rung, 19, 1), (Cell{Control::BBT, c.kind, c.index})) << c.source;
    }
    RungRecord timer;
    timer.setCell(19, 0, Control::TIM, 0, 3);
    ApplyOldShiftSource(timer, 49);
    EXPECT_EQ(CellAt(timer, 19, 0), (Cell{Control::TIM, 0, 3}));
}

TEST(AddOldBranch, DrawsABranchAroundTheControlsOfItsRow) {
    RungRecord rung;
    rung.makeNew();
    rung.setCell(9, 1, Control::NOC, 0, 4);  // control column 4, row 1
    ASSERT_TRUE(AddOldBranch(rung, 1, 51 / 10, 21 / 10));
    const int32_t row0[] = {Link::STA, Link::THR, Link::BRA, Link::THR, Link::THR, Link::THR,
                            Link::BRA, Link::THR, Link::THR, Link::THR, Link::FIN};
    const int32_t row1[] = {0,         0, Link::LEF, Link::THR, Link::THR, Link::THR,
                            Link::RIG, 0, 0,         0,         0};
    for (int k = 0; k < kLinkColumns; ++k) {
        EXPECT_EQ(rung.Code(2 * k, 0), row0[k]) << "link column " << k;
        EXPECT_EQ(rung.Code(2 * k, 1), row1[k]) << "link column " << k;
    }

    // A row without a control between the columns gets no branch.
    RungRecord empty;
    empty.makeNew();
    EXPECT_TRUE(AddOldBranch(empty, 2, 2, 5));
    for (int g = 0; g < kColumns; ++g) EXPECT_EQ(empty.Code(g, 2), 0);

    // A branch beginning at the rail, under an earlier one: the risers stop at STA and BRA.
    rung.setCell(5, 2, Control::NCC, 0, 1);
    ASSERT_TRUE(AddOldBranch(rung, 2, 0, 4));
    EXPECT_EQ(rung.Code(0, 2), Link::STA);
    EXPECT_EQ(rung.Code(0, 1), Link::DWN);
    EXPECT_EQ(rung.Code(0, 0), Link::STA);
    EXPECT_EQ(rung.Code(10, 2), Link::RIG);
    EXPECT_EQ(rung.Code(10, 1), Link::BRA);  // THR of the branch above: stops here
    EXPECT_EQ(rung.Code(10, 0), Link::THR);

    RungRecord outside;
    outside.makeNew();
    outside.setCell(19, 1, Control::OUT, 0, 0);
    EXPECT_FALSE(AddOldBranch(outside, 1, 9, 10));
    EXPECT_FALSE(AddOldBranch(outside, 1, -1, 3));
    EXPECT_FALSE(AddOldBranch(outside, 4, 1, 3));
    for (int g = 0; g < kColumns; g += 2) EXPECT_EQ(outside.Code(g, 1), 0);
}

TEST(RebuildOldOutputs, TurnsBoxesIntoBoxBottomsAndWiresTheOutputsInParallel) {
    const struct {
        std::vector<int32_t> column9;  // codes of rows 0 ... 3
        std::vector<int32_t> link9;    // link column 9, rows 0 ... 3
        std::vector<int32_t> link10;   // link column 10, rows 0 ... 3
        int32_t secondRow;
    } cases[] = {
        {{Control::OUT, 0, 0, 0}, {Link::THR, 0, 0, 0}, {Link::FIN, 0, 0, 0}, 0},
        {{Control::OUT, Control::LAT, 0, 0},
         {Link::BRA, Link::LEF, 0, 0},
         {Link::FIN, Link::FIN, 0, 0},
         Control::LAT},
        {{Control::OUT, Control::OUT, Control::RES, 0},
         {Link::BRA, Link::STA, Link::LEF, 0},
         {Link::FIN, Link::FIN, Link::FIN, 0},
         Control::OUT},
        {{Control::OUT, Control::OUT, Control::LNK, Control::UNL},
         {Link::BRA, Link::STA, Link::STA, Link::LEF},
         {Link::FIN, Link::FIN, Link::FIN, Link::FIN},
         Control::OUT},
        {{Control::TIM, Control::TIM, 0, 0},
         {Link::BRA, Link::LEF, 0, 0},
         {Link::FIN, Link::FIN, 0, 0},
         Control::TBT},
        {{Control::CDN, Control::CUP, 0, 0},
         {Link::BRA, Link::LEF, 0, 0},
         {Link::FIN, Link::FIN, 0, 0},
         Control::CBT},
        {{Control::BR4, Control::BR4, 0, 0},
         {Link::BRA, Link::LEF, 0, 0},
         {Link::FIN, Link::FIN, 0, 0},
         Control::BBT},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        RungRecord rung;
        rung.makeNew();
        for (int w = 0; w < kRows; ++w) rung.setCell(19, w, cases[i].column9[w], 0, 1);
        RebuildOldOutputs(rung);
        EXPECT_EQ(rung.Code(19, 1), cases[i].secondRow) << i;
        for (int w = 0; w < kRows; ++w) {
            EXPECT_EQ(rung.Code(18, w), cases[i].link9[w]) << i << " row " << w;
            EXPECT_EQ(rung.Code(20, w), cases[i].link10[w]) << i << " row " << w;
        }
    }
}

TEST(DoOldLoad, ImportsADiagramWithItsCommentFile) {
    Model m;
    const LoadResult r = DoOldLoad(*m.plc, m.comments, DataPath("legacy/plant.lld"));
    ASSERT_TRUE(r.completed) << r.error;
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.controlMode, ControlMenuMode::Debugger);
    EXPECT_TRUE(r.commentsShown);
    const Diagram& d = m.diagram();
    ASSERT_EQ(d.RungCount(), 5);
    // Rung 0: start, stop, motor; the seal-in contact in a branch; a flag in parallel.
    EXPECT_EQ(CellAt(d.Rungs[0], 1, 0), (Cell{Control::NOC, ContactKind::Input, 0}));
    EXPECT_EQ(CellAt(d.Rungs[0], 3, 0), (Cell{Control::NCC, ContactKind::Input, 1}));
    EXPECT_EQ(CellAt(d.Rungs[0], 19, 0), (Cell{Control::OUT, CoilKind::Output, 0}));
    EXPECT_EQ(CellAt(d.Rungs[0], 1, 1), (Cell{Control::NOC, ContactKind::Output, 0}));
    EXPECT_EQ(CellAt(d.Rungs[0], 19, 1), (Cell{Control::OUT, CoilKind::Flag, 3}));
    EXPECT_EQ(d.Rungs[0].Code(0, 1), Link::STA);
    EXPECT_EQ(d.Rungs[0].Code(2, 1), Link::RIG);
    EXPECT_EQ(d.Rungs[0].Code(2, 0), Link::BRA);
    EXPECT_EQ(d.Rungs[0].Code(18, 1), Link::LEF);
    EXPECT_EQ(d.Rungs[0].Code(20, 1), Link::FIN);
    EXPECT_EQ(d.Rungs[0].Comment(), "Motor with seal-in");
    // Rung 1: a latched timer with its box bottom; 3 seconds.
    EXPECT_EQ(CellAt(d.Rungs[1], 19, 0), (Cell{Control::TIM, 0, 1}));
    EXPECT_EQ(CellAt(d.Rungs[1], 19, 1), (Cell{Control::TBT, 0, 1}));
    EXPECT_EQ(m.memory().Timers[1].Preset, 3000);
    EXPECT_TRUE(m.memory().Timers[1].Used);
    // Rung 2: the direction line makes the counter count down.
    EXPECT_EQ(CellAt(d.Rungs[2], 19, 0), (Cell{Control::CDN, 0, 2}));
    EXPECT_EQ(CellAt(d.Rungs[2], 19, 1), (Cell{Control::CBT, 0, 2}));
    EXPECT_EQ(m.memory().Counters[2].Preset, 5);
    EXPECT_TRUE(m.memory().Counters[2].Used);
    EXPECT_FALSE(m.memory().Counters[1].Used);
    // Rung 3: source 81 is register 1 bit 1.
    EXPECT_EQ(CellAt(d.Rungs[3], 19, 0), (Cell{Control::BL3, ShiftSourceKind::RegisterBit, 17}));
    EXPECT_EQ(CellAt(d.Rungs[3], 19, 1), (Cell{Control::BBT, ShiftSourceKind::RegisterBit, 17}));
    // Rung 4: resets of counter 2 and of R1 bit 5.
    EXPECT_EQ(CellAt(d.Rungs[4], 19, 0), (Cell{Control::RES, ResetKind::Counter, 2}));
    EXPECT_EQ(CellAt(d.Rungs[4], 19, 1), (Cell{Control::RES, ResetKind::Register1, 5}));
}

// A small lld text: header, rung count line, rungs, timer blocks and branch lines.
std::string OldFile(const std::string& header, int lastRung, int timers,
                    const std::string& firstCell = "\"P0I  5\"") {
    std::vector<std::string> lines = {header, std::to_string(lastRung)};
    for (int r = 0; r <= lastRung; ++r) {
        lines.push_back("\"Rung\"");
        lines.push_back("0");
        for (int i = 0; i < 40; ++i) lines.push_back(i == 0 ? firstCell : "\"\"");
        lines.push_back("\"\"");
    }
    for (int k = 1; k <= timers; ++k)
        lines.insert(lines.end(), {"\"\"", std::to_string(k), "0", "0"});
    for (int r = 0; r <= lastRung; ++r) {
        for (int k = 0; k < timers; ++k) lines.push_back("0");
        for (int i = 0; i < 8; ++i) lines.push_back("0");
    }
    return Crlf(lines);
}

FileBytes Comments(int rungs) {
    FileBytes file;
    file.ok = true;
    for (int r = 0; r < rungs; ++r) file.bytes += "\"\"\r\n";
    return file;
}

TEST(DoOldLoad, ReadsSixOrEightTimerBlocksByTheHeader) {
    for (const auto& [header, timers] :
         {std::pair<std::string, int>{"\"New8\"", 8}, {"\"New\"", 6}, {"\"New6\"", 6}}) {
        Model m;
        const LoadResult r =
            ImportOldText(*m.plc, m.comments, OldFile(header, 1, timers), Comments(2));
        ASSERT_TRUE(r.completed) << header << ": " << r.error;
        EXPECT_EQ(m.memory().Timers[timers].Preset, timers * 1000) << header;
        EXPECT_EQ(m.memory().Timers[kTimers].Preset, timers == kTimers ? 8000 : 0) << header;
        EXPECT_FALSE(r.commentsShown);
    }
}

TEST(DoOldLoad, RefusesAFileTooOld) {
    Model m;
    m.diagram().NewRung(1);
    const LoadResult r = ImportOldText(*m.plc, m.comments, OldFile("\"Old\"", 0, 6), Comments(1));
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.warnings, std::vector<std::string>{"Too old a Torvex file format"});
    EXPECT_EQ(m.diagram().RungCount(), 1);  // the new diagram of one rung
}

TEST(DoOldLoad, AnImportThatFailsLeavesTheModelAsItWas) {
    test::TempFolder folder;
    const std::string plant = folder.path("plant.lld"), noComments = folder.path("lonely.lld"),
                      badCell = folder.path("bad.lld"), fifo = folder.path("fifo.lld"),
                      fifoComments = folder.path("pipe.lld");
    test::WriteBytes(plant, OldFile("\"New\"", 0, 6));
    test::WriteBytes(folder.path("plant.lcd"), "\"\"\r\n");
    test::WriteBytes(noComments, OldFile("\"New\"", 0, 6));
    test::WriteBytes(badCell, OldFile("\"New\"", 0, 6, "\"P0Iabc\""));
    test::WriteBytes(folder.path("bad.LCD"), "\"\"\r\n");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    test::WriteBytes(fifoComments, OldFile("\"New\"", 0, 6));
    ASSERT_EQ(mkfifo(folder.path("pipe.LCD").c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {badCell, "'" + badCell + "', line 5: 'abc' is not a valid integer value"},
        {noComments, "'" + folder.path("lonely.LCD") + "': File not found"},
        {folder.path("missing.lld"), "'" + folder.path("missing.lld") + "': File not found"},
        {fifo, "'" + fifo + "' is not a regular file."},
        {fifoComments, "'" + folder.path("pipe.LCD") + "' is not a regular file."},
    };
    for (const auto& c : cases) {
        Model m;
        test::FillModel(m);
        const test::ModelState before = test::StateOf(m);
        const LoadResult r = DoOldLoad(*m.plc, m.comments, c.path);
        EXPECT_FALSE(r.completed) << c.path;
        EXPECT_TRUE(r.untouched) << c.path;
        EXPECT_EQ(r.error, c.error);
        EXPECT_TRUE(r.warnings.empty()) << c.path;
        EXPECT_EQ(test::StateDifference(m, before), "") << c.path;
    }
    Model m;
    ASSERT_TRUE(DoOldLoad(*m.plc, m.comments, plant).completed);
}

// The text up to the end of line `lines`.
std::string FirstLines(const std::string& text, int lines) {
    size_t end = 0;
    for (int i = 0; i < lines; ++i) end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

TEST(DoOldLoad, AFileCutShortImportsWhatItHoldsAndWarnsOnceWhereItEnds) {
    // Header and count: 2 lines; 3 rungs of 43 lines; 6 timer blocks of 4; 3 x 14 branch lines.
    const std::string whole = OldFile("\"New\"", 2, 6);
    const struct {
        std::string diagram;
        int commentLines;
        bool finnish;
        int rungs;
        std::string warning;
    } cases[] = {
        {whole, 3, false, 3, ""},
        {FirstLines(whole, 2 + 43 + 10), 3, false, 2, "The file 'x.lld' ends inside rung 1."},
        {FirstLines(whole, 2 + 129 + 9), 3, false, 3,
         "The file 'x.lld' ends inside timer block 3."},
        {FirstLines(whole, 2 + 129 + 9), 3, true, 3,
         "Tiedosto 'x.lld' päättyy kesken ajastinlohkon 3."},
        {FirstLines(whole, 2 + 129 + 24), 3, false, 3, "The file 'x.lld' ends inside rung 0."},
        // The last line without its line end may have lost a digit: it is not taken.
        {whole.substr(0, whole.size() - 2), 3, false, 3, "The file 'x.lld' ends inside rung 2."},
        {whole, 2, false, 3, "The file 'x.LCD' ends inside rung 2."},
    };
    for (const auto& c : cases) {
        Model m;
        FileBytes comments = Comments(c.commentLines);
        comments.path = "x.LCD";
        const LoadResult r =
            ImportOldText(*m.plc, m.comments, c.diagram, comments, "x.lld", c.finnish);
        EXPECT_TRUE(r.completed) << c.warning << ": " << r.error;
        EXPECT_EQ(r.warnings, c.warning.empty() ? std::vector<std::string>{}
                                                : std::vector<std::string>{c.warning});
        EXPECT_EQ(m.diagram().RungCount(), c.rungs) << c.warning;
        EXPECT_FALSE(r.commentsShown) << c.warning;
    }
}

TEST(DoOldLoad, KeepsRungsBeyondTheTableOutAndClearsOperandsBeyondTheirTables) {
    Model m;
    LoadResult r = ImportOldText(*m.plc, m.comments, OldFile("\"New\"", 1001, 6, "\"P0I 99\""),
                                 Comments(1002));
    ASSERT_TRUE(r.completed) << r.error;
    EXPECT_EQ(m.diagram().RungCount(), kMaxRungs);
    ASSERT_EQ(r.warnings.size(), 2u);
    EXPECT_EQ(r.warnings[0], "The file holds 1002 rungs; only rungs 0 to 1000 were imported");
    EXPECT_EQ(r.warnings[1].find("Cells whose operand lies outside its table were cleared: "
                                 "rung 0, row 0, column 0; rung 1, row 0, column 0; "),
              0u);
    EXPECT_NE(r.warnings[1].find("; and 981 more"), std::string::npos);
    EXPECT_EQ(m.diagram().Rungs[1000].Code(1, 0), Control::NON);
}

TEST(OldCommentFileName, FindsTheCommentFileInAnyLetterCase) {
    test::TempFolder folder;
    test::WriteBytes(folder.path("Motor.lcd"), "\"\"\r\n");
    EXPECT_EQ(OldCommentFileName(folder.path("Motor.lld")), folder.path("Motor.lcd"));
    test::WriteBytes(folder.path("Motor.LCD"), "\"\"\r\n");
    EXPECT_EQ(OldCommentFileName(folder.path("Motor.lld")), folder.path("Motor.LCD"));
    EXPECT_EQ(OldCommentFileName(folder.path("Pump.LLD")), folder.path("Pump.LCD"));
}

}  // namespace
}  // namespace torvex

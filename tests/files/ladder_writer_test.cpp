#include "files/ladder_writer.h"

#include <gtest/gtest.h>

#include "engine/editing.h"
#include "files/ladder_reader.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::Crlf;
using test::DataPath;
using test::Model;
using test::ReadBytes;
using test::SetRung;
using test::Simple;

TEST(MakeForty, CentresTitlesInDashes) {
    const struct {
        const char* title;
        const char* banner;
    } cases[] = {
        {"Rung 0 Controls", "----------- Rung 0 Controls ------------"},
        {"Rung 12 Controls", "----------- Rung 12 Controls -----------"},
        {"Rung 0 Types", "------------- Rung 0 Types -------------"},
        {"Rung 0 Indexes", "------------ Rung 0 Indexes ------------"},
        {"Rung 0 Links", "------------- Rung 0 Links -------------"},
        {"Output Comment 15", "---------- Output Comment 15 -----------"},
        {"Timer 1", "--------------- Timer 1 ----------------"},
        {"OnDelay 1", "-------------- OnDelay 1 ---------------"},
        {"Simulation", "-------------- Simulation --------------"},
        {"Control", "--------------- Control ----------------"},
        {"Comments", "--------------- Comments ---------------"},
    };
    for (const auto& c : cases) EXPECT_EQ(MakeForty(c.title), c.banner) << c.title;
}

TEST(MakeForty, EveryBannerTheWriterMakesIsFortyLong) {
    Model m;
    for (int r = 0; r < kMaxRungs; ++r) m.diagram().NewRung(r);
    m.diagram().setRungCount(kMaxRungs);
    for (int r = 0; r < kMaxRungs; ++r) m.diagram().Rungs[r].setComment("x");
    for (int g = 0; g < kIOCommentGroups; ++g)
        for (int n = IOCommentGroups()[g].first; n <= IOCommentGroups()[g].last; ++n)
            *IOCommentSlot(m.comments, g, n) = "c";
    for (auto& t : m.memory().Timers) t.Used = t.OnDelayStyle = true;
    for (auto& c : m.memory().Counters) c.Used = true;
    m.settings.simulationOpen = true;
    const std::string text = LadderText(*m.plc, m.comments, m.settings);
    size_t banners = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        if (line.find("---") == 0) {
            ++banners;
            EXPECT_EQ(line.size(), 40u) << line;
        } else {
            EXPECT_NE(line.size(), 40u) << line;  // no data line may pass for a banner
        }
        at = end + 2;
    }
    EXPECT_EQ(banners, size_t{kMaxRungs} * 5 + 16 * 3 + 8 * 2 + 4 + 8 * 3 + 3);
}

// The complete file for one rung: input 0 through a contact to output 0.
void BuildMotorExample(Model& m) {
    m.diagram().setRungCount(0);
    SetRung(m.diagram(), 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    m.comments.InputComments[0] = "Start button";
    m.comments.OutputComments[0] = "Motor contactor";
    m.diagram().Rungs[0].setComment("Runs the motor while the start button is held");
    m.settings.commentsShown = true;
}

TEST(SaveLadder, WritesTheCompleteExampleByteForByte) {
    Model m;
    BuildMotorExample(m);
    EXPECT_EQ(LadderText(*m.plc, m.comments, m.settings),
              ReadBytes(DataPath("complete_example.llg")));
}

TEST(SaveLadder, WritesTimersOnDelaysAndCountersAsTheExampleShows) {
    Model m;
    m.memory().Timers[1] = {};
    m.memory().Timers[1].Preset = 5000;
    m.memory().Counters[2].Preset = 10;
    m.memory().Counters[2].InitialCount = 0;
    LadderWriter writer(*m.plc, m.comments, m.settings);
    writer.WriteTimer(1);
    writer.WriteOnDelay(1);
    writer.WriteCounter(2);
    EXPECT_EQ(writer.text(), Crlf({"--------------- Timer 1 ----------------", "5000", "",
                                   "-------------- OnDelay 1 ---------------", "",
                                   "-------------- Counter 2 ---------------", "10", "0", ""}));

    // The same sections in a whole diagram: an on-delay timer, a counter and its reset.
    Model d;
    d.diagram().setRungCount(0);
    SetRung(d.diagram(), 0, {Simple({"NOC:IP0"}, "ODT:T1")});
    SetRung(d.diagram(), 1, {Simple({"NOC:T1/DN"}, "CUP:C2")});
    SetRung(d.diagram(), 2, {Simple({"NOC:IP1"}, "RES:C2")});
    d.diagram().Rungs[0].setCell(kOutputColumn, 1, Control::TBT, 0, 1);
    d.diagram().Rungs[1].setCell(kOutputColumn, 1, Control::CBT, 0, 2);
    for (int r = 0; r < 2; ++r) WireParallelOutputs(d.diagram().Rungs[r], 1);
    TimerRecord& t = d.memory().Timers[1];
    t.Used = t.OnDelayStyle = true;
    t.Preset = 5000;
    CounterRecord& c = d.memory().Counters[2];
    c.Used = true;
    c.Preset = 10;
    EXPECT_EQ(LadderText(*d.plc, d.comments, d.settings), ReadBytes(DataPath("timer_counter.llg")));
}

TEST(WriteComment, CutsTheCommentIntoPiecesOf21) {
    const struct {
        size_t length;
        std::vector<size_t> pieces;
    } cases[] = {{0, {}},       {3, {3}},          {21, {21}},
                 {22, {21, 1}}, {45, {21, 21, 3}}, {210, {21, 21, 21, 21, 21, 21, 21, 21, 21, 21}}};
    for (const auto& c : cases) {
        Model m;
        std::string comment;
        for (size_t i = 0; i < c.length; ++i) comment += static_cast<char>('a' + i % 26);
        m.diagram().Rungs[0].setComment(comment);
        LadderWriter writer(*m.plc, m.comments, m.settings);
        writer.WriteComment(0);
        std::vector<std::string> lines = {"-------------- Comment 0 ---------------"};
        size_t at = 0;
        for (size_t piece : c.pieces) {
            lines.push_back(comment.substr(at, piece));
            at += piece;
        }
        lines.push_back("");
        EXPECT_EQ(writer.text(), Crlf(lines)) << "length " << c.length;
    }
}

TEST(LineTypes, RightAlignsEachValueInThreeCharacters) {
    RungRecord rung;
    const int32_t values[] = {0, 7, 79, 999, -99, -5, 12, 100, 3, 1};
    for (int c = 0; c < kControlColumns; ++c) {
        rung.setKind(2 * c + 1, 2, values[c]);
        rung.setIndex(2 * c + 1, 2, values[kControlColumns - 1 - c]);
    }
    EXPECT_EQ(LineTypes(rung, 2), "  0  7 79999-99 -5 12100  3  1");
    EXPECT_EQ(LineIndexes(rung, 2), "  1  3100 12 -5-99999 79  7  0");
    EXPECT_EQ(LineTypes(rung, 0), "  0  0  0  0  0  0  0  0  0  0");
}

TEST(LineControls, WritesNothingForACodeWithoutMnemonic) {
    RungRecord rung;
    rung.makeNew();
    rung.setCode(2, 0, Link::FirstDeletion);  // only ever seen while a deletion is confirmed
    EXPECT_EQ(LineLinks(rung, 0), "STATHRTHRTHRTHRTHRTHRTHRTHRFIN");
    EXPECT_EQ(LineControls(rung, 0), "LNKLNKLNKLNKLNKLNKLNKLNKLNKLNK");
}

TEST(SaveLadder, WritesControlModeAndSimulationAsTheWindowHasThem) {
    const struct {
        ControlMenuMode mode;
        bool open;
        int simulation;
        const char* simulationLine;  // nullptr: no Simulation section
        const char* controlLine;
    } cases[] = {
        {ControlMenuMode::Debugger, false, 1, nullptr, "I/O Monitor"},
        {ControlMenuMode::ExternalDevice, false, 1, nullptr, "External Device"},
        {ControlMenuMode::InternalSimulation, true, 2, "Annunciator", "Simulation"},
        {ControlMenuMode::ExternalPLC, true, 3, "Car Park", "Simulation From PLC"},
        {ControlMenuMode::InternalSimulation, true, 4, "Elevator", "Simulation"},
        {ControlMenuMode::InternalSimulation, true, 9, "Traffic Light", "Simulation"},
    };
    for (const auto& c : cases) {
        Model m;
        m.settings = {c.mode, c.open, c.simulation, false};
        const std::string text = LadderText(*m.plc, m.comments, m.settings);
        EXPECT_NE(text.find(Crlf({MakeForty("Control"), c.controlLine, ""})), std::string::npos)
            << c.controlLine;
        const size_t simulation = text.find(MakeForty("Simulation"));
        if (!c.simulationLine) {
            EXPECT_EQ(simulation, std::string::npos);
            continue;
        }
        EXPECT_NE(text.find(Crlf({MakeForty("Simulation"), c.simulationLine, ""})),
                  std::string::npos)
            << c.simulationLine;
    }
}

TEST(SaveLadder, WritesLineBreaksAndCtrlZInCommentsAsSpacesSoTheRestStaysReadable) {
    Model m;
    m.diagram().setRungCount(0);
    SetRung(m.diagram(), 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    SetRung(m.diagram(), 1, {Simple({"NOC:IP1"}, "OUT:OP1")});
    m.diagram().Rungs[0].setComment(std::string("stop\x1A") + "here\r\nnext");
    m.comments.FlagComments[3] = std::string("flag\x1A") + "\nthree";
    m.settings.commentsShown = true;
    const std::string text = LadderText(*m.plc, m.comments, m.settings);
    EXPECT_EQ(text.find('\x1A'), std::string::npos);

    Model back;
    const LoadResult result = LoadLadderText(*back.plc, back.comments, text);
    ASSERT_TRUE(result.completed) << result.error;
    EXPECT_EQ(back.diagram().Rungs[0].Comment(), "stop here  next");
    EXPECT_EQ(back.comments.FlagComments[3], "flag  three");
    EXPECT_EQ(back.diagram().RungCount(), 2);
    EXPECT_EQ(back.diagram().Rungs[1].Code(19, 0), Control::OUT);
    EXPECT_TRUE(result.commentsShown);
}

TEST(SaveLadder, WritesTheOnDelaySectionRightAfterItsTimerAndSkipsUnusedOnes) {
    Model m;
    m.memory().Timers[2] = {};
    m.memory().Timers[2].Used = true;
    m.memory().Timers[2].Preset = 1500;
    m.memory().Timers[5] = {};
    m.memory().Timers[5].Used = m.memory().Timers[5].OnDelayStyle = true;
    m.memory().Timers[5].Preset = 250;
    m.memory().Timers[6] = {};
    m.memory().Timers[6].OnDelayStyle = true;  // not in use: not written
    const std::string text = LadderText(*m.plc, m.comments, m.settings);
    EXPECT_NE(text.find(Crlf({MakeForty("Timer 2"), "1500", "", MakeForty("Timer 5"), "250", "",
                              MakeForty("OnDelay 5"), ""})),
              std::string::npos);
    EXPECT_EQ(text.find("OnDelay 2"), std::string::npos);
    EXPECT_EQ(text.find("Timer 6"), std::string::npos);
    EXPECT_EQ(text.find("OnDelay 6"), std::string::npos);
}

}  // namespace
}  // namespace torvex

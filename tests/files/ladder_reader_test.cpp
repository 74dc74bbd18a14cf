#include "files/ladder_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "files/ladder_writer.h"
#include "files/text_file.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::Crlf;
using test::Model;

// The banner and rows of one rung block.
std::vector<std::string> Block(const std::string& title, std::vector<std::string> rows) {
    rows.insert(rows.begin(), MakeForty(title));
    rows.push_back("");
    return rows;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::string kWireControls = "NOCLNKLNKLNKLNKLNKLNKLNKLNKOUT";
const std::string kWireLinks = "STATHRTHRTHRTHRTHRTHRTHRTHRTHRFIN";
const std::string kZeros = "  0  0  0  0  0  0  0  0  0  0";

LoadResult Load(Model& m, const std::vector<std::string>& lines) {
    return LoadLadderText(*m.plc, m.comments, Crlf(lines), "x.llg");
}

TEST(LineValue, TakesTheTokenAroundTheLastFirstDigit) {
    const struct {
        const char* line;
        bool found;
        int32_t number;
    } cases[] = {
        {"----------- Rung 12 Controls -----------", true, 12},
        {"-------------- OnDelay 1 ---------------", true, 1},
        {"---------- Output Comment 15 -----------", true, 15},
        {"--------------- Control ----------------", false, 0},
        {"--- Rung 1 Controls 7 ---", true, 7},
        {"--- Rung -3 Types ---", true, -3},
        {"---Rung 12", true, 12},
    };
    for (const auto& c : cases) {
        int32_t n = 0;
        EXPECT_EQ(LineValue(c.line, n), c.found) << c.line;
        EXPECT_EQ(n, c.number) << c.line;
    }
    EXPECT_EQ(MaxNum("Rung 12 Controls"), 7);
    EXPECT_EQ(MaxNum("no digit"), 0);
    int32_t n = 0;
    try {
        LineValue("------------ Rung 1x Controls ----------", n);
        FAIL() << "no error";
    } catch (const FileFormatError& e) {
        EXPECT_STREQ(e.what(), "'1x' is not a valid integer value");
    }
}

TEST(RowLines, DecodeFieldByFieldAndLeaveMissingOrUnknownFieldsAlone) {
    RungRecord rung;
    rung.makeNew();
    ControlsLine(rung, 0, "NCCXYZNOC");  // unknown, then a short line
    EXPECT_EQ(rung.Code(1, 0), Control::NCC);
    EXPECT_EQ(rung.Code(3, 0), Control::LNK);
    EXPECT_EQ(rung.Code(5, 0), Control::NOC);
    EXPECT_EQ(rung.Code(7, 0), Control::LNK);
    ControlsLine(rung, 1, "noc");  // case counts
    EXPECT_EQ(rung.Code(1, 1), Control::NON);
    LinksLine(rung, 1, "BRALEF");
    EXPECT_EQ(rung.Code(0, 1), Link::BRA);
    EXPECT_EQ(rung.Code(2, 1), Link::LEF);
    EXPECT_EQ(rung.Code(4, 1), Link::NON);
    TypesLine(rung, 2, "  7 12-99  4");
    EXPECT_EQ(rung.Kind(1, 2), 7);
    EXPECT_EQ(rung.Kind(3, 2), 12);
    EXPECT_EQ(rung.Kind(5, 2), -99);
    EXPECT_EQ(rung.Kind(7, 2), 4);
    IndexesLine(rung, 3, "  3  9");
    EXPECT_EQ(rung.Index(3, 3), 9);
    EXPECT_EQ(rung.Index(5, 3), 0);
    try {
        TypesLine(rung, 0, "  0abc");
        FAIL() << "no error";
    } catch (const FileFormatError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(LoadFile, RaisesRungCountOnlyForControlsBlocks) {
    Model m;
    LoadResult r = Load(m, Block("Rung 3 Controls", {kWireControls, "", "", ""}) +
                               Block("Rung 7 Types", {kZeros, kZeros, kZeros, kZeros}));
    ASSERT_TRUE(r.completed) << r.error;
    EXPECT_EQ(m.diagram().RungCount(), 4);
    EXPECT_EQ(m.diagram().Rungs[3].Code(19, 0), Control::OUT);
    for (int rung = 1; rung <= 2; ++rung)
        for (int c = 0; c < kColumns; ++c)
            for (int w = 0; w < kRows; ++w) EXPECT_EQ(m.diagram().Rungs[rung].Code(c, w), 0);

    Model empty;
    r = Load(empty, {MakeForty("Comments"), "True", ""});
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(empty.diagram().RungCount(), 0);
    EXPECT_TRUE(r.commentsShown);
}

TEST(LoadFile, AnOnDelaySectionCountsOnlyAfterItsTimer) {
    Model before, after;
    const std::vector<std::string> timer = {MakeForty("Timer 1"), "5000", ""};
    const std::vector<std::string> onDelay = {MakeForty("OnDelay 1"), ""};
    ASSERT_TRUE(Load(before, onDelay + timer).completed);
    ASSERT_TRUE(Load(after, timer + onDelay).completed);
    EXPECT_FALSE(before.memory().Timers[1].OnDelayStyle);
    EXPECT_TRUE(after.memory().Timers[1].OnDelayStyle);
    EXPECT_TRUE(after.memory().Timers[1].Used);
    EXPECT_EQ(after.memory().Timers[1].Preset, 5000);
}

TEST(LoadFile, ReadsControlModeAndSimulationInEitherOrder) {
    const auto sim = [](const char* name) {
        return std::vector<std::string>{MakeForty("Simulation"), name, ""};
    };
    const auto control = [](const char* mode) {
        return std::vector<std::string>{MakeForty("Control"), mode, ""};
    };
    const struct {
        std::vector<std::string> lines;
        ControlMenuMode mode;
        int simulation;
        bool warned;
    } cases[] = {
        {sim("Car Park") + control("Simulation From PLC"), ControlMenuMode::InternalSimulation, 3,
         false},
        {control("Simulation From PLC") + sim("Car Park"), ControlMenuMode::InternalSimulation, 3,
         false},
        {control("External Device"), ControlMenuMode::Debugger, 0, false},
        {control("Simulation"), ControlMenuMode::Debugger, 0, false},
        {control("Simulation From PLC"), ControlMenuMode::Debugger, 0, false},
        {sim("Moon Base"), ControlMenuMode::Debugger, 0, true},
        {sim(""), ControlMenuMode::Debugger, 0, false},
        {sim("Elevator") + sim("Moon Base"), ControlMenuMode::InternalSimulation, 4, true},
        {sim("Moon Base") + control("Simulation From PLC"), ControlMenuMode::Debugger, 0, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Model m;
        const LoadResult r = Load(m, cases[i].lines);
        ASSERT_TRUE(r.completed) << i;
        EXPECT_EQ(r.controlMode, cases[i].mode) << i;
        EXPECT_EQ(r.simulation, cases[i].simulation) << i;
        EXPECT_EQ(r.warnings, cases[i].warned
                                  ? std::vector<std::string>{"The simulation is not available"}
                                  : std::vector<std::string>{})
            << i;
    }
}

TEST(LoadFile, SavedInExternalPlcModeComesBackAsInternalSimulation) {
    for (int k = 1; k <= kSimulations; ++k) {
        Model m;
        m.settings = {ControlMenuMode::ExternalPLC, true, k, false};
        Model back;
        const LoadResult r =
            LoadLadderText(*back.plc, back.comments, LadderText(*m.plc, m.comments, m.settings));
        EXPECT_EQ(r.controlMode, ControlMenuMode::InternalSimulation);
        EXPECT_EQ(r.simulation, k);
        const DiagramSettings s = r.settingsAfterLoad();
        EXPECT_TRUE(s.simulationOpen);
        EXPECT_EQ(s.currentSimulation, k);
    }
}

TEST(LoadFile, ReadsCommentLinesAsTextWhateverTheirLength) {
    const std::string forty(40, '-');
    Model m;
    const LoadResult r =
        Load(m, Block("Rung 0 Controls", {kWireControls, "", "", ""}) +
                    std::vector<std::string>{MakeForty("Input Comment 2"), forty, "",
                                             MakeForty("Comment 0"), "first ", "second", "",
                                             MakeForty("Comments"), "true", ""});
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(m.comments.InputComments[2], forty);
    EXPECT_EQ(m.diagram().Rungs[0].Comment(), "first second");
    EXPECT_FALSE(r.commentsShown);  // only "True" is true
}

TEST(LoadFile, CutsCommentsToTheirLimits) {
    Model m;
    std::vector<std::string> lines =
        Block("Rung 4 Controls", {kWireControls, "", "", ""}) +
        std::vector<std::string>{MakeForty("Timer Comment 8"), std::string(250, 't'), "",
                                 MakeForty("Comment 4")};
    for (int i = 0; i < 12; ++i) lines.push_back(std::string(21, static_cast<char>('a' + i)));
    lines.push_back("");
    ASSERT_TRUE(Load(m, lines).completed);
    EXPECT_EQ(m.comments.TimerComments[8], std::string(200, 't'));
    EXPECT_EQ(m.diagram().Rungs[4].Comment().size(), 210u);
    EXPECT_EQ(m.diagram().Rungs[4].Comment().substr(189), std::string(21, 'j'));
}

TEST(LoadFile, StopsAtTheFirstFieldThatIsNotAnIntegerNamingFileSectionAndLine) {
    const std::string huge(2000000, '7');
    const struct {
        std::vector<std::string> lines;
        std::string message;
    } cases[] = {
        {Block("Rung 0 Types", {kZeros, "  0abc", kZeros, kZeros}),
         "'x.llg', section 'Rung 0 Types', line 9: 'abc' is not a valid integer value"},
        {{MakeForty("Timer 1"), "5 s", ""},
         "'x.llg', section 'Timer 1', line 8: '5 s' is not a valid integer value"},
        {{MakeForty("Counter 2"), "10"},
         "'x.llg', section 'Counter 2', line 9: '--------------- Comments ---------------' is not "
         "a valid integer value"},
        {{"------------ Rung 1x Controls ----------"},
         "'x.llg', line 7: '1x' is not a valid integer value"},
        {{MakeForty("Timer 3"), "99999999999", ""},
         "'x.llg', section 'Timer 3', line 8: '99999999999' is not a valid integer value"},
        // A NUL byte does not cut the message short; a huge token is quoted in part.
        {{MakeForty("Timer 3"),
          std::string("1\0"
                      "2\x01",
                      4),
          ""},
         "'x.llg', section 'Timer 3', line 8: '1\\x002\\x01' is not a valid integer value"},
        {{MakeForty("Timer 3"), huge + "x", ""},
         "'x.llg', section 'Timer 3', line 8: '" + huge.substr(0, 80) +
             "...' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        Model m;
        const std::vector<std::string> lines =
            Block("Rung 0 Controls", {kWireControls, "", "", ""}) + c.lines +
            std::vector<std::string>{MakeForty("Comments"), "True", ""};
        const LoadResult r = Load(m, lines);
        EXPECT_FALSE(r.completed);
        EXPECT_FALSE(r.untouched);
        EXPECT_EQ(r.error, c.message);
        EXPECT_EQ(m.diagram().RungCount(), 1);  // what was read so far stays
        EXPECT_EQ(m.diagram().Rungs[0].Code(19, 0), Control::OUT);
        EXPECT_FALSE(r.commentsShown);  // nothing after the error was read
    }
    Model m;
    EXPECT_EQ(
        LoadLadderText(*m.plc, m.comments, Crlf({MakeForty("Timer 1"), "x", ""}), "x.llg", true)
            .error,
        "'x.llg', osa 'Timer 1', rivi 2: 'x' is not a valid integer value");
}

TEST(LoadFile, RefusesWhatIsNoDiagramOrCannotBeReadAndChangesNothing) {
    test::TempFolder folder;
    const auto file = [&](const char* name, const std::string& bytes) {
        test::WriteBytes(folder.path(name), bytes);
        return folder.path(name);
    };
    const std::string fifo = folder.path("fifo.llg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string passwd =
        file("passwd.llg", "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:\n");
    const std::string empty = file("empty.llg", "");
    const std::string binary = file("binary.llg", std::string("\x7F"
                                                              "ELF\0\0\x01\xFF",
                                                              8));
    // Lines of 40 characters are no banners unless they name a section in a frame of dashes.
    const std::string near = file("near.llg", Crlf({std::string(40, '-'), std::string(40, 'x'),
                                                    "-------------- Simulator ---------------",
                                                    "------------ Rung 1x Controls ----------"}));
    const struct {
        std::string path;
        bool finnish;
        std::string message;
    } cases[] = {
        {"/nonexistent/folder/motor.llg", false, "'/nonexistent/folder/motor.llg': File not found"},
        {fifo, false, "'" + fifo + "' is not a regular file."},
        {"/", false, "'/' is not a regular file."},
        {"/dev/zero", true, "'/dev/zero' ei ole tavallinen tiedosto."},
        {passwd, false, "'" + passwd + "' is not a TORVEX diagram."},
        {empty, false, "'" + empty + "' is not a TORVEX diagram."},
        {binary, true, "'" + binary + "' ei ole TORVEX-kaavio."},
        {near, false, "'" + near + "' is not a TORVEX diagram."},
    };
    for (const auto& c : cases) {
        Model m;
        test::FillModel(m);
        const test::ModelState before = test::StateOf(m);
        const LoadResult r = LoadFile(*m.plc, m.comments, c.path, c.finnish);
        EXPECT_FALSE(r.completed) << c.path;
        EXPECT_TRUE(r.untouched) << c.path;
        EXPECT_EQ(r.error, c.message);
        EXPECT_EQ(test::StateDifference(m, before), "") << c.path;
    }
}

TEST(LoadFile, ReadsAFileCutShortAsFarAsItGoesAndWarnsOnceWhereItEnds) {
    Model full;
    test::FillModel(full);
    const std::string text = LadderText(*full.plc, full.comments, full.settings);
    // Into the data of the section with this title.
    const auto into = [&](const char* title, size_t bytes) {
        return text.find(MakeForty(title)) + kBannerLength + 2 + bytes;
    };
    const size_t midBanner = into("Counter 1", 0) - 20;
    const int midBannerLine =
        static_cast<int>(std::count(text.begin(), text.begin() + midBanner, '\n')) + 1;
    const struct {
        size_t cut;
        bool finnish;
        std::string warning;
    } cases[] = {
        {text.size(), false, ""},
        {into("Counter 1", 3), false, "The file 'x.llg' ends inside section 'Counter 1'."},
        {into("Counter 1", 3), true, "Tiedosto 'x.llg' päättyy kesken osan 'Counter 1'."},
        {into("Timer 2", 2), false, "The file 'x.llg' ends inside section 'Timer 2'."},
        {into("Rung 1 Links", 10), false, "The file 'x.llg' ends inside section 'Rung 1 Links'."},
        {into("Comment 1", 18), false, "The file 'x.llg' ends inside section 'Comment 1'."},
        {into("Comments", 6), false, "The file 'x.llg' ends inside section 'Comments'."},
        {text.find(MakeForty("Rung 1 Links")), false, "The file 'x.llg' ends inside rung 1."},
        {text.find(MakeForty("Rung 1 Links")), true, "Tiedosto 'x.llg' päättyy kesken puolan 1."},
        {midBanner, false,
         "The file 'x.llg' ends in the middle of line " + std::to_string(midBannerLine) + "."},
        {midBanner, true,
         "Tiedosto 'x.llg' päättyy kesken rivin " + std::to_string(midBannerLine) + "."},
    };
    for (const auto& c : cases) {
        Model m;
        const LoadResult r =
            LoadLadderText(*m.plc, m.comments, text.substr(0, c.cut), "x.llg", c.finnish);
        EXPECT_TRUE(r.completed) << c.warning;
        EXPECT_EQ(r.warnings, c.warning.empty() ? std::vector<std::string>{}
                                                : std::vector<std::string>{c.warning});
        EXPECT_EQ(m.diagram().RungCount(), 2) << c.warning;
    }
    // What the file holds is read: a counter's preset before the cut, but not a line cut short.
    Model m;
    LoadLadderText(*m.plc, m.comments, text.substr(0, into("Counter 1", 3)));
    EXPECT_EQ(m.memory().Counters[1].Preset, 7);
    EXPECT_TRUE(m.memory().Counters[1].Used);
    LoadLadderText(*m.plc, m.comments, text.substr(0, into("Timer 2", 2)));
    EXPECT_FALSE(m.memory().Timers[2].Used);
}

TEST(LoadFile, WarnsOnceOfCommentsForRungsTheDiagramDoesNotHave) {
    Model m;
    const auto comment = [](const std::string& n, const char* text) {
        return std::vector<std::string>{MakeForty("Comment " + n), text, ""};
    };
    const LoadResult r =
        Load(m, Block("Rung 0 Controls", {kWireControls, "", "", ""}) + comment("3", "three") +
                    comment("0", "zero") + comment("7", "seven"));
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.warnings, std::vector<std::string>{
                              "The file 'x.llg' holds comments for rungs the diagram does not "
                              "have; they are not kept: rung 3; rung 7"});
    EXPECT_EQ(m.diagram().Rungs[0].Comment(), "zero");
    EXPECT_EQ(m.diagram().Rungs[3].Comment(), "");
}

TEST(LoadFile, ClearsCellsWhoseOperandLiesOutsideItsTableAndWarnsOnce) {
    Model m;
    const LoadResult r = Load(
        m, Block("Rung 0 Controls", {kWireControls, "NCCNON", "TIM", ""}) +
               Block("Rung 0 Types", {" 12  0  0  0  0  0  0  0  0  0", "  0", kZeros, kZeros}) +
               Block("Rung 0 Indexes", {"  3  0  0  0  0  0  0  0  0 16", "  4", "  9", kZeros}) +
               Block("Rung 0 Links", {kWireLinks, "", "", ""}) +
               Block("Rung 1 Controls", {kWireControls, "", "", ""}) +
               Block("Rung 1 Types", {"  0  0  0  0  0  0  0  0  0  1", kZeros, kZeros, kZeros}) +
               Block("Rung 1 Indexes", {"  5  0  0  0  0  0  0  0  0 15", kZeros, kZeros, kZeros}) +
               Block("Rung 1 Links", {kWireLinks, "", "", ""}));
    ASSERT_TRUE(r.completed) << r.error;
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0],
              "Cells whose operand lies outside its table were cleared: rung 0, row 0, column 0; "
              "rung 0, row 0, column 9; rung 0, row 2, column 0");
    const RungRecord& r0 = m.diagram().Rungs[0];
    EXPECT_EQ(r0.Code(1, 0), Control::NON);
    EXPECT_EQ(r0.Kind(1, 0), 0);
    EXPECT_EQ(r0.Code(19, 0), Control::NON);
    EXPECT_EQ(r0.Code(1, 1), Control::NCC);  // input 4: in the table
    EXPECT_EQ(r0.Index(1, 1), 4);
    EXPECT_EQ(r0.Code(1, 2), Control::NON);  // timer 9 does not exist
    const RungRecord& r1 = m.diagram().Rungs[1];
    EXPECT_EQ(r1.Code(1, 0), Control::NOC);
    EXPECT_EQ(r1.Index(1, 0), 5);
    EXPECT_EQ(r1.Kind(19, 0), 1);  // output to flag 15
    EXPECT_EQ(r1.Index(19, 0), 15);
}

TEST(LoadFile, SkipsSectionsNumberedOutsideTheModel) {
    Model m;
    const LoadResult r = Load(m, Block("Rung 1001 Controls", {kWireControls, "", "", ""}) +
                                     Block("Rung -1 Links", {kWireLinks, "", "", ""}) +
                                     std::vector<std::string>{MakeForty("Input Comment 16"),
                                                              "sixteen",
                                                              "",
                                                              MakeForty("Register Comment 5"),
                                                              "five",
                                                              "",
                                                              MakeForty("Timer 9"),
                                                              "100",
                                                              "",
                                                              MakeForty("Counter 0"),
                                                              "1",
                                                              "2",
                                                              "",
                                                              MakeForty("OnDelay 12"),
                                                              "",
                                                              MakeForty("Comment 2000"),
                                                              "far away",
                                                              "",
                                                              MakeForty("Input Comment 15"),
                                                              "fifteen",
                                                              ""});
    ASSERT_TRUE(r.completed) << r.error;
    EXPECT_EQ(m.diagram().RungCount(), 0);
    EXPECT_EQ(m.comments.InputComments[15], "fifteen");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0],
              "Sections whose number lies outside the diagram's tables were skipped: "
              "Rung 1001 Controls; Rung -1 Links; Input Comment 16; Register Comment 5; Timer 9; "
              "Counter 0; OnDelay 12; Comment 2000");
}

TEST(LoadFile, NothingOfAnEarlierFileSurvivesInRungsItDoesNotName) {
    Model m;
    ASSERT_TRUE(
        Load(m, Block("Rung 5 Types", {"  3  3  3  3  3  3  3  3  3  3", kZeros, kZeros, kZeros}) +
                    Block("Rung 5 Links", {kWireLinks, "", "", ""}))
            .completed);
    ASSERT_TRUE(Load(m, Block("Rung 5 Controls", {kWireControls, "", "", ""})).completed);
    EXPECT_EQ(m.diagram().Rungs[5].Kind(1, 0), 0);
    EXPECT_EQ(m.diagram().Rungs[5].Code(0, 0), Link::NON);
}

TEST(LoadFile, EndsTheDataAtCtrlZAndReadsLfOnlyLines) {
    const std::string text = Crlf(Block("Rung 0 Controls", {kWireControls, "", "", ""})) + "\x1A" +
                             Crlf({MakeForty("Comments"), "True", ""});
    Model m;
    LoadResult r = LoadLadderText(*m.plc, m.comments, text);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(m.diagram().RungCount(), 1);
    EXPECT_FALSE(r.commentsShown);

    std::string unix = MakeForty("Rung 0 Controls") + "\n" + kWireControls + "\n\n\n\n\n" +
                       MakeForty("Comments") + "\nTrue\n";
    Model u;
    r = LoadLadderText(*u.plc, u.comments, unix);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(u.diagram().Rungs[0].Code(19, 0), Control::OUT);
    EXPECT_TRUE(r.commentsShown);
}

TEST(LoadFile, KeepsEveryByteOfAComment) {
    std::string bytes;
    for (int ch = 1; ch < 256; ++ch)
        if (ch != '\r' && ch != '\n' && ch != kCtrlZ) bytes += static_cast<char>(ch);
    Model m;
    m.diagram().NewRung(0);
    m.diagram().Rungs[0].setComment(bytes.substr(0, 210));
    m.comments.OutputComments[7] = bytes.substr(0, 200);
    m.comments.RegisterComments[4] = bytes.substr(200);
    const std::string text = LadderText(*m.plc, m.comments, m.settings);
    Model back;
    ASSERT_TRUE(LoadLadderText(*back.plc, back.comments, text).completed);
    EXPECT_EQ(back.diagram().Rungs[0].Comment(), bytes.substr(0, 210));
    EXPECT_EQ(back.comments.OutputComments[7], bytes.substr(0, 200));
    EXPECT_EQ(back.comments.RegisterComments[4], bytes.substr(200));
    EXPECT_EQ(LadderText(*back.plc, back.comments, m.settings), text);
}

}  // namespace
}  // namespace torvex

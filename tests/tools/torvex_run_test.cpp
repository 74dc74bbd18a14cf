// torvex-run end to end: the real program on diagrams and scenarios under tests/data/run.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "engine/editing.h"
#include "files/ladder_writer.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"
#include "tools/scenario.h"
#include "torvex_version.h"

namespace torvex {
namespace {

using test::DataPath;
using test::Model;
using test::ReadBytes;
using test::SetRung;
using test::Simple;
using test::TempFolder;

struct RunOutput {
    int status;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

RunOutput TorvexRun(const std::vector<std::string>& args) {
    TempFolder folder;
    std::string command = Quote(TORVEX_RUN_PATH);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote(folder.path("out")) + " 2>" + Quote(folder.path("err"));
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(folder.path("out")),
            ReadBytes(folder.path("err"))};
}

std::string RunData(const std::string& name) {
    return DataPath("run/" + name);
}

TEST(TorvexRun, RunsScenariosAndReportsEveryFailedExpectation) {
    const struct {
        const char* diagram;
        const char* scenario;
        int status;
        const char* out;
    } cases[] = {
        {"motor.llg", "motor.scn", 0, "6 passed, 0 failed\n"},
        {"timer.llg", "timer.scn", 0, "9 passed, 0 failed\n"},
        {"counter.llg", "counter.scn", 0, "11 passed, 0 failed\n"},
        {"motor.llg", "motor_fail.scn", 1, "t=0.2 OP0: expected 1, got 0\n1 passed, 1 failed\n"},
        {"timer.llg", "motor_fail.scn", 1, "t=0.2 OP0: expected 1, got 0\n1 passed, 1 failed\n"},
    };
    for (const auto& c : cases) {
        const RunOutput r = TorvexRun({RunData(c.diagram), RunData(c.scenario)});
        EXPECT_EQ(r.status, c.status) << c.diagram << " " << c.scenario << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.diagram << " " << c.scenario;
    }
}

TEST(TorvexRun, ABrokenScenarioOrDiagramIsAnErrorWithItsReason) {
    TempFolder folder;
    const std::string bad = folder.path("bad.llg");
    test::WriteBytes(bad, test::Crlf({"------------- Rung 0 Types -------------", " x"}));
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{RunData("motor.llg"), RunData("broken.scn")},
         "broken.scn:2: 'at T' is followed by 'set' or 'expect'\n"},
        {{RunData("missing.llg"), RunData("motor.scn")}, "missing.llg': File not found\n"},
        {{bad, RunData("motor.scn")},
         "bad.llg', section 'Rung 0 Types', line 2: 'x' is not a valid integer value\n"},
        {{RunData("motor.llg"), "--end", "soon"}, "--end soon is not a time in seconds"},
        {{RunData("motor.llg"), "--trace", folder.path("t.txt")}, "must end in .csv or .vcd"},
        {{RunData("motor.llg"), RunData("motor.scn"), "--save", folder.path("x.llg")},
         "--save takes no scenario"},
        {{}, "a diagram file is needed"},
    };
    for (const auto& c : cases) {
        const RunOutput r = TorvexRun(c.args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(TorvexRun, RefusesATraceThatWouldOverwriteAnInputUnderAnyName) {
    TempFolder folder;
    const std::string diagram = folder.path("motor.llg"), scenario = folder.path("s.csv");
    const std::string diagramBytes = ReadBytes(RunData("motor.llg"));
    test::WriteBytes(diagram, diagramBytes);
    test::WriteBytes(scenario, "at 0.5 expect OP0=0\n");
    ASSERT_EQ(symlink(diagram.c_str(), folder.path("link.csv").c_str()), 0);
    ASSERT_EQ(link(diagram.c_str(), folder.path("hard.vcd").c_str()), 0);
    const struct {
        std::string trace;
        const char* what;
    } cases[] = {
        {folder.path("link.csv"), "is the diagram"},
        {folder.path("hard.vcd"), "is the diagram"},
        {scenario, "is the scenario"},
        {folder.path("./s.csv"), "is the scenario"},
    };
    for (const auto& c : cases) {
        const RunOutput r = TorvexRun({diagram, scenario, "--trace", c.trace});
        EXPECT_EQ(r.status, 2) << c.trace;
        EXPECT_NE(r.err.find(c.what), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadBytes(diagram), diagramBytes);
    EXPECT_EQ(ReadBytes(scenario), "at 0.5 expect OP0=0\n");
    EXPECT_EQ(TorvexRun({diagram, scenario, "--trace", folder.path("new.csv")}).status, 0);
}

TEST(TorvexRun, AnExpectationAfterTheEndFails) {
    TempFolder folder;
    test::WriteBytes(folder.path("s.scn"), "at 0.5 set IP0=1\nat 5 expect OP0=1\n");
    RunOutput r = TorvexRun({RunData("motor.llg"), folder.path("s.scn"), "--end", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "t=5.0 OP0: expected 1, not reached: the run ended at t=1.0\n0 passed, 1 failed\n");
    r = TorvexRun({RunData("motor.llg"), folder.path("s.scn")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1 passed, 0 failed\n");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(TorvexRun, TracesEveryScanAsCsvOrVcd) {
    TempFolder folder;
    RunOutput r =
        TorvexRun({RunData("timer.llg"), RunData("timer.scn"), "--trace", folder.path("t.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> csv = Lines(ReadBytes(folder.path("t.csv")));
    ASSERT_EQ(csv.size(), 1u + 42u);  // header, scans 0 ... 41
    EXPECT_EQ(csv[0].substr(0, 20), "t,IP0,IP1,IP2,IP3,IP");
    EXPECT_NE(csv[0].find(",R1,R2,R3,R4,T1/DN,"), std::string::npos);
    EXPECT_NE(csv[0].find(",T8/DN,T1,"), std::string::npos);
    EXPECT_EQ(csv[0].substr(csv[0].size() - 6), ",C8/DN");
    EXPECT_EQ(std::count(csv[0].begin(), csv[0].end(), ','), 16 * 3 + 4 + 8 * 5);
    // Scan 30: IP0 on, the timer done with 2000 ms elapsed, OP0 not yet.
    EXPECT_EQ(csv[31].substr(0, 6), "3.0,1,");
    EXPECT_NE(csv[31].find(",1,0,0,0,0,0,0,0,2000,0,"), std::string::npos) << csv[31];

    r = TorvexRun(
        {RunData("counter.llg"), RunData("counter.scn"), "--trace", folder.path("c.vcd")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string vcd = ReadBytes(folder.path("c.vcd"));
    for (const char* piece : {"$timescale 1ms $end", "$var wire 1 ! IP0 $end",
                              "$var wire 16 Q R1 [15:0] $end", "C1_UP $end", "$enddefinitions $end",
                              "#0\n$dumpvars\n", "#500\n1!\n", "#700\n0!\n", "#2500\n"})
        EXPECT_NE(vcd.find(piece), std::string::npos) << piece;
}

TEST(TorvexRun, SavesALegacyDiagramInTheCurrentFormat) {
    TempFolder folder;
    const std::string out = folder.path("plant.llg");
    RunOutput r = TorvexRun({DataPath("legacy/plant.lld"), "--save", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string saved = ReadBytes(out);
    EXPECT_NE(saved.find("--------------- Timer 1 ----------------\r\n3000\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("--------------- Comments ---------------\r\nTrue\r\n"),
              std::string::npos);
    // The converted file saves to itself unchanged.
    r = TorvexRun({out, "--save", folder.path("again.llg")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(folder.path("again.llg")), saved);

    r = TorvexRun({RunData("motor.llg"), "--save", "/dev/full"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "torvex-run: /dev/full: No space left on device\n");
}

TEST(TorvexRun, HelpDocumentsTheTraceColumnsAndVersionNamesTheRelease) {
    EXPECT_EQ(TorvexRun({"--version"}).out, std::string("torvex-run ") + kTorvexVersion + "\n");
    const RunOutput r = TorvexRun({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* piece : {"T1 ... T8         timer elapsed time in milliseconds",
                              "R1 ... R4         shift register", "Exit status", "at T expect"})
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece;
}

// A diagram whose only rung lights the outputs given, always.
std::string Lighting(TempFolder& folder, const std::string& name, const std::string& out1,
                     const std::string& out2) {
    Model m;
    m.plc->diagram.clear();
    SetRung(m.diagram(), 0, {Simple({}, "OUT:" + out1)});
    m.diagram().Rungs[0].setCell(kOutputColumn, 1, Control::OUT, CoilKind::Output,
                                 std::stoi(out2.substr(2)));
    WireParallelOutputs(m.diagram().Rungs[0], 1);
    const std::string path = folder.path(name);
    EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, path), "");
    return path;
}

TEST(TorvexRun, RunsAPlantInTheLoopAndEndsTheRunWhenItStops) {
    TempFolder folder;
    const std::string example = std::string(TORVEX_SOLUTIONS) + "/traffic_light.llg";
    const std::string conflict = Lighting(folder, "conflict.llg", "OP2", "OP5");
    const std::string walkers = Lighting(folder, "walkers.llg", "OP8", "OP1");
    const struct {
        std::string diagram;
        const char* scenario;
        int status;
        const char* out;
    } cases[] = {
        {example, "at 120 expect plant.cars>=20 plant.peds>0 plant.stopped=0 OP2=1", 0,
         "4 passed, 0 failed\n"},
        {example, "at 1 expect plant.cars>5 plant.max_car_wait<=0.5 plant.head_faults=1", 1,
         "t=1.0 plant.cars: expected >5, got 0\nt=1.0 plant.head_faults: expected 1, got 0\n"
         "1 passed, 2 failed\n"},
        // Later expectations see the state the run ended in; the stop itself is a failure ...
        {conflict, "at 5 expect OP2=1 OP5=1", 1,
         "t=0.0 plant stopped: conflicting greens\n2 passed, 1 failed\n"},
        {walkers, "at 0 expect OP8=1\nat 9 expect plant.cars=0", 1,
         "t=0.0 plant stopped: pedestrians in the path of traffic\n2 passed, 1 failed\n"},
        // ... unless it is expected.
        {conflict, "at 5 expect plant.stopped=1", 0,
         "t=0.0 plant stopped: conflicting greens\n1 passed, 0 failed\n"},
    };
    for (const auto& c : cases) {
        test::WriteBytes(folder.path("s.scn"), c.scenario);
        const RunOutput r = TorvexRun({c.diagram, folder.path("s.scn"), "--plant", "traffic"});
        EXPECT_EQ(r.status, c.status) << c.scenario << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.scenario;
    }
    // The figures are traced after the memory image.
    test::WriteBytes(folder.path("s.scn"), "end 2");
    RunOutput r = TorvexRun({example, folder.path("s.scn"), "--plant", "1", "--seed", "9",
                             "--trace", folder.path("t.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> csv = Lines(ReadBytes(folder.path("t.csv")));
    ASSERT_EQ(csv.size(), 22u);
    EXPECT_NE(csv[0].find(",C8/DN,plant.stopped,plant.cars,"), std::string::npos) << csv[0];
    EXPECT_EQ(csv[21].substr(csv[21].size() - 2), ",0") << csv[21];  // no head fault
}

// A diagram of the rungs given, each in the row form of ladder_text.
std::string Diagram(TempFolder& folder, const std::string& name,
                    const std::vector<std::vector<std::string>>& rungs) {
    Model m;
    m.plc->diagram.clear();
    for (size_t r = 0; r < rungs.size(); ++r) SetRung(m.diagram(), static_cast<int>(r), rungs[r]);
    const std::string path = folder.path(name);
    EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, path), "");
    return path;
}

TEST(TorvexRun, TheCarParkStopsARunThatBreaksEachOfItsRules) {
    TempFolder folder;
    const struct {
        std::vector<std::vector<std::string>> rungs;
        const char* stop;
    } cases[] = {
        {{{Simple({}, "OUT:OP0")}, {Simple({}, "OUT:OP1")}},
         "t=0.0 plant stopped: barrier raised and lowered at once\n"},
        {{{Simple({}, "OUT:OP3")}}, "t=0.5 plant stopped: barrier motor against its end stop\n"},
        // Up for a waiting car, down as soon as it has driven off the loop before the barrier.
        {{{Simple({"NOC:IP0", "NCC:IP1"}, "OUT:OP0")}, {Simple({"NCC:IP0", "NCC:IP2"}, "OUT:OP1")}},
         "plant stopped: barrier lowered onto a car\n"},
        // Both barriers up for good: nothing keeps a ninth car out.
        {{{Simple({"NCC:IP1"}, "OUT:OP0")}, {Simple({"NCC:IP5"}, "OUT:OP2")}},
         "plant stopped: car park overfilled\n"},
    };
    test::WriteBytes(folder.path("s.scn"), "at 3600 expect plant.stopped=1 plant.cars_in<20");
    for (const auto& c : cases) {
        const RunOutput r = TorvexRun(
            {Diagram(folder, "d.llg", c.rungs), folder.path("s.scn"), "--plant", "carpark"});
        EXPECT_EQ(r.status, 0) << c.stop << r.err;
        EXPECT_NE(r.out.find(c.stop), std::string::npos) << r.out;
    }
}

TEST(TorvexRun, TheAnnunciatorHoldsADiagramAgainstSequenceA) {
    TempFolder folder;
    // A window that only burns while its process is upset, and no horn.
    const std::string steady = Diagram(folder, "d.llg", {{Simple({"NCC:IP0"}, "OUT:OP0")}});
    test::WriteBytes(folder.path("s.scn"),
                     "at 1 set IP0=0\nat 10 expect OP0=1 plant.alarms=1 plant.announced=0 "
                     "plant.missed=1 plant.sequence_errors=9 plant.stopped=0");
    const RunOutput r = TorvexRun({steady, folder.path("s.scn"), "--plant", "annunciator"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "6 passed, 0 failed\n");
    const RunOutput describe = TorvexRun({"--plant", "2", "--describe"});
    EXPECT_NE(describe.out.find("\nThe plant never stops the run.\n"), std::string::npos);
}

TEST(TorvexRun, RefusesWhatThePlantCannotDo) {
    TempFolder folder;
    const std::string example = std::string(TORVEX_SOLUTIONS) + "/traffic_light.llg";
    const struct {
        const char* scenario;
        std::vector<std::string> options;
        const char* err;
    } cases[] = {
        {"at 1 set IP2=1 IP0=1",
         {"--plant", "traffic"},
         "s.scn:1: IP0 is driven by the Traffic Light (N/S car waiting: a car stands at the north "
         "or south stop line); a scenario can set only its operator controls IP2, IP3, IP4\n"},
        {"\nat 1 set IP9=1",
         {"--plant", "traffic"},
         "s.scn:2: IP9 is not used by the Traffic Light; a scenario can set only"},
        {"at 1 expect plant.trucks=1",
         {"--plant", "traffic"},
         "s.scn:1: the Traffic Light has no figure 'trucks'; its figures are stopped, cars,"},
        {"at 1 expect plant.cars=1", {}, "s.scn:1: plant.cars needs a plant: --plant NAME\n"},
        {"end 1", {"--plant", "lift"}, "there is no plant 'lift'; this torvex-run has traffic (1)"},
        {"end 1", {"--plant", "1", "--seed", "-3"}, "--seed -3 is not a whole number"},
        {"end 1", {"--seed", "3"}, "--seed needs --plant NAME"},
    };
    test::WriteBytes(folder.path("s.scn"), "");
    for (const auto& c : cases) {
        test::WriteBytes(folder.path("s.scn"), c.scenario);
        std::vector<std::string> args = {example, folder.path("s.scn")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunOutput r = TorvexRun(args);
        EXPECT_EQ(r.status, 2) << c.scenario;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    RunOutput r = TorvexRun({"--plant", "traffic", "--describe"});
    EXPECT_EQ(r.status, 0);
    for (const char* piece : {"Traffic Light (simulation 1, --plant traffic)",
                              "  IP2   push button  N/S walk request button\n",
                              "  IP5 ... IP15  not used\n", "  OP10  lamp         N/S wait lamp",
                              "  max_ped_wait  longest time", "  conflicting greens: N/S amber"})
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece;
    EXPECT_EQ(TorvexRun({"--describe"}).status, 2);
    EXPECT_EQ(TorvexRun({example, "--plant", "traffic", "--describe"}).status, 2);
}

TEST(Scenario, ReadsTimesToTheMillisecond) {
    const struct {
        const char* text;
        std::optional<int64_t> ms;
    } cases[] = {{"0", 0},       {"2.05", 2050},    {"2.", 2000},
                 {"0.001", 1},   {"3600", 3600000}, {"1000000", 1000000000},
                 {"1.2345", {}}, {"-1", {}},        {"1000000.001", {}},
                 {"", {}},       {".5", {}},        {"1e3", {}}};
    for (const auto& c : cases) EXPECT_EQ(ParseSeconds(c.text), c.ms) << c.text;
    EXPECT_EQ(FirstScanAt(2050), 21);
    EXPECT_EQ(FirstScanAt(2000), 20);
    EXPECT_EQ(FirstScanAt(1), 1);
}

TEST(Scenario, NamesTheLineAndWhatIsWrongWithIt) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"# fine\n\nat 1 set OP0=1\n", 3, "only inputs IP0 ... IP15 can be set, not 'OP0'"},
        {"at 1 expect IP16=1", 1, "unknown point 'IP16'"},
        {"at 1 expect OP0=2", 1, "'2' is not a value for OP0 (0 or 1)"},
        {"at 1 expect C1=many", 1, "'many' is not an integer value for C1"},
        {"at 1 expect OP0", 1, "'OP0' is not POINT=VALUE"},
        {"at 1 expect", 1, "expect needs at least one POINT=VALUE"},
        {"at soon set IP0=1", 1,
         "'soon' is not a time in seconds (0 to 1000000, at most three decimals)"},
        {"end 1\nend 2", 2, "'end' is given twice"},
        {"start 1", 1,
         "unknown command 'start': a line is 'at T set P=V ...', 'at T expect P=V ...' or 'end T'"},
        // Plain text only: a Ctrl-Z must not hide the lines after it.
        {"at 1 set IP0=1\r\n\x1A\r\nat 2 expect OP0=1\n", 2,
         "the control character \\x1A is not allowed: a scenario is plain text"},
        {"# \t tabs are fine\r\rat 1 expect OP0=1 \x7F", 3,
         "the control character \\x7F is not allowed: a scenario is plain text"},
        {"at 1 set plant.cars=1", 1, "only inputs IP0 ... IP15 can be set, not 'plant.cars=1'"},
        {"at 1 expect plant.cars", 1,
         "'plant.cars' is not plant.NAME<OP>VALUE with <OP> one of = < <= > >="},
        {"at 1 expect plant.<3", 1,
         "'plant.<3' is not plant.NAME<OP>VALUE with <OP> one of = < <= > >="},
        {"at 1 expect plant.cars=>3", 1, "'>3' is not a number for plant.cars"},
        {"at 1 expect plant.cars>=1e3", 1, "'1e3' is not a number for plant.cars"},
        {"at 1 expect plant.cars<.5", 1, "'.5' is not a number for plant.cars"},
    };
    for (const auto& c : cases) {
        Scenario s;
        ScenarioError e;
        EXPECT_FALSE(ParseScenario(c.text, s, e)) << c.text;
        EXPECT_EQ(e.line, c.line) << c.text;
        EXPECT_EQ(e.message, c.message) << c.text;
    }
    Scenario s;
    ScenarioError e;
    ASSERT_TRUE(ParseScenario(
        "at 2.05 expect C3=-4 T2=150 plant.max_car_wait<=-2.5 R4/15=1 # note\r\nend 9", s, e));
    ASSERT_EQ(s.commands.size(), 1u);
    EXPECT_EQ(s.commands[0].scan, 21);
    ASSERT_EQ(s.commands[0].assignments.size(), 3u);
    EXPECT_EQ(s.commands[0].assignments[0].value, -4);
    ASSERT_EQ(s.commands[0].figures.size(), 1u);
    const FigureCheck& f = s.commands[0].figures[0];
    EXPECT_EQ(f.name, "max_car_wait");
    EXPECT_EQ(f.compare, FigureCheck::LessOrEqual);
    EXPECT_EQ(f.value, -2.5);
    EXPECT_TRUE(f.holds(-2.5));
    EXPECT_FALSE(f.holds(-2.4));
    EXPECT_EQ(s.endScan, 90);
}

}  // namespace
}  // namespace torvex

// torvex-run --grade: a class of diagrams, good, failing, broken and not diagrams at all,
// graded in one command into a table, CSV, JUnit XML and an HTML page.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "engine/editing.h"
#include "files/ladder_writer.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"
#include "tools/grade_report.h"
#include "tools/torvex_run.h"

namespace torvex {
namespace {

using test::DataPath;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct Graded {
    int status;
    std::string out;
    std::string err;
};

Graded Grade(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = TorvexRunMain(args, out, err);
    return {status, out.str(), err.str()};
}

// The fields of a CSV text, row by row.
std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        const char ch = csv[i];
        if (quoted && ch == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
            rows.back().back() += '"';
            ++i;
        } else if (ch == '"') {
            quoted = !quoted;
        } else if (!quoted && ch == ',') {
            rows.back().emplace_back();
        } else if (!quoted && ch == '\n') {
            rows.emplace_back(1);
        } else {
            rows.back().back() += ch;
        }
    }
    rows.pop_back();
    return rows;
}

size_t Count(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// The hostile name: markup, quotes, a control character and a byte that is not UTF-8.
const std::string kHostile = "x<&\"'>\x01\xFF.llg";

// good, failing, broken and non-diagram files, a legacy diagram in a folder within, and
// files that are no diagrams by name.
void FillClass(const std::string& folder) {
    std::filesystem::create_directories(folder + "/sub");
    WriteBytes(folder + "/alice.llg", ReadBytes(DataPath("run/motor.llg")));
    WriteBytes(folder + "/bob.llg", ReadBytes(DataPath("run/timer.llg")));
    WriteBytes(folder + "/sub/carol.lld", ReadBytes(DataPath("legacy/plant.lld")));
    WriteBytes(folder + "/sub/carol.LCD", ReadBytes(DataPath("legacy/plant.LCD")));
    WriteBytes(folder + "/dave.llg",
               test::Crlf({"------------- Rung 0 Types -------------", " x"}));
    WriteBytes(folder + "/erin.LLG", "\x89PNG\r\n\x1A\n");
    WriteBytes(folder + "/" + kHostile, ReadBytes(DataPath("run/counter.llg")));
    WriteBytes(folder + "/notes.txt", "not graded\n");
    WriteBytes(folder + "/motor.scn", ReadBytes(DataPath("run/motor.scn")));
}

TEST(Grade, GradesAFolderIntoRowsAndReportsABrokenFileAsItsOwnFailure) {
    TempFolder temp;
    const std::string folder = temp.path("class");
    FillClass(folder);
    const std::string missing = temp.path("missing.llg");
    const Graded r = Grade({"--grade", folder, missing, "--scenario", DataPath("run/motor.scn"),
                            "--jobs", "2", "--report", temp.path("grades")});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err, "");

    const struct {
        std::string file, result, passed, failed, note;
    } rows[] = {
        {missing, "error", "", "", "File not found"},  // a path sorts before names
        {"alice.llg", "passed", "6", "0", ""},
        {"bob.llg", "failed", "4", "2", "t=0.5 OP0: expected 1, got 0 (+1 more)"},
        {"dave.llg", "error", "", "", "section 'Rung 0 Types', line 2: 'x' is not a valid"},
        {"erin.LLG", "error", "", "", "is not a TORVEX diagram"},
        {"sub/carol.lld", "passed", "6", "0", ""},
        {"x<&\"'>\\x01\\xFF.llg", "failed", "4", "2", "t=0.5 OP0: expected 1, got 0 (+1 more)"},
    };
    const auto csv = CsvRows(ReadBytes(temp.path("grades.csv")));
    ASSERT_EQ(csv.size(), 1 + std::size(rows));
    EXPECT_EQ(csv[0], (std::vector<std::string>{"file", "result", "passed", "failed", "note"}));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = csv[i + 1];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], rows[i].file);
        EXPECT_EQ(row[1], rows[i].result) << row[0];
        EXPECT_EQ(row[2], rows[i].passed) << row[0];
        EXPECT_EQ(row[3], rows[i].failed) << row[0];
        EXPECT_NE(row[4].find(rows[i].note), std::string::npos) << row[0] << ": " << row[4];
        // The terminal's table has the same rows, in the same order, columns aligned.
        EXPECT_NE(r.out.find("\n" + rows[i].file + " "), std::string::npos) << rows[i].file;
    }
    EXPECT_EQ(r.out.substr(r.out.size() - 19), "2 passed, 5 failed\n");
    EXPECT_EQ(r.out.find("\x01"), std::string::npos);

    // JUnit: valid against the schema, one test case per file, each failed expectation a
    // failure, and each test case's output what a single run prints.
    const std::string xml = ReadBytes(temp.path("grades.xml"));
    const std::string check = "xmllint --noout --schema '" + DataPath("junit.xsd") + "' '" +
                              temp.path("grades.xml") + "' 2>'" + temp.path("xmllint") + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << ReadBytes(temp.path("xmllint"));
    EXPECT_NE(xml.find("tests=\"7\" failures=\"2\" errors=\"3\""), std::string::npos);
    EXPECT_EQ(Count(xml, "<testcase "), 7u);
    EXPECT_EQ(Count(xml, "<failure type=\"expectation\" message=\"t=1.5 OP0: expected 1, got 0\""),
              2u);
    EXPECT_EQ(Count(xml, "<error type=\"file\""), 3u);
    const Graded single = Grade({folder + "/bob.llg", DataPath("run/motor.scn")});
    EXPECT_NE(xml.find("<system-out>" + single.out + "</system-out>"), std::string::npos);

    // HTML: the hostile name escaped everywhere, one chart per failing file, nothing
    // fetched from elsewhere.
    const std::string html = ReadBytes(temp.path("grades.html"));
    EXPECT_EQ(Count(html, "<svg "), 2u);
    EXPECT_EQ(Count(html, "x&lt;&amp;&quot;&#39;&gt;\\x01\\xFF.llg"), 3u);  // row, heading, chart
    EXPECT_EQ(html.find("x<&"), std::string::npos);
    for (const char* outside : {"<script", "<link", "src=", "url(", "href=\"http"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
}

// The text with every time="...", timestamp="..." and "graded ... in ... s" left out.
std::string WithoutTimes(std::string text) {
    for (const char* open : {" time=\"", " timestamp=\"", "graded "}) {
        const char* close = open[0] == 'g' ? " s." : "\"";
        for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
            const size_t end = text.find(close, at + std::char_traits<char>::length(open));
            text.erase(at, end - at + std::char_traits<char>::length(close));
        }
    }
    return text;
}

TEST(Grade, OneJobOrTwoGiveTheSameReportsApartFromTimes) {
    TempFolder temp;
    FillClass(temp.path("class"));
    std::string reports[2];
    for (int jobs : {1, 2}) {
        const std::string out = temp.path("r" + std::to_string(jobs));
        const Graded r =
            Grade({"--grade", temp.path("class"), "--scenario", DataPath("run/motor.scn"), "--jobs",
                   std::to_string(jobs), "--report", out + ".html"});
        ASSERT_EQ(r.status, 1) << r.err;
        reports[jobs - 1] =
            r.out + ReadBytes(out + ".csv") + ReadBytes(out + ".xml") + ReadBytes(out + ".html");
    }
    EXPECT_EQ(WithoutTimes(reports[0]), WithoutTimes(reports[1]));
    EXPECT_NE(reports[0].find("timestamp=\""), std::string::npos);
}

// A diagram whose only rungs light both greens: the plant stops the run at once.
std::string ConflictingGreens(const std::string& path) {
    test::Model m;
    m.plc->diagram.clear();
    test::SetRung(m.diagram(), 0, {test::Simple({}, "OUT:OP2")});
    test::SetRung(m.diagram(), 1, {test::Simple({}, "OUT:OP5")});
    EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, path), "");
    return path;
}

TEST(Grade, NamesThePlantsStopAndTheFiguresAndChartsTheOutputsThatStoppedIt) {
    TempFolder temp;
    std::filesystem::create_directory(temp.path("class"));
    WriteBytes(temp.path("class/good.llg"),
               ReadBytes(std::string(TORVEX_SOLUTIONS) + "/traffic_light.llg"));
    ConflictingGreens(temp.path("class/greens.llg"));
    WriteBytes(temp.path("s.scn"), "at 60 expect plant.cars>=10 plant.max_queue<=12 OP3=1\n");
    const Graded r = Grade({"--grade", temp.path("class"), "--scenario", temp.path("s.scn"),
                            "--plant", "traffic", "--report", temp.path("g")});
    EXPECT_EQ(r.status, 1) << r.err;
    const auto csv = CsvRows(ReadBytes(temp.path("g.csv")));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"file", "result", "passed", "failed", "stop",
                                                "plant.cars", "plant.max_queue", "note"}));
    EXPECT_EQ(csv[1][0] + " " + csv[1][1] + " " + csv[1][4], "good.llg passed ");
    EXPECT_EQ(csv[2][0] + " " + csv[2][1] + " " + csv[2][4] + " " + csv[2][5],
              "greens.llg failed conflicting greens 0");
    EXPECT_EQ(csv[2][7], "t=0.0 plant stopped: conflicting greens (+2 more)");
    // The stop is charted with the outputs the plant reads, and the figure that failed.
    const std::string html = ReadBytes(temp.path("g.html"));
    ASSERT_EQ(Count(html, "<svg "), 1u);
    for (const char* row : {">OP2</text>", ">OP5</text>", ">OP11</text>", ">plant.cars</text>"})
        EXPECT_EQ(Count(html, row), 1u) << row;
    EXPECT_NE(html.find("first failure, t=0.0 s"), std::string::npos);
    EXPECT_NE(html.find(">run ended</text>"), std::string::npos);
}

TEST(Grade, AFileThatRunsTooLongFailsAsTimedOut) {
    TempFolder temp;
    WriteBytes(temp.path("long.scn"), "end 1000000\n");
    const Graded r = Grade({"--grade", DataPath("run/motor.llg"), "--scenario",
                            temp.path("long.scn"), "--timeout", "0.05"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("  timed out  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  timed out: still running after 0.05 s, at t="), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n0 passed, 1 failed\n"), std::string::npos);
}

TEST(Grade, ABrokenScenarioOrCommandLineIsAnErrorOfTheBatch) {
    TempFolder temp;
    std::filesystem::create_directory(temp.path("empty"));
    const std::string motor = DataPath("run/motor.llg"), scenario = DataPath("run/motor.scn");
    WriteBytes(temp.path("s.csv"), ReadBytes(scenario));
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{motor, "--scenario", DataPath("run/broken.scn")},
         "broken.scn:2: 'at T' is followed by 'set' or 'expect'\n"},
        {{motor, "--scenario", temp.path("none.scn")}, "none.scn"},
        {{"--scenario", scenario}, "--grade needs the folders or diagram files to grade"},
        {{motor}, "--grade needs --scenario SCENARIO"},
        {{temp.path("empty"), "--scenario", scenario}, "no diagrams (.llg or .lld files) to grade"},
        {{motor, "--scenario", scenario, "--jobs", "0"}, "--jobs 0 is not a whole number 1 ... "},
        {{motor, "--scenario", scenario, "--timeout", "0"}, "--timeout 0 is not a time"},
        {{motor, "--scenario", scenario, "--plant", "lift"}, "there is no plant 'lift'"},
        {{motor, "--scenario", scenario, "--trace", "t.csv"}, "unknown option --trace"},
        {{motor, "--scenario", temp.path("s.csv"), "--report", temp.path("s")},
         "s.csv is the scenario; it would be overwritten"},
        {{motor, "--scenario", scenario, "--report", temp.path("none/r")},
         "the folder of the report does not exist"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--grade"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Graded r = Grade(args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.err;
    }
}

TEST(Grade, CleansTextFromStudentsToValidUtf8WithoutControls) {
    const struct {
        const char* text;
        bool keepLineEnds;
        const char* clean;
    } cases[] = {
        {"Äijälä.llg", false, "Äijälä.llg"},
        {"a\tb\nc", false, "a\\x09b\\x0Ac"},
        {"a\tb\nc", true, "a\tb\nc"},
        {"\x1B[2J\x7F", false, "\\x1B[2J\\x7F"},
        {"\xFF\xC3", false, "\\xFF\\xC3"},                    // not UTF-8; cut short
        {"\xC0\xAF", false, "\\xC0\\xAF"},                    // overlong '/'
        {"\xED\xA0\x80", false, "\\xED\\xA0\\x80"},           // a surrogate
        {"\xC2\x9B", false, "\\xC2\\x9B"},                    // the C1 control CSI
        {"\xEF\xBF\xBE", false, "\\xEF\\xBF\\xBE"},           // a non-character
        {"\xF4\x90\x80\x80", false, "\\xF4\\x90\\x80\\x80"},  // beyond U+10FFFF
        {"\xF0\x9F\x9A\xA6", false, "\xF0\x9F\x9A\xA6"},      // a traffic light
    };
    for (const auto& c : cases) EXPECT_EQ(CleanText(c.text, c.keepLineEnds), c.clean) << c.text;
}

}  // namespace
}  // namespace torvex

// The Elevator in torvex-run's loop: diagrams that break each of its stop rules on purpose
// end the run with the reason, and the worked example runs clear of them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "files/ladder_writer.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

using test::Simple;

// torvex-run's exit status and what it printed.
std::pair<int, std::string> TorvexRun(const test::TempFolder& folder,
                                      const std::vector<std::string>& args) {
    std::string command = "'" TORVEX_RUN_PATH "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >'" + folder.path("out") + "' 2>&1";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::ReadBytes(folder.path("out"))};
}

TEST(ElevatorInTheLoop, EachStopRuleBrokenOnPurposeEndsTheRun) {
    const struct {
        const char* name;
        std::vector<std::vector<std::string>> rungs;
        const char* out;
    } cases[] = {
        {"both motors",
         {{Simple({}, "OUT:OP0")}, {Simple({}, "OUT:OP1")}},
         "t=0.0 plant stopped: up and down together\n"},
        {"up as the door opens",
         {{Simple({}, "OUT:OP0")}, {Simple({}, "OUT:OP2")}},
         "t=0.0 plant stopped: car moving with the door open\n"},
        {"up without stopping",
         {{Simple({"NOC:IP13"}, "OUT:OP0")}},
         "t=10.5 plant stopped: overtravel\n"},
        {"down from floor 1", {{Simple({}, "OUT:OP1")}}, "t=1.5 plant stopped: overtravel\n"},
        // The door opens, and closes on whoever steps into it.
        {"door closing on a passenger",
         {{Simple({"NCC:IP14", "NCC:IP12"}, "OUT:OP2")}, {Simple({"NOC:IP14"}, "OUT:OP3")}},
         "t=6.7 plant stopped: door closed on a passenger\n"},
    };
    const test::TempFolder folder;
    test::WriteBytes(folder.path("s.scn"), "at 60 expect plant.stopped=1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::Model m;
        m.plc->diagram.clear();
        for (size_t r = 0; r < c.rungs.size(); ++r)
            test::SetRung(m.diagram(), static_cast<int>(r), c.rungs[r]);
        ASSERT_EQ(SaveLadder(*m.plc, m.comments, m.settings, folder.path("d.llg")), "");
        const auto [status, out] =
            TorvexRun(folder, {folder.path("d.llg"), folder.path("s.scn"), "--plant", "elevator"});
        EXPECT_EQ(status, 0) << out;
        EXPECT_EQ(out, std::string(c.out) + "1 passed, 0 failed\n");
    }
    // Without the expectation the stop fails the scenario.
    test::WriteBytes(folder.path("s.scn"), "at 60 expect plant.delivered>=0");
    EXPECT_EQ(TorvexRun(folder, {folder.path("d.llg"), folder.path("s.scn"), "--plant", "4"}).first,
              1);
}

}  // namespace
}  // namespace torvex

// Run, Pause, Stop, Single Loop and Single Step: the run state and its transitions, the
// status texts, and what the windows and the device are asked to do, in what order.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/engine/run_fixture.h"

namespace torvex::test {
namespace {

using Log = std::vector<std::string>;

const Log kStartCalls = {"setMemoTopRung -1", "setEditorMode 9", "setCommentItemsEnabled 0",
                         "clearInformationBar", "lockEditor"};
const Log kRunCalls = {"setStatusText Running...", "letWindowRepaint", "setRunButtonEnabled 0"};
const Log kStopCalls = {"setRunButtonEnabled 1",    "unlockEditor",
                        "setEditorMode 0",          "setCommentItemsEnabled 1",
                        "DisplayRungs plain clear", "setStatusText Stopped",
                        "letWindowRepaint"};

Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class RunControlTest : public RunTest {
protected:
    // Two rungs: IP0 drives OP0, OP0 drives OP1.
    void TwoRungs() {
        Rung(0, {Simple({"NOC:IP0"}, "OUT:OP0")});
        Rung(1, {Simple({"NOC:OP0"}, "OUT:OP1")});
    }

    // R Run, P Pause, S Stop, L Single Loop, T Single Step, D a control dialog opens, d it
    // closes. A Run that starts the thread returns once its first cycle is done.
    void Do(const std::string& commands) {
        for (char command : commands) {
            switch (command) {
                case 'R': {
                    const bool starts = !host.controlDialogOpen && !run.ThreadCreated();
                    const int before = clock.sleeps();
                    run.btnRunClick();
                    if (starts) WaitForSleeps(before + 1);
                    break;
                }
                case 'P':
                    run.btnPauseClick();
                    break;
                case 'S':
                    run.btnStopClick();
                    break;
                case 'L':
                    run.btnStepDiagramClick();
                    break;
                case 'T':
                    run.btnSingleStepClick();
                    break;
                case 'D':
                    host.controlDialogOpen = true;
                    break;
                case 'd':
                    host.controlDialogOpen = false;
                    break;
                default:
                    FAIL() << "no command " << command;
            }
        }
    }
};

struct Transition {
    const char* commands;
    bool inProgress;
    bool continuous;
    bool thread;
    const char* status;
    int32_t stepRung;
};

// Shown as the commands, not as the struct's bytes.
void PrintTo(const Transition& t, std::ostream* out) {
    *out << '"' << t.commands << '"';
}

// The commands spelt out, as a test name: "Run_Pause_Stop"; "Nothing" for none.
std::string TransitionName(const Transition& t) {
    constexpr std::pair<char, const char*> kWords[] = {
        {'R', "Run"},  {'P', "Pause"},       {'S', "Stop"},        {'L', "Loop"},
        {'T', "Step"}, {'D', "DialogOpens"}, {'d', "DialogCloses"}};
    std::string name;
    for (const char* c = t.commands; *c != '\0'; ++c) {
        if (!name.empty()) name += '_';
        for (const auto& [command, word] : kWords)
            if (command == *c) name += word;
    }
    return name.empty() ? "Nothing" : name;
}

class StateTable : public RunControlTest, public ::testing::WithParamInterface<Transition> {};

TEST_P(StateTable, EndsInTheStateListed) {
    const Transition& t = GetParam();
    TwoRungs();
    Do(t.commands);
    EXPECT_EQ(run.RunInProgress(), t.inProgress);
    EXPECT_EQ(run.ContinuousRun(), t.continuous);
    EXPECT_EQ(run.ThreadCreated(), t.thread);
    EXPECT_EQ(run.ThreadRunning(), t.thread);
    EXPECT_EQ(run.StatusText(), t.status);
    EXPECT_EQ(host.shownStatus, t.status);
    EXPECT_EQ(run.StepRung(), t.stepRung);
}

INSTANTIATE_TEST_SUITE_P(
    RunControl, StateTable,
    ::testing::Values(
        Transition{"", false, false, false, "Stopped", -1},
        Transition{"R", true, true, true, "Running...", -1},
        Transition{"RP", true, false, false, "Paused...", -1},
        Transition{"RPR", true, true, true, "Running...", -1},
        Transition{"RS", false, false, false, "Stopped", -1},
        Transition{"RPS", false, false, false, "Stopped", -1},
        Transition{"L", true, false, false, "Single Loop...", -1},
        Transition{"LL", true, false, false, "Single Loop...", -1},
        Transition{"T", true, false, false, "Single Step Rung 0 ...", 1},
        Transition{"TT", true, false, false, "Single Step Rung 1 ...", -1},
        Transition{"TTT", true, false, false, "Single Step Rung 0 ...", 1},
        Transition{"TL", true, false, false, "Single Loop...", -1},
        Transition{"LT", true, false, false, "Single Step Rung 0 ...", 1},
        Transition{"TP", true, false, false, "Paused...", 1},
        Transition{"LR", true, true, true, "Running...", -1},
        // Run abandons a half-done stepped scan; StepRung keeps its value.
        Transition{"TR", true, true, true, "Running...", 1},
        Transition{"TRPT", true, false, false, "Single Step Rung 1 ...", -1},
        Transition{"RPT", true, false, false, "Single Step Rung 0 ...", 1},
        Transition{"RPL", true, false, false, "Single Loop...", -1},
        Transition{"TS", false, false, false, "Stopped", 1},
        Transition{"TST", true, false, false, "Single Step Rung 0 ...", 1},
        Transition{"LS", false, false, false, "Stopped", -1},
        // While running, the step commands do nothing.
        Transition{"RL", true, true, true, "Running...", -1},
        Transition{"RT", true, true, true, "Running...", -1},
        // Without a run, Pause and Stop do nothing.
        Transition{"P", false, false, false, "Stopped", -1},
        Transition{"S", false, false, false, "Stopped", -1},
        // A control dialog blocks Run, and the step commands unless a run is in progress.
        Transition{"DR", false, false, false, "Stopped", -1},
        Transition{"DL", false, false, false, "Stopped", -1},
        Transition{"DT", false, false, false, "Stopped", -1},
        Transition{"RPDR", true, false, false, "Paused...", -1},
        Transition{"RPDL", true, false, false, "Single Loop...", -1},
        Transition{"TDT", true, false, false, "Single Step Rung 1 ...", -1},
        Transition{"RDP", true, false, false, "Paused...", -1},
        Transition{"RDS", false, false, false, "Stopped", -1},
        Transition{"DTdT", true, false, false, "Single Step Rung 0 ...", 1}),
    [](const ::testing::TestParamInfo<Transition>& info) { return TransitionName(info.param); });

TEST_F(RunControlTest, CommandsThatDoNothingAskTheWindowsForNothing) {
    TwoRungs();
    Do("PS");
    host.controlDialogOpen = true;
    Do("RLT");
    EXPECT_EQ(Calls(), Log{});
    host.controlDialogOpen = false;
    Do("R");
    Calls();
    Do("LT");  // the step commands see "Running..."
    EXPECT_EQ(Calls(), Log{});
}

TEST_F(RunControlTest, RunAndStopInEachModeMakeTheirCallsInOrder) {
    struct Case {
        const char* name;
        ControlMenuMode mode;
        bool simulation, debugger, monitor;
        Log start;  // after kRunCalls: the first cycle
        Log firstCycle;
        Log stop;  // after kStopCalls
    };
    const Case cases[] = {
        {"debugger",
         ControlMenuMode::Debugger,
         false,
         true,
         false,
         kStartCalls,
         {"cycle: updateDebuggerDisplay", "cycle: DisplayRung 0 live clear"},
         {}},
        {"external device",
         ControlMenuMode::ExternalDevice,
         false,
         true,
         false,
         Join({{"device Open"}, kStartCalls}),
         {"device ReadInputs@768", "device WriteOutputs@768 0x0000", "cycle: updateDebuggerDisplay",
          "cycle: DisplayRung 0 live clear"},
         {"device Close"}},
        {"internal simulation",
         ControlMenuMode::InternalSimulation,
         true,
         false,
         true,
         Join({{"SimulationStart"}, kStartCalls}),
         {"cycle: SimulationReadInputs", "cycle: SimulationWriteOutputs 0x0001",
          "cycle: updateMonitorDisplay", "cycle: DisplayRung 0 live clear"},
         {}},
        {"external PLC",
         ControlMenuMode::ExternalPLC,
         true,
         false,
         true,
         // No StartRun: no editor mode, comment items or information bar.
         {"device Open", "SimulationStart", "setMemoTopRung -1", "lockEditor"},
         {"cycle: SimulationReadInputs", "device WriteOutputs@768 0x0001", "device ReadInputs@768",
          "cycle: SimulationWriteOutputs 0x0006", "cycle: updateMonitorDisplay",
          "cycle: DisplayRung 0 live clear"},
         {"device Close"}},
    };
    TwoRungs();
    UseDevice();
    device->inputWord = 0x0006;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.mode = c.mode;
        host.simulationOpen = c.simulation;
        host.debuggerOpen = c.debugger;
        host.monitorOpen = c.monitor;
        host.sensors = {true};
        forced.set(0, true);
        StartRunning();
        EXPECT_EQ(Calls(), Join({c.start, kRunCalls, c.firstCycle}));
        run.btnStopClick();
        EXPECT_EQ(Calls(), Join({kStopCalls, c.stop}));
    }
}

TEST_F(RunControlTest, ACycleRedrawsOneVisibleRungInRotation) {
    for (int r = 0; r < 6; ++r) Rung(r, {Simple({"NOC:IP0"}, "OUT:OP0")});
    host.slotsShown = 3;
    StartRunning();
    NextCycle(4);
    Log redrawn;
    for (const std::string& call : Calls())
        if (call.rfind("cycle: DisplayRung ", 0) == 0) redrawn.push_back(call.substr(19, 1));
    EXPECT_EQ(redrawn, (Log{"1", "2", "0", "1", "2"}));
}

TEST_F(RunControlTest, TheDebuggersForcedInputsReachEachScan) {
    TwoRungs();
    StartRunning();
    EXPECT_FALSE(m().Outputs[0].State);
    forced.set(0, true);
    NextCycle();
    EXPECT_TRUE(m().Inputs[0].Raw);
    EXPECT_TRUE(m().Outputs[0].State);
    EXPECT_EQ(host.shownOutputWord, 0x0001);
    NextCycle();
    EXPECT_EQ(host.shownOutputWord, 0x0003);
    forced.set(0, false);
    NextCycle();
    EXPECT_EQ(host.shownOutputWord, 0x0002);
}

TEST_F(RunControlTest, TheNullInterfaceReadsZeroOverForcedInputs) {
    Rung(0, {Simple({"NOC:IP3"}, "OUT:OP3")});
    host.mode = ControlMenuMode::ExternalDevice;  // interface 0, the null one, is current
    forced.set(3, true);
    m().Inputs[3].Raw = true;
    StartRunning();
    NextCycle(2);
    EXPECT_FALSE(m().Inputs[3].Raw);
    EXPECT_FALSE(m().Outputs[3].State);
    run.btnStopClick();
    host.mode = ControlMenuMode::Debugger;
    StartRunning();
    EXPECT_TRUE(m().Outputs[3].State);
}

TEST_F(RunControlTest, TheDeviceWordsCarryBitIForPointI) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP15")});
    Rung(1, {Simple({"NOC:IP15"}, "OUT:OP0")});
    Rung(2, {Simple({"NOC:IP7"}, "OUT:OP8")});
    UseDevice();
    host.mode = ControlMenuMode::ExternalDevice;
    device->inputWord = 0x8081;  // inputs 0, 7 and 15
    StartRunning();
    for (int i = 0; i < kPoints; ++i)
        EXPECT_EQ(m().Inputs[i].Raw, i == 0 || i == 7 || i == 15) << i;
    EXPECT_EQ(device->written.load(), 0x8101);
}

TEST_F(RunControlTest, ExternalPLCModeRunsNoScan) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP1")});
    Rung(1, {Simple({"NOC:IP0"}, "TIM:T1")});
    m().Timers[1].Preset = 100;
    m().Flags[4].State = true;  // a run start would clear it
    m().ScanTick = 7;
    UseDevice();
    host.mode = ControlMenuMode::ExternalPLC;
    host.simulationOpen = true;
    host.debuggerOpen = false;
    host.monitorOpen = true;
    host.sensors = {true, false, true};  // sensors 0 and 2
    device->inputWord = 0x0009;          // the real PLC sets outputs 0 and 3
    StartRunning();
    NextCycle(3);
    EXPECT_EQ(device->written.load(), 0x0005) << "the sensors go out through the interface";
    EXPECT_EQ(OutputWord(m()), 0x0009);
    EXPECT_EQ(host.actuators, (PointStates{true, false, false, true}));
    EXPECT_TRUE(m().Inputs[0].Raw);
    EXPECT_FALSE(m().Inputs[0].Image) << "no scan took the inputs";
    EXPECT_FALSE(m().Timers[1].Running);
    EXPECT_EQ(m().ScanTick, 7);
    EXPECT_TRUE(m().Flags[4].State);
    for (int c = 0; c < kColumns; ++c) EXPECT_FALSE(plc.diagram.Rungs[0].Power[c][0]) << c;
}

TEST_F(RunControlTest, ATimerStartedBeforeAPauseIsDoneAtTheFirstScanAfterIt) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:T1/DN"}, "OUT:OP0")});
    m().Timers[1].Preset = 5000;
    forced.set(0, true);
    StartRunning();
    NextCycle();
    forced.set(0, false);
    EXPECT_TRUE(m().Timers[1].Running);
    run.btnPauseClick();
    clock.advance(std::chrono::seconds(10));
    EXPECT_FALSE(m().Timers[1].DoneImage);
    StartRunning();
    EXPECT_TRUE(m().Timers[1].DoneImage);
    EXPECT_EQ(m().Timers[1].Elapsed, 5000);
    NextCycle();
    EXPECT_TRUE(m().Outputs[0].State);
}

TEST_F(RunControlTest, PauseThenSingleStepStartsAFreshScanWithTimersGoingOn) {
    Rung(0, {Simple({"NOC:IP0"}, "TIM:T1")});
    Rung(1, {Simple({"NOC:IP1"}, "OUT:OP1")});
    m().Timers[1].Preset = 10000;
    forced.set(0, true);
    StartRunning();
    NextCycle(3);  // the timer started 300 ms ago
    run.btnPauseClick();
    EXPECT_EQ(run.StepRung(), -1);
    clock.advance(std::chrono::milliseconds(700));
    forced.set(1, true);
    run.btnSingleStepClick();
    EXPECT_EQ(run.StatusText(), "Single Step Rung 0 ...");
    EXPECT_TRUE(m().Inputs[1].Image) << "fresh inputs";
    EXPECT_EQ(m().Timers[1].Elapsed, 1000) << "the timer went on from where the run left it";
    run.btnSingleStepClick();
    EXPECT_TRUE(m().Outputs[1].State);
}

TEST_F(RunControlTest, SingleStepSolvesOneRungAndPublishesAfterTheLast) {
    TwoRungs();
    forced.set(0, true);
    run.btnSingleStepClick();
    EXPECT_EQ(Calls(), Join({kStartCalls,
                             {"setTopRung 0", "DisplayRungs live keep",
                              "setStatusText Single Step Rung 0 ...", "updateDebuggerDisplay"}}));
    EXPECT_EQ(run.StepRung(), 1);
    EXPECT_TRUE(m().Outputs[0].CoilAcc);
    EXPECT_FALSE(m().Outputs[0].State) << "not published before the last rung";
    for (int w = 0; w < kRows; ++w) {
        EXPECT_TRUE(plc.diagram.Rungs[0].Lit[0][w]);
        EXPECT_FALSE(plc.diagram.Rungs[1].Lit[0][w]);
    }

    run.btnSingleStepClick();
    EXPECT_EQ(Calls(), (Log{"setTopRung 1", "DisplayRungs live keep",
                            "setStatusText Single Step Rung 1 ...", "updateDebuggerDisplay"}));
    EXPECT_EQ(run.StepRung(), -1);
    EXPECT_TRUE(m().Outputs[0].State);
    EXPECT_FALSE(m().Outputs[1].State) << "rung 1 saw OP0 as the last scan left it";
    EXPECT_FALSE(plc.diagram.Rungs[0].Lit[0][0]);
    EXPECT_TRUE(plc.diagram.Rungs[1].Lit[0][0]);

    forced.set(0, false);
    run.btnSingleStepClick();
    EXPECT_EQ(run.StatusText(), "Single Step Rung 0 ...");
    EXPECT_EQ(run.StepRung(), 1);
    EXPECT_FALSE(m().Inputs[0].Image) << "a new scan takes the inputs again";
    EXPECT_FALSE(plc.diagram.Rungs[0].Lit[3][0]) << "lit flags cleared when a scan starts";
}

TEST_F(RunControlTest, SingleStepTurnsToThePageHoldingTheRung) {
    for (int r = 0; r < 5; ++r) Rung(r, {Simple({"NOC:IP0"}, "OUT:OP0")});
    host.slotsWhole = 2;
    Log pages;
    for (int r = 0; r < 5; ++r) {
        run.btnSingleStepClick();
        for (const std::string& call : Calls())
            if (call.rfind("setTopRung ", 0) == 0) pages.push_back(call.substr(11));
    }
    EXPECT_EQ(pages, (Log{"0", "0", "2", "2", "4"}));
}

TEST_F(RunControlTest, SingleLoopAfterSingleStepFinishesThatScanOnly) {
    Rung(0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    Rung(1, {Simple({"NOC:IP0"}, "CUP:C1")});
    Rung(2, {Simple({"NOC:IP0"}, "OUT:OP2")});
    m().Counters[1].Preset = 5;
    forced.set(0, true);
    run.btnSingleStepClick();
    const int32_t stepTick = m().ScanTick;
    Calls();
    clock.advance(std::chrono::milliseconds(500));
    run.btnStepDiagramClick();
    EXPECT_EQ(Calls(), (Log{"updateDebuggerDisplay", "updateDebuggerDisplay",
                            "DisplayRungs live clear", "setStatusText Single Loop..."}));
    EXPECT_EQ(run.StepRung(), -1);
    EXPECT_EQ(m().ScanTick, stepTick) << "no second scan";
    EXPECT_EQ(m().Counters[1].Count, 1);
    EXPECT_EQ(OutputWord(m()), 0x0005);
}

TEST_F(RunControlTest, SingleLoopScansOnceWithItsExchange) {
    struct Case {
        ControlMenuMode mode;
        bool debugger, monitor;
        Log calls;
    };
    const Case cases[] = {
        {ControlMenuMode::Debugger,
         true,
         false,
         {"updateDebuggerDisplay", "DisplayRungs live clear", "processPendingMessages",
          "setStatusText Single Loop..."}},
        {ControlMenuMode::ExternalDevice,
         true,
         false,
         {"device ReadInputs@768", "device WriteOutputs@768 0x0001", "updateDebuggerDisplay",
          "DisplayRungs live clear", "processPendingMessages", "setStatusText Single Loop..."}},
        {ControlMenuMode::Debugger,
         false,
         true,
         {"takeMonitorInputs", "updateMonitorDisplay", "DisplayRungs live clear",
          "processPendingMessages", "setStatusText Single Loop..."}},
    };
    TwoRungs();
    UseDevice();
    device->inputWord = 1;
    forced.set(0, true);
    host.monitorInputs = {true};
    for (const Case& c : cases) {
        host.mode = c.mode;
        host.debuggerOpen = c.debugger;
        host.monitorOpen = c.monitor;
        run.btnStepDiagramClick();
        const Log calls = Calls();
        ASSERT_GT(calls.size(), c.calls.size());
        const auto scan = calls.end() - static_cast<long>(c.calls.size());
        EXPECT_EQ(Log(scan, calls.end()), c.calls);
        EXPECT_EQ(*(scan - 1), "lockEditor") << "the run start comes just before";
        EXPECT_EQ(run.StatusText(), "Single Loop...");
        EXPECT_TRUE(m().Outputs[0].State);
        run.btnStopClick();
    }
}

TEST_F(RunControlTest, StopHalfWayThroughASteppedScanDiscardsIt) {
    Rung(0, {Simple({"NOC:IP0"}, "CUP:C1")});
    Rung(1, {Simple({"NOC:IP0"}, "OUT:OP1")});
    Rung(2, {Simple({"NOC:IP0"}, "OUT:OP2")});
    m().Counters[1].Preset = 5;
    forced.set(0, true);
    run.btnSingleStepClick();
    run.btnSingleStepClick();
    EXPECT_EQ(m().Counters[1].Count, 1);
    run.btnStopClick();
    EXPECT_FALSE(AnyPowerOrLit(plc.diagram));
    EXPECT_EQ(OutputWord(m()), 0) << "the half scan published nothing";
    forced.set(0, false);
    run.btnSingleStepClick();
    EXPECT_EQ(run.StatusText(), "Single Step Rung 0 ...");
    EXPECT_EQ(run.StepRung(), 1);
    EXPECT_EQ(m().Counters[1].Count, 0) << "a fresh run from the initial count";
}

TEST_F(RunControlTest, StopAndPauseWaitForTheCycleInFlightServingItsCalls) {
    for (const char command : {'S', 'P'}) {
        SCOPED_TRACE(command);
        TwoRungs();
        forced.set(0, true);
        StartRunning();
        Calls();
        const int sleeps = clock.sleeps();
        clock.advanceToDeadline();
        // The run thread now waits for its first window call of the cycle to be served.
        while (ui.waitingInvokes() == 0) std::this_thread::yield();
        if (command == 'S')
            run.btnStopClick();
        else
            run.btnPauseClick();
        Log calls = Calls();
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls[0], "setRunButtonEnabled 1");
        EXPECT_EQ(calls[1], "cycle: updateDebuggerDisplay");
        EXPECT_EQ(calls[2], "cycle: DisplayRung 0 live clear");
        EXPECT_EQ(clock.sleeps(), sleeps) << "the thread ended without sleeping again";
        EXPECT_FALSE(run.ThreadCreated());
        if (command == 'S') {
            EXPECT_FALSE(AnyPowerOrLit(plc.diagram));
        } else {
            EXPECT_EQ(calls.back(), "setStatusText Paused...");
            run.btnStopClick();
        }
        clock.advance(std::chrono::seconds(1));
        EXPECT_EQ(Calls(), command == 'S' ? Log{} : kStopCalls);
        EXPECT_FALSE(AnyPowerOrLit(plc.diagram));
    }
}

TEST_F(RunControlTest, TheRunStopsWhenTheSimulationReportsStopped) {
    for (const ControlMenuMode mode :
         {ControlMenuMode::InternalSimulation, ControlMenuMode::ExternalPLC}) {
        SCOPED_TRACE(static_cast<int>(mode));
        Rung(0, {Simple({"NOC:IP0"}, "OUT:OP0")});
        UseDevice();
        host.mode = mode;
        host.simulationOpen = true;
        host.debuggerOpen = false;
        host.monitorOpen = true;
        host.writes = 0;
        host.stoppedFromWrite = 2;
        StartRunning();
        clock.advanceToDeadline();
        ServeUntil([&] { return !run.RunInProgress(); });
        EXPECT_EQ(host.writes, 2);
        const Log calls = Calls();
        const Log stop =
            Join({kStopCalls, mode == ControlMenuMode::ExternalPLC ? Log{"device Close"} : Log{}});
        ASSERT_GT(calls.size(), stop.size());
        const auto tail = calls.end() - static_cast<long>(stop.size());
        EXPECT_EQ(Log(tail, calls.end()), stop);
        EXPECT_EQ(*(tail - 1), "cycle: DisplayRung 0 live clear")
            << "the cycle that saw Stopped was finished first";
        EXPECT_FALSE(run.ThreadCreated());
        EXPECT_FALSE(run.ThreadRunning());
        EXPECT_EQ(run.StatusText(), "Stopped");
        EXPECT_FALSE(AnyPowerOrLit(plc.diagram));

        // The next Run starts a new thread that scans.
        host.stoppedFromWrite = 0;
        const int writes = host.writes;
        StartRunning();
        NextCycle();
        EXPECT_EQ(host.writes, writes + 2);
        EXPECT_TRUE(run.ThreadRunning());
        run.btnStopClick();
        Calls();
    }
}

TEST_F(RunControlTest, ALateEndNoticeOfAnOldThreadLeavesTheNewRunAlone) {
    TwoRungs();
    host.mode = ControlMenuMode::InternalSimulation;
    host.simulationOpen = true;
    host.debuggerOpen = false;
    host.stoppedFromWrite = 1;
    run.btnRunClick();
    ServeUntil([&] { return host.writes == 1; });
    // The thread ends by itself; Pause comes before its end notice is served.
    run.btnPauseClick();
    EXPECT_EQ(run.StatusText(), "Paused...");
    host.stoppedFromWrite = 0;
    StartRunning();  // serves the old notice on the way
    NextCycle();
    EXPECT_TRUE(run.RunInProgress());
    EXPECT_TRUE(run.ThreadRunning());
    EXPECT_EQ(run.StatusText(), "Running...");
}

TEST_F(RunControlTest, CyclesStartOnAbsoluteDeadlines) {
    TwoRungs();
    StartRunning();  // at 0
    NextCycle(2);    // at 100, 200
    // The thread wakes 30 ms late for the cycle due at 300: the next is still due at 400.
    int before = clock.sleeps();
    clock.advance(std::chrono::milliseconds(130));
    WaitForSleeps(before + 1);
    // The cycle at 400 takes 250 ms: the next follows at once and the count starts again.
    bool slow = true;
    host.duringInvoke = [&] {
        if (std::exchange(slow, false)) clock.advance(std::chrono::milliseconds(250));
    };
    before = clock.sleeps();
    clock.advanceToDeadline();
    WaitForSleeps(before + 1);
    NextCycle();
    EXPECT_EQ(clock.deadlines(), (std::vector<int64_t>{100, 200, 300, 400, 750, 850}));
}

TEST_F(RunControlTest, ForcingWhileStoppedReachesTheFirstStep) {
    Rung(0, {Simple({"NOC:IP2"}, "OUT:OP0")});
    forced.set(2, true);
    run.btnSingleStepClick();
    EXPECT_TRUE(m().Inputs[2].Image);
    EXPECT_TRUE(m().Outputs[0].State);
}

}  // namespace
}  // namespace torvex::test

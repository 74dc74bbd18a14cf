#include "engine/run_control.h"

#include <utility>

#include "engine/editor_state.h"

namespace torvex {

std::string SingleStepText(int32_t rung) {
    return "Single Step Rung " + std::to_string(rung) + " ...";
}

std::string StatusText(RunState state, int32_t steppedRung) {
    switch (state) {
        case RunState::Stopped:
            return std::string(StoppedText);
        case RunState::Running:
            return std::string(RunningText);
        case RunState::Paused:
            return std::string(PausedText);
        case RunState::SingleLoop:
            return std::string(SingleLoopText);
        case RunState::SingleStep:
            return SingleStepText(steppedRung);
    }
    return {};
}

RunControl::RunControl(Plc& plc, RunHost& host, InterfaceTable& interfaces,
                       const ForcedInputs& forced)
    : plc_(plc), host_(host), interfaces_(interfaces), forced_(forced), clock_(steady_) {}

RunControl::RunControl(Plc& plc, RunHost& host, InterfaceTable& interfaces,
                       const ForcedInputs& forced, CycleClock& clock)
    : plc_(plc), host_(host), interfaces_(interfaces), forced_(forced), clock_(clock) {}

RunControl::~RunControl() {
    endThread();
}

void RunControl::enter(RunState state) {
    state_ = state;
    host_.setStatusText(StatusText());
}

void RunControl::btnRunClick() {
    if (host_.ControlDialogOpen()) return;
    if (!RunInProgress()) StartControlRun();
    enter(RunState::Running);
    host_.letWindowRepaint();
    host_.setRunButtonEnabled(false);
    if (!thread_) {
        const RunSetup setup{host_.controlMode(), host_.SimulationOpen(), host_.DebuggerOpen(),
                             host_.MonitorOpen()};
        const uint64_t generation = ++generation_;
        std::weak_ptr<RunControl*> self = self_;
        // The end notice runs on the user-interface thread, like every other use of this object.
        auto ended = [self, generation] {
            if (auto alive = self.lock()) (*alive)->threadEnded(generation);
        };
        thread_ = std::make_unique<TTorvexThread>(
            RunThreadContext{plc_, host_, interfaces_, forced_, clock_, cycles_}, setup,
            std::move(ended));
    }
}

void RunControl::StartControlRun() {
    StepRung_ = -1;
    // In progress from here on; the command that started the run names the state it is in.
    state_ = RunState::Paused;
    const ControlMenuMode mode = host_.controlMode();
    if (UsesInterface(mode)) interfaces_.Open();
    if (host_.SimulationOpen()) host_.SimulationStart();
    host_.setMemoTopRung(-1);
    host_.runStarted();
    if (mode != ControlMenuMode::ExternalPLC) {
        host_.setEditorMode(emRunning);
        host_.setCommentItemsEnabled(false);
        host_.clearInformationBar();
        plc_.StartRun();
    }
    host_.lockEditor();
}

void RunControl::btnStopClick() {
    if (RunInProgress()) Stop();
}

void RunControl::Stop() {
    host_.setRunButtonEnabled(true);
    endThread();
    host_.unlockEditor();
    EndRun();
    enter(RunState::Stopped);
    host_.letWindowRepaint();
    if (UsesInterface(host_.controlMode())) interfaces_.Close();
}

void RunControl::EndRun() {
    host_.setEditorMode(emIdle);
    host_.setCommentItemsEnabled(true);
    host_.DisplayRungs(RungDraw::ClearLit);
    plc_.EndRun();
}

void RunControl::btnPauseClick() {
    if (!RunInProgress()) return;
    host_.setRunButtonEnabled(true);
    endThread();
    enter(RunState::Paused);
}

void RunControl::endThread() {
    if (!thread_) return;
    // Moved out first: its end notice, which may be served during the wait, then finds it
    // gone and leaves the run alone.
    std::unique_ptr<TTorvexThread> ending = std::move(thread_);
    ending->Terminate();
    host_.serveUntil([&] { return ending->Finished(); });
    ending.reset();  // joins; the thread has nothing left to wait for
}

void RunControl::threadEnded(uint64_t generation) {
    // Only a thread that ended by itself is still held here; one that was told to end has been
    // waited for already.
    if (!thread_ || generation != generation_) return;
    thread_.reset();
    if (state_ == RunState::Running) Stop();
}

void RunControl::btnStepDiagramClick() {
    if (state_ == RunState::Running) return;
    if (!RunInProgress()) {
        if (host_.ControlDialogOpen()) return;
        StartControlRun();
    }
    if (StepRung_ == -1) {
        StepDiagram();
    } else {
        while (StepRung_ != -1) OneStep(false);
        host_.DisplayRungs(RungDraw::Live | RungDraw::ClearLit);
    }
    enter(RunState::SingleLoop);
}

void RunControl::takeStepInputs(ControlMenuMode mode) {
    MemoryImage& memory = plc_.memory;
    if (UsesInterface(mode)) {
        SetInputsFromWord(memory, interfaces_.ReadInputs());
    } else if (host_.SimulationOpen()) {
        PointStates sensors{};
        for (int i = 0; i < kPoints; ++i) sensors[i] = memory.Inputs[i].Raw;
        host_.SimulationReadInputs(sensors);
        for (int i = 0; i < kPoints; ++i) memory.Inputs[i].Raw = sensors[i];
    } else if (host_.DebuggerOpen()) {
        forced_.UpdateInputs(memory);
    } else if (host_.MonitorOpen()) {
        PointStates shown{};
        for (int i = 0; i < kPoints; ++i) shown[i] = memory.Inputs[i].Raw;
        host_.takeMonitorInputs(shown);
        for (int i = 0; i < kPoints; ++i) memory.Inputs[i].Raw = shown[i];
    }
}

void RunControl::StepDiagram() {
    const ControlMenuMode mode = host_.controlMode();
    plc_.memory.ScanTick = static_cast<int32_t>(plc_.currentTick());
    takeStepInputs(mode);
    plc_.RunStep();
    if (UsesInterface(mode)) interfaces_.WriteOutputs(OutputWord(plc_.memory));
    host_.scanEnded();
    if (host_.DebuggerOpen()) {
        host_.updateDebuggerDisplay();
    } else if (host_.MonitorOpen()) {
        host_.updateMonitorDisplay();
    }
    host_.DisplayRungs(RungDraw::Live | RungDraw::ClearLit);
    host_.processPendingMessages();
}

void RunControl::btnSingleStepClick() {
    if (state_ == RunState::Running) return;
    if (!RunInProgress()) {
        if (host_.ControlDialogOpen()) return;
        StartControlRun();
    }
    OneStep(true);
}

void RunControl::OneStep(bool show) {
    const ControlMenuMode mode = host_.controlMode();
    Diagram& diagram = plc_.diagram;
    const int32_t count = diagram.RungCount();
    if (StepRung_ == -1) {
        for (int r = 0; r < count; ++r) {
            for (auto& column : diagram.Rungs[r].Lit)
                for (bool& lit : column) lit = false;
        }
        plc_.memory.ScanTick = static_cast<int32_t>(plc_.currentTick());
        takeStepInputs(mode);
        plc_.PreStep();
        StepRung_ = 0;
    }
    if (StepRung_ >= 0 && StepRung_ < count) {
        plc_.SingleStep(StepRung_);
        if (show) {
            const int32_t whole = host_.SlotsWhole() > 0 ? host_.SlotsWhole() : 1;
            host_.setTopRung(StepRung_ / whole * whole);
            for (int r = 0; r < count; ++r) {
                for (bool& lit : diagram.Rungs[r].Lit[0]) lit = r == StepRung_;
            }
            host_.DisplayRungs(RungDraw::Live);
            steppedRung_ = StepRung_;
            enter(RunState::SingleStep);
        }
        ++StepRung_;
    }
    // At or past the end (the count cannot shrink during a run, but a loop must still end).
    if (StepRung_ >= count) {
        plc_.PostStep();
        StepRung_ = -1;
        if (UsesInterface(mode)) interfaces_.WriteOutputs(OutputWord(plc_.memory));
        host_.scanEnded();
    }
    if (host_.DebuggerOpen()) {
        host_.updateDebuggerDisplay();
    } else if (host_.MonitorOpen()) {
        host_.updateMonitorDisplay();
    }
}

}  // namespace torvex

// Run control: starting and ending runs, continuous running on the run thread, Pause, Single
// Loop (one whole scan per command) and Single Step (one rung per command), the exchange of
// inputs and outputs with the source the Control menu selects, and the editor lock.
//
// The main window owns one RunControl and forwards its run buttons to it. Every function here
// is called on the user-interface thread. The run state below is that thread's own: the run
// thread never reads it (it is handed what it needs when created and is told to end through
// its own atomic stop request), so none of it needs to be atomic. The window flags the run
// control tests are asked of the host (run_host.h).
//
// Stop, Pause and the destructor wait for the cycle in flight to finish, serving meanwhile
// the calls that cycle makes onto the user-interface thread (UiThread::serveUntil), and only
// then go on: no scan ever runs after the power fields have been cleared, and no window call
// deadlocks against the wait.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/cycle_clock.h"
#include "engine/forced_inputs.h"
#include "engine/io_interface.h"
#include "engine/plc.h"
#include "engine/run_host.h"
#include "engine/run_thread.h"

namespace torvex {

// What the run is doing. pnlStatus shows its text (StatusText).
enum class RunState : uint8_t {
    Stopped,     // no run: the editor works
    Running,     // the run thread scans every 100 ms
    Paused,      // a run in progress that does not scan
    SingleLoop,  // the last command scanned the diagram once
    SingleStep,  // the last command solved one rung
};

inline constexpr std::string_view StoppedText = "Stopped";
inline constexpr std::string_view RunningText = "Running...";
inline constexpr std::string_view PausedText = "Paused...";
inline constexpr std::string_view SingleLoopText = "Single Loop...";
// "Single Step Rung " n " ...".
std::string SingleStepText(int32_t rung);
// The status text of `state`; `steppedRung` is the rung the last Single Step solved.
std::string StatusText(RunState state, int32_t steppedRung);

class RunControl {
public:
    // Continuous runs keep the period on the monotonic clock.
    RunControl(Plc& plc, RunHost& host, InterfaceTable& interfaces, const ForcedInputs& forced);
    // Continuous runs keep the period on `clock`. Everything handed in must outlive this object.
    RunControl(Plc& plc, RunHost& host, InterfaceTable& interfaces, const ForcedInputs& forced,
               CycleClock& clock);
    // Ends a run thread that still exists, serving its calls until it has; no window effects.
    ~RunControl();
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // The run buttons.
    void btnRunClick();
    void btnStopClick();
    void btnPauseClick();
    void btnStepDiagramClick();  // Single Loop
    void btnSingleStepClick();   // Single Step

    // Starts a run: memory image initialised (except in External PLC mode), interface opened,
    // simulation started, editor locked.
    void StartControlRun();
    // Ends the run: thread ended, editor unlocked, power fields cleared, interface closed.
    void Stop();
    // One complete scan with its input and output exchange, on this thread.
    void StepDiagram();
    // Solves one rung of the scan in progress, starting a scan first when none is.
    void OneStep(bool show);

    RunState state() const { return state_; }
    // A run has been started and not stopped (running, paused or stepping).
    bool RunInProgress() const { return state_ != RunState::Stopped; }
    // The run thread is meant to be scanning.
    bool ContinuousRun() const { return state_ == RunState::Running; }
    // The run thread has been started and not told to end (nor ended by itself).
    bool ThreadRunning() const { return thread_ != nullptr; }
    bool ThreadCreated() const { return thread_ != nullptr; }
    // Position of Single Step within a scan: -1 between scans, otherwise the next rung.
    int32_t StepRung() const { return StepRung_; }
    // Cycles the run thread has completed since this object was made (any thread may ask).
    uint64_t cycles() const { return cycles_.load(std::memory_order_acquire); }
    // What pnlStatus shows.
    std::string StatusText() const { return torvex::StatusText(state_, steppedRung_); }

private:
    void enter(RunState state);
    void endThread();
    void threadEnded(uint64_t generation);
    void takeStepInputs(ControlMenuMode mode);
    void EndRun();

    Plc& plc_;
    RunHost& host_;
    InterfaceTable& interfaces_;
    const ForcedInputs& forced_;
    SteadyCycleClock steady_;
    CycleClock& clock_;

    RunState state_ = RunState::Stopped;
    int32_t StepRung_ = -1;
    int32_t steppedRung_ = 0;  // the rung the last Single Step solved, for its status text

    std::atomic<uint64_t> cycles_{0};
    std::unique_ptr<TTorvexThread> thread_;
    uint64_t generation_ = 0;  // of thread_, so that a late end notice of an older one is ignored
    // Posted end notices hold it weakly: one that arrives after this object is gone does nothing.
    std::shared_ptr<RunControl*> self_ = std::make_shared<RunControl*>(this);
};

}  // namespace torvex

// A host that records what the windows are asked to do, and an interface that records what the
// device is sent: the windows and the device of run control's tests and measurements.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/io_interface.h"
#include "engine/plc.h"
#include "engine/run_host.h"
#include "tests/support/ui_queue.h"

namespace torvex::test {

// Entries from the user-interface thread and the run thread, in the order they happened.
class CallLog {
public:
    void add(std::string entry);
    // Everything logged since the last take.
    std::vector<std::string> take();
    // Long runs keep nothing.
    void setKeeping(bool keeping) { keeping_ = keeping; }

private:
    std::atomic<bool> keeping_{true};
    std::mutex mutex_;
    std::vector<std::string> entries_;
};

class RecordingInterface final : public IoInterface {
public:
    RecordingInterface(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}

    std::string Name() override { return name_; }
    int32_t DefaultAddress() override { return 0x300; }
    int32_t AddressCount() override { return 2; }
    int32_t AddressValue(int32_t choice) override { return 0x300 + 0x10 * choice; }
    std::string AddressText(int32_t choice) override { return std::to_string(choice); }
    bool HasRoutine() override { return false; }
    std::string RoutineCaption() override { return {}; }
    int32_t Routine() override { return 0; }
    void Open() override { log_.add(name_ + " Open"); }
    void Close() override { log_.add(name_ + " Close"); }
    void SetAddress(int32_t) override {}
    int32_t ReadInputs(int32_t base) override;
    void WriteOutputs(int32_t base, int32_t value) override;

    std::atomic<int32_t> inputWord{0};
    std::atomic<int32_t> written{-1};
    // Called at each ReadInputs, on the thread that makes it.
    std::function<void()> onReadInputs;

private:
    CallLog& log_;
    std::string name_;
};

// The windows: flags a test sets, and a log of every call. Every call must come on the
// user-interface thread; one that does not is a failure.
class RecordingHost final : public RunHost {
public:
    RecordingHost(UiQueue& ui, Plc& plc, CallLog& log) : ui_(ui), plc_(plc), log_(log) {}

    void invoke(const std::function<void()>& call) override;
    void post(std::function<void()> call) override { ui_.post(std::move(call)); }
    void serveUntil(const std::function<bool()>& done) override { ui_.serveUntil(done); }

    bool ControlDialogOpen() override;
    bool SimulationOpen() override;
    bool DebuggerOpen() override;
    bool MonitorOpen() override;
    ControlMenuMode controlMode() override;
    int32_t SlotsShown() override;
    int32_t SlotsWhole() override;
    void setTopRung(int32_t rung) override;
    void setMemoTopRung(int32_t rung) override;

    void setRunButtonEnabled(bool enabled) override;
    void setStatusText(const std::string& text) override;
    void letWindowRepaint() override { record("letWindowRepaint"); }
    void processPendingMessages() override { record("processPendingMessages"); }
    void lockEditor() override { record("lockEditor"); }
    void unlockEditor() override { record("unlockEditor"); }
    void setEditorMode(int32_t mode) override;
    void setCommentItemsEnabled(bool enabled) override;
    void clearInformationBar() override { record("clearInformationBar"); }

    void updateDebuggerDisplay() override;
    void updateMonitorDisplay() override;
    void takeMonitorInputs(PointStates& inputs) override;
    void DisplayRungs(RungDraw how) override;
    void DisplayRung(int32_t slot, RungDraw how) override;

    void SimulationStart() override { record("SimulationStart"); }
    void SimulationReadInputs(PointStates& sensors) override;
    bool SimulationWriteOutputs(const PointStates& outputs) override;

    // Window state, set by the test on the user-interface thread.
    bool controlDialogOpen = false;
    bool simulationOpen = false;
    bool debuggerOpen = true;
    bool monitorOpen = false;
    ControlMenuMode mode = ControlMenuMode::Debugger;
    int32_t slotsShown = 1;
    int32_t slotsWhole = 1;
    int32_t topRung = 0;
    int32_t memoTopRung = -1;
    PointStates sensors{};
    PointStates monitorInputs{};
    // SimulationWriteOutputs reports Stopped from this call on (counting from 1); 0: never.
    int stoppedFromWrite = 0;
    // Runs inside every call the run thread marshals, after it is logged.
    std::function<void()> duringInvoke;

    // What the windows were shown.
    PointStates actuators{};
    int writes = 0;
    int displays = 0;             // debugger and monitor refreshes
    int32_t shownOutputWord = 0;  // outputs at the last refresh
    std::string shownStatus{"Stopped"};

private:
    // Fails the test when not on the user-interface thread.
    void check(const char* what);
    // Logged with "cycle: " in front when made inside a call the run thread marshalled.
    void record(std::string entry);

    UiQueue& ui_;
    Plc& plc_;
    CallLog& log_;
    bool inInvoke_ = false;
};

}  // namespace torvex::test

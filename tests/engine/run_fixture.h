// Run control on a clock that moves only when a test moves it, with the recording host and
// interface.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/run_control.h"
#include "tests/support/ladder_text.h"
#include "tests/support/recording_host.h"
#include "tests/support/ui_queue.h"

namespace torvex::test {

// Aborts the program when a test has not ended in time: a deadlock would otherwise hang.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit);
    ~Watchdog();

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread thread_;
};

// Whether any rung in use shows power or a lit cell.
bool AnyPowerOrLit(const Diagram& diagram);

// A cycle clock whose time moves only through advance(); the Plc's tick moves with it.
class ManualClock final : public CycleClock {
public:
    ManualClock(VirtualTickSource& ticks, UiQueue& ui) : ticks_(ticks), ui_(ui) {}

    TimePoint now() override;
    void sleepUntil(TimePoint deadline, std::stop_token stop) override;

    void advance(std::chrono::milliseconds by);
    // Moves time to the deadline the run thread sleeps towards (nothing when it does not).
    void advanceToDeadline();
    // Sleeps begun so far.
    int sleeps() const { return sleeps_.load(); }
    // The deadlines slept towards, in milliseconds from the clock's origin.
    std::vector<int64_t> deadlines();
    int64_t elapsedMs();

private:
    VirtualTickSource& ticks_;
    UiQueue& ui_;
    std::mutex mutex_;
    std::condition_variable_any moved_;
    TimePoint origin_{std::chrono::hours(1)};
    TimePoint now_{origin_};
    TimePoint sleepingTowards_{};
    std::vector<int64_t> deadlines_;
    std::atomic<int> sleeps_{0};
};

// A Plc, an interface table whose entry 1 is a recording interface, forced inputs and a run
// control on the manual clock; the test's own thread is the user-interface thread.
class RunTest : public ::testing::Test {
protected:
    static constexpr uint32_t kStartTick = 1'000'000;

    Watchdog watchdog{std::chrono::seconds(60)};

    RunTest();
    ~RunTest() override;
    void TearDown() override;

    void Rung(int index, const std::vector<std::string>& rows) {
        SetRung(plc.diagram, index, rows);
    }
    MemoryImage& m() { return plc.memory; }
    // The device entry of the interface table made current.
    void UseDevice();

    // Serves the run thread until it has begun `count` sleeps in all.
    void WaitForSleeps(int count);
    // Run pressed; returns once the first cycle is done and the thread sleeps.
    void StartRunning();
    // Time moved to the next deadline; returns once that cycle is done.
    void NextCycle(int count = 1);
    // Serves the user-interface thread until `done`.
    void ServeUntil(const std::function<bool()>& done) { ui.serveUntil(done); }

    // The log without the entries the test does not look at.
    std::vector<std::string> Calls();

    VirtualTickSource ticks{kStartTick};
    std::unique_ptr<Plc> owned = std::make_unique<Plc>(ticks);
    Plc& plc = *owned;
    UiQueue ui;
    CallLog log;
    ManualClock clock{ticks, ui};
    RecordingHost host{ui, plc, log};
    InterfaceTable interfaces;
    RecordingInterface* device = nullptr;
    ForcedInputs forced;
    std::unique_ptr<RunControl> control =
        std::make_unique<RunControl>(plc, host, interfaces, forced, clock);
    RunControl& run = *control;
};

}  // namespace torvex::test

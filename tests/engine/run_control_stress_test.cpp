// Thousands of run commands in random order against a running diagram, with the windows on a
// user-interface thread of their own that serves the run thread's calls through a mutex and
// a condition variable, as the Qt event loop serves them. Built with ThreadSanitizer too:
// it must report no race, and no command may deadlock or lose a Stop.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include "tests/engine/run_fixture.h"

namespace torvex::test {
namespace {

// Virtual time that jumps to each deadline at once: cycles run as fast as the windows serve
// them, while timers still see 100 ms pass per cycle.
class AcceleratedClock final : public CycleClock {
public:
    explicit AcceleratedClock(VirtualTickSource& ticks) : ticks_(ticks) {}
    TimePoint now() override { return TimePoint(std::chrono::nanoseconds(now_.load())); }
    void sleepUntil(TimePoint deadline, std::stop_token stop) override {
        if (stop.stop_requested()) return;
        const int64_t to = deadline.time_since_epoch().count();
        const int64_t from = now_.exchange(to);
        if (to > from) ticks_.advance(static_cast<uint32_t>((to - from) / 1'000'000));
        ++sleeps;
        std::this_thread::yield();
    }
    std::atomic<int64_t> sleeps{0};

private:
    VirtualTickSource& ticks_;
    std::atomic<int64_t> now_{int64_t{3600} * 1'000'000'000};
};

TEST(RunControlStress, RandomCommandsNeitherRaceNorDeadlockNorLoseAStop) {
    Watchdog watchdog(std::chrono::seconds(240));

    VirtualTickSource ticks{5'000};
    auto plc = std::make_unique<Plc>(ticks);
    Diagram& d = plc->diagram;
    SetRung(d, 0, {Simple({"NOC:IP0"}, "TIM:T1")});
    SetRung(d, 1, {Simple({"NOC:T1/DN"}, "OUT:OP0")});
    SetRung(d, 2, {Simple({"NOC:IP1"}, "CUP:C1")});
    SetRung(d, 3, {Simple({"NOC:C1/UP"}, "RES:C1")});
    SetRung(d, 4, {Simple({"NOC:IP2"}, "BL1:IP3")});
    SetRung(d, 5, {Simple({"NOC:R1/15"}, "OUT:OP1")});
    SetRung(d, 6, {Simple({"NOC:IP0", "NCC:F0"}, "ODT:T2")});
    SetRung(d, 7, {Simple({"NOC:T2/DN"}, "OUT:F0")});
    SetRung(d, 8, {Simple({"NOC:OP0"}, "RES:T1")});
    SetRung(d, 9, {Simple({"NOC:IP4"}, "LAT:OP2")});
    SetRung(d, 10, {Simple({"NOC:IP5"}, "UNL:OP2")});
    plc->memory.Timers[1].Preset = 300;
    plc->memory.Timers[2].Preset = 200;
    plc->memory.Counters[1].Preset = 4;

    UiQueue ui;
    CallLog log;
    log.setKeeping(false);
    AcceleratedClock clock(ticks);
    RecordingHost host(ui, *plc, log);
    InterfaceTable interfaces;
    ForcedInputs forced;
    RecordingInterface* device = nullptr;
    std::unique_ptr<RunControl> run;

    std::thread uiThread([&] { ui.exec(); });
    ui.userInput([&] {
        std::vector<std::unique_ptr<IoInterface>> extra;
        auto recording = std::make_unique<RecordingInterface>(log, "device");
        device = recording.get();
        extra.push_back(std::move(recording));
        interfaces.RegisterInterfaces(std::move(extra));
        interfaces.Select(1);
        run = std::make_unique<RunControl>(*plc, host, interfaces, forced, clock);
    });

    std::mt19937 random(20240611);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    int stops = 0, selfStops = 0;
    bool runningBefore = false;
    const int kCommands = 4000;
    for (int i = 0; i < kCommands; ++i) {
        const int command = static_cast<int>(random() % 100);
        const unsigned pick = random();
        // A third thread's view of the forced inputs: they are atomic.
        if (chance(30)) forced.set(static_cast<int>(pick % 6), pick & 0x100);
        ui.userInput([&] {
            RunControl& r = *run;
            selfStops += runningBefore && !r.RunInProgress();
            // Whatever ended the run before (a Stop, or the simulation), nothing scanned since.
            if (!r.RunInProgress()) {
                ASSERT_FALSE(AnyPowerOrLit(d)) << "a scan ran after the run stopped";
                ASSERT_FALSE(r.ThreadCreated());
            }
            const bool wasRunning = r.ThreadRunning();
            if (command < 25) {
                if (!r.ThreadRunning()) host.stoppedFromWrite = 0;
                r.btnRunClick();
            } else if (command < 40) {
                r.btnPauseClick();
                ASSERT_FALSE(r.ThreadCreated());
                ASSERT_FALSE(r.ThreadRunning());
            } else if (command < 55) {
                r.btnStopClick();
                stops += wasRunning;
                ASSERT_FALSE(r.RunInProgress());
                ASSERT_FALSE(r.ThreadCreated());
                ASSERT_EQ(r.StatusText(), "Stopped");
                ASSERT_FALSE(AnyPowerOrLit(d));
            } else if (command < 70) {
                r.btnStepDiagramClick();
            } else if (command < 85) {
                r.btnSingleStepClick();
            } else if (command < 91) {
                // The simulation stops itself a few writes from now.
                host.stoppedFromWrite = host.writes + 1 + static_cast<int>(pick % 4);
            } else if (command < 96) {
                for (int k = 0; k < kPoints; ++k) host.sensors[k] = (pick >> k) & 1;
                device->inputWord = static_cast<int32_t>(pick & 0xFFFF);
            } else if (!r.RunInProgress()) {
                // Mode changes come only between runs: the windows refuse them during one.
                const ControlMenuMode modes[] = {
                    ControlMenuMode::Debugger, ControlMenuMode::InternalSimulation,
                    ControlMenuMode::ExternalDevice, ControlMenuMode::ExternalPLC};
                host.mode = modes[pick % 4];
                const bool simulation = host.mode == ControlMenuMode::InternalSimulation ||
                                        host.mode == ControlMenuMode::ExternalPLC;
                host.simulationOpen = simulation;
                host.monitorOpen = simulation;
                host.debuggerOpen = !simulation;
                host.slotsShown = 1 + static_cast<int>(pick % 5);
            }
            if (!r.RunInProgress()) {
                ASSERT_EQ(r.StatusText(), "Stopped");
            }
            if (r.ThreadRunning()) {
                ASSERT_TRUE(r.ContinuousRun());
                ASSERT_EQ(r.StatusText(), "Running...");
            }
            runningBefore = r.ThreadRunning();
        });
        // Now and then let a running thread run a few cycles (counted, not timed, so that a
        // loaded machine runs as many; bounded, for a thread that has just ended by itself).
        if (runningBefore && chance(30)) {
            const int64_t target = clock.sleeps.load() + 1 + pick % 8;
            const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
            while (clock.sleeps.load() < target && std::chrono::steady_clock::now() < limit)
                std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        if (::testing::Test::HasFatalFailure()) break;
    }

    // The last Stop leaves nothing running: no cycle follows it.
    ui.userInput([&] { run->btnStopClick(); });
    const int64_t sleepsAfterStop = clock.sleeps.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ui.userInput([&] {
        EXPECT_FALSE(run->RunInProgress());
        EXPECT_FALSE(AnyPowerOrLit(d));
        run.reset();
    });
    EXPECT_EQ(clock.sleeps.load(), sleepsAfterStop);
    ui.quit();
    uiThread.join();

    // The mix must have stopped running threads often, both ways, and let them run between.
    EXPECT_GT(stops, 100);
    EXPECT_GT(selfStops, 0);
    EXPECT_GT(sleepsAfterStop, 300);
    std::printf("Stops of a running thread: %d, runs the simulation ended: %d, cycles: %lld\n",
                stops, selfStops, static_cast<long long>(sleepsAfterStop));
}

}  // namespace
}  // namespace torvex::test

// The run thread: continuous scanning, one cycle every 100 ms.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <stop_token>
#include <thread>

#include "engine/cycle_clock.h"
#include "engine/forced_inputs.h"
#include "engine/io_interface.h"
#include "engine/plc.h"
#include "engine/run_host.h"

namespace torvex {

constexpr std::chrono::milliseconds kScanPeriod{100};

// What the thread takes from the windows when it is created (see run_host.h).
struct RunSetup {
    ControlMenuMode mode = ControlMenuMode::Debugger;
    bool SimulationOpen = false;
    bool DebuggerOpen = false;
    bool MonitorOpen = false;
};

// Everything a cycle works on; all of it outlives the thread.
struct RunThreadContext {
    Plc& plc;
    RunHost& host;
    InterfaceTable& interfaces;
    const ForcedInputs& forced;
    CycleClock& clock;
    std::atomic<uint64_t>& cycles;  // counted up after each cycle
};

// Starts at once. Between cycles it tests whether it has been told to end; when it ends, by
// request or because the simulation reported Stopped, its last act is to post `ended` to the
// user-interface thread. Window work of a cycle goes through host.invoke; the interface
// routines are called on this thread.
class TTorvexThread {
public:
    TTorvexThread(RunThreadContext context, RunSetup setup, std::function<void()> ended);
    // Tells the thread to end and waits for it (without serving the user-interface thread:
    // call this only once Finished(), or where no cycle can be waiting on that thread).
    ~TTorvexThread();
    TTorvexThread(const TTorvexThread&) = delete;
    TTorvexThread& operator=(const TTorvexThread&) = delete;

    // Tells the thread to end: it finishes the cycle in flight and skips its sleep.
    void Terminate() { stop_.request_stop(); }
    // The thread has left its last cycle; its end notice is posted or about to be.
    bool Finished() const { return finished_.load(std::memory_order_acquire); }

private:
    void Execute(std::stop_token stop);
    void cycle(int32_t& redrawSlot);
    // host.invoke, with the scan's state lent to the user-interface thread meanwhile.
    void marshal(const std::function<void()>& call);
    void readInputs();
    void writeOutputs();

    RunThreadContext c_;
    RunSetup setup_;
    std::function<void()> ended_;
    std::stop_source stop_;
    std::atomic<bool> finished_{false};
    std::thread thread_;  // last: it starts once everything above is in place
};

}  // namespace torvex

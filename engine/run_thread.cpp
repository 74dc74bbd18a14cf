#include "engine/run_thread.h"

#include <utility>

namespace torvex {

TTorvexThread::TTorvexThread(RunThreadContext context, RunSetup setup, std::function<void()> ended)
    : c_(context), setup_(setup), ended_(std::move(ended)) {
    thread_ = std::thread([this, token = stop_.get_token()] {
        c_.clock.threadStarted();
        c_.plc.guard().runThreadStarted();
        Execute(token);
        c_.plc.guard().runThreadEnded();
        finished_.store(true, std::memory_order_release);
        c_.host.post(std::move(ended_));
    });
}

TTorvexThread::~TTorvexThread() {
    Terminate();
    if (thread_.joinable()) thread_.join();
}

void TTorvexThread::Execute(std::stop_token stop) {
    int32_t redrawSlot = 0;
    // Cycle k starts at start + k periods, so the time a sleep oversleeps is not carried into
    // the next period. A cycle that runs past its successor's start is followed at once by it,
    // and the count starts again from there rather than running the missed cycles in a burst.
    CycleClock::TimePoint start = c_.clock.now();
    int64_t k = 0;
    while (!stop.stop_requested()) {
        cycle(redrawSlot);
        c_.cycles.fetch_add(1, std::memory_order_release);
        if (stop.stop_requested()) break;
        const CycleClock::TimePoint next = start + ++k * kScanPeriod;
        const CycleClock::TimePoint now = c_.clock.now();
        if (now >= next) {
            start = now;
            k = 0;
            continue;
        }
        c_.clock.sleepUntil(next, stop);
    }
}

void TTorvexThread::cycle(int32_t& redrawSlot) {
    MemoryImage& memory = c_.plc.memory;
    readInputs();
    if (setup_.mode != ControlMenuMode::ExternalPLC) c_.plc.RunStep();
    writeOutputs();

    if (setup_.SimulationOpen) {
        PointStates outputs{};
        for (int i = 0; i < kPoints; ++i) outputs[i] = memory.Outputs[i].State;
        bool stopped = false;
        marshal([&] { stopped = c_.host.SimulationWriteOutputs(outputs); });
        if (stopped) Terminate();
    }
    if (setup_.DebuggerOpen) {
        marshal([&] { c_.host.updateDebuggerDisplay(); });
    } else if (setup_.MonitorOpen) {
        marshal([&] { c_.host.updateMonitorDisplay(); });
    }
    // One visible rung per cycle, in rotation, keeps the drawing cost of a scan small.
    // The scan's end is told in the redraw's call, which every cycle makes anyway.
    marshal([&] {
        c_.host.scanEnded();
        const int32_t shown = c_.host.SlotsShown();
        if (shown < 1) return;
        redrawSlot = (redrawSlot + 1) % shown;
        c_.host.DisplayRung(redrawSlot, RungDraw::Live | RungDraw::ClearLit);
    });
}

void TTorvexThread::marshal(const std::function<void()>& call) {
    // The scan's state is the user-interface thread's while this thread waits for it.
    const ScanGuard::Lend lend(c_.plc.guard());
    c_.host.invoke(call);
}

void TTorvexThread::readInputs() {
    MemoryImage& memory = c_.plc.memory;
    // The simulation's control belongs to the user-interface thread, so its sensors are read
    // there too; entries the control has nothing for keep their value.
    auto readSensors = [&] {
        if (!setup_.SimulationOpen) return;
        PointStates sensors{};
        for (int i = 0; i < kPoints; ++i) sensors[i] = memory.Inputs[i].Raw;
        marshal([&] { c_.host.SimulationReadInputs(sensors); });
        for (int i = 0; i < kPoints; ++i) memory.Inputs[i].Raw = sensors[i];
    };
    switch (setup_.mode) {
        case ControlMenuMode::ExternalDevice:
            SetInputsFromWord(memory, c_.interfaces.ReadInputs());
            break;
        case ControlMenuMode::ExternalPLC:
            readSensors();
            c_.interfaces.WriteOutputs(InputWord(memory));
            break;
        case ControlMenuMode::InternalSimulation:
            readSensors();
            break;
        case ControlMenuMode::Debugger:
            if (setup_.DebuggerOpen) c_.forced.UpdateInputs(memory);
            break;
    }
}

void TTorvexThread::writeOutputs() {
    MemoryImage& memory = c_.plc.memory;
    if (setup_.mode == ControlMenuMode::ExternalDevice) {
        c_.interfaces.WriteOutputs(OutputWord(memory));
    } else if (setup_.mode == ControlMenuMode::ExternalPLC) {
        SetOutputsFromWord(memory, c_.interfaces.ReadInputs());
    }
}

}  // namespace torvex

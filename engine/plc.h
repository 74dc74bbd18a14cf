// The one diagram and memory image of the program, and the scan that runs one on the other.
#pragma once

#include "engine/diagram.h"
#include "engine/memory_image.h"
#include "engine/scan_guard.h"
#include "engine/tick_source.h"

namespace torvex {

class Plc {
public:
    // Scans take their tick from the monotonic clock.
    Plc();
    // Scans take their tick from `clock`, which must outlive this object.
    explicit Plc(TickSource& clock);
    Plc(const Plc&) = delete;
    Plc& operator=(const Plc&) = delete;

    Diagram diagram;
    MemoryImage memory{};

    // The windows reach what a scan writes through these: the rule of scan_guard.h is
    // checked on every use.
    MemoryImage& uiMemory() {
        guard_.check();
        return memory;
    }
    RungRecord& uiRung(int rung) {
        guard_.check();
        return diagram.Rungs[rung];
    }
    ScanGuard& guard() { return guard_; }

    TickSource& clock() { return *clock_; }
    uint32_t currentTick() { return clock_->now(); }

    // Clearing for New Diagram: Used flags of timers and counters off, every rung
    // emptied, then one new rung. Presets, accumulators and the on-delay style stay.
    void ClearDiagram();

    // Prepares the memory image and the power of every rung in use for a run.
    void StartRun();
    // The memory image as a run start leaves it: inputs, outputs, flags and registers off,
    // timers idle, counters at their initial counts. Presets and the Used flags stay.
    void ResetMemory();
    // Clears Power and Lit of every rung in use; the memory image stays as the run left it.
    void EndRun();

    // One scan: PreStep, SingleStep of every rung in order, PostStep.
    void RunStep();
    void PreStep();
    void SingleStep(int rung);
    void PostStep();

private:
    ScanGuard guard_;
    SteadyTickSource steady_;
    TickSource* clock_;
};

}  // namespace torvex

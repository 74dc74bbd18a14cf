// The four mode items of the Control menu, which decide where a run takes its inputs from
// and sends its outputs to; exactly one is marked. Run control acts on it and the diagram
// file records it.
#pragma once

namespace torvex {

enum class ControlMenuMode {
    Debugger,            // mnuControlDebugger
    InternalSimulation,  // mnuControlInternalSimulation
    ExternalDevice,      // mnuControlExternalDevice
    ExternalPLC          // mnuControlExternalPLC: no scan, the interface drives the simulation
};

// The modes that exchange inputs and outputs through the external I/O interface.
constexpr bool UsesInterface(ControlMenuMode mode) {
    return mode == ControlMenuMode::ExternalDevice || mode == ControlMenuMode::ExternalPLC;
}

}  // namespace torvex

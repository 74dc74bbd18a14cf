#include "files/diagram_settings.h"

namespace torvex {

namespace {
constexpr const char* kSimulationNames[kSimulations] = {"Traffic Light", "Annunciator", "Car Park",
                                                        "Elevator"};
}  // namespace

const char* SimulationName(int simulation) {
    if (simulation < 1 || simulation > kSimulations) return kSimulationNames[0];
    return kSimulationNames[simulation - 1];
}

int SimulationNumber(std::string_view name) {
    for (int k = 1; k <= kSimulations; ++k)
        if (name == kSimulationNames[k - 1]) return k;
    return 0;
}

const char* ControlModeText(ControlMenuMode mode) {
    switch (mode) {
        case ControlMenuMode::ExternalPLC:
            return "Simulation From PLC";
        case ControlMenuMode::ExternalDevice:
            return "External Device";
        case ControlMenuMode::InternalSimulation:
            return "Simulation";
        case ControlMenuMode::Debugger:
            break;
    }
    return "I/O Monitor";
}

}  // namespace torvex

// What a diagram file records besides the model: the Control menu's mode, the open
// simulation and whether rung comments are shown. The window layer keeps these; the reader
// reports them and the writer is given them.
#pragma once

#include <string_view>

#include "engine/control_menu_mode.h"

namespace torvex {

struct DiagramSettings {
    ControlMenuMode controlMode = ControlMenuMode::Debugger;
    bool simulationOpen = false;  // SimulationOpen
    int currentSimulation = 1;    // CurrentSimulation, 1 ... 4
    bool commentsShown = false;   // CommentsShown
};

constexpr int kSimulations = 4;

// "Traffic Light", "Annunciator", "Car Park", "Elevator" for 1 ... 4; the writer's name for
// any other number is "Traffic Light".
const char* SimulationName(int simulation);
// 1 ... 4 for an exact simulation name, 0 for anything else.
int SimulationNumber(std::string_view name);

// The Control section's value for a mode.
const char* ControlModeText(ControlMenuMode mode);

}  // namespace torvex

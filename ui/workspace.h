// The program's shared data: one instance, owned by the main window and handed by
// reference to every window that works on the diagram.
#pragma once

#include <QString>
#include <memory>

#include "engine/editor_state.h"
#include "engine/plc.h"
#include "files/io_comments.h"

namespace torvex {

class Prompter;
class SettingsStore;

// Flags of the shell that several windows test.
struct ShellState {
    bool FinnishTexts = false;  // fixed at start-up
    bool LargeFonts = false;    // set by the intro form
    bool DiagramChanged = false;
    QString CurrentFileName;  // empty for an untitled diagram
    bool RungViewOpen = false;
    bool DebuggerOpen = false;
    bool MonitorOpen = false;
    bool SimulationOpen = false;
    int CurrentSimulation = 0;  // 1 ... 4, the simulation whose window was created last
    bool FunctionOpen = false;
    bool RunInProgress = false;  // mirrors the run control, for windows that only test it
};

struct Workspace {
    Workspace(Plc& plc, Prompter& prompter, SettingsStore& settings)
        : plc(plc), prompter(prompter), settings(settings) {}

    Plc& plc;
    Prompter& prompter;
    SettingsStore& settings;
    EditorState editor;
    IOComments comments;
    ShellState shell;
};

}  // namespace torvex

// What run control asks of the windows: the one seam between the running PLC and the user
// interface. The engine defines it; the main window implements it (forwarding to the rung
// view, debugger, I/O monitor and simulation that exist); tests implement it with fakes.
//
// Threads. Every function here except invoke and post is called on the user-interface thread
// only: by the commands (which the windows call on that thread) or inside an invoke call
// that the run thread makes. So an implementation never has to think about threads apart from
// the three marshalling functions, and it may read the Plc's diagram and memory image freely
// inside these calls: the run thread waits meanwhile.
//
// Window state. The flags that belong to windows (ControlDialogOpen, SimulationOpen,
// DebuggerOpen, MonitorOpen, the marked control mode, TopRung, SlotsShown, SlotsWhole,
// MemoTopRung) stay in the windows and are asked for here, on the user-interface thread. The
// run thread never asks for them itself: when it is created it is handed the mode and the
// three window flags as they stand, which is all it needs, since none of them can change
// while it runs (every command that changes one is disabled during a run or stops the run
// first). SlotsShown is asked inside the cycle's rung redraw, on the user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/control_menu_mode.h"
#include "engine/ladder.h"
#include "engine/rung_draw.h"

namespace torvex {

using PointStates = std::array<bool, kPoints>;

// Marshalling onto the user-interface thread. A Qt host: invoke is
// QMetaObject::invokeMethod(window, call, Qt::BlockingQueuedConnection); post is the same with
// Qt::QueuedConnection; serveUntil loops on
// QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | ExcludeUserInputEvents)
// until done() holds.
class UiThread {
public:
    virtual ~UiThread() = default;
    // Run thread: runs `call` on the user-interface thread and returns when it has run.
    virtual void invoke(const std::function<void()>& call) = 0;
    // Any thread: queues `call` to run on the user-interface thread later; never runs it
    // before returning.
    virtual void post(std::function<void()> call) = 0;
    // User-interface thread: returns once done() holds, serving meanwhile the calls queued by
    // invoke and post, but no user input (a click must not start a command inside another).
    // done() turns true only just before the run thread's last post, so it need only be
    // tested on entry and after each call served.
    virtual void serveUntil(const std::function<bool()>& done) = 0;
};

// The window flags run control tests (see the top of this file).
class RunWindowState {
public:
    virtual ~RunWindowState() = default;
    virtual bool ControlDialogOpen() = 0;
    virtual bool SimulationOpen() = 0;
    virtual bool DebuggerOpen() = 0;
    virtual bool MonitorOpen() = 0;
    virtual ControlMenuMode controlMode() = 0;
    // Rung view: slots whose image is visible (1 ... 5) and slots that fit whole (1 ... 5).
    virtual int32_t SlotsShown() = 0;
    virtual int32_t SlotsWhole() = 0;
    virtual void setTopRung(int32_t rung) = 0;
    virtual void setMemoTopRung(int32_t rung) = 0;
};

// The run's effects on the main window, each applied exactly as named.
class RunWindowEffects {
public:
    virtual ~RunWindowEffects() = default;
    virtual void setRunButtonEnabled(bool enabled) = 0;       // btnRun
    virtual void setStatusText(const std::string& text) = 0;  // pnlStatus
    // Paints what has changed now, before the command goes on.
    virtual void letWindowRepaint() = 0;
    // Lets the window handle its pending messages.
    virtual void processPendingMessages() = 0;
    // The editor lock of a run start, in this order: the rung view's pop-up menus off; the five
    // comment memos read-only; the rung images' cursor the default arrow; New Diagram, Open
    // Diagram, the six recent-file items, Add Rung, Insert Rung, Delete Rung, Add Branch, Delete
    // Branch, Edit Control, Delete Control, Show Comments, Hide Comments, the four Simulations
    // items, Debugger, Internal Simulation, External Device, External PLC, Configure I/O,
    // Restore Screen Layout to Default and the State action disabled; each palette button
    // (pointer, NOC, NCC, OP, RES, LAT, UNL, TIM, CNT, BS) in its disabled look; the pointer
    // tool selected; tool-bar hints off.
    virtual void lockEditor() = 0;
    // Undoes lockEditor at Stop: memos writable, every item it disabled enabled, the palette
    // buttons back to their normal look with the pointer tool shown selected, hints on. The
    // rung view's pop-up menu items come back with its next hover highlight.
    virtual void unlockEditor() = 0;
    virtual void setEditorMode(int32_t mode) = 0;
    // The Show Comments and Hide Comments menu items.
    virtual void setCommentItemsEnabled(bool enabled) = 0;
    virtual void clearInformationBar() = 0;
};

// Refreshing what the windows show of the diagram and memory image.
class RunDisplays {
public:
    virtual ~RunDisplays() = default;
    virtual void updateDebuggerDisplay() = 0;  // the debugger's UpdateDisplay
    virtual void updateMonitorDisplay() = 0;   // the I/O monitor's UpdateDisplay
    // The inputs the I/O monitor's input buttons show, for a step command with no other source.
    virtual void takeMonitorInputs(PointStates& inputs) = 0;
    // The rung view's DisplayRungs: every visible slot, memos refilled only if TopRung moved.
    virtual void DisplayRungs(RungDraw how) = 0;
    // The rung view's DisplayRung of one slot, which shows rung TopRung + slot.
    virtual void DisplayRung(int32_t slot, RungDraw how) = 0;
    // A run starts from Stopped (Run, Single Loop or Single Step): a record of the last one
    // may go now.
    virtual void runStarted() {}
    // A whole scan has ended: a cycle, a Single Loop, or the last rung of a Single Step.
    virtual void scanEnded() {}
};

// The open simulation's control (sensors, actuators and its stop request).
class SimulationPort {
public:
    virtual ~SimulationPort() = default;
    virtual void SimulationStart() = 0;
    // The sensors, input 0 ... 15 in order; entries it has nothing for are left as they are.
    virtual void SimulationReadInputs(PointStates& sensors) = 0;
    // The actuators, output 0 ... 15 in order; true when the simulation reports Stopped.
    virtual bool SimulationWriteOutputs(const PointStates& outputs) = 0;
};

class RunHost : public UiThread,
                public RunWindowState,
                public RunWindowEffects,
                public RunDisplays,
                public SimulationPort {};

}  // namespace torvex

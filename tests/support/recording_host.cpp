#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

namespace torvex::test {

namespace {
std::string Hex(int32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", static_cast<unsigned>(word));
    return text;
}
const char* Flags(RungDraw how) {
    const bool live = Has(how, RungDraw::Live), clear = Has(how, RungDraw::ClearLit);
    return live ? (clear ? "live clear" : "live keep") : (clear ? "plain clear" : "plain keep");
}
}  // namespace

void CallLog::add(std::string entry) {
    if (!keeping_) return;
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
}

std::vector<std::string> CallLog::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(entries_, {});
}

int32_t RecordingInterface::ReadInputs(int32_t base) {
    if (onReadInputs) onReadInputs();
    log_.add(name_ + " ReadInputs@" + std::to_string(base));
    return inputWord.load();
}

void RecordingInterface::WriteOutputs(int32_t base, int32_t value) {
    log_.add(name_ + " WriteOutputs@" + std::to_string(base) + " " + Hex(value));
    written.store(value);
}

void RecordingHost::check(const char* what) {
    if (!ui_.onUiThread()) ADD_FAILURE() << what << " called off the user-interface thread";
}

void RecordingHost::record(std::string entry) {
    check(entry.c_str());
    log_.add(inInvoke_ ? "cycle: " + entry : std::move(entry));
}

void RecordingHost::invoke(const std::function<void()>& call) {
    if (ui_.onUiThread()) ADD_FAILURE() << "invoke from the user-interface thread";
    ui_.invoke([&] {
        inInvoke_ = true;
        call();
        if (duringInvoke) duringInvoke();
        inInvoke_ = false;
    });
}

bool RecordingHost::ControlDialogOpen() {
    check("ControlDialogOpen");
    return controlDialogOpen;
}
bool RecordingHost::SimulationOpen() {
    check("SimulationOpen");
    return simulationOpen;
}
bool RecordingHost::DebuggerOpen() {
    check("DebuggerOpen");
    return debuggerOpen;
}
bool RecordingHost::MonitorOpen() {
    check("MonitorOpen");
    return monitorOpen;
}
ControlMenuMode RecordingHost::controlMode() {
    check("controlMode");
    return mode;
}
int32_t RecordingHost::SlotsShown() {
    check("SlotsShown");
    return slotsShown;
}
int32_t RecordingHost::SlotsWhole() {
    check("SlotsWhole");
    return slotsWhole;
}

void RecordingHost::setTopRung(int32_t rung) {
    record("setTopRung " + std::to_string(rung));
    topRung = rung;
}

void RecordingHost::setMemoTopRung(int32_t rung) {
    record("setMemoTopRung " + std::to_string(rung));
    memoTopRung = rung;
}

void RecordingHost::setRunButtonEnabled(bool enabled) {
    record(std::string("setRunButtonEnabled ") + (enabled ? "1" : "0"));
}

void RecordingHost::setStatusText(const std::string& text) {
    record("setStatusText " + text);
    shownStatus = text;
}

void RecordingHost::setEditorMode(int32_t mode) {
    record("setEditorMode " + std::to_string(mode));
}

void RecordingHost::setCommentItemsEnabled(bool enabled) {
    record(std::string("setCommentItemsEnabled ") + (enabled ? "1" : "0"));
}

void RecordingHost::updateDebuggerDisplay() {
    record("updateDebuggerDisplay");
    ++displays;
    shownOutputWord = OutputWord(plc_.uiMemory());
}

void RecordingHost::updateMonitorDisplay() {
    record("updateMonitorDisplay");
    ++displays;
    shownOutputWord = OutputWord(plc_.uiMemory());
}

void RecordingHost::takeMonitorInputs(PointStates& inputs) {
    record("takeMonitorInputs");
    inputs = monitorInputs;
}

namespace {
// What the rung view does to a rung it draws: reads its power, and clears the lit flags,
// through the accessors that hold the windows to the thread rule.
void Draw(Plc& plc, int32_t rung, RungDraw how) {
    if (rung < 0 || rung >= plc.diagram.RungCount()) return;
    RungRecord& record = plc.uiRung(rung);
    const bool clear = Has(how, RungDraw::ClearLit);
    volatile bool seen = false;
    for (auto& column : record.Power)
        for (bool power : column) seen = seen || power;
    if (clear)
        for (auto& column : record.Lit)
            for (bool& lit : column) lit = false;
}
}  // namespace

void RecordingHost::DisplayRungs(RungDraw how) {
    record(std::string("DisplayRungs ") + Flags(how));
    for (int32_t slot = 0; slot < slotsShown; ++slot) Draw(plc_, topRung + slot, how);
}

void RecordingHost::DisplayRung(int32_t slot, RungDraw how) {
    record("DisplayRung " + std::to_string(slot) + " " + Flags(how));
    Draw(plc_, topRung + slot, how);
}

void RecordingHost::SimulationReadInputs(PointStates& read) {
    record("SimulationReadInputs");
    read = sensors;
}

bool RecordingHost::SimulationWriteOutputs(const PointStates& outputs) {
    int32_t word = 0;
    for (int i = 0; i < kPoints; ++i) word |= int32_t{outputs[i]} << i;
    record("SimulationWriteOutputs " + Hex(word));
    actuators = outputs;
    ++writes;
    return stoppedFromWrite > 0 && writes >= stoppedFromWrite;
}

}  // namespace torvex::test

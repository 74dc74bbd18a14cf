// torvex-run: loads a diagram and runs it headless on a virtual clock against a scenario, or
// converts it to the current file format.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/plc.h"
#include "files/trace.h"
#include "simulation/plants/plant.h"
#include "tools/scenario.h"

namespace torvex {

// Exit statuses.
constexpr int kRunPassed = 0;
constexpr int kRunFailed = 1;    // an expectation did not hold
constexpr int kRunBadInput = 2;  // a file, scenario or command-line error

// ScanTick of scan k is this + 100 k.
constexpr uint32_t kRunStartTick = 0;

struct RunCounts {
    int passed = 0;
    int failed = 0;
    bool cut = false;  // the watch ended the run early; the later expectations went unchecked
};

// What a caller sees of a run besides its output: each failure as it is written, and a way
// to cut the run short.
class RunWatch {
public:
    virtual ~RunWatch() = default;
    // A failure, as its line is written to the output (without the line end): the scan whose
    // time the line gives, and the point or figure it concerns ("OP0", "plant.cars"), or
    // "plant stopped" for a stop of the plant that counts as a failure.
    virtual void failed(int64_t scan, const std::string& name, const std::string& line) = 0;
    // Asked every kWatchScans scans; true ends the run before the next scan.
    virtual bool cut() = 0;
    static constexpr int64_t kWatchScans = 256;
};

// Runs the diagram in `plc` from StartRun through scan `lastScan`, applying the scenario's
// sets before and checking its expectations after the scans they name. Each failed
// expectation is written to `out` as a line; `trace` (may be null) sees every scan.
//
// With a `plant` (may be null) in the loop each scan is coupled as a run in Internal
// Simulation couples it: the sensors are read into the inputs, the diagram is scanned, the
// outputs are written to the actuators and the plant advances by 100 ms. A set works the
// operator control of its input. When the plant stops the run, the run ends at that scan
// and the later expectations are checked against the state it ended in; the stop counts as
// a failure unless an expectation names plant.stopped. A `watch` (may be null) sees every
// failure and may cut the run short.
RunCounts RunScenario(Plc& plc, VirtualTickSource& clock, const Scenario& scenario,
                      int64_t lastScan, Trace* trace, std::ostream& out, Plant* plant = nullptr,
                      RunWatch* watch = nullptr);

// Empty when every set and figure of the scenario fits the plant (null: no plant); else the
// first problem, with its line.
ScenarioError CheckAgainstPlant(const Scenario& scenario, const PlantDescription* plant);

// The plant that --plant names and the seed --seed gives (1 when empty). False, with the message
// written to `err`, when there is no such plant or the seed is no whole number.
bool ChoosePlant(const PlantRegistry& plants, const std::string& name, const std::string& seedText,
                 const PlantDescription*& plant, uint64_t& seed, std::ostream& err);

// The whole program; `args` without the program name.
int TorvexRunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace torvex

// The scenario language of torvex-run: inputs set and points expected at given times.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/memory_image.h"
#include "files/trace.h"

namespace torvex {

constexpr int64_t kLongestRunMilliseconds = int64_t{1000000} * 1000;  // a million seconds

// A point of the memory image as the scenario and the trace name it.
struct PlantPoint {
    enum Kind {
        Input,
        Output,
        Flag,
        RegisterBit,
        TimerDone,
        TimerElapsed,
        CounterUp,
        CounterDown,
        CounterCount
    };
    Kind kind;
    int number;   // point 0 ... 15, register, timer or counter from 1
    int bit = 0;  // register bit
    std::string name;

    bool isBit() const { return kind != TimerElapsed && kind != CounterCount; }
};

// "IP0" ... "IP15", "OP0", "F0", "R1/0" ... "R4/15", "T1/DN", "T1", "C1/UP", "C1/DN", "C1".
std::optional<PlantPoint> FindPoint(std::string_view name);
// The value a scenario compares: 0 or 1 for bits, Count and Elapsed as they stand.
int64_t PointValue(const MemoryImage& memory, const PlantPoint& point);

// Seconds with at most three decimals, 0 ... 1000000, as milliseconds.
std::optional<int64_t> ParseSeconds(std::string_view text);
// The first scan at or after `milliseconds`.
constexpr int64_t FirstScanAt(int64_t milliseconds) {
    return (milliseconds + kScanMilliseconds - 1) / kScanMilliseconds;
}

// A figure of the plant in the loop, checked by "plant.NAME<OP>VALUE" ("plant.cars>=100").
struct FigureCheck {
    enum Compare { Equal, Less, LessOrEqual, Greater, GreaterOrEqual };
    std::string name;  // "cars"
    Compare compare = Equal;
    double value = 0;
    std::string text;  // "<=40", as written after the name

    bool holds(double figure) const;
};

struct ScenarioCommand {
    enum Type { Set, Expect };
    struct Assignment {
        PlantPoint point;
        int64_t value;
    };
    Type type;
    int line;
    int64_t scan;
    std::vector<Assignment> assignments;
    std::vector<FigureCheck> figures;  // expectations only
};

struct Scenario {
    std::vector<ScenarioCommand> commands;  // in the order of the file
    std::optional<int64_t> endScan;
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

// Parses a whole scenario; false with the first error's line and text.
bool ParseScenario(std::string_view text, Scenario& scenario, ScenarioError& error);

}  // namespace torvex

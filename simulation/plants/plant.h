// A plant: the machine a diagram controls in a simulation, as a model without windows.
//
// The contract every plant keeps: 16 sensors (the diagram's inputs), 16 actuators (its
// outputs), a stop request, StartSimulation and UpdateSimulation. A plant advances only in
// UpdateSimulation, by one exchange's time (100 ms, as in a run), and is deterministic: the
// same seed and the same sequence of actuator words and operator actions give the same
// sensors, the same stop and the same figures on every machine. A pulse the plant makes on a
// sensor lasts at least 200 ms, so a scan every 100 ms never misses it.
//
// A plant belongs to one thread at a time; in the program that is the user-interface thread,
// and the run thread reaches it only through the run host's marshalled calls.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ladder.h"

namespace torvex {

// A text in both languages.
struct Bilingual {
    std::string en;
    std::string fi;
    const std::string& in(bool finnish) const { return finnish && !fi.empty() ? fi : en; }
};

// What an input or an output of a plant stands for.
enum class PointKind {
    Unused,      // not wired: an input reads off, an output drives nothing
    Sensor,      // an input the plant itself sets
    PushButton,  // an input a person presses and holds on the picture (and the plant may too)
    Switch,      // an input a person switches on and off on the picture
    Lamp,        // an output shown as a lamp
    Actuator,    // an output that moves or sounds something
};

constexpr bool IsOperatorControl(PointKind kind) {
    return kind == PointKind::PushButton || kind == PointKind::Switch;
}
// "sensor", "push button", "switch", "lamp", "actuator", "not used".
Bilingual KindName(PointKind kind);
// "IP2", "OP10".
std::string PointName(bool input, int k);

struct PointDescription {
    PointKind kind = PointKind::Unused;
    Bilingual meaning;  // "N/S walk request button"
};

struct PlantFigure {
    std::string name;  // "max_car_wait", as scenarios name it after "plant."
    Bilingual meaning;
};

struct PlantStopReason {
    Bilingual reason;  // "conflicting greens", as stopReason() gives it
    Bilingual when;    // what makes the plant stop for it
};

// One description per plant: the tooltips, its help page and `torvex-run --describe` all
// come from it.
struct PlantDescription {
    int number = 0;     // 1 ... 4, the simulation's number in the menus and files
    std::string key;    // "traffic": the name torvex-run takes
    std::string name;   // "Traffic Light": caption, menu entry and file name, in both languages
    Bilingual summary;  // a paragraph on what the plant is and how it behaves
    int width = 0;      // the view's client size at 100 %
    int height = 0;
    std::array<PointDescription, kPoints> inputs;   // IP0 ... IP15
    std::array<PointDescription, kPoints> outputs;  // OP0 ... OP15
    std::vector<PlantFigure> figures;
    std::vector<PlantStopReason> stopReasons;
    // The help page's picture: the plant after this many seconds with these actuators on,
    // these operator controls worked first (input, on).
    uint16_t pictureOutputs = 0;
    int pictureSeconds = 0;
    std::vector<std::pair<int, bool>> pictureControls;
};

// The description as plain text, for `torvex-run --describe`.
std::string DescriptionText(const PlantDescription& description);

class Plant {
public:
    static constexpr int kExchangeMs = 100;

    virtual ~Plant() = default;

    virtual const PlantDescription& description() const = 0;

    // Back to the start state, with the seed it was made with. Called when the plant's window
    // is created and when a run starts.
    virtual void StartSimulation() = 0;
    // One exchange: the plant advances by kExchangeMs with the actuators last written. A
    // plant that has stopped stays as it stopped until StartSimulation.
    virtual void UpdateSimulation() = 0;

    // Sensor k, 0 ... 15 (operator controls included); false outside.
    virtual bool Input(int k) const = 0;
    // Actuator k, 0 ... 15; outside is ignored.
    virtual void setOutput(int k, bool on);
    virtual bool Output(int k) const;
    // The plant asks to end the run; the reason says why, in both languages.
    virtual bool Stopped() const = 0;
    virtual Bilingual stopReason() const = 0;

    // Works the operator control wired to input k: a push button pressed (on) or released,
    // a switch switched on or off. False, and nothing changes, when input k is no operator
    // control. A press shows on the input for at least 200 ms however short the click.
    virtual bool operate(int input, bool on) = 0;

    // The figures of the description, by name, as they stand now.
    virtual std::vector<std::pair<std::string, double>> figures() const = 0;
    // One figure; false when the plant has none of that name.
    bool figure(std::string_view name, double& value) const;

    // The 16 sensors as a word (bit k: input k), and the 16 actuators written as a word.
    uint16_t inputWord() const;
    void setOutputWord(uint16_t word);

protected:
    std::array<bool, kPoints> outputs_{};  // the actuators as last written
};

// The plants this program contains, by number and by key.
class PlantRegistry {
public:
    using Factory = std::function<std::unique_ptr<Plant>(uint64_t seed)>;

    void add(const PlantDescription& description, Factory make);
    // A new plant of simulation `number` (1 ... 4), or null when there is none.
    std::unique_ptr<Plant> make(int number, uint64_t seed = 1) const;
    // The number of the plant named `key` ("traffic") or given as a number ("1"); 0 for none.
    int find(std::string_view key) const;
    const PlantDescription* description(int number) const;
    std::vector<const PlantDescription*> all() const;

private:
    struct Entry {
        const PlantDescription* description;
        Factory make;
    };
    std::vector<Entry> entries_;
};

// A registry of every plant the program contains.
PlantRegistry StandardPlants();

// --- Pieces the plants share ---

// A small random generator (splitmix64) whose sequence is the same everywhere, unlike the
// standard distributions.
class PlantRandom {
public:
    explicit PlantRandom(uint64_t seed = 1) : state_(seed) {}
    uint64_t next();
    // 0 ... n - 1 (n > 0).
    int below(int n);
    // True with probability 1 / n: a mean of n exchanges between events.
    bool oneIn(int n) { return below(n) == 0; }

private:
    uint64_t state_;
};

// The sensors a plant makes, held on for at least kMinimumExchanges once they come on.
class SensorPulses {
public:
    static constexpr int kMinimumExchanges = 2;  // 200 ms

    void reset() { *this = SensorPulses(); }
    // Sensor k as the plant sees it in this exchange; what it shows may last longer.
    void set(int k, bool raw);
    bool value(int k) const { return k >= 0 && k < kPoints && shown_[k]; }

private:
    std::array<bool, kPoints> shown_{};
    std::array<int, kPoints> onFor_{};
};

// The operator controls of a plant: push buttons held by a person (each press shown for at
// least 200 ms) and switches.
class OperatorControls {
public:
    void reset() { *this = OperatorControls(); }
    bool operate(const PlantDescription& description, int input, bool on);
    // Once per exchange, after the plant has used the inputs.
    void exchange();
    bool value(int k) const;

private:
    std::array<bool, kPoints> held_{};
    std::array<int, kPoints> pressLeft_{};
};

}  // namespace torvex

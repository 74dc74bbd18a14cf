// The Annunciator model: its reference sequence, the figures that hold a diagram against it,
// and its operator controls.

#include "simulation/plants/annunciator.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace torvex {
namespace {

using A = Annunciator;
using Look = A::Look;

std::map<std::string, double> Figures(const Plant& plant) {
    std::map<std::string, double> figures;
    for (const auto& [name, value] : plant.figures()) figures[name] = value;
    return figures;
}

// What an operator does at a time (in exchanges): works input k on or off.
struct Action {
    int at;
    int input;
    bool on;
};

// Sequence A as a diagram would make it: a free-running 1 Hz flasher, each alarm latched on
// the opening of its contact, acknowledged while Acknowledge is held. `fault` spoils it.
struct Diagram {
    enum Fault { None, SteadyAlarms, NoHorn, SilenceIgnored, NoLampTest, LateWindows, SlowFlash };
    explicit Diagram(Fault f = None) : fault(f) {}

    uint16_t step(const Plant& p) {
        uint16_t word = 0;
        const bool flash = fault == SlowFlash ? (t / 30) % 2 == 0 : (t / 5) % 2 == 0;
        for (int w = 0; w < A::kWindows; ++w) {
            const bool open = !p.Input(w);
            if (open && !wasOpen[w]) alert[w] = horn = true;
            wasOpen[w] = open;
            if (p.Input(A::Acknowledge)) alert[w] = false;
            bool lit = alert[w] ? (fault == SteadyAlarms || flash) : open;
            if (p.Input(A::LampTest) && fault != NoLampTest) lit = true;
            if (fault == LateWindows) {
                late[w] = late[w] << 1 | lit;
                lit = late[w] >> 7 & 1;  // 0.7 s late
            }
            if (lit) word = static_cast<uint16_t>(word | 1u << w);
        }
        if (p.Input(A::Acknowledge) || (p.Input(A::Silence) && fault != SilenceIgnored))
            horn = false;
        if (horn && fault != NoHorn) word |= 1u << A::Horn;
        ++t;
        return word;
    }

    Fault fault;
    int64_t t = 0;
    bool wasOpen[A::kWindows] = {}, alert[A::kWindows] = {}, horn = false;
    uint32_t late[A::kWindows] = {};
};

// An operator's morning: upsets, a fleeting alarm, silence, acknowledgements, a lamp test.
const std::vector<Action> kMorning = {
    {20, 0, false},
    {70, A::Acknowledge, true},
    {72, A::Acknowledge, false},
    {150, 0, true},
    {200, 3, false},
    {205, 3, true},  // fleeting
    {260, A::Silence, true},
    {262, A::Silence, false},
    {300, A::Acknowledge, true},
    {303, A::Acknowledge, false},
    {400, 1, false},
    {402, 2, false},
    {450, A::LampTest, true},
    {480, A::LampTest, false},
    {520, A::Acknowledge, true},
    {522, A::Acknowledge, false},
    {600, 1, true},
    {650, A::Reset, true},
    {652, A::Reset, false},
    {700, 2, true},
};

// Drives `plant` for `exchanges` with the diagram, working the actions as they fall due;
// `seen` is called after each exchange.
void Drive(Plant& plant, Diagram diagram, const std::vector<Action>& actions, int exchanges,
           const std::function<void(int)>& seen = {}) {
    for (int k = 0; k < exchanges; ++k) {
        for (const Action& a : actions)
            if (a.at == k) {
                EXPECT_TRUE(plant.operate(a.input, a.on));
            }
        plant.setOutputWord(diagram.step(plant));
        plant.UpdateSimulation();
        if (seen) seen(k);
    }
}

TEST(Annunciator, FollowsSequenceA) {
    // The reference after the exchange at each time of the morning.
    const struct {
        int at;
        Look looks[4];  // windows 1 ... 4
        bool horn;
    } cases[] = {
        {10, {Look::Off, Look::Off, Look::Off, Look::Off}, false},
        {20, {Look::Flashing, Look::Off, Look::Off, Look::Off}, true},  // alarm 1
        {70, {Look::Steady, Look::Off, Look::Off, Look::Off}, false},   // acknowledged
        {149, {Look::Steady, Look::Off, Look::Off, Look::Off}, false},
        {150, {Look::Off, Look::Off, Look::Off, Look::Off}, false},      // normal again
        {205, {Look::Off, Look::Off, Look::Off, Look::Flashing}, true},  // fleeting ...
        {259, {Look::Off, Look::Off, Look::Off, Look::Flashing}, true},
        {260, {Look::Off, Look::Off, Look::Off, Look::Flashing}, false},  // silenced
        {300, {Look::Off, Look::Off, Look::Off, Look::Off}, false},       // ... gone on ack
        {402, {Look::Off, Look::Flashing, Look::Flashing, Look::Off}, true},
        {450, {Look::Steady, Look::Steady, Look::Steady, Look::Steady}, true},  // lamp test
        {480, {Look::Off, Look::Flashing, Look::Flashing, Look::Off}, true},
        {520, {Look::Off, Look::Steady, Look::Steady, Look::Off}, false},
        {600, {Look::Off, Look::Off, Look::Steady, Look::Off}, false},
        {650, {Look::Off, Look::Off, Look::Steady, Look::Off}, false},  // Reset does nothing
        {700, {Look::Off, Look::Off, Look::Off, Look::Off}, false},
    };
    A plant;
    plant.StartSimulation();
    size_t next = 0;
    Drive(plant, Diagram(), kMorning, 800, [&](int k) {
        if (next == std::size(cases) || cases[next].at != k) return;
        SCOPED_TRACE(k);
        for (int w = 0; w < 4; ++w) EXPECT_EQ(plant.referenceLook(w), cases[next].looks[w]) << w;
        EXPECT_EQ(plant.referenceHorn(), cases[next].horn);
        ++next;
    });
    EXPECT_EQ(next, std::size(cases));
    EXPECT_EQ(plant.referenceLook(4), Look::Off);
    EXPECT_FALSE(plant.Stopped());
}

TEST(Annunciator, CountsAlarmsAndTheSecondsADiagramStraysFromTheSequence) {
    const struct {
        Diagram::Fault fault;
        double announced;  // of 4 alarms
        bool errors;
        double hornSeconds;
    } cases[] = {
        {Diagram::None, 4, false, 23},      {Diagram::SteadyAlarms, 4, true, 23},
        {Diagram::NoHorn, 0, true, 0},      {Diagram::SilenceIgnored, 4, true, 27},
        {Diagram::NoLampTest, 4, true, 23}, {Diagram::LateWindows, 4, true, 23},
        {Diagram::SlowFlash, 2, true, 23},  // windows 2 and 3 alarm in a dark phase
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        A plant;
        plant.StartSimulation();
        Drive(plant, Diagram(c.fault), kMorning, 800);
        const auto figures = Figures(plant);
        EXPECT_EQ(figures.at("stopped"), 0);
        EXPECT_EQ(figures.at("alarms"), 4);
        EXPECT_EQ(figures.at("announced"), c.announced);
        EXPECT_EQ(figures.at("missed"), 4 - c.announced);
        EXPECT_EQ(figures.at("acks"), 3);
        EXPECT_DOUBLE_EQ(figures.at("horn_s"), c.hornSeconds);
        EXPECT_EQ(figures.at("sequence_errors") > 0, c.errors) << figures.at("sequence_errors");
    }
}

TEST(Annunciator, GivesEachChangeHalfASecondAndJudgesWholeSeconds) {
    // Lamp test held for 3 s from exchange 20: the diagram lights every window `late`
    // exchanges after the press (-1: never) and puts them out with the release.
    const struct {
        int late;
        double errors;
    } cases[] = {{0, 0}, {5, 0}, {6, 1}, {12, 2}, {-1, 3}};
    for (const auto& c : cases) {
        A plant;
        plant.StartSimulation();
        for (int k = 0; k < 80; ++k) {
            if (k == 20 || k == 50) plant.operate(A::LampTest, k == 20);
            const bool lit = c.late >= 0 && k >= 20 + c.late && k < 50;
            plant.setOutputWord(lit ? 0x3F : 0);
            plant.UpdateSimulation();
        }
        EXPECT_EQ(Figures(plant).at("sequence_errors"), c.errors) << c.late;
    }
}

TEST(Annunciator, StartsWithEveryContactClosedAndOnlyItsControlsCanBeWorked) {
    A plant;
    plant.StartSimulation();
    EXPECT_EQ(plant.inputWord(), 0x3F);
    const struct {
        int input;
        bool control;
        bool held;  // still on two scans after it was worked with on
    } cases[] = {
        {0, true, true},        {5, true, true},           {A::Acknowledge, true, true},
        {A::Reset, true, true}, {A::LampTest, true, true}, {A::Silence, true, true},
        {10, false, false},     {15, false, false},        {-1, false, false},
        {16, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(plant.operate(c.input, true), c.control);
        for (int k = 0; k < 3; ++k) plant.UpdateSimulation();
        EXPECT_EQ(plant.Input(c.input), c.held);
        EXPECT_EQ(plant.operate(c.input, false), c.control);
        for (int k = 0; k < 3; ++k) plant.UpdateSimulation();
        EXPECT_FALSE(plant.Input(c.input));
        if (c.control && c.input < A::kWindows) plant.operate(c.input, true);
    }
    // A click shorter than a scan still shows for two.
    plant.operate(A::Acknowledge, true);
    plant.operate(A::Acknowledge, false);
    int scans = 0;
    for (int k = 0; k < 5; ++k) {
        scans += plant.Input(A::Acknowledge);
        plant.UpdateSimulation();
    }
    EXPECT_EQ(scans, 2);
    // Starting again closes every contact.
    plant.operate(2, false);
    plant.StartSimulation();
    EXPECT_EQ(plant.inputWord(), 0x3F);
    EXPECT_EQ(Figures(plant).at("alarms"), 0);
}

}  // namespace
}  // namespace torvex

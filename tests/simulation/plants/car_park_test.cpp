// The Car Park model: its stop rules, its loops' pulses, its cars at the barriers, its
// operator controls and determinism by seed.

#include "simulation/plants/car_park.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace torvex {
namespace {

using C = CarPark;

uint16_t Word(std::initializer_list<int> outputs) {
    uint16_t word = 0;
    for (int k : outputs) word = static_cast<uint16_t>(word | 1u << k);
    return word;
}

std::map<std::string, double> Figures(const Plant& plant) {
    std::map<std::string, double> figures;
    for (const auto& [name, value] : plant.figures()) figures[name] = value;
    return figures;
}

// A controller as a diagram would be: counts cars in on the entry's safety loop and out on
// the exit's, keeps a barrier up while a car waits before it or is under it, lowers it
// otherwise, and shows FULL at eight. `fault` spoils it.
struct Controller {
    enum Fault { None, LowerWhenTheLoopClears, NoCount };
    explicit Controller(Fault f = None) : fault(f) {}

    uint16_t step(const Plant& p) {
        auto in = [&](int k) { return p.Input(k); };
        if (in(C::EntryUnder) && !under[0]) ++count;
        if (in(C::ExitUnder) && !under[1]) --count;
        under[0] = in(C::EntryUnder);
        under[1] = in(C::ExitUnder);
        const bool full = fault != NoCount && count >= C::kBays;
        const bool keepUnder = fault != LowerWhenTheLoopClears;
        uint16_t word = 0;
        if (up[0] && !in(C::EntryUp)) word |= Word({C::EntryRaise});
        if (!up[0] && !in(C::EntryDown) && !(keepUnder && in(C::EntryUnder)))
            word |= Word({C::EntryLower});
        if (up[1] && !in(C::ExitUp)) word |= Word({C::ExitRaise});
        if (!up[1] && !in(C::ExitDown) && !in(C::ExitUnder)) word |= Word({C::ExitLower});
        word |= full ? Word({C::FullSign}) : in(C::Closed) ? 0 : Word({C::SpacesSign});
        up[0] =
            (in(C::EntryWaiting) && !full && !in(C::Closed)) || (keepUnder && in(C::EntryUnder));
        up[1] = in(C::ExitWaiting) || in(C::ExitUnder);
        return word;
    }

    Fault fault;
    int count = 0;
    bool under[2] = {}, up[2] = {};
};

// Runs the plant with `controller` for `exchanges` or until it stops; `seen` gets the
// inputs each scan reads.
void Drive(Plant& plant, Controller controller, int exchanges,
           const std::function<void(uint16_t)>& seen = {}) {
    for (int k = 0; k < exchanges && !plant.Stopped(); ++k) {
        if (seen) seen(plant.inputWord());
        plant.setOutputWord(controller.step(plant));
        plant.UpdateSimulation();
    }
}

TEST(CarPark, StopsForMotorsOnTogetherAndMotorsAgainstTheirEndStops) {
    const char* const kTogether = "barrier raised and lowered at once";
    const char* const kEndStop = "barrier motor against its end stop";
    const struct {
        uint16_t outputs;
        int exchanges;
        const char* reason;  // null: no stop
        C::Gate gate;
    } cases[] = {
        {Word({C::EntryRaise, C::EntryLower}), 1, kTogether, C::Entry},
        {Word({C::ExitRaise, C::ExitLower}), 1, kTogether, C::Exit},
        {Word({C::EntryRaise, C::ExitLower}), 5, nullptr, C::Entry},
        {Word({C::EntryLower}), 5, nullptr, C::Entry},  // down already: 0.5 s is allowed
        {Word({C::EntryLower}), 6, kEndStop, C::Entry},
        {Word({C::ExitLower}), 6, kEndStop, C::Exit},
        {Word({C::EntryRaise}), C::kTravel + 5, nullptr, C::Entry},  // up, then 0.5 s
        {Word({C::EntryRaise}), C::kTravel + 6, kEndStop, C::Entry},
        {Word({C::ExitRaise}), C::kTravel + 6, kEndStop, C::Exit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "outputs " << c.outputs << " for " << c.exchanges);
        C plant;
        plant.StartSimulation();
        for (int k = 0; k < c.exchanges; ++k) {
            EXPECT_FALSE(plant.Stopped());
            plant.setOutputWord(c.outputs);
            plant.UpdateSimulation();
        }
        EXPECT_EQ(plant.Stopped(), c.reason != nullptr);
        EXPECT_EQ(plant.stopReason().en, c.reason ? c.reason : "");
        EXPECT_EQ(Figures(plant)["stopped"], c.reason ? 1 : 0);
        if (!c.reason) continue;
        EXPECT_EQ(plant.stopGate(), c.gate);
        // It stays as it stopped until it is started again.
        const int64_t time = plant.exchanges();
        plant.setOutputWord(0);
        plant.UpdateSimulation();
        EXPECT_TRUE(plant.Stopped());
        EXPECT_EQ(plant.exchanges(), time);
        plant.StartSimulation();
        EXPECT_FALSE(plant.Stopped());
        EXPECT_TRUE(plant.Input(C::EntryDown) && plant.Input(C::ExitDown));
    }
    C plant;
    plant.StartSimulation();
    plant.setOutputWord(Word({C::EntryRaise, C::EntryLower}));
    plant.UpdateSimulation();
    EXPECT_EQ(plant.stopReason().fi, "puomia nostettiin ja laskettiin yhtä aikaa");
}

TEST(CarPark, StopsForABarrierLoweredOntoACarAndForACarLetInWithEveryBayTaken) {
    const struct {
        Controller::Fault fault;
        const char* reason;  // within the hour; null: none
    } cases[] = {
        {Controller::None, nullptr},
        {Controller::LowerWhenTheLoopClears, "barrier lowered onto a car"},
        {Controller::NoCount, "car park overfilled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        C plant(3);
        plant.StartSimulation();
        Drive(plant, Controller(c.fault), 36000);
        EXPECT_EQ(plant.stopReason().en, c.reason ? c.reason : "");
        if (!c.reason) continue;
        EXPECT_EQ(plant.stopGate(), C::Entry);
        // Those are the stops' own conditions, and nothing else made them.
        const auto figures = Figures(plant);
        if (c.fault == Controller::NoCount) {
            EXPECT_EQ(figures.at("occupied"), C::kBays);
            EXPECT_EQ(figures.at("cars_in"), figures.at("cars_out") + C::kBays);
        } else {
            EXPECT_TRUE(plant.Input(C::EntryUnder));
            EXPECT_TRUE(plant.Output(C::EntryLower));
            EXPECT_GT(plant.barrier(C::Entry), 0);
        }
    }
}

TEST(CarPark, CarsWaitForTheBarrierFullyUpAndTakeAtLeastASecondUnderIt) {
    // Every pulse of each loop over an hour, in scans: the waiting loops at least 2, the
    // safety loops at least 10.
    for (uint64_t seed : {1, 2}) {
        C plant(seed);
        plant.StartSimulation();
        std::array<int, 8> on{}, shortest{}, pulses{};
        shortest.fill(1 << 30);
        Drive(plant, Controller(), 36000, [&](uint16_t word) {
            for (int k : {C::EntryWaiting, C::EntryUnder, C::ExitWaiting, C::ExitUnder}) {
                if (word >> k & 1) {
                    ++on[k];
                } else if (on[k] > 0) {
                    shortest[k] = std::min(shortest[k], on[k]);
                    ++pulses[k];
                    on[k] = 0;
                }
            }
        });
        const auto figures = Figures(plant);
        EXPECT_EQ(figures.at("stopped"), 0);
        EXPECT_GT(figures.at("cars_in"), 80);
        EXPECT_GT(figures.at("turned_away"), 10);
        EXPECT_EQ(figures.at("max_occupied"), C::kBays);
        EXPECT_LE(figures.at("occupied"), C::kBays);
        EXPECT_GE(figures.at("cars_in"), figures.at("cars_out"));
        for (int k : {C::EntryUnder, C::ExitUnder}) {
            EXPECT_GE(shortest[k], 10) << k;
            EXPECT_GE(pulses[k], 80) << k;
        }
        for (int k : {C::EntryWaiting, C::ExitWaiting}) EXPECT_GE(shortest[k], 2) << k;
    }
    // With the entry barrier short of fully up, no car comes near the boom, and after 30 s
    // of waiting the first gives up.
    C plant;
    plant.StartSimulation();
    int64_t firstWaiting = -1;
    for (int k = 0; k < 6000 && Figures(plant).at("gave_up") == 0; ++k) {
        plant.setOutputWord(plant.barrier(C::Entry) < C::kTravel - 1 ? Word({C::EntryRaise}) : 0);
        plant.UpdateSimulation();
        EXPECT_FALSE(plant.Input(C::EntryUnder));
        if (firstWaiting < 0 && plant.Input(C::EntryWaiting)) firstWaiting = k;
    }
    const auto figures = Figures(plant);
    EXPECT_EQ(figures.at("gave_up"), 1);
    EXPECT_EQ(figures.at("cars_in"), 0);
    EXPECT_GE(figures.at("max_entry_wait"), 30);
    EXPECT_LT(figures.at("max_entry_wait"), 45);
    EXPECT_GE(firstWaiting, 0);
}

TEST(CarPark, ArrivalsTurnAwayWhenFullIsLitOrTheCarParkIsClosed) {
    const struct {
        uint16_t outputs;
        bool closed;
        bool turnedAway;
    } cases[] = {
        {Word({C::SpacesSign}), false, false},
        {Word({C::FullSign}), false, true},
        {Word({C::SpacesSign}), true, true},
        {0, false, false},
    };
    for (const auto& c : cases) {
        C plant;
        plant.StartSimulation();
        plant.operate(C::Closed, c.closed);
        for (int k = 0; k < 3000; ++k) {
            plant.setOutputWord(c.outputs);
            plant.UpdateSimulation();
        }
        const auto figures = Figures(plant);
        EXPECT_EQ(figures.at("turned_away") > 5, c.turnedAway) << c.outputs << c.closed;
        EXPECT_EQ(figures.at("gave_up") > 5, !c.turnedAway) << c.outputs << c.closed;
        EXPECT_EQ(figures.at("cars_in"), 0);
    }
}

TEST(CarPark, OnlyTheAttendantsResetAndTheKeySwitchCanBeWorked) {
    const struct {
        int input;
        bool control;
    } cases[] = {{C::EntryWaiting, false},
                 {C::EntryDown, false},
                 {C::ExitUnder, false},
                 {C::AttendantReset, true},
                 {C::Closed, true},
                 {10, false},
                 {15, false},
                 {-1, false},
                 {16, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        C plant;
        plant.StartSimulation();
        const uint16_t before = plant.inputWord();
        EXPECT_EQ(before, Word({C::EntryDown, C::ExitDown}));
        EXPECT_EQ(plant.operate(c.input, true), c.control);
        for (int k = 0; k < 3; ++k) plant.UpdateSimulation();
        EXPECT_EQ(plant.inputWord(), c.control ? before | 1u << c.input : before);
        EXPECT_EQ(plant.operate(c.input, false), c.control);
        for (int k = 0; k < 3; ++k) plant.UpdateSimulation();
        EXPECT_EQ(plant.inputWord(), before);
    }
}

TEST(CarPark, OneSeedGivesOneRunAnotherSeedAnother) {
    auto run = [](uint64_t seed) {
        C plant(seed);
        plant.StartSimulation();
        std::vector<uint16_t> inputs;
        Drive(plant, Controller(), 12000, [&](uint16_t word) { inputs.push_back(word); });
        return std::make_pair(inputs, Figures(plant));
    };
    const auto first = run(7), again = run(7), other = run(8);
    EXPECT_EQ(first, again);
    EXPECT_NE(first.first, other.first);
    EXPECT_NE(first.second, other.second);
    // Starting again replays the same run.
    C plant(7);
    plant.StartSimulation();
    Drive(plant, Controller(), 500);
    plant.StartSimulation();
    std::vector<uint16_t> inputs;
    Drive(plant, Controller(), 12000, [&](uint16_t word) { inputs.push_back(word); });
    EXPECT_EQ(inputs, first.first);
}

}  // namespace
}  // namespace torvex

// The Traffic Light model: its stop rules, its sensors' pulses, its cars and pedestrians, its
// operator controls, determinism by seed, and the registry that makes it.

#include "simulation/plants/traffic_light.h"

#include <gtest/gtest.h>

#include <map>

namespace torvex {
namespace {

using T = TrafficLight;

uint16_t Word(std::initializer_list<int> outputs) {
    uint16_t word = 0;
    for (int k : outputs) word = static_cast<uint16_t>(word | 1u << k);
    return word;
}

// A fixed-time cycle as a diagram would run it, answering walk requests in the next cycle
// and flashing amber while the night switch is on.
class Controller {
public:
    uint16_t step(const Plant& plant) {
        for (int road = 0; road < 2; ++road)
            if (plant.Input(T::NsWalkButton + road)) request_[road] = true;
        const bool night = plant.Input(T::NightSwitch);
        if (night) {
            phase_ = 0;
            left_ = kPhases[0];
            request_[0] = request_[1] = false;
            return (t_++ / 5) % 2 ? Word({T::NsAmber, T::EwAmber}) : 0;
        }
        ++t_;
        if (left_ == 0) {
            phase_ = (phase_ + 1) % 8;
            left_ = kPhases[phase_];
            if (phase_ == 2 || phase_ == 6) {
                walk_ = request_[phase_ / 4] ? 70 : 0;
                request_[phase_ / 4] = false;
            }
        }
        --left_;
        static const uint16_t kAspects[8] = {
            Word({T::NsRed, T::EwRed}),   Word({T::NsRed, T::NsAmber, T::EwRed}),
            Word({T::NsGreen, T::EwRed}), Word({T::NsAmber, T::EwRed}),
            Word({T::NsRed, T::EwRed}),   Word({T::NsRed, T::EwRed, T::EwAmber}),
            Word({T::NsRed, T::EwGreen}), Word({T::NsRed, T::EwAmber})};
        uint16_t word = kAspects[phase_];
        const bool walkNs = phase_ == 2 && walk_ > 0, walkEw = phase_ == 6 && walk_ > 0;
        if (walkNs || walkEw) --walk_;
        word |= Word({walkNs ? T::NsWalk : T::NsDontWalk, walkEw ? T::EwWalk : T::EwDontWalk});
        if (request_[0]) word |= Word({T::NsWait});
        if (request_[1]) word |= Word({T::EwWait});
        return word;
    }

private:
    static constexpr int kPhases[8] = {20, 15, 150, 30, 20, 15, 150, 30};
    int phase_ = 0, left_ = kPhases[0], walk_ = 0;
    int64_t t_ = 0;
    bool request_[2] = {false, false};
};

// Runs `plant` as a run would for `exchanges`, the night switch on from `nightFrom` for
// `nightFor`; calls `seen` with the inputs each scan reads.
template <class Seen>
void Drive(Plant& plant, int exchanges, Seen seen, int nightFrom = -1, int nightFor = 0) {
    Controller controller;
    for (int k = 0; k < exchanges && !plant.Stopped(); ++k) {
        if (k == nightFrom) plant.operate(T::NightSwitch, true);
        if (k == nightFrom + nightFor) plant.operate(T::NightSwitch, false);
        seen(plant.inputWord());
        plant.setOutputWord(controller.step(plant));
        plant.UpdateSimulation();
    }
}

std::map<std::string, double> Figures(const Plant& plant) {
    std::map<std::string, double> figures;
    for (const auto& [name, value] : plant.figures()) figures[name] = value;
    return figures;
}

TEST(TrafficLight, StopsForConflictingGreensAndPedestriansInThePathOfTraffic) {
    const char* const kConflict = "conflicting greens";
    const char* const kPedestrians = "pedestrians in the path of traffic";
    const struct {
        uint16_t outputs;
        bool night;
        const char* reason;  // null: no stop
    } cases[] = {
        {Word({T::NsGreen, T::EwGreen}), false, kConflict},
        {Word({T::NsGreen, T::EwAmber}), false, kConflict},
        {Word({T::NsAmber, T::EwGreen}), false, kConflict},
        {Word({T::NsAmber, T::EwAmber}), false, kConflict},
        {Word({T::NsAmber, T::EwAmber}), true, nullptr},  // flashing at night
        {Word({T::NsGreen, T::EwAmber}), true, kConflict},
        {Word({T::NsWalk, T::EwGreen, T::NsRed}), false, kPedestrians},
        {Word({T::NsWalk, T::EwAmber, T::NsRed}), false, kPedestrians},
        {Word({T::EwWalk, T::NsGreen, T::EwRed}), false, kPedestrians},
        {Word({T::EwWalk, T::NsAmber, T::EwRed}), false, kPedestrians},
        {Word({T::NsWalk, T::EwAmber, T::NsAmber}), true, kPedestrians},
        {Word({T::NsWalk, T::NsGreen, T::EwRed}), false, nullptr},
        {Word({T::EwWalk, T::EwGreen, T::NsRed}), false, nullptr},
        {Word({T::NsWalk, T::EwWalk, T::NsRed, T::EwRed}), false, nullptr},
        {Word({T::NsRed, T::NsAmber, T::EwAmber, T::EwRed}), false, kConflict},
        {Word({T::NsRed, T::NsAmber, T::EwRed}), false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "outputs " << c.outputs << (c.night ? " night" : ""));
        TrafficLight plant;
        plant.StartSimulation();
        if (c.night) plant.operate(T::NightSwitch, true);
        plant.setOutputWord(c.outputs);
        plant.UpdateSimulation();
        EXPECT_EQ(plant.Stopped(), c.reason != nullptr);
        EXPECT_EQ(plant.stopReason().en, c.reason ? c.reason : "");
        EXPECT_EQ(Figures(plant)["stopped"], c.reason ? 1 : 0);
        if (!c.reason) continue;
        // It stays stopped, frozen, until it is started again.
        plant.setOutputWord(Word({T::NsRed, T::EwRed}));
        plant.UpdateSimulation();
        EXPECT_TRUE(plant.Stopped());
        EXPECT_EQ(plant.exchanges(), 0);
        plant.StartSimulation();
        EXPECT_FALSE(plant.Stopped());
        EXPECT_EQ(Figures(plant)["stopped"], 0);
    }
    TrafficLight plant;
    plant.StartSimulation();
    plant.setOutputWord(Word({T::NsGreen, T::EwGreen}));
    plant.UpdateSimulation();
    EXPECT_EQ(plant.stopReason().fi, "ristiriitaiset vihreät");
}

TEST(TrafficLight, SensorPulsesLastAtLeastTwoScansEvenForAShortClick) {
    // Every run of a sensor being on, in scans, over an hour with the night in the middle.
    for (uint64_t seed : {1, 2, 3}) {
        TrafficLight plant(seed);
        plant.StartSimulation();
        std::array<int, kPoints> on{}, shortest{};
        std::array<int, kPoints> pulses{};
        shortest.fill(1 << 30);
        Drive(
            plant, 36000,
            [&](uint16_t word) {
                for (int k = 0; k < 4; ++k) {
                    if (word >> k & 1) {
                        ++on[k];
                    } else if (on[k] > 0) {
                        shortest[k] = std::min(shortest[k], on[k]);
                        ++pulses[k];
                        on[k] = 0;
                    }
                }
            },
            18000, 3000);
        for (int k = 0; k < 4; ++k) {
            EXPECT_GT(pulses[k], 50) << "IP" << k << " seed " << seed;
            EXPECT_GE(shortest[k], 2) << "IP" << k << " seed " << seed;
        }
    }
    // A click shorter than a scan: pressed and released before the plant is read.
    TrafficLight plant;
    plant.StartSimulation();
    ASSERT_TRUE(plant.operate(T::EwWalkButton, true));
    ASSERT_TRUE(plant.operate(T::EwWalkButton, false));
    int scans = 0;
    for (int k = 0; k < 10; ++k) {
        scans += plant.Input(T::EwWalkButton);
        plant.setOutputWord(Word({T::NsRed, T::EwRed, T::EwWait}));
        plant.UpdateSimulation();
    }
    EXPECT_EQ(scans, 2);
}

TEST(TrafficLight, OnlyTheOperatorControlsCanBeWorked) {
    const struct {
        int input;
        bool control;
        bool held;  // still on two scans after it was worked with on
    } cases[] = {
        {T::NsCarWaiting, false, false},
        {T::EwCarWaiting, false, false},
        {T::NsWalkButton, true, true},
        {T::EwWalkButton, true, true},
        {T::NightSwitch, true, true},
        {5, false, false},
        {15, false, false},
        {-1, false, false},
        {16, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        TrafficLight plant;
        plant.StartSimulation();
        EXPECT_EQ(plant.operate(c.input, true), c.control);
        EXPECT_EQ(plant.Input(c.input), c.control);
        for (int k = 0; k < 3; ++k) plant.UpdateSimulation();
        EXPECT_EQ(plant.Input(c.input), c.held);
        EXPECT_EQ(plant.operate(c.input, false), c.control);
        for (int k = 0; k < 3; ++k) plant.UpdateSimulation();
        EXPECT_FALSE(plant.Input(c.input));
        EXPECT_EQ(plant.inputWord(), 0);
    }
}

TEST(TrafficLight, CarsNeverPassARedNorStartOnAmberAndGoOnGreen) {
    TrafficLight plant;
    plant.StartSimulation();
    auto hold = [&](uint16_t outputs, int exchanges) {
        for (int k = 0; k < exchanges; ++k) {
            plant.setOutputWord(outputs);
            plant.UpdateSimulation();
        }
    };
    auto anyPast = [&](int from, int to) {
        for (int a = from; a <= to; ++a)
            for (const T::Car& car : plant.lanes()[a])
                if (car.front < 0) return true;
        return false;
    };
    hold(Word({T::NsRed, T::EwRed}), 600);
    EXPECT_FALSE(anyPast(0, 3));
    EXPECT_TRUE(plant.Input(T::NsCarWaiting));
    EXPECT_TRUE(plant.Input(T::EwCarWaiting));
    hold(Word({T::NsRed, T::EwAmber}), 100);
    hold(Word({T::NsAmber, T::EwRed}), 100);
    hold(Word({T::NsRed, T::NsAmber, T::EwRed}), 100);
    EXPECT_FALSE(anyPast(0, 3));
    hold(Word({T::NsGreen, T::EwRed}), 100);
    EXPECT_TRUE(anyPast(0, 1));
    EXPECT_FALSE(anyPast(2, 3));
    const auto figures = Figures(plant);
    EXPECT_GT(figures.at("cars_ns"), 3);
    EXPECT_EQ(figures.at("cars_ew"), 0);
    EXPECT_GE(figures.at("max_car_wait"), 80);  // E/W cars still stand at their lines
    EXPECT_EQ(figures.at("head_faults"), 0);
    EXPECT_FALSE(plant.Input(T::NsCarWaiting));
}

TEST(TrafficLight, HeadFaultsCountOutsideNightOperationOnly) {
    const struct {
        uint16_t outputs;
        bool night;
        double faults;
    } cases[] = {
        {Word({T::NsRed, T::EwRed}), false, 0},
        {Word({T::NsRed, T::NsAmber, T::EwGreen}), false, 0},
        {Word({T::NsAmber, T::EwRed}), false, 0},
        {Word({T::EwRed}), false, 10},                        // N/S dark
        {Word({T::NsRed, T::NsGreen, T::EwRed}), false, 10},  // red and green
        {Word({T::NsAmber, T::NsGreen, T::EwRed}), false, 10},
        {Word({}), true, 0},
        {Word({T::NsAmber, T::EwAmber}), true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "outputs " << c.outputs);
        TrafficLight plant;
        plant.StartSimulation();
        plant.operate(T::NightSwitch, c.night);
        for (int k = 0; k < 10; ++k) {
            plant.setOutputWord(c.outputs);
            plant.UpdateSimulation();
        }
        EXPECT_EQ(Figures(plant)["head_faults"], c.faults);
    }
}

TEST(TrafficLight, OneSeedGivesOneRunAnotherSeedAnother) {
    auto run = [](uint64_t seed) {
        TrafficLight plant(seed);
        plant.StartSimulation();
        std::vector<uint16_t> inputs;
        Drive(
            plant, 6000, [&](uint16_t word) { inputs.push_back(word); }, 3000, 600);
        return std::make_pair(inputs, Figures(plant));
    };
    const auto first = run(7), again = run(7), other = run(8);
    EXPECT_EQ(first, again);
    EXPECT_NE(first.first, other.first);
    EXPECT_NE(first.second, other.second);
    EXPECT_GT(first.second.at("cars"), 300);
    EXPECT_GT(first.second.at("peds"), 30);
    EXPECT_EQ(first.second.at("head_faults"), 0);
    EXPECT_EQ(first.second.at("stopped"), 0);
    // Starting again replays the same run.
    TrafficLight plant(7);
    plant.StartSimulation();
    Drive(plant, 100, [](uint16_t) {});
    plant.StartSimulation();
    std::vector<uint16_t> inputs;
    Drive(
        plant, 6000, [&](uint16_t word) { inputs.push_back(word); }, 3000, 600);
    EXPECT_EQ(inputs, first.first);
}

TEST(PlantRegistry, MakesThePlantsItHoldsAndNothingElse) {
    const PlantRegistry empty;
    EXPECT_EQ(empty.make(1), nullptr);
    EXPECT_EQ(empty.find("traffic"), 0);
    EXPECT_EQ(empty.description(1), nullptr);
    EXPECT_TRUE(empty.all().empty());

    const PlantRegistry standard = StandardPlants();
    const struct {
        const char* key;
        int number;
    } keys[] = {{"traffic", 1}, {"1", 1}, {"Traffic", 0}, {"5", 0}, {"", 0}, {"1x", 0}};
    for (const auto& k : keys) EXPECT_EQ(standard.find(k.key), k.number) << k.key;
    const std::unique_ptr<Plant> plant = standard.make(1, 5);
    ASSERT_NE(plant, nullptr);
    EXPECT_EQ(plant->description().name, "Traffic Light");
    EXPECT_EQ(standard.make(0), nullptr);
    EXPECT_EQ(standard.make(5), nullptr);
    // Every plant gives the figures its description names, in that order.
    for (const PlantDescription* d : standard.all()) {
        std::vector<std::string> described, given;
        for (const PlantFigure& f : d->figures) described.push_back(f.name);
        for (const auto& [name, value] : standard.make(d->number)->figures()) given.push_back(name);
        EXPECT_EQ(given, described) << d->name;
    }
}

}  // namespace
}  // namespace torvex

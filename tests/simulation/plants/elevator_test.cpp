// The Elevator model: its stop rules both ways, the car's and the door's timing, the
// passengers and their buttons, pulse lengths, operator controls and determinism by seed.

#include "simulation/plants/elevator.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/lift_controller.h"

namespace torvex {
namespace {

using E = Elevator;

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

void Hold(Plant& plant, uint16_t outputs, int exchanges) {
    for (int k = 0; k < exchanges && !plant.Stopped(); ++k) {
        plant.setOutputWord(outputs);
        plant.UpdateSimulation();
    }
}

// Runs `plant` under the controller for `exchanges`; calls `seen` with the inputs each scan
// reads.
template <class Seen>
void Drive(Plant& plant, int exchanges, Seen seen) {
    test::LiftController controller;
    for (int k = 0; k < exchanges && !plant.Stopped(); ++k) {
        seen(plant.inputWord());
        plant.setOutputWord(controller.step(plant));
        plant.UpdateSimulation();
    }
}

// The door fully open at floor 1 until someone steps into the doorway (seed 1 brings one).
void OpenUntilSomeoneIsInTheDoorway(E& plant) {
    for (int k = 0; k < 600 && !plant.Input(E::DoorObstructed); ++k)
        Hold(plant, Word({E::DoorOpenMotor}), 1);
    ASSERT_TRUE(plant.Input(E::DoorObstructed));
}

TEST(Elevator, StopsForEachRuleAndNotJustShortOfIt) {
    const struct {
        const char* name;
        int openFirst;  // exchanges of door open before
        bool someone;   // wait for someone in the doorway first
        uint16_t outputs;
        int exchanges;       // held this long
        const char* reason;  // null: no stop
    } cases[] = {
        {"both motors", 0, false, Word({E::MotorUp, E::MotorDown}), 1, "up and down together"},
        {"up, door closed", 0, false, Word({E::MotorUp, E::DoorCloseMotor}), 60, nullptr},
        {"up, door a little open", 1, false, Word({E::MotorUp}), 1,
         "car moving with the door open"},
        {"up, door closing but not closed", 2, false, Word({E::MotorUp, E::DoorCloseMotor}), 1,
         "car moving with the door open"},
        {"up as the door starts to open", 0, false, Word({E::MotorUp, E::DoorOpenMotor}), 1,
         "car moving with the door open"},
        {"up to half a floor above 4", 0, false, Word({E::MotorUp}), 105, nullptr},
        {"up past it", 0, false, Word({E::MotorUp}), 106, "overtravel"},
        {"down to half a floor below 1", 0, false, Word({E::MotorDown}), 15, nullptr},
        {"down past it", 0, false, Word({E::MotorDown}), 16, "overtravel"},
        {"closing on someone 0.5 s", 0, true, Word({E::DoorCloseMotor}), 5, nullptr},
        {"closing on someone longer", 0, true, Word({E::DoorCloseMotor}), 6,
         "door closed on a passenger"},
        {"both door motors on someone", 0, true, Word({E::DoorCloseMotor, E::DoorOpenMotor}), 30,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        E plant;
        plant.StartSimulation();
        Hold(plant, Word({E::DoorOpenMotor}), c.openFirst);
        if (c.someone) OpenUntilSomeoneIsInTheDoorway(plant);
        const int64_t before = plant.exchanges();
        Hold(plant, c.outputs, c.exchanges);
        EXPECT_EQ(plant.Stopped(), c.reason != nullptr);
        EXPECT_EQ(plant.stopReason().en, c.reason ? c.reason : "");
        EXPECT_EQ(Figures(plant)["stopped"], c.reason ? 1 : 0);
        if (!c.reason) continue;
        // The exchange that breaks the rule does not happen, and nothing moves after it.
        EXPECT_EQ(plant.exchanges(), before + c.exchanges - 1);
        const int car = plant.carHeight(), door = plant.door();
        plant.setOutputWord(Word({E::MotorDown, E::DoorOpenMotor}));
        plant.UpdateSimulation();
        EXPECT_EQ(plant.exchanges(), before + c.exchanges - 1);
        EXPECT_EQ(plant.carHeight(), car);
        EXPECT_EQ(plant.door(), door);
        plant.StartSimulation();
        EXPECT_FALSE(plant.Stopped());
        EXPECT_EQ(plant.carHeight(), 0);
    }
    E plant;
    plant.StartSimulation();
    Hold(plant, Word({E::MotorDown}), 16);
    EXPECT_EQ(plant.stopReason().fi, "yliajo");
}

TEST(Elevator, TheCarTakesThreeSecondsAFloorAndTheDoorTwo) {
    E plant;
    plant.StartSimulation();
    EXPECT_EQ(plant.inputWord(), Word({E::Level1, E::DoorClosed}));
    // Up from floor 1, the door closed: each level sensor is on for 0.3 s as the car passes.
    std::array<int, E::kFloors> onFor{};
    std::array<int, E::kFloors> firstOn{};
    for (int k = 1; k <= 95; ++k) {
        Hold(plant, Word({E::MotorUp}), 1);
        for (int f = 1; f < E::kFloors; ++f)
            if (plant.Input(E::Level1 + f) && onFor[f]++ == 0) firstOn[f] = k;
    }
    EXPECT_EQ(firstOn[1], 29);  // 100 mm below floor 2 after 2.9 s
    EXPECT_EQ(firstOn[2], 59);
    EXPECT_EQ(onFor[1], 3);
    EXPECT_EQ(onFor[2], 3);
    // Stopped as floor 4's sensor comes on, 100 mm short, the car is level there.
    Hold(plant, Word({E::MotorDown}), 6);
    EXPECT_TRUE(plant.Input(E::Level1 + 3));
    EXPECT_EQ(plant.carHeight(), 3 * E::kFloorHeight - E::kLevelZone);
    EXPECT_EQ(plant.levelFloor(), 3);
    Hold(plant, 0, 50);
    EXPECT_TRUE(plant.Input(E::Level1 + 3));
    // The door: 2 s to fully open and 2 s back, both limit switches off in between.
    int toOpen = 0, toClose = 0;
    while (!plant.Input(E::DoorOpen) && toOpen < 100) {
        Hold(plant, Word({E::DoorOpenMotor}), 1);
        ++toOpen;
        EXPECT_FALSE(plant.Input(E::DoorClosed));
    }
    Hold(plant, Word({E::DoorOpenMotor}), 5);  // held open against its stop
    while (!plant.Input(E::DoorClosed) && toClose < 100) {
        Hold(plant, Word({E::DoorCloseMotor}), 1);
        ++toClose;
        EXPECT_FALSE(plant.Input(E::DoorOpen));
    }
    EXPECT_EQ(toOpen, 20);
    EXPECT_EQ(toClose, 20);
}

TEST(Elevator, PassengersCallBoardChooseAndLeave) {
    E plant(3);
    plant.StartSimulation();
    // With the door shut and no lamp lit, waiting passengers call, again every 5 s; a lit
    // lamp stops them.
    int presses = 0;
    auto countPresses = [&](uint16_t outputs, int exchanges) {
        for (int k = 0; k < exchanges; ++k) {
            const bool before = plant.Input(E::HallCall1);
            Hold(plant, outputs, 1);
            presses += plant.Input(E::HallCall1) && !before;
        }
    };
    countPresses(0, 1200);
    EXPECT_GT(Figures(plant)["waiting"], 3);
    EXPECT_GT(presses, 10);
    presses = 0;
    countPresses(Word({E::CallLamp1}), 600);
    EXPECT_EQ(presses, 0);
    // Open at floor 1: they board, press the buttons of their floors and ride.
    uint16_t pressed = 0;
    for (int k = 0; k < 200; ++k) {
        Hold(plant, Word({E::DoorOpenMotor}), 1);
        pressed |= plant.inputWord();
    }
    int riders = 0;
    for (const E::Passenger& p : plant.passengers()) riders += p.where == E::Where::Car;
    EXPECT_GT(riders, 0);
    EXPECT_LE(riders, E::kCapacity);
    EXPECT_EQ(pressed & Word({E::CarButton1}), 0);
    EXPECT_NE(pressed & Word({E::CarButton1 + 1, E::CarButton1 + 2, E::CarButton1 + 3}), 0);
    EXPECT_EQ(Figures(plant)["delivered"], 0);
    EXPECT_GE(Figures(plant)["max_wait"], 120);
    // Under the controller every one of them is delivered.
    Drive(plant, 36000, [](uint16_t) {});
    const auto figures = Figures(plant);
    EXPECT_EQ(figures.at("stopped"), 0);
    EXPECT_GT(figures.at("delivered"), 250);
    EXPECT_LT(figures.at("waiting"), 8);
    EXPECT_LT(figures.at("mean_wait"), 40);
    EXPECT_GT(figures.at("max_ride"), 9);
}

TEST(Elevator, PlantPulsesLastAtLeastTwoScansAndAClickShowsFor200Ms) {
    for (uint64_t seed : {1, 2, 3}) {
        E plant(seed);
        plant.StartSimulation();
        std::array<int, kPoints> on{}, pulses{};
        std::array<int, kPoints> shortest;
        shortest.fill(1 << 30);
        Drive(plant, 36000, [&](uint16_t word) {
            for (int k = 0; k < kPoints; ++k) {
                if (word >> k & 1) {
                    ++on[k];
                } else if (on[k] > 0) {
                    shortest[k] = std::min(shortest[k], on[k]);
                    ++pulses[k];
                    on[k] = 0;
                }
            }
        });
        // The limit switches show the door as it is, so they are left out: a door opened
        // again as it closes is shut for a single scan, the one that saw it shut.
        for (int k = 0; k <= E::DoorObstructed; ++k) {
            if (k == E::DoorOpen || k == E::DoorClosed) continue;
            EXPECT_GT(pulses[k], 5) << "IP" << k << " seed " << seed;
            EXPECT_GE(shortest[k], k < E::kFloors ? 3 : 2) << "IP" << k << " seed " << seed;
        }
        EXPECT_EQ(pulses[15], 0);
    }
    E plant;
    plant.StartSimulation();
    ASSERT_TRUE(plant.operate(E::CarButton1 + 2, true));
    ASSERT_TRUE(plant.operate(E::CarButton1 + 2, false));
    int scans = 0;
    for (int k = 0; k < 10; ++k) {
        scans += plant.Input(E::CarButton1 + 2);
        Hold(plant, 0, 1);
    }
    EXPECT_EQ(scans, 2);
}

TEST(Elevator, OnlyTheButtonsCanBeWorked) {
    for (int k = -1; k <= kPoints; ++k) {
        SCOPED_TRACE(k);
        const bool button = k >= E::HallCall1 && k < E::DoorOpen;
        E plant;
        plant.StartSimulation();
        const uint16_t before = plant.inputWord();
        const bool was = plant.Input(k);
        EXPECT_EQ(plant.operate(k, true), button);
        Hold(plant, 0, 3);
        EXPECT_EQ(plant.Input(k), button || was);  // held
        EXPECT_EQ(plant.operate(k, false), button);
        Hold(plant, 0, 1);
        EXPECT_EQ(plant.inputWord(), before);
    }
}

TEST(Elevator, OneSeedGivesOneRunAnotherSeedAnother) {
    auto run = [](uint64_t seed) {
        E plant(seed);
        plant.StartSimulation();
        std::vector<uint16_t> inputs;
        Drive(plant, 6000, [&](uint16_t word) { inputs.push_back(word); });
        return std::make_pair(inputs, Figures(plant));
    };
    const auto first = run(7), again = run(7), other = run(8);
    EXPECT_EQ(first, again);
    EXPECT_NE(first.first, other.first);
    EXPECT_NE(first.second, other.second);
    EXPECT_GT(first.second.at("delivered"), 30);
    // Starting again replays the same run.
    E plant(7);
    plant.StartSimulation();
    Drive(plant, 100, [](uint16_t) {});
    plant.StartSimulation();
    std::vector<uint16_t> inputs;
    Drive(plant, 6000, [&](uint16_t word) { inputs.push_back(word); });
    EXPECT_EQ(inputs, first.first);
    EXPECT_EQ(StandardPlants().find("elevator"), 4);
}

}  // namespace
}  // namespace torvex

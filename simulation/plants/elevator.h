// The Elevator (simulation 4): a lift serving four floors. A car runs in a shaft, driven up
// and down by a motor; a door motor opens and closes its door. Each floor has a hall call
// button, the car a button for each floor, and each floor one call lamp. Passengers arrive on
// the landings, call, board when the door is open at their floor, press the button of the
// floor they want and leave there.
//
// Heights are in millimetres above floor 1's level, places along a landing or across the car
// in millimetres from the door's middle (negative towards the landing's far end); whole
// numbers only, so that a run is the same on every machine. The car moves a whole kCarStep
// each exchange, so it is always a whole number of steps from a floor's level.
//
// The level sensors and the door's limit switches tell where the car and the door are, no
// more: a level sensor is on for three exchanges as the car passes, but a door opened again
// the moment it shuts shows shut for that one scan only. The buttons passengers press and the
// light curtain make pulses of at least 200 ms.
#pragma once

#include <array>
#include <vector>

#include "simulation/plants/plant.h"

namespace torvex {

class Elevator final : public Plant {
public:
    static constexpr int kFloors = 4;
    enum Inputs : int {
        Level1,
        HallCall1 = Level1 + kFloors,
        CarButton1 = HallCall1 + kFloors,
        DoorOpen = CarButton1 + kFloors,  // fully open
        DoorClosed,                       // fully closed
        DoorObstructed,
    };
    enum Outputs : int {
        MotorUp,
        MotorDown,
        DoorOpenMotor,
        DoorCloseMotor,
        CallLamp1,
        Position1 = CallLamp1 + kFloors,
        ArrowUp = Position1 + kFloors,
        ArrowDown,
        Chime,
    };
    enum class StopCause { None, UpAndDown, MovingDoorOpen, Overtravel, DoorOnPassenger };

    static constexpr int kFloorHeight = 3000;
    static constexpr int kCarStep = 100;                      // a floor in 3 s
    static constexpr int kLevelZone = kCarStep;               // a level sensor's reach either way
    static constexpr int kOvertravel = kFloorHeight / 2;      // allowed beyond floors 1 and 4
    static constexpr int kDoorTravel = 20;                    // exchanges, closed to open: 2 s
    static constexpr int kDoorPassable = kDoorTravel / 2;     // open enough to step through
    static constexpr int kDoorOnBody = kDoorTravel * 3 / 10;  // a body in the doorway stops it
    static constexpr int kCapacity = 6;
    static constexpr int kCarHalfWidth = 1200;
    static constexpr int kStairDoor = -7000;  // where people come onto a landing and leave it
    static constexpr int kWalk = 130;         // 1.3 m/s

    enum class Where {
        Landing,  // on the landing of `from`: coming, queuing or walking to the door
        Doorway,  // stepping through the door, in the light curtain
        Car,      // riding
        Leaving,  // on the landing of `to`, walking off
    };
    struct Passenger {
        uint32_t id = 0;
        int from = 0, to = 0;  // floors 0 ... 3
        Where where = Where::Landing;
        int x = kStairDoor;       // along the landing, or across the car
        bool moving = false;      // boarding from the landing, or getting off from the car
        bool inbound = true;      // in the doorway: getting on (or off)
        bool leftBehind = false;  // saw the car here full: calls again once it has gone
        int through = 0;          // exchanges still to go through the doorway
        int slot = -1;            // the place in the car
        int64_t arrived = 0;      // exchange it came onto the landing
        int64_t boarded = -1;     // exchange it stepped into the car's doorway
        int64_t pressed = -1;     // exchange it last pressed a button
    };

    explicit Elevator(uint64_t seed = 1);

    static const PlantDescription& Description();
    const PlantDescription& description() const override { return Description(); }

    void StartSimulation() override;
    void UpdateSimulation() override;
    bool Input(int k) const override;
    bool Stopped() const override { return cause_ != StopCause::None; }
    Bilingual stopReason() const override;
    bool operate(int input, bool on) override;
    std::vector<std::pair<std::string, double>> figures() const override;

    // What the picture shows.
    int64_t exchanges() const { return time_; }
    int carHeight() const { return car_; }
    int door() const { return door_; }  // 0 closed ... kDoorTravel open
    const std::vector<Passenger>& passengers() const { return people_; }
    StopCause stopCause() const { return cause_; }
    // The floor the car is level at, or -1.
    int levelFloor() const;

private:
    bool lampLit(int floor) const { return outputs_[CallLamp1 + floor]; }
    bool doorwayTaken() const;
    void arrive();
    void moveDoorway();
    void moveRiders(int level);
    void moveLanding(int level);
    void press(Passenger& p, int input);
    void stop(StopCause cause) { cause_ = cause; }

    uint64_t seed_;
    PlantRandom random_;
    OperatorControls controls_;
    std::array<int, kPoints> pressLeft_{};  // exchanges a passenger still holds each button
    StopCause cause_ = StopCause::None;
    int64_t time_ = 0;
    uint32_t nextId_ = 1;
    int car_ = 0;
    int door_ = 0;
    int closingOnBody_ = 0;  // exchanges the door has kept closing against an obstruction
    std::vector<Passenger> people_;
    // Figures.
    int delivered_ = 0;
    int boardings_ = 0;
    int64_t totalWait_ = 0;  // exchanges, of those who boarded
    int64_t longestWait_ = 0;
    int64_t longestRide_ = 0;
};

}  // namespace torvex

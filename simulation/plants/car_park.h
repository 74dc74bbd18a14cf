// The Car Park (simulation 3): eight bays behind an entry barrier and an exit barrier, each
// barrier with a loop where a car waits before it and a safety loop under it, FULL and
// SPACES signs, and a street along the front where cars come and go.
//
// The picture is a plan in centimetres, x to the right and y down, 10 cm to a pixel at
// 100 %. A car drives along a path of straight pieces and arcs; its place is the distance
// its front has come along the path, a whole number of centimetres, so a run is the same on
// every machine. Entering cars keep to the right of the street, queue for the entry, drive
// along the lower aisle into their bay nose first, and leave it forwards into the upper aisle
// that leads to the exit.
#pragma once

#include <array>
#include <vector>

#include "simulation/plants/plant.h"

namespace torvex {

class CarPark final : public Plant {
public:
    enum Inputs : int {
        EntryWaiting,
        EntryUp,
        EntryDown,
        EntryUnder,
        ExitWaiting,
        ExitUp,
        ExitDown,
        ExitUnder,
        AttendantReset,
        Closed
    };
    enum Outputs : int { EntryRaise, EntryLower, ExitRaise, ExitLower, FullSign, SpacesSign };
    enum Gate { Entry, Exit };
    enum class StopCause { None, LoweredOntoCar, RaisedAndLowered, AgainstEndStop, Overfilled };

    static constexpr int kBays = 8;
    static constexpr int kTravel = 20;  // exchanges from fully down to fully up
    // The plan, in cm.
    static constexpr int kWidth = 5300, kHeight = 3050;
    static constexpr int kCarLength = 440, kCarWidth = 180;
    static constexpr int kUpperLane = 2650, kLowerLane = 2910;  // the street's lanes
    static constexpr int kStreetTop = 2520;                     // the kerb on the car park side
    static constexpr int kLaneWidth = 360;                      // entry and exit lanes
    static constexpr int kEntryX = 1200, kExitX = 4500;         // lane centres
    static constexpr int kBoomY = 1900;                         // both barriers' booms
    static constexpr int kBayLeft = 1700, kBayWidth = 300;      // bay b: kBayLeft + b * width
    static constexpr int kBayTop = 750, kBayBottom = 1310;
    static constexpr int kLowerAisle = 1485, kUpperAisle = 575;  // aisle centre lines
    static constexpr int kAisleWidth = 350;
    // Along a lane, from the boom towards the cars that come to it.
    static constexpr int kWaitAt = 150;  // a car waits with its front this far before the boom
    static constexpr int kLoopNear = 170, kLoopFar = 470;  // the car-waiting loop
    static constexpr int kSafety = 100;                    // the safety loop: this far either side
    static constexpr int kUnder = 20;                      // the boom itself

    // Where a car is: the kind of path and its own place on it.
    enum class Way {
        Entry,    // from the street's left edge through the entry into its bay
        Exit,     // from its bay through the exit off to the right
        Reverse,  // backing out of the entry lane into the far lane after giving up
        PullOut,  // from the near lane into the far lane, and away
        Far,      // along the far lane, away
    };
    struct Pose {
        double x = 0, y = 0;  // the middle of the car's front, cm
        double heading = 0;   // degrees the car faces, 0 to the right, 90 down
    };
    // A path: pieces from a start, straight (radius 0) or arcs turning by `turn` degrees
    // (positive clockwise on the picture). A car on a reversing path drives backwards.
    struct Path {
        struct Piece {
            int length;  // cm
            int radius;
            int turn;
        };
        Pose start;
        bool reverse = false;
        std::array<Piece, 7> pieces{};
        int count = 0;

        int length() const;
        Pose pose(double s) const;  // the car's pose with its front s cm along
    };
    struct Car {
        uint32_t id = 0;
        Way way = Way::Entry;
        int bay = -1;  // its bay, once it has one
        int from = 0;  // where a PullOut or Far path starts on the street (x, cm)
        int s = 0;     // how far its front has come along its path, cm
        int speed = 0;
        bool braking = false;
        bool committed = false;  // driving on through a barrier that was fully up
        int ready = 0;           // exchanges it has been free to drive on
        int reaction = 0;        // exchanges it takes to set off
        int creep = 0;           // its speed under a barrier
        int64_t arrived = 0;     // the exchange it joined the entry queue
        int64_t leaveAt = 0;     // the exchange it wants to leave its bay
    };

    explicit CarPark(uint64_t seed = 1);

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
    static Path PathOf(const Car& car);
    int64_t exchanges() const { return time_; }
    // Each barrier's boom: 0 fully down ... kTravel fully up.
    int barrier(Gate gate) const { return barrier_[gate]; }
    // Every car in sight, and the entering ones still out of sight to the left.
    std::vector<const Car*> cars() const;
    int outOfSight() const { return static_cast<int>(pending_.size()); }
    StopCause stopCause() const { return cause_; }
    // The gate whose rule stopped the run.
    Gate stopGate() const { return stopGate_; }
    int occupied() const;

private:
    // A car's front and rear as distances before a gate's boom (negative past it), or false
    // when the car is nowhere near that gate's lane.
    bool span(const Car& car, Gate gate, int& front, int& rear) const;
    bool carIn(Gate gate, int near, int far) const;
    bool fullyUp(Gate gate) const { return barrier_[gate] == kTravel; }
    void stop(StopCause cause, Gate gate);
    void arrive();
    void giveUp();
    void moveEntering();
    void leaveBays();
    void moveLeaving();
    void movePassing();
    int streetX(const Car& car) const;
    bool farLaneClear(int from, int to) const;
    Car newCar(Way way);
    void drive(Car& car, int room, int hard, int most);

    uint64_t seed_;
    PlantRandom random_;
    OperatorControls controls_;
    SensorPulses sensors_;
    StopCause cause_ = StopCause::None;
    Gate stopGate_ = Entry;
    int64_t time_ = 0;
    uint32_t nextId_ = 1;
    std::array<int, 2> barrier_{};
    std::array<int, 2> againstStop_{};  // exchanges a motor has driven into an end stop
    std::vector<Car> entering_;         // front-most first
    std::array<Car, kBays> parked_{};   // id 0: an empty bay
    std::vector<Car> leaving_;          // front-most first
    std::vector<Car> passing_;
    std::vector<int64_t> pending_;  // arrival times of the entering cars out of sight
    // Figures.
    int carsIn_ = 0;
    int carsOut_ = 0;
    int turnedAway_ = 0;
    int gaveUp_ = 0;
    int64_t longestEntryWait_ = 0;  // exchanges
    int mostOccupied_ = 0;
};

}  // namespace torvex

// The Traffic Light (simulation 1): a crossroads of a north-south and an east-west road with
// a three-lamp head for each road, walk and don't-walk lamps, request buttons and wait lamps
// for the pedestrians, cars arriving on all four approaches and pedestrians in both
// directions.
//
// Cars drive on the right and straight on. Distances are in millimetres along a car's lane,
// 0 at its stop line and positive before it; speeds in millimetres per exchange. Whole
// numbers only, so that a run is the same on every machine.
#pragma once

#include <array>
#include <vector>

#include "simulation/plants/plant.h"

namespace torvex {

class TrafficLight final : public Plant {
public:
    enum Inputs : int { NsCarWaiting, EwCarWaiting, NsWalkButton, EwWalkButton, NightSwitch };
    enum Outputs : int {
        NsRed,
        NsAmber,
        NsGreen,
        EwRed,
        EwAmber,
        EwGreen,
        NsWalk,
        NsDontWalk,
        EwWalk,
        EwDontWalk,
        NsWait,
        EwWait
    };
    // The roads, and the pedestrians walking alongside each (who cross the other road).
    enum Road { NorthSouth, EastWest };
    // Where a car comes from: a car from the north drives south.
    enum Approach { FromNorth, FromSouth, FromEast, FromWest };
    // The pedestrian crossings, one on each arm. Those on the north and south arms cross the
    // N/S road and are walked by E/W pedestrians.
    enum Crossing { NorthArm, EastArm, SouthArm, WestArm };
    enum class StopCause { None, ConflictingGreens, PedestriansInPath };

    static constexpr int kLaneWidth = 4500;  // a road is two lanes
    static constexpr int kCarLength = 4200;
    static constexpr int kCarWidth = 1900;
    static constexpr int kStandingGap = 2000;    // between cars in a queue
    static constexpr int kDetector = 2500;       // "at the stop line": this close to it
    static constexpr int kCrossingNear = -1000;  // the crossing after the stop line
    static constexpr int kCrossingWidth = 3000;  // from kCrossingNear on
    static constexpr int kBoxNear = -5000;       // the junction itself
    static constexpr int kBoxFar = kBoxNear - 2 * kLaneWidth;
    static constexpr int kFarCrossingFar = kBoxFar + kCrossingNear - kCrossingWidth;
    static constexpr int kSpawn = 90000;                 // where an arriving car appears
    static constexpr int kExit = -70000;                 // where a car has left
    static constexpr int kWalk = 2 * kLaneWidth + 1000;  // a crossing, kerb to kerb
    static constexpr int kMaxSpeed = 1000;               // 10 m/s
    static constexpr int kWalkSpeed = 130;               // 1.3 m/s

    struct Car {
        uint32_t id = 0;
        int front = kSpawn;  // its front's distance before the stop line
        int speed = 0;
        bool braking = false;
        int64_t standingSince = -1;  // exchange it came to stand at the stop line, or -1
        int ready = 0;               // exchanges it has been free to start while standing
        bool counted = false;
    };
    struct Walker {
        uint32_t id = 0;
        Crossing crossing = NorthArm;
        int side = 0;     // 0: waits at the north or west kerb, 1: at the other
        int place = 0;    // 0, 1, ... among those waiting at that kerb
        int walked = -1;  // mm from the kerb while crossing; -1 while waiting
        int64_t arrived = 0;
        int64_t pressed = 0;
    };

    explicit TrafficLight(uint64_t seed = 1);

    static const PlantDescription& Description();
    const PlantDescription& description() const override { return Description(); }

    void StartSimulation() override;
    void UpdateSimulation() override;
    bool Input(int k) const override;
    bool Stopped() const override { return cause_ != StopCause::None; }
    Bilingual stopReason() const override;
    bool operate(int input, bool on) override;
    std::vector<std::pair<std::string, double>> figures() const override;

    // What the picture shows. Cars in each approach are in driving order, the first nearest
    // the junction.
    int64_t exchanges() const { return time_; }
    const std::array<std::vector<Car>, 4>& lanes() const { return lanes_; }
    // Cars that have arrived on each approach but are not yet in sight (the queue is long).
    const std::array<int, 4>& pending() const { return pending_; }
    const std::vector<Walker>& walkers() const { return walkers_; }
    StopCause stopCause() const { return cause_; }

    static Road RoadOf(Approach a) {
        return a == FromNorth || a == FromSouth ? NorthSouth : EastWest;
    }
    // The road a crossing crosses; its walkers are those of the other road.
    static Road CrossedRoad(Crossing c) {
        return c == NorthArm || c == SouthArm ? NorthSouth : EastWest;
    }

private:
    struct Head {
        bool red, amber, green;
        bool go() const { return green && !red; }
    };
    Head head(Road road) const;
    bool walkLit(Road walkers) const { return outputs_[walkers == NorthSouth ? NsWalk : EwWalk]; }
    bool nightSwitch() const { return controls_.value(NightSwitch); }
    bool carsPast(Road road, int from) const;
    bool carStanding(Road road) const;
    bool walkerAhead(Approach a) const;
    int lineRoom(Approach a, const Car& car) const;
    void arrive();
    void moveCars();
    void moveWalkers();
    void stop(StopCause cause);

    uint64_t seed_;
    PlantRandom random_;
    OperatorControls controls_;
    SensorPulses sensors_;
    StopCause cause_ = StopCause::None;
    int64_t time_ = 0;
    uint32_t nextId_ = 1;
    std::array<std::vector<Car>, 4> lanes_;
    std::array<int, 4> pending_{};  // arrived but not yet in sight
    std::vector<Walker> walkers_;
    std::array<int, 2> buttonPressed_{};  // exchanges a pedestrian still holds each button
    int nightAfter_ = 0;                  // exchanges of night operation left after the switch
    Road turn_ = NorthSouth;              // the road whose car passed its line last
    int64_t turnSince_ = 0;
    // Figures.
    int cars_[2] = {0, 0};
    int peds_ = 0;
    int64_t longestCarWait_ = 0;  // exchanges
    int64_t longestWalkerWait_ = 0;
    int headFaults_ = 0;
    int longestQueue_ = 0;
};

}  // namespace torvex

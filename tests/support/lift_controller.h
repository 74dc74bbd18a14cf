// A collective controller for the Elevator, written plainly, for the tests and benchmarks that
// need the plant run well.
#pragma once

#include <cstdint>

#include "simulation/plants/elevator.h"

namespace torvex::test {

// A collective lift as a diagram would run it: registers calls, serves them in the direction
// it goes, holds the door 3 s after the last one through and opens it again for anyone in the
// doorway or a call at its floor.
class LiftController {
public:
    uint16_t step(const Plant& p) {
        bool level = false;
        for (int f = 0; f < Elevator::kFloors; ++f) {
            if (p.Input(Elevator::Level1 + f)) {
                at_ = f;
                level = true;
            }
            if (p.Input(Elevator::HallCall1 + f) || p.Input(Elevator::CarButton1 + f))
                calls_[f] = true;
        }
        const bool open = p.Input(Elevator::DoorOpen), closed = p.Input(Elevator::DoorClosed);
        const bool someone = p.Input(Elevator::DoorObstructed), here = level && calls_[at_];
        bool above = false, below = false;
        for (int f = 0; f < Elevator::kFloors; ++f) {
            above = above || (calls_[f] && f > at_);
            below = below || (calls_[f] && f < at_);
        }
        // A door found open is closed through a door cycle too.
        if (!serving_ && (here || !closed) && !up_ && !down_) serving_ = true;
        bool opening = false, closing = false;
        if (serving_) {
            if (closing_ && (someone || here)) closing_ = false;
            if (!closing_) {
                calls_[at_] = false;
                opening = !open;
                dwell_ = open && !someone ? dwell_ + 1 : 0;
                closing_ = dwell_ >= 30;
            } else {
                closing = !closed;
                serving_ = closing_ = !closed;
            }
        }
        if ((way_ > 0 && !above && !up_) || (way_ < 0 && !below && !down_)) way_ = 0;
        if (way_ == 0) way_ = above ? 1 : below ? -1 : 0;
        const bool go = !serving_ && closed && !here;
        up_ = go && way_ > 0 && !p.Input(Elevator::Level1 + 3);
        down_ = go && way_ < 0 && !p.Input(Elevator::Level1);
        uint16_t word = 0;
        auto set = [&](int k, bool on) {
            if (on) word = static_cast<uint16_t>(word | 1u << k);
        };
        set(Elevator::MotorUp, up_);
        set(Elevator::MotorDown, down_);
        set(Elevator::DoorOpenMotor, opening);
        set(Elevator::DoorCloseMotor, closing);
        for (int f = 0; f < Elevator::kFloors; ++f) {
            set(Elevator::CallLamp1 + f, calls_[f]);
            set(Elevator::Position1 + f, at_ == f);
        }
        set(Elevator::ArrowUp, way_ > 0);
        set(Elevator::ArrowDown, way_ < 0);
        return word;
    }

private:
    bool calls_[Elevator::kFloors] = {};
    int at_ = 0, way_ = 0, dwell_ = 0;
    bool serving_ = false, closing_ = false, up_ = false, down_ = false;
};

}  // namespace torvex::test

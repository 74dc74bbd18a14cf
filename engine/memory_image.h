// The PLC's memory: inputs, outputs, flags, shift registers, timers and counters.
#pragma once

#include <cassert>
#include <cstdint>

#include "engine/ladder.h"

namespace torvex {

// A table whose entries are numbered 1 ... N, as timers, counters and registers are.
template <class T, int N>
struct NumberedFrom1 {
    T items[N];

    T& operator[](int number) {
        assert(number >= 1 && number <= N);
        return items[number - 1];
    }
    const T& operator[](int number) const {
        assert(number >= 1 && number <= N);
        return items[number - 1];
    }
    static constexpr int size() { return N; }
    T* begin() { return items; }
    T* end() { return items + N; }
    const T* begin() const { return items; }
    const T* end() const { return items + N; }
};

struct InputPoint {
    bool Raw;    // as last delivered from outside
    bool Image;  // copy of Raw taken at the start of each scan
};

struct CoilPoint {
    bool State;     // result of the last scan
    bool Latched;   // set by LAT, cleared by UNL
    bool ResetReq;  // power of the last UNL evaluated
    bool CoilAcc;   // working value of the current scan
};

struct ShiftRegister {
    bool LeftEdge;
    bool LeftAcc;
    bool RightEdge;
    bool RightAcc;
    bool Bits[kPoints];
    bool NextBits[kPoints];
    bool ResetBits[kPoints];
};

struct TimerRecord {
    bool Used;
    int32_t Preset;   // milliseconds
    int32_t EndTick;  // ScanTick at which the timer completes
    int32_t Elapsed;  // milliseconds, for display
    bool Running;
    bool Enabled;
    bool DoneImage;
    bool Done;
    bool ResetReq;
    bool OnDelayStyle;
    bool ResetArmed;
};

struct CounterRecord {
    bool Used;
    int32_t Preset;
    int32_t InitialCount;
    int32_t Count;
    bool Counted;
    bool PowerAcc;
    bool UpImage;
    bool DownImage;
    bool AtPreset;
    bool AtZero;
    bool ResetReq;
    bool ResetHold;
};

struct MemoryImage {
    InputPoint Inputs[kPoints];
    CoilPoint Outputs[kPoints];
    CoilPoint Flags[kPoints];
    NumberedFrom1<ShiftRegister, kRegisters> Registers;
    NumberedFrom1<TimerRecord, kTimers> Timers;
    NumberedFrom1<CounterRecord, kCounters> Counters;
    int32_t ScanTick;
};

}  // namespace torvex

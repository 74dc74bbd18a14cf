// What each control does when the solver reaches it. Every operation reads published
// fields and writes working fields of the memory image; PostStep publishes them.
// An operand outside its table is treated as a kind outside the operation's set: the
// operation does nothing and a contact reads false.
#pragma once

#include <cstdint>

#include "engine/memory_image.h"

namespace torvex {

bool InputValue(const MemoryImage& memory, int32_t kind, int32_t index);
bool OutputValue(MemoryImage& memory, bool in, int32_t kind, int32_t index);
bool ResetValue(MemoryImage& memory, bool in, int32_t kind, int32_t index);
bool LatchValue(MemoryImage& memory, int32_t kind, int32_t index);
bool UnlatchValue(MemoryImage& memory, bool in, int32_t kind, int32_t index);
bool TimerValue(MemoryImage& memory, bool in, int32_t index);
bool ONDelayValue(MemoryImage& memory, bool in, int32_t index);
bool CounterValue(MemoryImage& memory, bool in, bool up, int32_t index);
bool BitshiftleftValue(MemoryImage& memory, bool in, int reg, int32_t kind, int32_t index);
bool BitshiftrightValue(MemoryImage& memory, bool in, int reg, int32_t kind, int32_t index);

// The published value a shift control inserts, or nothing for a source outside its set.
// Returns false in `found` for an invalid source.
bool ShiftSourceValue(const MemoryImage& memory, int32_t kind, int32_t index, bool& found);

// True when a timer whose end is `endTick` counts as done at tick `t` (50 ms early).
// Compared as a signed 32-bit difference, so an end that crosses the sign change of the
// tick behaves as everywhere else.
constexpr bool TimerDoneAt(int32_t endTick, int32_t t) {
    const uint32_t diff = static_cast<uint32_t>(t) - (static_cast<uint32_t>(endTick) - 50u);
    return static_cast<int32_t>(diff) >= 0;
}

}  // namespace torvex

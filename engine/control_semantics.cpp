#include "engine/control_semantics.h"

namespace torvex {

namespace {

constexpr bool IsPoint(int32_t n) {
    return n >= 0 && n < kPoints;
}
constexpr bool IsTimer(int32_t n) {
    return n >= 1 && n <= kTimers;
}
constexpr bool IsCounter(int32_t n) {
    return n >= 1 && n <= kCounters;
}

// The output or flag a coil kind 0 / 1 names, or nullptr.
CoilPoint* CoilOf(MemoryImage& memory, int32_t kind, int32_t index) {
    if (!IsPoint(index)) return nullptr;
    if (kind == CoilKind::Output) return &memory.Outputs[index];
    if (kind == CoilKind::Flag) return &memory.Flags[index];
    return nullptr;
}

// The register a coil or reset kind 2 ... 5 names, when the bit number is valid.
ShiftRegister* CoilRegisterOf(MemoryImage& memory, int32_t kind, int32_t index) {
    if (!IsPoint(index) || kind < CoilKind::Register1 || kind > CoilKind::Register4) return nullptr;
    return &memory.Registers[kind - 1];
}

// Arithmetic on the tick wraps at 2^32 as the tick itself does.
constexpr int32_t TickAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
constexpr int32_t TickSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Step 3 of the timer operations, common to both styles.
void UpdateTiming(TimerRecord& timer, int32_t t) {
    if (timer.Running && !timer.DoneImage) {
        timer.Done = TimerDoneAt(timer.EndTick, t);
        timer.Elapsed =
            timer.Done ? timer.Preset : TickAdd(TickSub(t, timer.EndTick), timer.Preset);
    }
}

}  // namespace

bool InputValue(const MemoryImage& memory, int32_t kind, int32_t index) {
    switch (kind) {
        case ContactKind::Input:
            return IsPoint(index) && memory.Inputs[index].Image;
        case ContactKind::Output:
            return IsPoint(index) && memory.Outputs[index].State;
        case ContactKind::Flag:
            return IsPoint(index) && memory.Flags[index].State;
        case ContactKind::CounterUp:
            return IsCounter(index) && memory.Counters[index].UpImage;
        case ContactKind::CounterDown:
            return IsCounter(index) && memory.Counters[index].DownImage;
        case ContactKind::TimerDone:
            return IsTimer(index) && memory.Timers[index].DoneImage;
        default:
            if (kind >= ContactKind::Register1 && kind <= ContactKind::Register4 && IsPoint(index))
                return memory.Registers[kind - 2].Bits[index];
            return false;
    }
}

bool OutputValue(MemoryImage& memory, bool in, int32_t kind, int32_t index) {
    if (CoilPoint* coil = CoilOf(memory, kind, index)) {
        coil->CoilAcc = coil->CoilAcc || in;
    } else if (ShiftRegister* reg = CoilRegisterOf(memory, kind, index)) {
        if (in) reg->NextBits[index] = true;
    }
    return in;
}

bool ResetValue(MemoryImage& memory, bool in, int32_t kind, int32_t index) {
    if (kind == ResetKind::Timer) {
        if (IsTimer(index)) memory.Timers[index].ResetReq = memory.Timers[index].ResetReq || in;
    } else if (kind == ResetKind::Counter) {
        if (IsCounter(index))
            memory.Counters[index].ResetReq = memory.Counters[index].ResetReq || in;
    } else if (ShiftRegister* reg = CoilRegisterOf(memory, kind, index)) {
        if (in) reg->NextBits[index] = false;
        reg->ResetBits[index] = in;
    }
    return in;
}

bool LatchValue(MemoryImage& memory, int32_t kind, int32_t index) {
    if (CoilPoint* coil = CoilOf(memory, kind, index)) {
        coil->Latched = true;
        coil->CoilAcc = true;
    } else if (ShiftRegister* reg = CoilRegisterOf(memory, kind, index)) {
        reg->NextBits[index] = true;
    }
    return true;
}

bool UnlatchValue(MemoryImage& memory, bool in, int32_t kind, int32_t index) {
    if (CoilPoint* coil = CoilOf(memory, kind, index)) {
        if (in) coil->Latched = false;
        coil->ResetReq = in;
    } else if (ShiftRegister* reg = CoilRegisterOf(memory, kind, index)) {
        if (in) reg->NextBits[index] = false;
        reg->ResetBits[index] = in;
    }
    return in;
}

bool TimerValue(MemoryImage& memory, bool in, int32_t index) {
    if (!IsTimer(index)) return in;
    TimerRecord& timer = memory.Timers[index];
    const int32_t t = memory.ScanTick;
    timer.Enabled = timer.Enabled || in;
    if (!timer.Running && timer.Enabled) {
        timer.Running = true;
        timer.EndTick = TickAdd(timer.Preset, t);
    }
    UpdateTiming(timer, t);
    return in;
}

bool ONDelayValue(MemoryImage& memory, bool in, int32_t index) {
    if (!IsTimer(index)) return in;
    TimerRecord& timer = memory.Timers[index];
    const int32_t t = memory.ScanTick;
    if (!timer.Running && in) {
        timer.Running = true;
        timer.EndTick = TickAdd(timer.Preset, t);
    } else if (timer.Running && !in) {
        timer.Running = false;
        timer.Done = false;
        timer.Elapsed = 0;
    }
    UpdateTiming(timer, t);
    return in;
}

bool CounterValue(MemoryImage& memory, bool in, bool up, int32_t index) {
    if (!IsCounter(index)) return in;
    CounterRecord& counter = memory.Counters[index];
    counter.PowerAcc = counter.PowerAcc || in;
    if (!counter.Counted && counter.PowerAcc && !counter.ResetHold) {
        counter.Counted = true;
        if (up) {
            if (counter.Count < counter.Preset) ++counter.Count;
        } else {
            if (counter.Count > 0) --counter.Count;
        }
        counter.AtPreset = counter.Count == counter.Preset;
        counter.AtZero = counter.Count == 0;
    }
    return in;
}

bool ShiftSourceValue(const MemoryImage& memory, int32_t kind, int32_t index, bool& found) {
    found = true;
    switch (kind) {
        case ShiftSourceKind::Input:
            if (IsPoint(index)) return memory.Inputs[index].Image;
            break;
        case ShiftSourceKind::Output:
            if (IsPoint(index)) return memory.Outputs[index].State;
            break;
        case ShiftSourceKind::Flag:
            if (IsPoint(index)) return memory.Flags[index].State;
            break;
        case ShiftSourceKind::TimerDone:
            if (IsTimer(index)) return memory.Timers[index].DoneImage;
            break;
        case ShiftSourceKind::CounterUp:
            if (IsCounter(index)) return memory.Counters[index].UpImage;
            break;
        case ShiftSourceKind::CounterDown:
            if (IsCounter(index)) return memory.Counters[index].DownImage;
            break;
        case ShiftSourceKind::RegisterBit:
            if (index >= 16 && index < 16 * (kRegisters + 1))
                return memory.Registers[index / 16].Bits[index % 16];
            break;
        default:
            break;
    }
    found = false;
    return false;
}

bool BitshiftleftValue(MemoryImage& memory, bool in, int reg, int32_t kind, int32_t index) {
    if (reg < 1 || reg > kRegisters) return in;
    ShiftRegister& r = memory.Registers[reg];
    r.LeftAcc = r.LeftAcc || in;
    if (!r.LeftEdge && r.LeftAcc) {
        r.LeftEdge = true;
        bool found = false;
        const bool source = ShiftSourceValue(memory, kind, index, found);
        for (int i = kPoints - 1; i >= 1; --i) r.NextBits[i] = r.NextBits[i - 1];
        if (found) r.NextBits[0] = source;
    }
    return in;
}

bool BitshiftrightValue(MemoryImage& memory, bool in, int reg, int32_t kind, int32_t index) {
    if (reg < 1 || reg > kRegisters) return in;
    ShiftRegister& r = memory.Registers[reg];
    r.RightAcc = r.RightAcc || in;
    if (!r.RightEdge && r.RightAcc) {
        r.RightEdge = true;
        bool found = false;
        const bool source = ShiftSourceValue(memory, kind, index, found);
        for (int i = 0; i < kPoints - 1; ++i) r.NextBits[i] = r.NextBits[i + 1];
        if (found) r.NextBits[kPoints - 1] = source;
    }
    return in;
}

}  // namespace torvex

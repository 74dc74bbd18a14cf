#include "engine/plc.h"

#include <cstring>

#include "engine/control_semantics.h"

namespace torvex {

namespace {

// A 4-bit row mask as the four bools of a column.
struct RowBytes {
    bool rows[kRows];
};
constexpr RowBytes MakeRowBytes(int mask) {
    RowBytes r{};
    for (int w = 0; w < kRows; ++w) r.rows[w] = (mask >> w) & 1;
    return r;
}
constexpr RowBytes kRowBytes[16] = {
    MakeRowBytes(0),  MakeRowBytes(1),  MakeRowBytes(2),  MakeRowBytes(3),
    MakeRowBytes(4),  MakeRowBytes(5),  MakeRowBytes(6),  MakeRowBytes(7),
    MakeRowBytes(8),  MakeRowBytes(9),  MakeRowBytes(10), MakeRowBytes(11),
    MakeRowBytes(12), MakeRowBytes(13), MakeRowBytes(14), MakeRowBytes(15)};
static_assert(sizeof(RowBytes) == sizeof(uint32_t));

inline void StoreColumn(bool (&column)[kRows], uint8_t mask) {
    std::memcpy(column, &kRowBytes[mask], sizeof(uint32_t));
}

inline void OrColumn(bool (&column)[kRows], uint8_t mask) {
    uint32_t now, add;
    std::memcpy(&now, column, sizeof now);
    std::memcpy(&add, &kRowBytes[mask], sizeof add);
    now |= add;
    std::memcpy(column, &now, sizeof now);
}

inline uint8_t MaskOf(const bool (&column)[kRows]) {
    return static_cast<uint8_t>(column[0] | column[1] << 1 | column[2] << 2 | column[3] << 3);
}

inline void Perform(MemoryImage& memory, const detail::PreparedAction& a, bool in) {
    switch (a.code) {
        case Control::OUT:
            if (a.kind == CoilKind::Output) {
                memory.Outputs[a.index].CoilAcc |= in;
            } else if (a.kind == CoilKind::Flag) {
                memory.Flags[a.index].CoilAcc |= in;
            } else {
                OutputValue(memory, in, a.kind, a.index);
            }
            break;
        case Control::RES:
            ResetValue(memory, in, a.kind, a.index);
            break;
        case Control::LAT:
            if (in) LatchValue(memory, a.kind, a.index);
            break;
        case Control::UNL:
            UnlatchValue(memory, in, a.kind, a.index);
            break;
        case Control::TIM:
            TimerValue(memory, in, a.index);
            break;
        case Control::ODT:
            ONDelayValue(memory, in, a.index);
            break;
        case Control::CUP:
            CounterValue(memory, in, true, a.index);
            break;
        case Control::CDN:
            CounterValue(memory, in, false, a.index);
            break;
        default:
            if (IsShiftLeft(a.code))
                BitshiftleftValue(memory, in, ShiftRegisterOf(a.code), a.kind, a.index);
            else
                BitshiftrightValue(memory, in, ShiftRegisterOf(a.code), a.kind, a.index);
            break;
    }
}

}  // namespace

Plc::Plc() : clock_(&steady_) {}

Plc::Plc(TickSource& clock) : clock_(&clock) {}

void Plc::ClearDiagram() {
    for (TimerRecord& t : memory.Timers) t.Used = false;
    for (CounterRecord& c : memory.Counters) c.Used = false;
    diagram.clear();
    diagram.NewRung(0);
}

void Plc::StartRun() {
    ResetMemory();
    for (int r = 0; r < diagram.RungCount(); ++r) {
        RungRecord& rung = diagram.Rungs[r];
        for (int c = 0; c < kColumns; ++c) {
            StoreColumn(rung.Power[c], c == 0 ? 0xF : 0);
            StoreColumn(rung.Lit[c], 0);
        }
        rung.Prepared();  // so that no scan of the run has to
    }
}

void Plc::ResetMemory() {
    for (ShiftRegister& r : memory.Registers) {
        r.LeftEdge = r.LeftAcc = r.RightEdge = r.RightAcc = false;
        for (int i = 0; i < kPoints; ++i) r.Bits[i] = r.NextBits[i] = r.ResetBits[i] = false;
    }
    for (int i = 0; i < kPoints; ++i) {
        memory.Inputs[i] = InputPoint{};
        memory.Outputs[i] = CoilPoint{};
        memory.Flags[i] = CoilPoint{};
    }
    for (TimerRecord& t : memory.Timers) {
        t.Elapsed = 0;
        t.Running = t.Enabled = t.DoneImage = t.Done = t.ResetReq = t.ResetArmed = false;
    }
    for (CounterRecord& c : memory.Counters) {
        c.Counted = c.PowerAcc = false;
        c.Count = c.InitialCount;
        c.AtPreset = c.Count == c.Preset;
        c.AtZero = c.Count == 0;
        c.UpImage = c.AtPreset;
        c.DownImage = c.AtZero;
        c.ResetReq = c.ResetHold = false;
    }
}

void Plc::EndRun() {
    for (int r = 0; r < diagram.RungCount(); ++r) {
        RungRecord& rung = diagram.Rungs[r];
        for (int c = 0; c < kColumns; ++c) {
            StoreColumn(rung.Power[c], 0);
            StoreColumn(rung.Lit[c], 0);
        }
    }
}

void Plc::RunStep() {
    PreStep();
    for (int r = 0; r < diagram.RungCount(); ++r) SingleStep(r);
    PostStep();
}

void Plc::PreStep() {
    memory.ScanTick = static_cast<int32_t>(clock_->now());
    for (int i = 0; i < kPoints; ++i) {
        memory.Inputs[i].Image = memory.Inputs[i].Raw;
        memory.Outputs[i].CoilAcc = memory.Outputs[i].Latched;
        memory.Flags[i].CoilAcc = memory.Flags[i].Latched;
    }
    for (ShiftRegister& r : memory.Registers) {
        std::memcpy(r.NextBits, r.Bits, sizeof r.Bits);
        r.LeftAcc = r.RightAcc = false;
    }
    for (int k = 1; k <= kCounters; ++k) {
        memory.Counters[k].PowerAcc = false;
        memory.Counters[k].ResetReq = false;
    }
    for (TimerRecord& t : memory.Timers) t.ResetReq = false;
}

void Plc::SingleStep(int rungIndex) {
    if (rungIndex < 0 || rungIndex >= kMaxRungs) return;
    RungRecord& rung = diagram.Rungs[rungIndex];
    const detail::PreparedRung& prepared = rung.Prepared();
    const auto* bytes = reinterpret_cast<const uint8_t*>(&memory);

    uint8_t power = MaskOf(rung.Power[0]);  // the rail keeps what the run start gave it
    OrColumn(rung.Lit[0], power);
    for (int cc = 0; cc < kControlColumns; ++cc) {
        const detail::PreparedControlColumn& col = prepared.controls[cc];
        const uint8_t in = power;
        uint8_t closed = col.alwaysLit;
        for (int i = 0; i < col.contactCount; ++i) {
            const detail::PreparedContact& k = col.contacts[i];
            closed |= static_cast<uint8_t>((bytes[k.offset] ^ k.invert) << k.row);
        }
        const uint8_t out = in & (col.pass | closed);
        for (int i = 0; i < col.actionCount; ++i) {
            const detail::PreparedAction& a = col.actions[i];
            Perform(memory, a, (in >> a.row) & 1);
        }
        const int c = 2 * cc + 1;
        StoreColumn(rung.Power[c], out);
        OrColumn(rung.Lit[c], out | closed);
        power = prepared.links[cc][out];
        StoreColumn(rung.Power[c + 1], power);
        OrColumn(rung.Lit[c + 1], power);
    }
}

void Plc::PostStep() {
    for (int i = 0; i < kPoints; ++i) {
        CoilPoint& o = memory.Outputs[i];
        o.State = !o.ResetReq && o.CoilAcc;
        CoilPoint& f = memory.Flags[i];
        f.State = !f.ResetReq && f.CoilAcc;
        for (ShiftRegister& r : memory.Registers) r.Bits[i] = !r.ResetBits[i] && r.NextBits[i];
    }
    for (int k = 1; k <= kCounters; ++k) {
        memory.Timers[k].DoneImage = memory.Timers[k].Done;
        CounterRecord& c = memory.Counters[k];
        c.UpImage = c.AtPreset;
        c.DownImage = c.AtZero;
        if (!c.PowerAcc) c.Counted = c.ResetHold = false;
        if (c.ResetReq) {
            c.Counted = false;
            c.PowerAcc = false;
            c.Count = 0;
            c.AtZero = true;
            c.AtPreset = c.Preset == 0;
            c.DownImage = true;
            c.UpImage = c.AtPreset;
            c.ResetHold = true;
        }
    }
    for (TimerRecord& t : memory.Timers) {
        if (!t.ResetReq) continue;
        if (t.ResetArmed) {
            t.Running = t.Enabled = t.Done = t.DoneImage = false;
            t.Elapsed = 0;
            t.ResetArmed = false;
        } else {
            t.ResetArmed = true;
        }
    }
    for (ShiftRegister& r : memory.Registers) {
        if (!r.LeftAcc) r.LeftEdge = false;
        if (!r.RightAcc) r.RightEdge = false;
    }
}

}  // namespace torvex

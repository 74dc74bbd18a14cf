#include "engine/editing.h"

#include <algorithm>
#include <cstring>

namespace torvex {

namespace {

constexpr int kRungEndColumn = kOutputColumn - 1;  // link column 9
constexpr int kRailColumn = kColumns - 1;          // link column 10

constexpr bool IsFree(int32_t code) {
    return !IsOccupied(code);
}
constexpr bool IsControl(int32_t code) {
    return code >= Control::NOC && code <= Control::BR4;
}

constexpr int32_t BoxBottomOf(int32_t code) {
    return IsTimerBox(code) ? Control::TBT : IsCounterBox(code) ? Control::CBT : Control::BBT;
}

// Whether a box for timer (or counter) `number` still stands in one of the rungs in use.
bool BoxStands(const Diagram& diagram, bool timer, int32_t number) {
    for (int r = 0; r < diagram.RungCount(); ++r)
        for (int c = 0; c < kControlColumns; ++c)
            for (int w = 0; w < kRows; ++w) {
                const RungRecord& rung = diagram.Rungs[r];
                const int32_t code = rung.Code(ControlGrid(c), w);
                if ((timer ? IsTimerBox(code) : IsCounterBox(code)) &&
                    rung.Index(ControlGrid(c), w) == number)
                    return true;
            }
    return false;
}

// What a rung move carries: cells, lit flags and the comment. The scan's power stays put.
void MoveRung(RungRecord& to, const RungRecord& from) {
    bool power[kColumns][kRows];
    std::memcpy(power, to.Power, sizeof power);
    to = from;
    std::memcpy(to.Power, power, sizeof power);
}

}  // namespace

int LastOutputRow(const RungRecord& rung) {
    for (int w = kRows - 1; w >= 0; --w)
        if (IsOccupied(rung.Code(kOutputColumn, w))) return w;
    return -1;
}

void WireParallelOutputs(RungRecord& rung, int lastRow) {
    if (lastRow < 1 || lastRow >= kRows) return;
    rung.setCode(kRungEndColumn, 0, Link::BRA);
    for (int w = 1; w < lastRow; ++w) rung.setCode(kRungEndColumn, w, Link::STA);
    rung.setCode(kRungEndColumn, lastRow, Link::LEF);
    for (int w = 1; w <= lastRow; ++w) rung.setCode(kRailColumn, w, Link::FIN);
}

int OutputPos(const Diagram& diagram, int rung) {
    if (!RungInUse(diagram, rung)) return kRows;
    const RungRecord& r = diagram.Rungs[rung];
    if (IsBoxTop(r.Code(kOutputColumn, 0))) return kRows;
    for (int w = 0; w < kRows; ++w)
        if (IsFree(r.Code(kOutputColumn, w))) return w;
    return kRows;
}

void DoOutputPlaces(RungRecord& rung) {
    auto code = [&](int w) { return rung.Code(kOutputColumn, w); };
    auto anyBelow = [&](int w) {
        for (int v = w + 1; v < kRows; ++v)
            if (code(v) != Control::NON) return true;
        return false;
    };
    // Each move overwrites a free cell and empties row 3, so the loop ends.
    for (bool moved = true; moved;) {
        moved = false;
        for (int w = 0; w < kRows - 1; ++w) {
            if (!IsFree(code(w)) || !anyBelow(w)) continue;
            for (int v = w + 1; v < kRows; ++v)
                rung.setCell(kOutputColumn, v - 1, code(v), rung.Kind(kOutputColumn, v),
                             rung.Index(kOutputColumn, v));
            rung.setCell(kOutputColumn, kRows - 1, Control::NON, 0, 0);
            moved = true;
        }
    }
}

void DoOutputLinks(RungRecord& rung) {
    const int last = LastOutputRow(rung);
    if (last >= 1)
        WireParallelOutputs(rung, last);
    else
        rung.setCode(kRungEndColumn, 0, Link::THR);
    rung.setCode(kRailColumn, 0, Link::FIN);
    for (int w = std::max(last, 0) + 1; w < kRows; ++w) {
        rung.setCode(kRungEndColumn, w, Link::NON);
        rung.setCode(kRailColumn, w, Link::NON);
        rung.setCell(kOutputColumn, w, Control::NON, 0, 0);
    }
    if (rung.Code(kOutputColumn, 0) == Control::NON) rung.setCode(kOutputColumn, 0, Control::LNK);
}

DialogKind DialogFor(int32_t code) {
    switch (code) {
        case Control::NOC:
        case Control::NCC:
            return DialogKind::Input;
        case Control::OUT:
        case Control::LAT:
        case Control::UNL:
            return DialogKind::Output;
        case Control::RES:
            return DialogKind::Reset;
        default:
            if (IsTimerBox(code)) return DialogKind::Timer;
            if (IsCounterBox(code)) return DialogKind::Counter;
            if (IsShift(code)) return DialogKind::BitShift;
            return DialogKind::None;
    }
}

Placement PlacementFor(const Diagram& diagram, int tool, int rung, int column, int row) {
    // PendingCode of palette tools 0 ... 9.
    static constexpr int32_t kToolCode[] = {Control::NON, Control::NOC, Control::NCC, Control::OUT,
                                            Control::RES, Control::LAT, Control::UNL, Control::TIM,
                                            Control::CUP, Control::BL1};
    Placement p;
    p.targetColumn = column;
    p.targetRow = row;
    if (tool < 1 || tool > 9 || column < 0 || column >= kControlColumns || row < 0 || row >= kRows)
        return p;
    const int32_t code = kToolCode[tool];

    if (code == Control::NOC || code == Control::NCC) {
        if (!RungInUse(diagram, rung) || column > kLastContactControlColumn) return p;
        const int32_t here = diagram.Rungs[rung].Code(ControlGrid(column), row);
        const int32_t otherContact = code == Control::NOC ? Control::NCC : Control::NOC;
        if (here != Control::LNK && here != otherContact) return p;
        p.verdict =
            here == Control::LNK ? PlacementVerdict::Accepted : PlacementVerdict::ConfirmOnContact;
    } else {
        const int pos = OutputPos(diagram, rung);
        p.targetColumn = kOutputControlColumn;
        p.targetRow = pos;
        // A box takes rows 0 and 1, so it needs a column without outputs.
        const bool room = IsBoxTop(code) ? pos == 0 : pos < kRows;
        if (!room) {
            p.verdict = PlacementVerdict::NoMoreOutputs;
            return p;
        }
        p.verdict = PlacementVerdict::Accepted;
        p.placingNew = IsTimerBox(code) || IsCounterBox(code);
    }
    p.pendingCode = code;
    p.dialog = DialogFor(code);
    return p;
}

Placement AddControl(EditorState& state, const Diagram& diagram, int rung, int slot, int column,
                     int row) {
    if (state.ControlDialogOpen) return {};
    const Placement p = PlacementFor(diagram, state.PaletteTool, rung, column, row);
    state.TargetSlot = slot;
    state.TargetColumn = p.targetColumn;
    state.TargetRow = p.targetRow;
    state.PendingCode = p.pendingCode;
    state.PendingKind = 0;
    state.PendingNumber = 0;
    return p;
}

bool PlacePendingControl(Diagram& diagram, MemoryImage& memory, const EditorState& state, int rung,
                         int tag) {
    const int32_t code = state.PendingCode, kind = state.PendingKind, number = state.PendingNumber;
    const int column = state.TargetColumn, row = state.TargetRow;
    if (tag == kPlaceNothing || !RungInUse(diagram, rung) || column < 0 ||
        column >= kControlColumns || row < 0 || row >= kRows || !IsControl(code) ||
        !IsValidOperand(code, kind, number))
        return false;

    RungRecord& r = diagram.Rungs[rung];
    const int g = ControlGrid(column);
    r.setCell(g, row, code, kind, number);
    if (IsBoxTop(code) && row < kRows - 1) r.setCell(g, row + 1, BoxBottomOf(code), kind, number);
    if (IsTimerBox(code)) memory.Timers[number].Used = true;
    if (IsCounterBox(code)) memory.Counters[number].Used = true;
    if (tag == kPlaceOutputSide) {
        DoOutputPlaces(r);
        DoOutputLinks(r);
    }
    return true;
}

std::optional<ControlTarget> ControlAt(const Diagram& diagram, int rung, int column, int row) {
    if (!RungInUse(diagram, rung) || column < 0 || column >= kControlColumns) return std::nullopt;
    const RungRecord& r = diagram.Rungs[rung];
    const int g = ControlGrid(column);
    const int top = IsBoxBottom(r.Code(g, row)) ? row - 1 : row;
    const int32_t code = r.Code(g, top);  // 0 outside the grid
    if (!IsControl(code)) return std::nullopt;
    return ControlTarget{column, top, code, r.Kind(g, top), r.Index(g, top), DialogFor(code)};
}

DialogKind EditControl(EditorState& state, const Diagram& diagram, int rung, int slot, int column,
                       int row) {
    if (state.ControlDialogOpen) return DialogKind::None;
    const std::optional<ControlTarget> t = ControlAt(diagram, rung, column, row);
    if (!t) return DialogKind::None;
    state.TargetSlot = slot;
    state.TargetColumn = t->column;
    state.TargetRow = t->row;
    state.PendingCode = t->code;
    state.PendingKind = t->kind;
    state.PendingNumber = t->number;
    return t->dialog;
}

bool DeleteControl(Diagram& diagram, MemoryImage& memory, int rung, int column, int row) {
    const std::optional<ControlTarget> t = ControlAt(diagram, rung, column, row);
    if (!t) return false;
    RungRecord& r = diagram.Rungs[rung];
    const int g = ControlGrid(t->column);
    r.setCell(g, t->row, Control::LNK, 0, 0);
    r.Lit[g][t->row] = false;
    if (t->row + 1 < kRows && IsBoxBottom(r.Code(g, t->row + 1))) {
        r.setCell(g, t->row + 1, Control::NON, 0, 0);
        r.Lit[g][t->row + 1] = false;
    }
    // Another box may share the number; its preset must still be saved.
    if (IsTimerBox(t->code) && t->number >= 1 && t->number <= kTimers)
        memory.Timers[t->number].Used = BoxStands(diagram, true, t->number);
    if (IsCounterBox(t->code) && t->number >= 1 && t->number <= kCounters)
        memory.Counters[t->number].Used = BoxStands(diagram, false, t->number);
    DoOutputPlaces(r);
    DoOutputLinks(r);
    return true;
}

RungEdit AddRung(Diagram& diagram) {
    return diagram.NewRung(diagram.RungCount()) ? RungEdit::Done : RungEdit::TableFull;
}

RungEdit InsertRung(Diagram& diagram, int k) {
    const int count = diagram.RungCount();
    if (k < 0 || k >= count) return RungEdit::NoSuchRung;
    if (count >= kMaxRungs) return RungEdit::TableFull;
    for (int i = count - 1; i >= k; --i) MoveRung(diagram.Rungs[i + 1], diagram.Rungs[i]);
    diagram.NewRung(k);
    return RungEdit::Done;
}

RungEdit DeleteRung(Diagram& diagram, int k) {
    const int count = diagram.RungCount();
    if (count < 2) {
        if (k != 0) return RungEdit::NoSuchRung;
        diagram.setRungCount(0);
        diagram.NewRung(0);
        return RungEdit::Done;
    }
    if (k < 0 || k >= count) return RungEdit::NoSuchRung;
    for (int i = k; i < count - 1; ++i) MoveRung(diagram.Rungs[i], diagram.Rungs[i + 1]);
    diagram.Rungs[count - 1].clear();
    diagram.setRungCount(count - 1);
    return RungEdit::Done;
}

void SetRungLit(RungRecord& rung, bool lit) {
    for (auto& column : rung.Lit) std::fill(std::begin(column), std::end(column), lit);
}

// --- Names ---

namespace {

std::string Num(int32_t n) {
    return std::to_string(n);
}

std::string FlagName(int32_t n, bool fi) {
    return (fi ? "Lippu " : "Flag ") + Num(n);
}
std::string TimerName(int32_t n, bool fi) {
    return (fi ? "Ajastin " : "Timer ") + Num(n);
}

std::string CounterName(int32_t n, bool up, bool fi) {
    if (fi) return (up ? "Ylöslaskuri " : "Alaslaskuri ") + Num(n);
    return "Counter " + Num(n) + (up ? " Up" : " Down");
}

std::string RegisterBitName(int32_t reg, int32_t bit, bool fi) {
    return (fi ? "Rekisteri " : "Register ") + Num(reg) + (fi ? ", bitti " : ", Bit ") + Num(bit);
}

}  // namespace

std::string InputName(int32_t kind, int32_t n, bool finnish) {
    switch (kind) {
        case ContactKind::Input:
            return "IP" + Num(n);
        case ContactKind::Output:
            return "OP" + Num(n);
        case ContactKind::Flag:
            return FlagName(n, finnish);
        case ContactKind::CounterUp:
            return CounterName(n, true, finnish);
        case ContactKind::CounterDown:
            return CounterName(n, false, finnish);
        case ContactKind::TimerDone:
            return TimerName(n, finnish);
        default:
            if (kind >= ContactKind::Register1 && kind <= ContactKind::Register4)
                return RegisterBitName(kind - ContactKind::Register1 + 1, n, finnish);
            return {};
    }
}

std::string OutputName(int32_t kind, int32_t n, bool finnish) {
    if (kind == CoilKind::Output) return "OP" + Num(n);
    if (kind == CoilKind::Flag) return FlagName(n, finnish);
    if (kind >= CoilKind::Register1 && kind <= CoilKind::Register4)
        return RegisterBitName(kind - CoilKind::Register1 + 1, n, finnish);
    return {};
}

std::string ResetName(int32_t kind, int32_t n, bool finnish) {
    if (kind == ResetKind::Timer) return TimerName(n, finnish);
    if (kind == ResetKind::Counter) return (finnish ? "Laskurit " : "Counter ") + Num(n);
    if (kind >= ResetKind::Register1 && kind <= ResetKind::Register4)
        return RegisterBitName(kind - ResetKind::Register1 + 1, n, finnish);
    return {};
}

std::string BitShiftName(int32_t kind, int32_t n, bool finnish) {
    switch (kind) {
        case ShiftSourceKind::Input:
            return "IP" + Num(n);
        case ShiftSourceKind::Output:
            return "OP" + Num(n);
        case ShiftSourceKind::Flag:
            return FlagName(n, finnish);
        case ShiftSourceKind::TimerDone:
            return finnish ? TimerName(n, true) : TimerName(n, false) + " Down";
        case ShiftSourceKind::CounterUp:
            return CounterName(n, true, finnish);
        case ShiftSourceKind::CounterDown:
            return CounterName(n, false, finnish);
        case ShiftSourceKind::RegisterBit:
            return RegisterBitName(n / 16, n % 16, finnish);
        default:
            return {};
    }
}

std::string ControlName(int32_t code, int32_t kind, int32_t number, bool finnish) {
    const bool fi = finnish;
    switch (code) {
        case Control::NOC:
            return (fi ? "Tulo " : "Input ") + InputName(kind, number, fi);
        case Control::NCC:
            return (fi ? "(Ei) Tulo " : "(Not) Input ") + InputName(kind, number, fi);
        case Control::OUT:
            return (fi ? "Lähtö " : "Output ") + OutputName(kind, number, fi);
        case Control::RES:
            return (fi ? "Nollaus " : "Reset ") + ResetName(kind, number, fi);
        case Control::LAT:
            return (fi ? "Lukittu lähtö " : "Latched Output ") + OutputName(kind, number, fi);
        case Control::UNL:
            return (fi ? "Lukitsematon lähtö " : "Unlatched Output ") +
                   OutputName(kind, number, fi);
        case Control::TIM:
            return (fi ? "Ajastin " : "Latched On Delay Timer ") + Num(number);
        case Control::ODT:
            return "On Delay Timer " + Num(number);
        case Control::CUP:
            return CounterName(number, true, fi);
        case Control::CDN:
            return CounterName(number, false, fi);
        default:
            if (IsShiftLeft(code))
                return (fi ? "Bittisiirto vasemmalle " : "Bit Shift Left ") +
                       Num(ShiftRegisterOf(code)) + " " + BitShiftName(kind, number, fi);
            if (IsShiftRight(code))
                return (fi ? "Bittisiirto oikealle " : "Bit Shift Right ") +
                       Num(ShiftRegisterOf(code)) + " " + BitShiftName(kind, number, fi);
            return {};
    }
}

}  // namespace torvex

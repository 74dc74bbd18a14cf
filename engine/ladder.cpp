#include "engine/ladder.h"

namespace torvex {

namespace {

constexpr const char* kControlMnemonics[] = {"NON", "NOC", "NCC", "OUT", "RES", "LAT", "UNL", "TIM",
                                             "ODT", "CUP", "CDN", "BL1", "BL2", "BL3", "BL4", "BR1",
                                             "BR2", "BR3", "BR4", "TBT", "CBT", "BBT", "LNK"};
static_assert(std::size(kControlMnemonics) == Control::Last + 1);

constexpr const char* kLinkMnemonics[] = {"NON", "STA", "FIN", "THR", "BRA",
                                          "CRO", "RET", "LEF", "RIG", "DWN"};
static_assert(std::size(kLinkMnemonics) == Link::Last + 1);

// Columns of the link table: takes power from the left, joined above, joined below.
struct LinkJoins {
    bool left, above, below;
};
constexpr LinkJoins kLinkJoins[] = {
    {false, false, false},  // NON
    {false, true, true},    // STA
    {true, true, true},     // FIN
    {true, false, false},   // THR
    {true, false, true},    // BRA
    {true, true, true},     // CRO
    {true, true, false},    // RET
    {false, true, false},   // LEF
    {true, true, false},    // RIG
    {false, true, true},    // DWN
};

constexpr bool IsLinkCode(int32_t code) {
    return code >= 0 && code <= Link::Last;
}
constexpr bool InRange(int32_t v, int32_t low, int32_t high) {
    return v >= low && v <= high;
}
constexpr bool IsPoint(int32_t n) {
    return InRange(n, 0, kPoints - 1);
}
constexpr bool IsTimer(int32_t n) {
    return InRange(n, 1, kTimers);
}
constexpr bool IsCounter(int32_t n) {
    return InRange(n, 1, kCounters);
}

}  // namespace

const char* ControlMnemonic(int32_t code) {
    return InRange(code, 0, Control::Last) ? kControlMnemonics[code] : nullptr;
}

const char* LinkMnemonic(int32_t code) {
    return IsLinkCode(code) ? kLinkMnemonics[code] : nullptr;
}

int32_t ControlFromMnemonic(std::string_view token) {
    for (int32_t code = 0; code <= Control::Last; ++code)
        if (token == kControlMnemonics[code]) return code;
    return -1;
}

int32_t LinkFromMnemonic(std::string_view token) {
    for (int32_t code = 0; code <= Link::Last; ++code)
        if (token == kLinkMnemonics[code]) return code;
    return -1;
}

bool LinkTakesLeft(int32_t code) {
    return IsLinkCode(code) && kLinkJoins[code].left;
}
bool LinkJoinedAbove(int32_t code) {
    return IsLinkCode(code) && kLinkJoins[code].above;
}
bool LinkJoinedBelow(int32_t code) {
    return IsLinkCode(code) && kLinkJoins[code].below;
}

bool IsValidOperand(int32_t code, int32_t kind, int32_t index) {
    switch (code) {
        case Control::NOC:
        case Control::NCC:
            switch (kind) {
                case ContactKind::Input:
                case ContactKind::Output:
                case ContactKind::Flag:
                    return IsPoint(index);
                case ContactKind::CounterUp:
                case ContactKind::CounterDown:
                    return IsCounter(index);
                case ContactKind::TimerDone:
                    return IsTimer(index);
                default:
                    return InRange(kind, ContactKind::Register1, ContactKind::Register4) &&
                           IsPoint(index);
            }
        case Control::OUT:
        case Control::LAT:
        case Control::UNL:
            return InRange(kind, CoilKind::Output, CoilKind::Register4) && IsPoint(index);
        case Control::RES:
            if (kind == ResetKind::Timer) return IsTimer(index);
            if (kind == ResetKind::Counter) return IsCounter(index);
            return InRange(kind, ResetKind::Register1, ResetKind::Register4) && IsPoint(index);
        case Control::TIM:
        case Control::ODT:
            return IsTimer(index);
        case Control::CUP:
        case Control::CDN:
            return IsCounter(index);
        default:
            if (IsShift(code)) {
                switch (kind) {
                    case ShiftSourceKind::Input:
                    case ShiftSourceKind::Output:
                    case ShiftSourceKind::Flag:
                        return IsPoint(index);
                    case ShiftSourceKind::TimerDone:
                        return IsTimer(index);
                    case ShiftSourceKind::CounterUp:
                    case ShiftSourceKind::CounterDown:
                        return IsCounter(index);
                    case ShiftSourceKind::RegisterBit:
                        return InRange(index, 16, 16 * kRegisters + kPoints - 1);
                    default:
                        return false;
                }
            }
            return true;  // no operand
    }
}

}  // namespace torvex

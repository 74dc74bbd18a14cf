// Turns the cells of a rung into the solver's form: contacts resolved to the byte of the
// memory image they read, actions listed in evaluation order, and each link column's three
// passes folded into a table from the power arriving on its left to the power it holds.

#include <cstddef>
#include <type_traits>

#include "engine/control_semantics.h"
#include "engine/diagram.h"
#include "engine/memory_image.h"

namespace torvex {

namespace {

static_assert(std::is_standard_layout_v<MemoryImage>);
static_assert(sizeof(MemoryImage) < 65536, "contact offsets are 16 bits");

// A shift source kind that names nothing.
constexpr uint8_t kNoSource = 0xFF;

constexpr size_t InputImageOffset(int n) {
    return offsetof(MemoryImage, Inputs) + n * sizeof(InputPoint) + offsetof(InputPoint, Image);
}
constexpr size_t OutputStateOffset(int n) {
    return offsetof(MemoryImage, Outputs) + n * sizeof(CoilPoint) + offsetof(CoilPoint, State);
}
constexpr size_t FlagStateOffset(int n) {
    return offsetof(MemoryImage, Flags) + n * sizeof(CoilPoint) + offsetof(CoilPoint, State);
}
constexpr size_t RegisterBitOffset(int reg, int bit) {
    return offsetof(MemoryImage, Registers) + (reg - 1) * sizeof(ShiftRegister) +
           offsetof(ShiftRegister, Bits) + bit;
}
constexpr size_t TimerField(int n, size_t field) {
    return offsetof(MemoryImage, Timers) + (n - 1) * sizeof(TimerRecord) + field;
}
constexpr size_t CounterField(int n, size_t field) {
    return offsetof(MemoryImage, Counters) + (n - 1) * sizeof(CounterRecord) + field;
}

// The byte a valid contact operand reads (InputValue's table).
size_t ContactOffset(int32_t kind, int32_t index) {
    switch (kind) {
        case ContactKind::Input:
            return InputImageOffset(index);
        case ContactKind::Output:
            return OutputStateOffset(index);
        case ContactKind::Flag:
            return FlagStateOffset(index);
        case ContactKind::CounterUp:
            return CounterField(index, offsetof(CounterRecord, UpImage));
        case ContactKind::CounterDown:
            return CounterField(index, offsetof(CounterRecord, DownImage));
        case ContactKind::TimerDone:
            return TimerField(index, offsetof(TimerRecord, DoneImage));
        default:
            return RegisterBitOffset(kind - 2, index);
    }
}

// Power held by a link column after its across, down and up passes.
uint8_t SolveLinkColumn(const int32_t (&codes)[kRows], uint8_t left) {
    bool p[kRows];
    for (int w = 0; w < kRows; ++w) p[w] = ((left >> w) & 1) && LinkTakesLeft(codes[w]);
    for (int w = 1; w < kRows; ++w)
        if (!p[w] && LinkJoinedAbove(codes[w]) && p[w - 1]) p[w] = true;
    for (int w = kRows - 2; w >= 0; --w)
        if (!p[w] && LinkJoinedBelow(codes[w]) && p[w + 1]) p[w] = true;
    uint8_t mask = 0;
    for (int w = 0; w < kRows; ++w) mask |= static_cast<uint8_t>(p[w]) << w;
    return mask;
}

}  // namespace

namespace detail {

void PrepareRung(const RungRecord& rung, PreparedRung& out) {
    out = PreparedRung{};
    for (int cc = 0; cc < kControlColumns; ++cc) {
        const int c = 2 * cc + 1;
        PreparedControlColumn& col = out.controls[cc];
        for (int w = 0; w < kRows; ++w) {
            const int32_t code = rung.Code(c, w);
            const int32_t kind = rung.Kind(c, w);
            const int32_t index = rung.Index(c, w);
            const uint8_t bit = static_cast<uint8_t>(1u << w);
            const bool valid = IsValidOperand(code, kind, index);
            if (code == Control::NOC || code == Control::NCC) {
                if (valid) {
                    col.contacts[col.contactCount++] = {
                        static_cast<uint16_t>(ContactOffset(kind, index)), static_cast<uint8_t>(w),
                        static_cast<uint8_t>(code == Control::NCC)};
                } else if (code == Control::NCC) {
                    // Its operand reads false, so the closed contact conducts and shows lit.
                    col.pass |= bit;
                    col.alwaysLit |= bit;
                }
            } else if (code >= Control::OUT && code <= Control::BR4) {
                col.pass |= bit;
                if (valid) {
                    col.actions[col.actionCount++] = {
                        static_cast<uint8_t>(w), static_cast<uint8_t>(code),
                        static_cast<uint8_t>(kind), static_cast<uint8_t>(index)};
                } else if (IsShift(code)) {
                    // The register is in the code, so the shift happens; an unknown source
                    // leaves the inserted bit as it was.
                    col.actions[col.actionCount++] = {static_cast<uint8_t>(w),
                                                      static_cast<uint8_t>(code), kNoSource, 0};
                }
            } else if (code >= Control::TBT && code <= Control::LNK) {
                col.pass |= bit;
            }
        }
        int32_t links[kRows];
        for (int w = 0; w < kRows; ++w) links[w] = rung.Code(c + 1, w);
        for (int left = 0; left < 16; ++left)
            out.links[cc][left] = SolveLinkColumn(links, static_cast<uint8_t>(left));
    }
}

}  // namespace detail

const detail::PreparedRung& RungRecord::Prepared() const {
    if (!prepared_) {
        detail::PrepareRung(*this, preparedRung_);
        prepared_ = true;
    }
    return preparedRung_;
}

}  // namespace torvex

// The vocabulary of a ladder diagram: grid size, control and link codes with their
// mnemonics, operand kinds and the ranges of every operand.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

namespace torvex {

constexpr int kColumns = 21;      // 0 = left rail, odd = control columns, even = link columns
constexpr int kRows = 4;          // rows 0 ... 3, top to bottom
constexpr int kMaxRungs = 1001;   // rungs 0 ... 1000
constexpr int kCommentMax = 210;  // characters of a rung comment
constexpr int kPoints = 16;       // inputs, outputs, flags, register bits
constexpr int kTimers = 8;        // T1 ... T8
constexpr int kCounters = 8;      // C1 ... C8
constexpr int kRegisters = 4;     // R1 ... R4
constexpr int kControlColumns = 10;
constexpr int kLinkColumns = 11;   // columns 0, 2, ... 20
constexpr int kOutputColumn = 19;  // the rightmost control column

constexpr bool IsControlColumn(int column) {
    return column % 2 == 1 && column < kColumns;
}
constexpr bool IsLinkColumn(int column) {
    return column % 2 == 0 && column >= 0 && column < kColumns;
}

// Codes of cells in control columns.
struct Control {
    enum : int32_t {
        NON = 0,   // empty cell, blocks power
        NOC = 1,   // normally open contact
        NCC = 2,   // normally closed contact
        OUT = 3,   // output coil
        RES = 4,   // reset
        LAT = 5,   // latch coil
        UNL = 6,   // unlatch coil
        TIM = 7,   // latched on-delay timer
        ODT = 8,   // on-delay timer
        CUP = 9,   // count up
        CDN = 10,  // count down
        BL1 = 11,
        BL2 = 12,
        BL3 = 13,
        BL4 = 14,  // shift R1 ... R4 left
        BR1 = 15,
        BR2 = 16,
        BR3 = 17,
        BR4 = 18,  // shift R1 ... R4 right
        TBT = 19,  // timer box bottom
        CBT = 20,  // counter box bottom
        BBT = 21,  // bit-shift box bottom
        LNK = 22,  // plain wire
        Last = LNK
    };
};

// Codes of cells in link columns (and column 0, the rail).
struct Link {
    enum : int32_t {
        NON = 0,
        STA = 1,
        FIN = 2,
        THR = 3,
        BRA = 4,
        CRO = 5,
        RET = 6,
        LEF = 7,
        RIG = 8,
        DWN = 9,
        Last = DWN,
        // 10 ... 17 mark a branch while its deletion is being confirmed; they conduct nothing.
        FirstDeletion = 10,
        LastDeletion = 17
    };
};

// Operand kinds of NOC and NCC.
struct ContactKind {
    enum : int32_t {
        Input = 0,
        Output = 1,
        Flag = 2,
        Register1 = 3,  // 3 ... 6: bit of R1 ... R4
        Register4 = 6,
        CounterUp = 7,
        CounterDown = 8,
        TimerDone = 9
    };
};

// Operand kinds of OUT, LAT and UNL.
struct CoilKind {
    enum : int32_t { Output = 0, Flag = 1, Register1 = 2, Register4 = 5 };
};

// Operand kinds of RES.
struct ResetKind {
    enum : int32_t { Timer = 0, Counter = 1, Register1 = 2, Register4 = 5 };
};

// Operand kinds of the bit shifted into a register by BL1 ... BR4.
struct ShiftSourceKind {
    enum : int32_t {
        Input = 0,
        Output = 1,
        Flag = 2,
        TimerDone = 3,
        CounterUp = 4,
        CounterDown = 5,
        RegisterBit = 6  // Index = 16 * register + bit: 16 ... 79
    };
};

constexpr bool IsShiftLeft(int32_t code) {
    return code >= Control::BL1 && code <= Control::BL4;
}
constexpr bool IsShiftRight(int32_t code) {
    return code >= Control::BR1 && code <= Control::BR4;
}
constexpr bool IsShift(int32_t code) {
    return IsShiftLeft(code) || IsShiftRight(code);
}
constexpr bool IsTimerBox(int32_t code) {
    return code == Control::TIM || code == Control::ODT;
}
constexpr bool IsCounterBox(int32_t code) {
    return code == Control::CUP || code == Control::CDN;
}
constexpr bool IsBoxTop(int32_t code) {
    return IsTimerBox(code) || IsCounterBox(code) || IsShift(code);
}
constexpr bool IsBoxBottom(int32_t code) {
    return code >= Control::TBT && code <= Control::BBT;
}
// Register (1 ... 4) that a shift code works on.
constexpr int ShiftRegisterOf(int32_t code) {
    return IsShiftLeft(code) ? code - Control::BL1 + 1 : code - Control::BR1 + 1;
}

// The three-letter tokens of the file format; nullptr for a code without one.
const char* ControlMnemonic(int32_t code);
const char* LinkMnemonic(int32_t code);
// The code of a token, or -1 when the token names none (case-sensitive).
int32_t ControlFromMnemonic(std::string_view token);
int32_t LinkFromMnemonic(std::string_view token);

// Electrical meaning of a link code for the power-flow solver.
bool LinkTakesLeft(int32_t code);
bool LinkJoinedAbove(int32_t code);
bool LinkJoinedBelow(int32_t code);

// True when (kind, index) names something that exists for a cell holding `code`. Codes
// without an operand (NON, box bottoms, LNK) accept any operand: it is never read.
bool IsValidOperand(int32_t code, int32_t kind, int32_t index);

}  // namespace torvex

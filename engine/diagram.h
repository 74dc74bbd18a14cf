// The ladder program as drawn: up to 1001 rungs of 21 x 4 cells.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ladder.h"

namespace torvex {

namespace detail {

// A rung reduced to what the solver needs, built from the cells whenever they have changed.
// Power of a column is a 4-bit mask, bit w for row w.
struct PreparedContact {
    uint16_t offset;  // byte of the memory image that the contact reads
    uint8_t row;
    uint8_t invert;  // 1 for NCC
};

struct PreparedAction {
    uint8_t row;
    uint8_t code;
    uint8_t kind;
    uint8_t index;
};

struct PreparedControlColumn {
    uint8_t pass;       // rows that pass their power on unchanged
    uint8_t alwaysLit;  // contact rows whose condition is closed whatever the memory holds
    uint8_t contactCount;
    uint8_t actionCount;
    PreparedContact contacts[kRows];
    PreparedAction actions[kRows];  // in row order, as the scan evaluates them
};

struct PreparedRung {
    PreparedControlColumn controls[kControlColumns];  // columns 1, 3, ... 19
    uint8_t links[kControlColumns][16];  // columns 2, 4, ... 20: mask out for the mask on the left
};

}  // namespace detail

class RungRecord {
public:
    // Energised state of each cell after the last scan; written by the scan only.
    bool Power[kColumns][kRows] = {};
    // Set by the scan when a cell shows energised, cleared by the rung view once drawn.
    bool Lit[kColumns][kRows] = {};

    // Cell fields; any column or row outside the grid reads 0 and is not written.
    int32_t Code(int column, int row) const { return inGrid(column, row) ? code_[column][row] : 0; }
    int32_t Kind(int column, int row) const { return inGrid(column, row) ? kind_[column][row] : 0; }
    int32_t Index(int column, int row) const {
        return inGrid(column, row) ? index_[column][row] : 0;
    }
    void setCode(int column, int row, int32_t code);
    void setKind(int column, int row, int32_t kind);
    void setIndex(int column, int row, int32_t index);
    void setCell(int column, int row, int32_t code, int32_t kind, int32_t index);

    const std::string& Comment() const { return comment_; }
    void setComment(std::string_view text);  // keeps the first 210 characters

    // Every cell, power, lit flag and the comment cleared.
    void clear();
    // The straight wire from rail to rail of a new rung.
    void makeNew();

    // The solver's form of the cells, brought up to date first when a cell has changed since.
    const detail::PreparedRung& Prepared() const;

    static constexpr bool inGrid(int column, int row) {
        return column >= 0 && column < kColumns && row >= 0 && row < kRows;
    }

private:
    int32_t code_[kColumns][kRows] = {};
    int32_t kind_[kColumns][kRows] = {};
    int32_t index_[kColumns][kRows] = {};
    std::string comment_;
    // Derived from the cells: every setter above drops it, so it can never go stale.
    mutable bool prepared_ = false;
    mutable detail::PreparedRung preparedRung_{};
};

class Diagram {
public:
    std::array<RungRecord, kMaxRungs> Rungs;

    int32_t RungCount() const { return rungCount_; }
    // Clamped to 0 ... 1001.
    void setRungCount(int count);

    // Initialises Rungs[index] as a straight wire and counts it. Refused (false, nothing
    // changed) when the table is full or the index lies outside it.
    bool NewRung(int index);

    // Every rung record cleared and RungCount 0.
    void clear();

private:
    int32_t rungCount_ = 0;
};

}  // namespace torvex

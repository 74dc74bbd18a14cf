// The last scans of a run with every point of each, for the timing chart. One scan is
// recorded after it ends, on the thread that may touch the scan then (inside a call the run
// thread marshals, or in a step command); the chart reads it on that same thread, so the
// record needs no lock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/memory_image.h"

namespace torvex {

// Every point a chart can show, numbered: the bits first, then the two kinds of numbers.
struct ChartPoint {
    enum : int {
        Input = 0,          // IP0 ... IP15
        Output = 16,        // OP0 ... OP15
        Flag = 32,          // F0 ... F15
        RegisterBit = 48,   // R1/0 ... R4/15, 16 per register
        TimerDone = 112,    // T1/DN ... T8/DN
        CounterDone = 120,  // C1/DN ... C8/DN
        CounterUp = 128,    // C1/UP ... C8/UP
        Bits = 136,
        TimerElapsed = 136,  // T1 ... T8, milliseconds
        CounterCount = 144,  // C1 ... C8
        Count = 152
    };
};

constexpr bool IsNumberPoint(int point) {
    return point >= ChartPoint::Bits && point < ChartPoint::Count;
}
// "IP3", "R2/5", "T1/DN", "T1" (elapsed), "C4" (count).
std::string ChartPointName(int point);
// The point a name of ChartPointName names, or -1.
int ChartPointFromName(std::string_view name);
int32_t ChartPointValue(const MemoryImage& memory, int point);
// The point a contact or coil of the diagram reads or writes, or -1 for other controls.
int ChartPointOfControl(int32_t code, int32_t kind, int32_t index);

class ScanRecord {
public:
    static constexpr int kRunScans = 6000;  // ten minutes of 100 ms scans

    explicit ScanRecord(int capacity = kRunScans);

    // Scan `scan`, which ran at `tick` milliseconds; the oldest scan goes once the record is
    // full. The plain form numbers the scan after the last one and takes the memory's tick.
    void record(const MemoryImage& memory);
    void record(const MemoryImage& memory, int64_t scan, uint32_t tick);
    void clear();

    int capacity() const { return capacity_; }
    // Scans held, oldest first: index 0 ... size() - 1.
    int size() const { return static_cast<int>(ring_.size()); }
    bool empty() const { return ring_.empty(); }
    // Scans recorded since the last clear, kept or not; it changes with every record.
    int64_t recorded() const { return recorded_; }

    int64_t scan(int index) const { return at(index).scan; }
    uint32_t tick(int index) const { return at(index).tick; }
    // Milliseconds from scan `from` to scan `to` (indexes).
    int64_t millisecondsBetween(int from, int to) const;
    // Milliseconds from the first scan recorded since the last clear (or from the start that
    // setStart named) to scan `index`.
    int64_t millisecondsSinceStart(int index) const {
        return static_cast<uint32_t>(tick(index) - startTick_);
    }
    void setStart(uint32_t tick) { startTick_ = tick; }
    int32_t value(int index, int point) const {
        const Scan& s = at(index);
        if (point < ChartPoint::Bits)
            return static_cast<int32_t>((s.bits[point / 64] >> (point % 64)) & 1);
        return s.numbers[point - ChartPoint::Bits];
    }
    // The memory image as far as the record keeps it (what a trace writes).
    void restore(int index, MemoryImage& memory) const;

private:
    struct Scan {
        uint64_t bits[3];
        int32_t numbers[ChartPoint::Count - ChartPoint::Bits];
        uint32_t tick;
        int64_t scan;
    };
    const Scan& at(int index) const {
        const size_t i = static_cast<size_t>(index) + head_;
        return ring_[i < ring_.size() ? i : i - ring_.size()];
    }

    int capacity_;
    std::vector<Scan> ring_;
    size_t head_ = 0;  // the oldest scan once the ring is full
    int64_t recorded_ = 0;
    int64_t nextScan_ = 1;
    uint32_t startTick_ = 0;
};

}  // namespace torvex

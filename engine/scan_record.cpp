#include "engine/scan_record.h"

#include <algorithm>
#include <charconv>

namespace torvex {

namespace {

bool Bit(const MemoryImage& m, int point) {
    if (point < ChartPoint::Output) return m.Inputs[point].Image;
    if (point < ChartPoint::Flag) return m.Outputs[point - ChartPoint::Output].State;
    if (point < ChartPoint::RegisterBit) return m.Flags[point - ChartPoint::Flag].State;
    if (point < ChartPoint::TimerDone) {
        const int i = point - ChartPoint::RegisterBit;
        return m.Registers[i / kPoints + 1].Bits[i % kPoints];
    }
    if (point < ChartPoint::CounterDone)
        return m.Timers[point - ChartPoint::TimerDone + 1].DoneImage;
    if (point < ChartPoint::CounterUp)
        return m.Counters[point - ChartPoint::CounterDone + 1].DownImage;
    return m.Counters[point - ChartPoint::CounterUp + 1].UpImage;
}

struct Family {
    int first;
    int count;
    const char* prefix;
    const char* suffix;
    int numberFrom;
};

constexpr Family kFamilies[] = {
    {ChartPoint::Input, kPoints, "IP", "", 0},
    {ChartPoint::Output, kPoints, "OP", "", 0},
    {ChartPoint::Flag, kPoints, "F", "", 0},
    {ChartPoint::TimerDone, kTimers, "T", "/DN", 1},
    {ChartPoint::CounterDone, kCounters, "C", "/DN", 1},
    {ChartPoint::CounterUp, kCounters, "C", "/UP", 1},
    {ChartPoint::TimerElapsed, kTimers, "T", "", 1},
    {ChartPoint::CounterCount, kCounters, "C", "", 1},
};

}  // namespace

std::string ChartPointName(int point) {
    if (point >= ChartPoint::RegisterBit && point < ChartPoint::TimerDone) {
        const int i = point - ChartPoint::RegisterBit;
        return "R" + std::to_string(i / kPoints + 1) + "/" + std::to_string(i % kPoints);
    }
    for (const Family& f : kFamilies) {
        if (point >= f.first && point < f.first + f.count)
            return f.prefix + std::to_string(point - f.first + f.numberFrom) + f.suffix;
    }
    return {};
}

int ChartPointFromName(std::string_view name) {
    auto number = [](std::string_view text, int& n) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
        return error == std::errc{} && end == text.data() + text.size() && !text.empty() &&
               (text.size() == 1 || text[0] != '0');
    };
    int n = 0;
    if (name.size() > 3 && name[0] == 'R' && name[2] == '/') {
        int r = 0;
        if (number(name.substr(1, 1), r) && number(name.substr(3), n) && r >= 1 &&
            r <= kRegisters && n >= 0 && n < kPoints)
            return ChartPoint::RegisterBit + (r - 1) * kPoints + n;
        return -1;
    }
    for (const Family& f : kFamilies) {
        const std::string_view prefix = f.prefix, suffix = f.suffix;
        if (!name.starts_with(prefix) || !name.ends_with(suffix) ||
            name.size() <= prefix.size() + suffix.size())
            continue;
        if (!number(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()), n))
            continue;
        if (n >= f.numberFrom && n < f.numberFrom + f.count) return f.first + n - f.numberFrom;
    }
    return -1;
}

int32_t ChartPointValue(const MemoryImage& memory, int point) {
    if (point < ChartPoint::Bits) return Bit(memory, point);
    if (point < ChartPoint::CounterCount)
        return memory.Timers[point - ChartPoint::TimerElapsed + 1].Elapsed;
    return memory.Counters[point - ChartPoint::CounterCount + 1].Count;
}

int ChartPointOfControl(int32_t code, int32_t kind, int32_t index) {
    auto inRange = [](int32_t i, int32_t first, int32_t count) {
        return i >= first && i < first + count;
    };
    if (code == Control::NOC || code == Control::NCC) {
        switch (kind) {
            case ContactKind::Input:
                return inRange(index, 0, kPoints) ? ChartPoint::Input + index : -1;
            case ContactKind::Output:
                return inRange(index, 0, kPoints) ? ChartPoint::Output + index : -1;
            case ContactKind::Flag:
                return inRange(index, 0, kPoints) ? ChartPoint::Flag + index : -1;
            case ContactKind::CounterUp:
                return inRange(index, 1, kCounters) ? ChartPoint::CounterUp + index - 1 : -1;
            case ContactKind::CounterDown:
                return inRange(index, 1, kCounters) ? ChartPoint::CounterDone + index - 1 : -1;
            case ContactKind::TimerDone:
                return inRange(index, 1, kTimers) ? ChartPoint::TimerDone + index - 1 : -1;
            default:
                if (kind >= ContactKind::Register1 && kind <= ContactKind::Register4 &&
                    inRange(index, 0, kPoints))
                    return ChartPoint::RegisterBit + (kind - ContactKind::Register1) * kPoints +
                           index;
                return -1;
        }
    }
    if (code == Control::OUT || code == Control::LAT || code == Control::UNL) {
        if (!inRange(index, 0, kPoints)) return -1;
        if (kind == CoilKind::Output) return ChartPoint::Output + index;
        if (kind == CoilKind::Flag) return ChartPoint::Flag + index;
        if (kind >= CoilKind::Register1 && kind <= CoilKind::Register4)
            return ChartPoint::RegisterBit + (kind - CoilKind::Register1) * kPoints + index;
        return -1;
    }
    if (IsTimerBox(code) && inRange(index, 1, kTimers)) return ChartPoint::TimerDone + index - 1;
    if (IsCounterBox(code) && inRange(index, 1, kCounters))
        return ChartPoint::CounterDone + index - 1;
    return -1;
}

ScanRecord::ScanRecord(int capacity) : capacity_(std::max(capacity, 1)) {
    // A run's record is written every scan: no allocation once running. A large record (an
    // opened trace) grows only as far as it is filled.
    if (capacity_ <= kRunScans) ring_.reserve(static_cast<size_t>(capacity_));
}

void ScanRecord::record(const MemoryImage& memory) {
    record(memory, nextScan_, static_cast<uint32_t>(memory.ScanTick));
}

void ScanRecord::record(const MemoryImage& memory, int64_t scan, uint32_t tick) {
    Scan s{};
    // In the order of ChartPoint's numbers.
    int p = 0;
    auto put = [&](bool bit) {
        s.bits[p / 64] |= uint64_t{bit} << (p % 64);
        ++p;
    };
    for (const InputPoint& i : memory.Inputs) put(i.Image);
    for (const CoilPoint& o : memory.Outputs) put(o.State);
    for (const CoilPoint& f : memory.Flags) put(f.State);
    for (const ShiftRegister& r : memory.Registers)
        for (bool b : r.Bits) put(b);
    for (const TimerRecord& t : memory.Timers) put(t.DoneImage);
    for (const CounterRecord& c : memory.Counters) put(c.DownImage);
    for (const CounterRecord& c : memory.Counters) put(c.UpImage);
    for (int t = 1; t <= kTimers; ++t) s.numbers[t - 1] = memory.Timers[t].Elapsed;
    for (int c = 1; c <= kCounters; ++c) s.numbers[kTimers + c - 1] = memory.Counters[c].Count;
    s.tick = tick;
    s.scan = scan;
    if (recorded_ == 0) startTick_ = tick;
    if (ring_.size() < static_cast<size_t>(capacity_)) {
        ring_.push_back(s);
    } else {
        ring_[head_] = s;
        head_ = head_ + 1 == ring_.size() ? 0 : head_ + 1;
    }
    ++recorded_;
    nextScan_ = scan + 1;
}

void ScanRecord::clear() {
    ring_.clear();
    head_ = 0;
    recorded_ = 0;
    nextScan_ = 1;
}

int64_t ScanRecord::millisecondsBetween(int from, int to) const {
    // Ticks wrap at 32 bits; the difference does not.
    const auto forward = static_cast<uint32_t>(tick(std::max(from, to)) - tick(std::min(from, to)));
    return from <= to ? int64_t{forward} : -int64_t{forward};
}

void ScanRecord::restore(int index, MemoryImage& m) const {
    for (int i = 0; i < kPoints; ++i) {
        m.Inputs[i].Image = m.Inputs[i].Raw = value(index, ChartPoint::Input + i);
        m.Outputs[i].State = value(index, ChartPoint::Output + i);
        m.Flags[i].State = value(index, ChartPoint::Flag + i);
    }
    for (int r = 1; r <= kRegisters; ++r) {
        for (int b = 0; b < kPoints; ++b)
            m.Registers[r].Bits[b] = value(index, ChartPoint::RegisterBit + (r - 1) * kPoints + b);
    }
    for (int t = 1; t <= kTimers; ++t) {
        m.Timers[t].DoneImage = value(index, ChartPoint::TimerDone + t - 1);
        m.Timers[t].Elapsed = value(index, ChartPoint::TimerElapsed + t - 1);
    }
    for (int c = 1; c <= kCounters; ++c) {
        m.Counters[c].DownImage = value(index, ChartPoint::CounterDone + c - 1);
        m.Counters[c].UpImage = value(index, ChartPoint::CounterUp + c - 1);
        m.Counters[c].Count = value(index, ChartPoint::CounterCount + c - 1);
    }
    m.ScanTick = static_cast<int32_t>(tick(index));
}

}  // namespace torvex

// Where the scan takes its millisecond tick from.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace torvex {

// A 32-bit millisecond counter that wraps at 2^32, like the platform tick count.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual uint32_t now() = 0;
};

// Milliseconds of the monotonic clock, folded to 32 bits.
class SteadyTickSource final : public TickSource {
public:
    uint32_t now() override {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count());
    }
};

// A clock that moves only when told to: tests and the headless runner.
class VirtualTickSource final : public TickSource {
public:
    explicit VirtualTickSource(uint32_t start = 0) : now_(start) {}
    uint32_t now() override { return now_.load(std::memory_order_relaxed); }
    void set(uint32_t tick) { now_.store(tick, std::memory_order_relaxed); }
    void advance(uint32_t milliseconds) { now_.fetch_add(milliseconds, std::memory_order_relaxed); }

private:
    std::atomic<uint32_t> now_;
};

}  // namespace torvex

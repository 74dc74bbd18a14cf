// The clock that paces the run thread's cycles.
#pragma once

#include <atomic>
#include <chrono>
#include <stop_token>

#include "engine/thread_priority.h"

namespace torvex {

// Cycles start on absolute deadlines taken from now(); sleeping towards one never shifts the
// next. Tests inject a clock that moves only when told to.
class CycleClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~CycleClock() = default;
    virtual TimePoint now() = 0;
    // Returns at `deadline`, or as soon as `stop` is requested (before or while waiting).
    virtual void sleepUntil(TimePoint deadline, std::stop_token stop) = 0;
    // Called first on the run thread, before its first cycle.
    virtual void threadStarted() {}
};

// The monotonic clock. The run thread it paces asks for the highest priority it can get, so
// that the period holds while the user interface is busy.
class SteadyCycleClock final : public CycleClock {
public:
    TimePoint now() override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint deadline, std::stop_token stop) override;
    void threadStarted() override;

    // What the last run thread was granted.
    ThreadPriority priorityGranted() const { return granted_.load(); }

private:
    std::atomic<ThreadPriority> granted_{ThreadPriority::Normal};
};

}  // namespace torvex

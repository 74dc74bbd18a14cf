// Time that passes `factor` times faster than the machine's, for the run thread (its cycle
// clock) and the scans (their tick source) alike: a real run of 30 plant seconds in three,
// with every period, timer and plant step as it would be.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "engine/cycle_clock.h"
#include "engine/tick_source.h"

namespace torvex::test {

class FastClock {
public:
    explicit FastClock(int factor) : factor_(factor) {}

    CycleClock& cycles() { return cycles_; }
    TickSource& ticks() { return ticks_; }

private:
    using TimePoint = CycleClock::TimePoint;

    TimePoint now() const {
        return origin_ + (std::chrono::steady_clock::now() - origin_) * factor_;
    }

    class Cycles final : public CycleClock {
    public:
        explicit Cycles(const FastClock& clock) : clock_(clock) {}
        TimePoint now() override { return clock_.now(); }
        void sleepUntil(TimePoint deadline, std::stop_token stop) override {
            const TimePoint real = clock_.origin_ + (deadline - clock_.origin_) / clock_.factor_;
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            wake.wait_until(lock, stop, real, [] { return false; });
        }

    private:
        const FastClock& clock_;
    };

    class Ticks final : public TickSource {
    public:
        explicit Ticks(const FastClock& clock) : clock_(clock) {}
        uint32_t now() override {
            return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                             clock_.now().time_since_epoch())
                                             .count());
        }

    private:
        const FastClock& clock_;
    };

    const int factor_;
    const TimePoint origin_ = std::chrono::steady_clock::now();
    Cycles cycles_{*this};
    Ticks ticks_{*this};
};

}  // namespace torvex::test

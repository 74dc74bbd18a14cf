#include "engine/cycle_clock.h"

#include <condition_variable>
#include <mutex>

namespace torvex {

void SteadyCycleClock::sleepUntil(TimePoint deadline, std::stop_token stop) {
    // A wait rather than a plain sleep, so that a stop request ends it at once: Stop and
    // Pause then never wait out the rest of a period.
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_until(lock, stop, deadline, [] { return false; });
}

void SteadyCycleClock::threadStarted() {
    granted_.store(RaiseCurrentThreadPriority());
}

}  // namespace torvex

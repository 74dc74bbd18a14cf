#include "tests/engine/run_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace torvex::test {

bool AnyPowerOrLit(const Diagram& diagram) {
    for (int r = 0; r < diagram.RungCount(); ++r)
        for (int c = 0; c < kColumns; ++c)
            for (int w = 0; w < kRows; ++w)
                if (diagram.Rungs[r].Power[c][w] || diagram.Rungs[r].Lit[c][w]) return true;
    return false;
}

Watchdog::Watchdog(std::chrono::seconds limit)
    : thread_([this, limit] {
          std::unique_lock lock(mutex_);
          if (!ended_.wait_for(lock, limit, [&] { return done_; })) {
              std::fprintf(stderr, "run control test: no progress for %d s, deadlock?\n",
                           static_cast<int>(limit.count()));
              std::abort();
          }
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    ended_.notify_all();
    thread_.join();
}

CycleClock::TimePoint ManualClock::now() {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualClock::sleepUntil(TimePoint deadline, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    deadlines_.push_back(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - origin_).count());
    sleepingTowards_ = deadline;
    lock.unlock();
    ++sleeps_;
    ui_.wake();
    lock.lock();
    moved_.wait(lock, stop, [&] { return now_ >= deadline; });
    sleepingTowards_ = {};
}

void ManualClock::advance(std::chrono::milliseconds by) {
    std::lock_guard lock(mutex_);
    now_ += by;
    ticks_.advance(static_cast<uint32_t>(by.count()));
    moved_.notify_all();
}

void ManualClock::advanceToDeadline() {
    std::unique_lock lock(mutex_);
    if (sleepingTowards_ <= now_) return;
    const auto by = std::chrono::duration_cast<std::chrono::milliseconds>(sleepingTowards_ - now_);
    lock.unlock();
    advance(by);
}

std::vector<int64_t> ManualClock::deadlines() {
    std::lock_guard lock(mutex_);
    return deadlines_;
}

int64_t ManualClock::elapsedMs() {
    std::lock_guard lock(mutex_);
    return std::chrono::duration_cast<std::chrono::milliseconds>(now_ - origin_).count();
}

RunTest::RunTest() {
    std::vector<std::unique_ptr<IoInterface>> extra;
    auto recording = std::make_unique<RecordingInterface>(log, "device");
    device = recording.get();
    extra.push_back(std::move(recording));
    interfaces.RegisterInterfaces(std::move(extra));
    log.take();
}

RunTest::~RunTest() {
    control.reset();
}

void RunTest::TearDown() {
    EXPECT_EQ(plc.guard().violations(), 0)
        << "a window call touched the scan's state outside the calls the run thread marshals";
}

void RunTest::UseDevice() {
    interfaces.Select(1);
    log.take();
}

void RunTest::WaitForSleeps(int count) {
    ServeUntil([&] { return clock.sleeps() >= count; });
}

void RunTest::StartRunning() {
    const int before = clock.sleeps();
    run.btnRunClick();
    WaitForSleeps(before + 1);
}

void RunTest::NextCycle(int count) {
    for (int i = 0; i < count; ++i) {
        const int before = clock.sleeps();
        clock.advanceToDeadline();
        WaitForSleeps(before + 1);
    }
}

std::vector<std::string> RunTest::Calls() {
    return log.take();
}

}  // namespace torvex::test

// The thread rule's guard: who may touch the scan's state, with and without a run thread.

#include <gtest/gtest.h>

#include <thread>

#include "engine/scan_guard.h"

namespace torvex::test {
namespace {

TEST(ScanGuard, OnlyTheHolderOfTheScanMayTouchIt) {
    enum class Phase { NoRunThread, Scanning, Lent, Ended };
    const struct {
        Phase phase;
        bool runThreadMay;
        bool otherThreadMay;
    } cases[] = {
        {Phase::NoRunThread, true, true},
        {Phase::Scanning, true, false},
        {Phase::Lent, false, true},
        {Phase::Ended, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.phase));
        ScanGuard guard;
        guard.setAbortOnViolation(false);
        bool runThreadMay = false;
        std::thread run([&] {
            if (c.phase != Phase::NoRunThread) guard.runThreadStarted();
            if (c.phase == Phase::Lent) {
                const ScanGuard::Lend lend(guard);
                runThreadMay = guard.check();
                std::thread([&] { EXPECT_EQ(guard.check(), c.otherThreadMay); }).join();
                return;
            }
            if (c.phase == Phase::Ended) guard.runThreadEnded();
            runThreadMay = guard.check();
            std::thread([&] { EXPECT_EQ(guard.check(), c.otherThreadMay); }).join();
        });
        run.join();
        EXPECT_EQ(runThreadMay, c.runThreadMay);
        EXPECT_EQ(guard.violations(), int(!c.runThreadMay) + int(!c.otherThreadMay));
    }
}

}  // namespace
}  // namespace torvex::test

// Who may touch the scan's state (the rungs' Power and Lit fields and the memory image) now.
//
// While a run thread exists it owns that state, except during a call it marshals onto the
// user-interface thread: it waits meanwhile, so the state is lent to the thread serving the
// call. Without a run thread every thread may touch it (in practice only the user-interface
// thread does: the commands, Single Loop and Single Step). The windows reach the state through
// Plc's checked accessors, so a window path that reads or writes it from anywhere else is
// caught here: counted always, and in debug builds the program stops at once (unless a test
// that breaks the rule on purpose asked only for the count).
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace torvex {

class ScanGuard {
public:
    // Run thread: from now on it owns the scan.
    void runThreadStarted() {
        lent_.store(false, std::memory_order_relaxed);
        owner_.store(std::this_thread::get_id(), std::memory_order_release);
    }
    // Run thread, last act on the scan: the state is free again.
    void runThreadEnded() {
        lent_.store(false, std::memory_order_relaxed);
        owner_.store(std::thread::id{}, std::memory_order_release);
    }

    // Run thread, around a call it waits for on the user-interface thread.
    class Lend {
    public:
        explicit Lend(ScanGuard& guard) : guard_(guard) {
            guard_.lent_.store(true, std::memory_order_release);
        }
        ~Lend() { guard_.lent_.store(false, std::memory_order_release); }
        Lend(const Lend&) = delete;
        Lend& operator=(const Lend&) = delete;

    private:
        ScanGuard& guard_;
    };

    // The calling thread may touch the scan's state now.
    bool mayTouch() const {
        const std::thread::id owner = owner_.load(std::memory_order_acquire);
        if (owner == std::thread::id{}) return true;
        const bool lent = lent_.load(std::memory_order_acquire);
        return owner == std::this_thread::get_id() ? !lent : lent;
    }

    // mayTouch(), and a broken rule counted (and the program stopped, where asked) when not.
    bool check() const;

    // How many times the rule was broken.
    int64_t violations() const { return violations_.load(std::memory_order_relaxed); }
    // Whether a broken rule stops the program: by default in debug builds only.
    void setAbortOnViolation(bool abort) { abort_ = abort; }

private:
    std::atomic<std::thread::id> owner_{};
    std::atomic<bool> lent_{false};
    mutable std::atomic<int64_t> violations_{0};
#ifdef NDEBUG
    bool abort_ = false;
#else
    bool abort_ = true;
#endif
};

}  // namespace torvex

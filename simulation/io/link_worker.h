// What the Modbus interfaces share: the words a scan reads and writes, and the thread the
// network work runs on.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>

#include "simulation/io/link_status.h"

namespace torvex {

// The run thread's side: two words and the time the inputs were last made fresh. Nothing
// here can block, so a scan never waits for the network.
class LinkWords {
public:
    explicit LinkWords(LinkClock now) : now_(std::move(now)) {}

    // The inputs, or 0 when they are older than `fresh`.
    uint16_t inputs(std::chrono::milliseconds fresh) const {
        const int64_t at = stamp_.load(std::memory_order_acquire);
        if (at == kNever || since(at) > fresh) return 0;
        return inputs_.load(std::memory_order_relaxed);
    }
    // Network thread: inputs just received.
    void setInputs(uint16_t word) {
        inputs_.store(word, std::memory_order_relaxed);
        stamp_.store(ticks(), std::memory_order_release);
    }
    // The inputs read 0 from now on until they are received again.
    void dropInputs() { stamp_.store(kNever, std::memory_order_release); }
    // True when inputs were received within `fresh`.
    bool fresh(std::chrono::milliseconds fresh) const {
        const int64_t at = stamp_.load(std::memory_order_acquire);
        return at != kNever && since(at) <= fresh;
    }

    uint16_t outputs() const { return outputs_.load(std::memory_order_relaxed); }
    void setOutputs(uint16_t word) { outputs_.store(word, std::memory_order_relaxed); }

    std::chrono::steady_clock::time_point now() const { return now_(); }

private:
    static constexpr int64_t kNever = std::numeric_limits<int64_t>::min();
    int64_t ticks() const { return now_().time_since_epoch().count(); }
    std::chrono::steady_clock::duration since(int64_t at) const {
        return std::chrono::steady_clock::duration(ticks() - at);
    }

    LinkClock now_;
    std::atomic<uint16_t> inputs_{0};
    std::atomic<uint16_t> outputs_{0};
    std::atomic<int64_t> stamp_{kNever};
};

// What a network thread sleeps on: a stop request, or the end of a wait.
class Wakeup {
public:
    Wakeup();
    ~Wakeup();
    Wakeup(const Wakeup&) = delete;
    Wakeup& operator=(const Wakeup&) = delete;

    // Readable once stop() has been called, for a poll() that waits on sockets too.
    int fd() const { return fd_; }
    void stop();
    bool stopping() const { return stopping_.load(std::memory_order_acquire); }
    // Waits `wait`; false when told to stop (before or during it).
    bool sleepFor(std::chrono::milliseconds wait);

private:
    int fd_ = -1;
    std::atomic<bool> stopping_{false};
};

// Runs a body on a thread of its own. stop() asks it to end and waits for it, but no longer
// than it is given: a thread still busy then (a host name lookup that hangs) is left to end by
// itself, so the user-interface thread is never held. The body must hold, through what it
// captures, everything it uses.
class LinkThread {
public:
    LinkThread() = default;
    ~LinkThread() { stop(std::chrono::seconds(1)); }
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    void start(std::function<void(Wakeup&)> body);
    void stop(std::chrono::milliseconds patience);
    bool running() const { return thread_.joinable(); }

private:
    struct Shared {
        Wakeup wake;
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
    };
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace torvex

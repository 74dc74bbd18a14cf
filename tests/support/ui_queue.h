// A user-interface thread made of a std::mutex, a std::condition_variable and a queue, which
// serves the run thread's calls the way Qt's event loop serves blocking queued calls.
//
// The thread that creates it is its user-interface thread, unless exec() is later called on
// another. User input (the commands a person would click) is queued apart from calls, so that
// serveUntil, like a Qt event loop that excludes user input, never starts a command inside
// another.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace torvex::test {

class UiQueue {
public:
    UiQueue() : uiThread_(std::this_thread::get_id()) {}

    // From another thread: runs `call` on the user-interface thread and waits for it.
    void invoke(const std::function<void()>& call);
    // From any thread: queues `call`.
    void post(std::function<void()> call);
    // On the user-interface thread: serves queued calls (not user input) until done() holds.
    void serveUntil(const std::function<bool()>& done);
    // Wakes a serveUntil so that it tests done() again.
    void wake();

    // Driver side of a dedicated user-interface thread: queues `command` as user input and
    // waits until it has run there.
    void userInput(const std::function<void()>& command);
    // Makes the calling thread the user-interface thread and serves calls and user input until
    // quit().
    void exec();
    void quit();

    bool onUiThread() const {
        std::lock_guard lock(mutex_);
        return std::this_thread::get_id() == uiThread_;
    }
    // invoke calls queued and not yet served.
    int waitingInvokes();

private:
    struct Item {
        std::function<void()> call;
        bool userInput = false;
        bool* done = nullptr;  // the waiting side's flag, under mutex_
    };
    void enqueueAndWait(const std::function<void()>& call, bool userInput);
    // With the lock held: takes the first item of the kinds asked for, if any.
    bool take(bool userInputToo, Item& item);
    // Runs the item with the lock released and tells its waiter.
    void run(std::unique_lock<std::mutex>& lock, Item& item);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
    uint64_t wakes_ = 0;
    bool quit_ = false;
    std::thread::id uiThread_;
};

}  // namespace torvex::test

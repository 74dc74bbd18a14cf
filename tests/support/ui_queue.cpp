#include "tests/support/ui_queue.h"

#include <utility>

namespace torvex::test {

void UiQueue::enqueueAndWait(const std::function<void()>& call, bool userInput) {
    bool done = false;
    std::unique_lock lock(mutex_);
    queue_.push_back(Item{call, userInput, &done});
    ++wakes_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return done; });
}

void UiQueue::invoke(const std::function<void()>& call) {
    enqueueAndWait(call, false);
}

void UiQueue::userInput(const std::function<void()>& command) {
    enqueueAndWait(command, true);
}

void UiQueue::post(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    queue_.push_back(Item{std::move(call), false, nullptr});
    ++wakes_;
    changed_.notify_all();
}

void UiQueue::wake() {
    std::lock_guard lock(mutex_);
    ++wakes_;
    changed_.notify_all();
}

bool UiQueue::take(bool userInputToo, Item& item) {
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->userInput && !userInputToo) continue;
        item = std::move(*it);
        queue_.erase(it);
        return true;
    }
    return false;
}

void UiQueue::run(std::unique_lock<std::mutex>& lock, Item& item) {
    lock.unlock();
    item.call();
    item.call = nullptr;  // whatever it holds goes on this thread
    lock.lock();
    if (item.done) *item.done = true;
    changed_.notify_all();
}

void UiQueue::serveUntil(const std::function<bool()>& done) {
    std::unique_lock lock(mutex_);
    for (;;) {
        const uint64_t seen = wakes_;
        lock.unlock();
        const bool finished = done();
        lock.lock();
        if (finished) return;
        Item item;
        if (take(false, item)) {
            run(lock, item);
            continue;
        }
        changed_.wait(lock, [&] { return wakes_ != seen; });
    }
}

void UiQueue::exec() {
    std::unique_lock lock(mutex_);
    uiThread_ = std::this_thread::get_id();
    for (;;) {
        Item item;
        if (take(true, item)) {
            run(lock, item);
            continue;
        }
        if (quit_) return;
        changed_.wait(lock, [&] { return quit_ || !queue_.empty(); });
    }
}

void UiQueue::quit() {
    std::lock_guard lock(mutex_);
    quit_ = true;
    changed_.notify_all();
}

int UiQueue::waitingInvokes() {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const Item& item : queue_) n += !item.userInput && item.done != nullptr;
    return n;
}

}  // namespace torvex::test

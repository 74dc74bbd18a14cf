#include "simulation/io/link_worker.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>

namespace torvex {

Wakeup::Wakeup() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Wakeup::~Wakeup() {
    if (fd_ >= 0) ::close(fd_);
}

void Wakeup::stop() {
    stopping_.store(true, std::memory_order_release);
    const uint64_t one = 1;
    // A counter that is full already wakes the waiter just as well.
    if (fd_ >= 0 && ::write(fd_, &one, sizeof one) < 0) return;
}

bool Wakeup::sleepFor(std::chrono::milliseconds wait) {
    if (stopping()) return false;
    pollfd p{fd_, POLLIN, 0};
    const int ms = static_cast<int>(std::max<int64_t>(0, wait.count()));
    if (fd_ >= 0)
        ::poll(&p, 1, ms);
    else
        std::this_thread::sleep_for(wait);  // no eventfd: stop is seen after the wait
    return !stopping();
}

void LinkThread::start(std::function<void(Wakeup&)> body) {
    stop(std::chrono::seconds(1));
    auto shared = std::make_shared<Shared>();
    shared_ = shared;
    thread_ = std::thread([shared, body = std::move(body)] {
        body(shared->wake);
        std::lock_guard lock(shared->mutex);
        shared->finished = true;
        shared->ended.notify_all();
    });
}

void LinkThread::stop(std::chrono::milliseconds patience) {
    if (!thread_.joinable()) return;
    shared_->wake.stop();
    bool finished = false;
    {
        std::unique_lock lock(shared_->mutex);
        finished = shared_->ended.wait_for(lock, patience, [&] { return shared_->finished; });
    }
    if (finished)
        thread_.join();
    else
        thread_.detach();  // it holds its own share of everything and ends by itself
    shared_.reset();
}

}  // namespace torvex

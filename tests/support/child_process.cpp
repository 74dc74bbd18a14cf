#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

extern char** environ;

namespace torvex::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    if (::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    out_ = pipe[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && status_ == -2) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
}

std::optional<std::string> ChildProcess::line(std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (const size_t end = pending_.find('\n'); end != std::string::npos) {
            std::string text = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return text;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd p{out_, POLLIN, 0};
        if (out_ < 0 || left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char bytes[4096];
        const ssize_t n = ::read(out_, bytes, sizeof bytes);
        if (n <= 0) return std::nullopt;
        pending_.append(bytes, static_cast<size_t>(n));
        output_.append(bytes, static_cast<size_t>(n));
    }
}

std::optional<std::string> ChildProcess::lineWith(std::string_view text,
                                                  std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        std::optional<std::string> next = line(std::max(left, std::chrono::milliseconds(0)));
        if (!next || next->find(text) != std::string::npos) return next;
    }
}

void ChildProcess::signal(int number) {
    if (pid_ > 0 && status_ == -2) ::kill(pid_, number);
}

int ChildProcess::wait(std::chrono::milliseconds limit) {
    if (pid_ <= 0) return -1;
    if (status_ != -2) return status_;
    const auto until = std::chrono::steady_clock::now() + limit;
    int raw = 0;
    while (::waitpid(pid_, &raw, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &raw, 0);
            status_ = -1;
            return status_;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    // What it wrote last joins the output; its lines are still there to be read.
    pollfd p{out_, POLLIN, 0};
    char bytes[4096];
    ssize_t n = 0;
    while (out_ >= 0 && ::poll(&p, 1, 0) > 0 && (n = ::read(out_, bytes, sizeof bytes)) > 0) {
        pending_.append(bytes, static_cast<size_t>(n));
        output_.append(bytes, static_cast<size_t>(n));
    }
    return status_;
}

}  // namespace torvex::test

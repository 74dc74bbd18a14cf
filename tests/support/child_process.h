// A program run beside a test: its output (standard output and error together) read line by
// line, signals sent to it, and its end awaited, each within a time limit, so that no test
// waits for it forever.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::test {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    // Kills the program if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // The next line (without its end), or nothing when none came within `wait`.
    std::optional<std::string> line(std::chrono::milliseconds wait);
    // Lines up to the first that contains `text`: that line, or nothing.
    std::optional<std::string> lineWith(std::string_view text, std::chrono::milliseconds wait);
    void signal(int number);
    // The exit status; -1 when it did not end within `limit` (it is killed then) or ended by
    // a signal.
    int wait(std::chrono::milliseconds limit);
    // Everything read so far, for failure messages.
    const std::string& output() const { return output_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string pending_;  // read, not yet handed out as a line
    std::string output_;
    int status_ = -2;  // -2: not yet reaped
};

}  // namespace torvex::test

// What a network interface's link is doing, for the people watching a run: the main window's
// link label and torvex-run's log. Asked on any thread but the run thread's scan.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace torvex {

enum class LinkState : uint8_t {
    Closed,        // not open
    Connecting,    // client: no answer yet, none failed yet
    Connected,     // client: a fresh answer (younger than the inputs' freshness)
    NoAnswer,      // client: no fresh answer; retrying
    Listening,     // server: listening, `clients` connected
    CannotListen,  // server: the address or port cannot be had; retrying
};

struct LinkStatus {
    LinkState state = LinkState::Closed;
    std::string host;   // the peer's host (client) or the listening address (server)
    int port = 0;       // the peer's port, or the port listened on (the one bound, for port 0)
    int clients = 0;    // server: clients connected
    std::string error;  // the last error's text; empty while there has been none
    bool operator==(const LinkStatus&) const = default;
};

// Implemented by the interfaces that have a link to show.
class LinkReport {
public:
    virtual ~LinkReport() = default;
    virtual LinkStatus linkStatus() const = 0;
};

// "127.0.0.1:1502", "[::1]:502".
std::string Endpoint(const std::string& host, int port);
// The English line: "Modbus 127.0.0.1:1502 — 1 client", "Modbus io:502 — no answer (retrying)".
std::string LinkText(const LinkStatus& status);
// An address only this machine can reach: 127.x.x.x, ::1 or localhost.
bool IsLoopbackAddress(std::string_view address);

// The time the interfaces judge freshness by; tests hand in one they move themselves.
using LinkClock = std::function<std::chrono::steady_clock::time_point()>;

// The times a Modbus interface keeps to.
struct ModbusTiming {
    std::chrono::milliseconds poll{50};              // client: an exchange at least this often
    std::chrono::milliseconds responseTimeout{100};  // client: connect and answer within this
    std::chrono::milliseconds fresh{500};            // client: an answer older than this reads as 0
    std::chrono::milliseconds firstRetry{50};        // client and server: the wait after a failure,
    std::chrono::milliseconds lastRetry{1000};       // doubling up to this
    std::chrono::milliseconds hold{1000};   // server: inputs fall to 0 this long after a write
    std::chrono::milliseconds idle{60000};  // server: a client silent this long is let go
    LinkClock now = [] { return std::chrono::steady_clock::now(); };
};

}  // namespace torvex

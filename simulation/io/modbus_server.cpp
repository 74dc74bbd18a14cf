#include "simulation/io/modbus_server.h"

#include <fcntl.h>
#include <modbus.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "simulation/io/link_worker.h"
#include "simulation/io/modbus_requests.h"

namespace torvex {

namespace {

constexpr std::array<int32_t, 3> kPorts{1502, 5020, 502};
// Connections the kernel holds for us while we turn the extra ones away.
constexpr int kBacklog = 16;

int BoundPort(int fd) {
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return 0;
}

}  // namespace

struct ModbusServerInterface::Session {
    Session(Options o, ModbusTiming t, std::shared_ptr<LinkWords> w)
        : options(std::move(o)), timing(std::move(t)), words(std::move(w)) {
        status.state = LinkState::Listening;
        status.host = options.address;
        status.port = options.port;
    }

    void run(Wakeup& wake);
    // Serves clients on `listener` until told to stop.
    void serve(int listener, ServerMap& map, Wakeup& wake);
    int listen();

    void report(const std::function<void(LinkStatus&)>& change) {
        std::lock_guard lock(mutex);
        change(status);
    }

    const Options options;
    const ModbusTiming timing;
    const std::shared_ptr<LinkWords> words;
    mutable std::mutex mutex;
    LinkStatus status;  // under mutex
    LinkThread thread;
};

namespace {

struct Client {
    explicit Client(int socket, std::chrono::steady_clock::time_point at) : fd(socket), heard(at) {}
    ~Client() { ::close(fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    int fd;
    std::chrono::steady_clock::time_point heard;  // the last bytes from it
    FrameBuffer frames;
};

// Reads what `client` has sent and answers every whole request in it; false when the client
// is to be let go (it closed, broke the framing or does not take its answers).
bool Answer(Client& client, ServerMap& map, LinkWords& words) {
    const ssize_t got = ::recv(client.fd, client.frames.space(), client.frames.room(), 0);
    if (got == 0) return false;
    if (got < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    client.frames.received(static_cast<size_t>(got));
    client.heard = words.now();
    const uint8_t* frame = nullptr;
    int length = 0;
    for (;;) {
        switch (client.frames.next(frame, length)) {
            case FrameBuffer::Next::NeedMore:
                return true;
            case FrameBuffer::Next::Broken:
                return false;
            case FrameBuffer::Next::Frame:
                break;
        }
        map.setOutputs(words.outputs());
        const ServerMap::Answer answer = map.answer(frame, length);
        if (answer.wrote) words.setInputs(map.inputs());
        // A client that does not take its answers is not waited for.
        if (answer.length > 0 &&
            ::send(client.fd, answer.bytes.data(), static_cast<size_t>(answer.length),
                   MSG_NOSIGNAL) != answer.length)
            return false;
    }
}

}  // namespace

int ModbusServerInterface::Session::listen() {
    modbus_t* ctx =
        modbus_new_tcp_pi(options.address.c_str(), std::to_string(options.port).c_str());
    if (!ctx) return -1;
    const int fd = modbus_tcp_pi_listen(ctx, kBacklog);
    const int error = errno;
    modbus_free(ctx);  // the listening socket is not the context's
    if (fd >= 0) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    errno = error;
    return fd;
}

void ModbusServerInterface::Session::run(Wakeup& wake) {
    ServerMap map;
    if (!map.ok()) {
        report([](LinkStatus& s) {
            s.state = LinkState::CannotListen;
            s.error = std::strerror(ENOMEM);
        });
        return;
    }
    std::chrono::milliseconds retry = timing.firstRetry;
    while (!wake.stopping()) {
        const int listener = listen();
        if (listener < 0) {
            const int error = errno;
            report([&](LinkStatus& s) {
                s.state = LinkState::CannotListen;
                s.error = modbus_strerror(error);
            });
            if (!wake.sleepFor(retry)) break;
            retry = std::min(retry * 2, timing.lastRetry);
            continue;
        }
        report([&](LinkStatus& s) {
            s.state = LinkState::Listening;
            s.port = BoundPort(listener);
            s.clients = 0;
        });
        serve(listener, map, wake);
        ::close(listener);
    }
    words->dropInputs();
}

void ModbusServerInterface::Session::serve(int listener, ServerMap& map, Wakeup& wake) {
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<pollfd> polled;
    auto showClients = [&] {
        const int count = static_cast<int>(clients.size());
        report([&](LinkStatus& s) { s.clients = count; });
    };
    while (!wake.stopping()) {
        polled.assign({{wake.fd(), POLLIN, 0}, {listener, POLLIN, 0}});
        for (const auto& c : clients) polled.push_back({c->fd, POLLIN, 0});
        const int waitMs = static_cast<int>(std::min<int64_t>(timing.poll.count(), 50));
        if (::poll(polled.data(), polled.size(), waitMs) < 0 && errno != EINTR) {
            const int error = errno;
            report([&](LinkStatus& s) { s.error = std::strerror(error); });
            break;
        }
        if (wake.stopping()) break;

        // Each client in turn, one read each: a flood from one leaves the others their share.
        const auto now = words->now();
        bool changed = false;
        for (size_t i = 0; i < clients.size();) {
            Client& c = *clients[i];
            const short ready = polled[i + 2].revents;
            bool keep = true;
            if (ready & (POLLIN | POLLHUP | POLLERR)) keep = Answer(c, map, *words);
            if (keep && now - c.heard > timing.idle) keep = false;
            if (keep) {
                ++i;
            } else {
                clients.erase(clients.begin() + static_cast<long>(i));
                polled.erase(polled.begin() + static_cast<long>(i) + 2);
                changed = true;
            }
        }
        if (polled[1].revents & POLLIN) {
            for (;;) {
                const int fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (fd < 0) break;
                // Beyond the first few the connection is refused: closed at once.
                if (clients.size() >= static_cast<size_t>(kMaxClients)) {
                    ::close(fd);
                    continue;
                }
                clients.push_back(std::make_unique<Client>(fd, now));
                changed = true;
            }
        }
        if (changed) showClients();
        // What no client has written for a while is not held: clients reading the coils back
        // see what the scans see.
        if (!words->fresh(timing.hold) && map.inputs() != 0) map.clearInputs();
    }
    // The safe state: the outputs 0, for whatever is already waiting to be answered.
    words->setOutputs(0);
    for (const auto& c : clients) Answer(*c, map, *words);
}

ModbusServerInterface::ModbusServerInterface(Options options, ModbusTiming timing)
    : options_(std::move(options)),
      timing_(std::move(timing)),
      words_(std::make_shared<LinkWords>(timing_.now)) {}

ModbusServerInterface::~ModbusServerInterface() {
    Close();
}

int32_t ModbusServerInterface::AddressCount() {
    return static_cast<int32_t>(kPorts.size());
}

int32_t ModbusServerInterface::AddressValue(int32_t choice) {
    return choice >= 0 && choice < AddressCount() ? kPorts[static_cast<size_t>(choice)] : kPorts[0];
}

std::string ModbusServerInterface::AddressText(int32_t choice) {
    return "port " + std::to_string(AddressValue(choice));
}

int32_t ModbusServerInterface::Routine() {
    std::string address = options_.address;
    if (!ask_ || !ask_(address) || address == options_.address) return 0;
    options_.address = address;
    if (changed_) changed_(options_);
    if (session_) restart();
    return 0;
}

void ModbusServerInterface::Open() {
    if (session_) return;
    auto session = std::make_shared<Session>(options_, timing_, words_);
    session->thread.start([session](Wakeup& wake) { session->run(wake); });
    session_ = std::move(session);
}

void ModbusServerInterface::Close() {
    if (!session_) return;
    session_->thread.stop(std::chrono::seconds(1));
    session_.reset();
    words_->setOutputs(0);
    words_->dropInputs();
}

void ModbusServerInterface::restart() {
    Close();
    Open();
}

void ModbusServerInterface::SetAddress(int32_t address) {
    if (address < 0 || address > 65535 || address == options_.port) return;
    options_.port = address;
    if (changed_) changed_(options_);
    if (session_) restart();
}

int32_t ModbusServerInterface::ReadInputs(int32_t) {
    return words_->inputs(timing_.hold);
}

void ModbusServerInterface::WriteOutputs(int32_t, int32_t value) {
    words_->setOutputs(static_cast<uint16_t>(value));
}

LinkStatus ModbusServerInterface::linkStatus() const {
    if (!session_) {
        LinkStatus closed;
        closed.host = options_.address;
        closed.port = options_.port;
        return closed;
    }
    std::lock_guard lock(session_->mutex);
    return session_->status;
}

}  // namespace torvex

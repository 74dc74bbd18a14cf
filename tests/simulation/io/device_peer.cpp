#include "tests/simulation/io/device_peer.h"

#include <arpa/inet.h>
#include <modbus.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace torvex::test {

namespace {

constexpr int kPoints = 16;

int BoundPort(int fd) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

uint16_t Pack(const uint8_t* bits) {
    uint16_t word = 0;
    for (int k = 0; k < kPoints; ++k) word |= (bits[k] ? 1 : 0) << k;
    return word;
}

}  // namespace

DevicePeer::DevicePeer(int firstInput, int firstCoil)
    : firstInput_(firstInput),
      firstCoil_(firstCoil),
      ctx_(modbus_new_tcp("127.0.0.1", 0)),
      map_(modbus_mapping_new_start_address(static_cast<unsigned>(firstCoil), kPoints,
                                            static_cast<unsigned>(firstInput), kPoints, 0, 0, 0,
                                            0)) {
    modbus_set_indication_timeout(ctx_, 1, 0);
    listen();
    thread_ = std::thread([this] { run(); });
}

DevicePeer::~DevicePeer() {
    stop_ = true;
    thread_.join();
    for (int fd : connections_) ::close(fd);
    if (listener_ >= 0) ::close(listener_);
    modbus_mapping_free(map_);
    modbus_free(ctx_);
}

void DevicePeer::setInputs(uint16_t word) {
    std::lock_guard lock(mapMutex_);
    for (int k = 0; k < kPoints; ++k) map_->tab_input_bits[k] = (word >> k) & 1;
}

uint16_t DevicePeer::coils() const {
    std::lock_guard lock(mapMutex_);
    return Pack(map_->tab_bits);
}

bool DevicePeer::listen() {
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", port_);
    listener_ = modbus_tcp_listen(ctx, 8);
    modbus_free(ctx);
    if (listener_ >= 0 && port_ == 0) port_ = BoundPort(listener_);
    return listener_ >= 0;
}

void DevicePeer::run() {
    while (!stop_) {
        const Fault fault = fault_.load();
        if (fault == Fault::Killed) {
            for (int fd : connections_) ::close(fd);
            connections_.clear();
            if (listener_ >= 0) ::close(listener_);
            listener_ = -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        if (listener_ < 0 && !listen()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        std::vector<pollfd> polled{{listener_, POLLIN, 0}};
        for (int fd : connections_) polled.push_back({fd, POLLIN, 0});
        if (::poll(polled.data(), polled.size(), 10) <= 0) continue;
        if (polled[0].revents & POLLIN) {
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd >= 0) connections_.push_back(fd);
        }
        std::vector<int> closing;
        for (size_t i = 1; i < polled.size(); ++i) {
            if (!(polled[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const int fd = polled[i].fd;
            if (fault == Fault::Silent || fault == Fault::Garbage) {
                uint8_t bytes[512];
                if (::recv(fd, bytes, sizeof bytes, 0) <= 0) {
                    closing.push_back(fd);
                } else if (fault == Fault::Garbage) {
                    const uint8_t garbage[] = {0xde, 0xad, 0xbe, 0xef, 0x00,
                                               0x03, 0x01, 0x99, 0x99};
                    ::send(fd, garbage, sizeof garbage, MSG_NOSIGNAL);
                }
                continue;
            }
            uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
            modbus_set_socket(ctx_, fd);
            const int length = modbus_receive(ctx_, query);
            if (length > 0) {
                lastUnit_ = query[6];
                std::lock_guard lock(mapMutex_);
                modbus_reply(ctx_, query, length, map_);
            }
            if (length < 0 || fault == Fault::CloseAfterEach) closing.push_back(fd);
        }
        for (int fd : closing) {
            ::close(fd);
            connections_.erase(std::find(connections_.begin(), connections_.end(), fd));
        }
    }
}

ClientPeer::ClientPeer(int port, int unit) : ctx_(modbus_new_tcp("127.0.0.1", port)) {
    modbus_set_slave(ctx_, unit);
    modbus_set_response_timeout(ctx_, 1, 0);
    connected_ = modbus_connect(ctx_) == 0;
}

ClientPeer::~ClientPeer() {
    modbus_close(ctx_);
    modbus_free(ctx_);
}

int ClientPeer::readInputs() {
    uint8_t bits[kPoints];
    return modbus_read_input_bits(ctx_, 0, kPoints, bits) == kPoints ? Pack(bits) : -1;
}

int ClientPeer::readCoils() {
    uint8_t bits[kPoints];
    return modbus_read_bits(ctx_, 0, kPoints, bits) == kPoints ? Pack(bits) : -1;
}

bool ClientPeer::writeCoils(uint16_t word) {
    uint8_t bits[kPoints];
    for (int k = 0; k < kPoints; ++k) bits[k] = (word >> k) & 1;
    return modbus_write_bits(ctx_, 0, kPoints, bits) == kPoints;
}

bool ClientPeer::writeRegister(uint16_t word) {
    return modbus_write_register(ctx_, 0, word) == 1;
}

RawPeer::RawPeer(int port) : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

RawPeer::~RawPeer() {
    if (fd_ >= 0) ::close(fd_);
}

bool RawPeer::send(const std::vector<uint8_t>& bytes) {
    return fd_ >= 0 && ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                           static_cast<ssize_t>(bytes.size());
}

std::vector<uint8_t> RawPeer::receive(size_t count, std::chrono::milliseconds wait) {
    std::vector<uint8_t> got;
    const auto until = std::chrono::steady_clock::now() + wait;
    while (fd_ >= 0 && got.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        uint8_t bytes[512];
        const ssize_t n = ::recv(fd_, bytes, std::min(sizeof bytes, count - got.size()), 0);
        if (n <= 0) break;
        got.insert(got.end(), bytes, bytes + n);
    }
    return got;
}

bool RawPeer::closedByPeer(std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (fd_ >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        uint8_t bytes[512];
        const ssize_t n = ::recv(fd_, bytes, sizeof bytes, 0);
        if (n <= 0) return true;  // the end of the stream, or a reset
    }
    return true;
}

std::vector<uint8_t> Frame(uint16_t transaction, uint8_t unit, const std::vector<uint8_t>& pdu) {
    const size_t length = pdu.size() + 1;
    std::vector<uint8_t> frame(6 + length);
    frame[0] = static_cast<uint8_t>(transaction >> 8);
    frame[1] = static_cast<uint8_t>(transaction);
    frame[4] = static_cast<uint8_t>(length >> 8);
    frame[5] = static_cast<uint8_t>(length);
    frame[6] = unit;
    for (size_t i = 0; i < pdu.size(); ++i) frame[7 + i] = pdu[i];
    return frame;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             std::chrono::milliseconds* took) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        if (done()) {
            if (took) *took = spent;
            return true;
        }
        if (spent > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace torvex::test

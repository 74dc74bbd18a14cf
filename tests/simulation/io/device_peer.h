// Peers on 127.0.0.1 for the Modbus interfaces to talk to, made with libmodbus itself: a
// device that can fail as real ones do, a plain client, and raw bytes on a socket.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

typedef struct _modbus modbus_t;
typedef struct _modbus_mapping_t modbus_mapping_t;

namespace torvex::test {

// A remote I/O device: 16 discrete inputs from `firstInput`, 16 coils from `firstCoil`,
// answering any unit id, listening on a port of its own.
class DevicePeer {
public:
    enum class Fault {
        None,
        Killed,          // nothing listens: connections are refused
        Silent,          // connections are taken, requests never answered
        Garbage,         // every request is answered with bytes that are no Modbus
        CloseAfterEach,  // one request answered per connection, then it is closed
    };

    DevicePeer(int firstInput, int firstCoil);
    ~DevicePeer();
    DevicePeer(const DevicePeer&) = delete;
    DevicePeer& operator=(const DevicePeer&) = delete;

    int port() const { return port_; }
    void setInputs(uint16_t word);
    uint16_t coils() const;
    int lastUnit() const { return lastUnit_.load(); }
    // From now on; Killed closes every connection and stops listening, None listens again on
    // the same port.
    void setFault(Fault fault) { fault_.store(fault); }

private:
    void run();
    bool listen();

    const int firstInput_;
    const int firstCoil_;
    modbus_t* ctx_ = nullptr;
    modbus_mapping_t* map_ = nullptr;
    mutable std::mutex mapMutex_;
    int port_ = 0;
    int listener_ = -1;
    std::vector<int> connections_;
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<int> lastUnit_{-1};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A libmodbus client connected to 127.0.0.1:port, with a short response timeout.
class ClientPeer {
public:
    explicit ClientPeer(int port, int unit = 1);
    ~ClientPeer();
    ClientPeer(const ClientPeer&) = delete;
    ClientPeer& operator=(const ClientPeer&) = delete;

    bool connected() const { return connected_; }
    // The 16 discrete inputs from 0, packed; -1 when the request failed.
    int readInputs();
    // The 16 coils from 0, packed; -1 when the request failed.
    int readCoils();
    bool writeCoils(uint16_t word);
    bool writeRegister(uint16_t word);

private:
    modbus_t* ctx_ = nullptr;
    bool connected_ = false;
};

// A plain TCP connection for bytes no Modbus library would send.
class RawPeer {
public:
    explicit RawPeer(int port);
    ~RawPeer();
    RawPeer(const RawPeer&) = delete;
    RawPeer& operator=(const RawPeer&) = delete;

    bool send(const std::vector<uint8_t>& bytes);
    // What arrives within `wait`, up to `count` bytes; fewer when the peer closed or was slow.
    std::vector<uint8_t> receive(size_t count, std::chrono::milliseconds wait);
    // True when the other side has closed the connection (seen within `wait`).
    bool closedByPeer(std::chrono::milliseconds wait);
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

// A Modbus TCP frame: the header with `transaction` and `unit` around the PDU.
std::vector<uint8_t> Frame(uint16_t transaction, uint8_t unit, const std::vector<uint8_t>& pdu);

// Waits until `done` holds, at most `limit`; the time it took, or nothing.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             std::chrono::milliseconds* took = nullptr);

}  // namespace torvex::test

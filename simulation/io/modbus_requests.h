// The Modbus TCP server's side of a connection, without the sockets: a byte stream cut into
// request frames, and the map those requests read and write, answered through libmodbus.
//
// The map: discrete inputs 0 ... 15 and input register 0 (bit k: point k) hold the outputs
// TORVEX sends; coils 0 ... 15 and holding register 0 hold the inputs it takes, and are kept
// equal whichever a client writes. Anything else is answered with exception 02; an unknown
// function with exception 01; a request whose length, quantity or byte count does not add up
// with exception 03. Any unit id is answered.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

typedef struct _modbus modbus_t;
typedef struct _modbus_mapping_t modbus_mapping_t;

namespace torvex {

// Modbus TCP: a 7-byte header (transaction, protocol, length, unit) and at most 253 bytes of
// function and data.
constexpr int kMbapLength = 7;
constexpr int kMaxFrameLength = 260;

// Cuts a connection's bytes into frames.
class FrameBuffer {
public:
    enum class Next { Frame, NeedMore, Broken };

    // Where received bytes go, and how many fit.
    uint8_t* space() { return bytes_.data() + used_; }
    size_t room() const { return bytes_.size() - used_; }
    void received(size_t count) { used_ += count; }

    // The next whole frame, if there is one; `frame` points into the buffer until the next
    // call. Broken: the length field cannot be a Modbus TCP one, so the stream cannot be
    // followed any more and the connection is to be dropped.
    Next next(const uint8_t*& frame, int& length);

private:
    std::array<uint8_t, 4096> bytes_{};
    size_t used_ = 0;
    size_t start_ = 0;  // where the bytes not yet handed out begin
};

class ServerMap {
public:
    ServerMap();
    ~ServerMap();
    ServerMap(const ServerMap&) = delete;
    ServerMap& operator=(const ServerMap&) = delete;

    // False when libmodbus could not give a context or a map, or no socket pair was to be had.
    bool ok() const { return ctx_ && map_ && pair_[1] >= 0; }

    // What clients read: discrete inputs 0 ... 15 and input register 0.
    void setOutputs(uint16_t word);
    // What clients wrote: coils 0 ... 15, the same as holding register 0.
    uint16_t inputs() const;
    void clearInputs();

    // The answer to one frame of FrameBuffer::next, made before it is sent, so that what a
    // request wrote is in the map (and wherever the caller puts it) before the client is told
    // so. Empty when libmodbus made none. `wrote` says whether the request wrote the inputs.
    struct Answer {
        std::array<uint8_t, kMaxFrameLength> bytes{};
        int length = 0;
        bool wrote = false;
    };
    Answer answer(const uint8_t* frame, int length);

private:
    modbus_t* ctx_ = nullptr;
    modbus_mapping_t* map_ = nullptr;
    // libmodbus sends its answer on a socket: this pair's first end, read back from the other.
    int pair_[2] = {-1, -1};
};

}  // namespace torvex

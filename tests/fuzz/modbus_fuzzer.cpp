// libFuzzer target: any bytes as what a client sends the Modbus server, cut into frames and
// answered as a connection's are, without a network.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "simulation/io/modbus_requests.h"

namespace {

using torvex::kMbapLength;

[[noreturn]] void Broken(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// The answer belongs to the request: same transaction and unit, a length that counts its
// bytes, and the request's function, or that function as an exception with a Modbus code.
void CheckAnswer(const uint8_t* request, const torvex::ServerMap::Answer& answer) {
    const uint8_t* a = answer.bytes.data();
    if (answer.length < kMbapLength + 2) Broken("a request went unanswered");
    if (a[0] != request[0] || a[1] != request[1]) Broken("the transaction is not the request's");
    if (a[2] != 0 || a[3] != 0) Broken("the answer is of another protocol");
    if ((a[4] << 8 | a[5]) != answer.length - 6) Broken("the length field does not count");
    if (a[6] != request[6]) Broken("the unit is not the request's");
    // A function with the exception bit already set can only be refused.
    if (a[7] == request[7] && (request[7] & 0x80) == 0) return;
    if (a[7] != (request[7] | 0x80)) Broken("the answer is to another function");
    if (answer.length != kMbapLength + 2 || a[8] < 1 || a[8] > 4)
        Broken("an exception that is none of the codes a request earns");
    if (answer.wrote) Broken("a refused request wrote the inputs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    torvex::ServerMap map;
    torvex::FrameBuffer frames;
    map.setOutputs(0xA5C3);
    // Pieces of odd sizes, as a stream arrives, so that frames are cut anywhere.
    size_t at = 0;
    while (at < size) {
        const size_t piece = std::min({frames.room(), size - at, size_t{97}});
        std::memcpy(frames.space(), data + at, piece);
        frames.received(piece);
        at += piece;
        const uint8_t* frame = nullptr;
        int length = 0;
        for (;;) {
            const torvex::FrameBuffer::Next next = frames.next(frame, length);
            if (next == torvex::FrameBuffer::Next::Broken) return 0;  // the connection ends
            if (next == torvex::FrameBuffer::Next::NeedMore) break;
            CheckAnswer(frame, map.answer(frame, length));
        }
    }
    return 0;
}

#include "simulation/io/modbus_requests.h"

#include <modbus.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace torvex {

namespace {

int Word(const uint8_t* bytes) {
    return bytes[0] << 8 | bytes[1];
}

// libmodbus answers from the quantities a request declares and trusts that the bytes are
// there; a request whose parts do not add up is refused here instead.
bool AddsUp(const uint8_t* pdu, int length) {
    switch (pdu[0]) {
        case MODBUS_FC_READ_COILS:
        case MODBUS_FC_READ_DISCRETE_INPUTS:
        case MODBUS_FC_READ_HOLDING_REGISTERS:
        case MODBUS_FC_READ_INPUT_REGISTERS:
        case MODBUS_FC_WRITE_SINGLE_COIL:
        case MODBUS_FC_WRITE_SINGLE_REGISTER:
            return length == 5;
        case MODBUS_FC_WRITE_MULTIPLE_COILS:
            return length >= 6 && pdu[5] == (Word(pdu + 3) + 7) / 8 && length == 6 + pdu[5];
        case MODBUS_FC_WRITE_MULTIPLE_REGISTERS:
            return length >= 6 && pdu[5] == 2 * Word(pdu + 3) && length == 6 + pdu[5];
        case MODBUS_FC_MASK_WRITE_REGISTER:
            return length == 7;
        case MODBUS_FC_WRITE_AND_READ_REGISTERS:
            return length >= 10 && pdu[9] == 2 * Word(pdu + 7) && length == 10 + pdu[9];
        case MODBUS_FC_REPORT_SLAVE_ID:
            return length == 1;
        default:
            return true;  // libmodbus answers an unknown function itself
    }
}

bool WritesCoils(int function) {
    return function == MODBUS_FC_WRITE_SINGLE_COIL || function == MODBUS_FC_WRITE_MULTIPLE_COILS;
}

bool WritesRegisters(int function) {
    return function == MODBUS_FC_WRITE_SINGLE_REGISTER ||
           function == MODBUS_FC_WRITE_MULTIPLE_REGISTERS ||
           function == MODBUS_FC_MASK_WRITE_REGISTER ||
           function == MODBUS_FC_WRITE_AND_READ_REGISTERS;
}

// Discrete inputs and coils in the map.
constexpr int kMapPoints = 16;

}  // namespace

FrameBuffer::Next FrameBuffer::next(const uint8_t*& frame, int& length) {
    for (;;) {
        const size_t left = used_ - start_;
        if (left >= 6) {
            const int declared = Word(bytes_.data() + start_ + 4);
            // At least the unit and a function; at most a whole frame.
            if (declared < 2 || declared > kMaxFrameLength - 6) return Next::Broken;
            const size_t whole = 6 + static_cast<size_t>(declared);
            if (left >= whole) {
                const uint8_t* at = bytes_.data() + start_;
                start_ += whole;
                // Another protocol on the same framing is not ours to answer.
                if (Word(at + 2) != 0) continue;
                frame = at;
                length = static_cast<int>(whole);
                return Next::Frame;
            }
        }
        // What is left of a frame moves to the front, so that the room is always there.
        std::memmove(bytes_.data(), bytes_.data() + start_, left);
        used_ = left;
        start_ = 0;
        return Next::NeedMore;
    }
}

ServerMap::ServerMap()
    : ctx_(modbus_new_tcp(nullptr, MODBUS_TCP_DEFAULT_PORT)),
      map_(modbus_mapping_new_start_address(0, kMapPoints, 0, kMapPoints, 0, 1, 0, 1)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair_) != 0)
        pair_[0] = pair_[1] = -1;
    if (ctx_) {
        modbus_set_socket(ctx_, pair_[0]);
        // libmodbus waits this long before some exception answers, to let a broken request
        // drain: the framing has done that here, and a wait would hold every other client up.
        modbus_set_response_timeout(ctx_, 0, 1);
    }
}

ServerMap::~ServerMap() {
    if (map_) modbus_mapping_free(map_);
    if (ctx_) {
        modbus_set_socket(ctx_, -1);
        modbus_free(ctx_);
    }
    for (int fd : pair_)
        if (fd >= 0) ::close(fd);
}

void ServerMap::setOutputs(uint16_t word) {
    for (int k = 0; k < kMapPoints; ++k) map_->tab_input_bits[k] = (word >> k) & 1;
    map_->tab_input_registers[0] = word;
}

uint16_t ServerMap::inputs() const {
    return map_->tab_registers[0];
}

void ServerMap::clearInputs() {
    for (int k = 0; k < kMapPoints; ++k) map_->tab_bits[k] = 0;
    map_->tab_registers[0] = 0;
}

ServerMap::Answer ServerMap::answer(const uint8_t* frame, int length) {
    Answer answer;
    if (!ok() || length < kMbapLength + 1 || length > kMaxFrameLength) return answer;
    // Zero beyond the frame: whatever libmodbus reads is inside this request.
    uint8_t request[kMaxFrameLength] = {};
    std::memcpy(request, frame, static_cast<size_t>(length));
    const uint8_t* pdu = request + kMbapLength;
    const int function = pdu[0];
    if (function & 0x80) {
        // No function has the exception bit; libmodbus would add it again and overflow into
        // another function's code, so this answer is made here: the request's header, its
        // function as it is, "illegal function".
        std::memcpy(answer.bytes.data(), request, kMbapLength + 1);
        answer.bytes[4] = 0;
        answer.bytes[5] = 3;
        answer.bytes[kMbapLength + 1] = MODBUS_EXCEPTION_ILLEGAL_FUNCTION;
        answer.length = kMbapLength + 2;
        return answer;
    }
    if (AddsUp(pdu, length - kMbapLength))
        modbus_reply(ctx_, request, length, map_);
    else
        modbus_reply_exception(ctx_, request, MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE);
    ssize_t made = ::recv(pair_[1], answer.bytes.data(), answer.bytes.size(), 0);
    if (made <= 0) {
        // Some functions libmodbus knows but leaves unanswered (read exception status): the
        // client would wait in vain.
        modbus_reply_exception(ctx_, request, MODBUS_EXCEPTION_ILLEGAL_FUNCTION);
        made = ::recv(pair_[1], answer.bytes.data(), answer.bytes.size(), 0);
    }
    if (made <= kMbapLength) return answer;
    answer.length = static_cast<int>(made);
    // An exception answer sets the function's top bit.
    if ((answer.bytes[kMbapLength] & 0x80) == 0 &&
        (WritesCoils(function) || WritesRegisters(function))) {
        answer.wrote = true;
        if (WritesCoils(function)) {
            uint16_t word = 0;
            for (int k = 0; k < kMapPoints; ++k) word |= (map_->tab_bits[k] ? 1 : 0) << k;
            map_->tab_registers[0] = word;
        } else {
            for (int k = 0; k < kMapPoints; ++k)
                map_->tab_bits[k] = (map_->tab_registers[0] >> k) & 1;
        }
    }
    return answer;
}

}  // namespace torvex

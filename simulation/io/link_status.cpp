#include "simulation/io/link_status.h"

#include <arpa/inet.h>

namespace torvex {

std::string Endpoint(const std::string& host, int port) {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string LinkText(const LinkStatus& status) {
    std::string text = "Modbus " + Endpoint(status.host, status.port) + " \u2014 ";
    switch (status.state) {
        case LinkState::Closed:
            return text + "closed";
        case LinkState::Connecting:
            return text + "connecting";
        case LinkState::Connected:
            return text + "connected";
        case LinkState::NoAnswer:
            return text + "no answer (retrying)";
        case LinkState::Listening:
            if (status.clients == 0) return text + "no client";
            return text + std::to_string(status.clients) +
                   (status.clients == 1 ? " client" : " clients");
        case LinkState::CannotListen:
            return text + "cannot listen (retrying)";
    }
    return text;
}

bool IsLoopbackAddress(std::string_view address) {
    if (address == "localhost" || address == "::1") return true;
    in_addr v4{};
    const std::string text(address);
    if (::inet_pton(AF_INET, text.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    return false;
}

}  // namespace torvex

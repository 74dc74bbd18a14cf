// torvex-run --realtime: a diagram on the real run thread at its 100 ms period, exchanging
// with a network interface as External Device mode does, or a plant served to an external PLC
// as External PLC mode does; a small soft PLC or plant server without windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "engine/io_interface.h"
#include "engine/plc.h"
#include "simulation/plants/plant.h"

namespace torvex {

// What --io INTERFACE names:
//   modbus-client:HOST[:PORT][,unit=N][,di=A][,coils=B]   (IPv6 hosts in brackets)
//   modbus-server:[ADDRESS:]PORT                           (ADDRESS 127.0.0.1 when left out)
// Null, with what is wrong in `problem`, when the address names none of these.
std::unique_ptr<IoInterface> MakeInterface(const std::string& address, std::string& problem);

// Runs until SIGINT or SIGTERM, until `forMilliseconds` have passed, or until the plant stops
// the run, printing each change of the link's state; Stop then leaves the outputs 0. With a
// plant, the diagram in `plc` is not scanned. The exit status: 0, or 1 when the plant stopped.
int RunRealtime(Plc& plc, Plant* plant, std::unique_ptr<IoInterface> io,
                std::optional<int64_t> forMilliseconds, std::ostream& out, std::ostream& err);

}  // namespace torvex

"""The other side of a Modbus link, written with pymodbus: an implementation that shares no
code with libmodbus, so the wire format is proven against someone else's reading of it.

  pymodbus_peer.py client PORT OUTPUTS   a PLC against TORVEX's server: checks what it reads
                                         (OUTPUTS is the word TORVEX writes), writes the coils
                                         and register 0, prints "ok" or "FAIL what" and exits
  pymodbus_peer.py server INPUTS         a remote I/O device on 127.0.0.1 (port printed as
                                         "port N"): discrete inputs 100-115 hold INPUTS; every
                                         change of coils 200-215 is printed as "coils 0xNNNN"
"""
import asyncio
import logging
import sys

from pymodbus.client import ModbusTcpClient
from pymodbus.datastore import (ModbusSequentialDataBlock, ModbusServerContext,
                                ModbusSlaveContext)
from pymodbus.server.async_io import ModbusTcpServer


def bits(word):
    return [bool(word >> k & 1) for k in range(16)]


def word(values):
    return sum(1 << k for k, on in enumerate(values[:16]) if on)


def client(port, outputs):
    c = ModbusTcpClient("127.0.0.1", port=port, timeout=2)
    if not c.connect():
        return "connect"
    for unit in (0, 1, 17, 255):
        r = c.read_discrete_inputs(0, 16, slave=unit)
        if r.isError() or word(r.bits) != outputs:
            return f"discrete inputs, unit {unit}: {r}"
    r = c.read_input_registers(0, 1, slave=1)
    if r.isError() or r.registers[0] != outputs:
        return f"input register 0: {r}"
    for what, r in (("discrete input 16", c.read_discrete_inputs(16, 1, slave=1)),
                    ("input register 1", c.read_input_registers(1, 1, slave=1)),
                    ("coil 16", c.write_coil(16, True, slave=1))):
        if not r.isError() or getattr(r, "exception_code", None) != 2:
            return f"{what} is outside the map: {r}"
    if c.write_coils(0, bits(0x3C5A), slave=1).isError():
        return "writing the coils"
    r = c.read_holding_registers(0, 1, slave=1)
    if r.isError() or r.registers[0] != 0x3C5A:
        return f"holding register 0 after the coils: {r}"
    if c.write_register(0, 0x0F0F, slave=1).isError():
        return "writing register 0"
    r = c.read_coils(0, 16, slave=1)
    if r.isError() or word(r.bits) != 0x0F0F:
        return f"coils after register 0: {r}"
    c.close()
    return None


async def server(inputs):
    store = ModbusSlaveContext(di=ModbusSequentialDataBlock(100, bits(inputs)),
                               co=ModbusSequentialDataBlock(200, [False] * 16),
                               hr=ModbusSequentialDataBlock(0, [0]),
                               ir=ModbusSequentialDataBlock(0, [0]), zero_mode=True)
    device = ModbusTcpServer(ModbusServerContext(slaves=store, single=True),
                             address=("127.0.0.1", 0))
    asyncio.create_task(device.serve_forever())
    await device.serving
    print("port", device.server.sockets[0].getsockname()[1], flush=True)
    last = None
    for _ in range(3000):  # a minute at most
        coils = word(store.getValues(1, 200, 16))
        if coils != last:
            print(f"coils 0x{coils:04X}", flush=True)
            last = coils
        await asyncio.sleep(0.02)


if __name__ == "__main__":
    logging.disable(logging.CRITICAL)  # a client that leaves is no error here
    if sys.argv[1] == "client":
        problem = client(int(sys.argv[2]), int(sys.argv[3], 0))
        print("ok" if problem is None else "FAIL " + problem, flush=True)
        sys.exit(0 if problem is None else 1)
    asyncio.run(server(int(sys.argv[2], 0)))

// Traces of a run: every scan's memory image, and the figures of the plant in the
// loop, as CSV rows or as a VCD timing chart.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/memory_image.h"
#include "engine/scan_record.h"

namespace torvex {

constexpr int kScanMilliseconds = 100;  // a scan's time in a trace

// One traced signal: a bit, a 16-bit register or a signed 32-bit number.
struct TraceColumn {
    std::string name;     // as the CSV header and the scenario name it ("T1/DN")
    std::string vcdName;  // without the slash, which waveform viewers read as a path ("T1_DN")
    int width;            // 1, 16 or 32
    int64_t (*value)(const MemoryImage&, int number);
    int number;
};

// IP0 ... IP15, OP0 ... OP15, F0 ... F15, R1 ... R4, T1/DN ... T8/DN, T1 ... T8 (elapsed ms),
// C1 ... C8 (count), C1/UP ... C8/UP, C1/DN ... C8/DN.
const std::vector<TraceColumn>& TraceColumns();

class Trace {
public:
    virtual ~Trace() = default;
    // Called after scan `scan`, which ran at `scan` x 100 ms, with the plant's figures in the
    // order of the names the trace was made with.
    virtual void scan(int64_t scan, const MemoryImage& memory,
                      const std::vector<double>& figures = {}) = 0;
    // Called once after the last scan.
    virtual void finish(int64_t /*lastScan*/) {}
};

// `figures` names the plant's figures, traced after the memory image as "plant.NAME".
std::unique_ptr<Trace> MakeCsvTrace(std::ostream& out, std::vector<std::string> figures = {});
// `program` names the writer in the VCD's $version.
std::unique_ptr<Trace> MakeVcdTrace(std::ostream& out, std::vector<std::string> figures = {},
                                    const std::string& program = "torvex-run");

// Every scan `record` holds, oldest first, then finish.
void WriteRecord(const ScanRecord& record, Trace& trace);

// A figure as torvex-run writes it: "12", "12.3".
std::string FigureText(double value);

// "2.1" for scan 21.
std::string ScanTime(int64_t scan);

}  // namespace torvex

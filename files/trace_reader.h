// Reading back a trace that a run wrote, as VCD or CSV, so that its scans can be looked at
// as a timing chart. Columns the chart has no point for (a plant's figures) are passed over.
#pragma once

#include <cstdint>
#include <istream>

#include "engine/scan_record.h"

namespace torvex {

struct TraceReadResult {
    enum Error { None, NotATrace, BadLine, NoScans };
    Error error = None;
    int line = 0;  // where a BadLine is
    bool ok() const { return error == None; }
};

// Replaces what `record` holds with the trace's scans (the last ones when it holds fewer).
// A scan's tick is its time in the trace, in milliseconds.
TraceReadResult ReadTrace(std::istream& in, ScanRecord& record);

}  // namespace torvex

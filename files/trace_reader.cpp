#include "files/trace_reader.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/trace.h"

namespace torvex {

namespace {

// Where a traced column goes in the memory image, by the name the writers give it.
struct Column {
    enum Kind { Skip, Point, Register };
    Kind kind = Skip;
    int number = 0;  // the point, or the register 1 ... 4
};

Column ColumnNamed(std::string name) {
    for (char& ch : name)
        if (ch == '_') ch = '/';
    if (name.size() == 2 && name[0] == 'R' && name[1] >= '1' && name[1] < '1' + kRegisters)
        return {Column::Register, name[1] - '0'};
    const int point = ChartPointFromName(name);
    return point < 0 ? Column{} : Column{Column::Point, point};
}

void Store(MemoryImage& m, const Column& c, int64_t v) {
    if (c.kind == Column::Register) {
        for (int b = 0; b < kPoints; ++b) m.Registers[c.number].Bits[b] = (v >> b) & 1;
        return;
    }
    if (c.kind != Column::Point) return;
    const int p = c.number;
    const bool bit = v != 0;
    if (p < ChartPoint::Output) {
        m.Inputs[p].Image = bit;
    } else if (p < ChartPoint::Flag) {
        m.Outputs[p - ChartPoint::Output].State = bit;
    } else if (p < ChartPoint::RegisterBit) {
        m.Flags[p - ChartPoint::Flag].State = bit;
    } else if (p < ChartPoint::TimerDone) {
        const int i = p - ChartPoint::RegisterBit;
        m.Registers[i / kPoints + 1].Bits[i % kPoints] = bit;
    } else if (p < ChartPoint::CounterDone) {
        m.Timers[p - ChartPoint::TimerDone + 1].DoneImage = bit;
    } else if (p < ChartPoint::CounterUp) {
        m.Counters[p - ChartPoint::CounterDone + 1].DownImage = bit;
    } else if (p < ChartPoint::TimerElapsed) {
        m.Counters[p - ChartPoint::CounterUp + 1].UpImage = bit;
    } else if (p < ChartPoint::CounterCount) {
        m.Timers[p - ChartPoint::TimerElapsed + 1].Elapsed = static_cast<int32_t>(v);
    } else {
        m.Counters[p - ChartPoint::CounterCount + 1].Count = static_cast<int32_t>(v);
    }
}

// Turns the states of the trace's scans into the record's rows. A trace may skip scans in
// which nothing changed; each is the scan before it again.
class Rows {
public:
    explicit Rows(ScanRecord& record) : record_(record) {}

    // The state now stands for scan `scan` on; false when time runs backwards.
    bool at(int64_t scan) {
        if (pending_ >= 0) {
            if (scan < pending_) return false;
            // A gap longer than the record is kept only as far as the record reaches.
            int64_t from = pending_;
            if (scan - from > record_.capacity()) from = scan - record_.capacity();
            for (int64_t s = from; s < scan; ++s) put(s);
        }
        pending_ = scan;
        return true;
    }
    void finish() {
        if (pending_ >= 0) put(pending_);
    }
    MemoryImage state{};

private:
    void put(int64_t scan) {
        record_.record(state, scan, static_cast<uint32_t>(scan * kScanMilliseconds));
    }
    ScanRecord& record_;
    int64_t pending_ = -1;
};

bool Integer(std::string_view text, int64_t& value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

// Times beyond this are not a run's (a million seconds is the longest torvex-run makes).
constexpr double kLatestMilliseconds = 1e13;

TraceReadResult ReadVcd(std::istream& in, ScanRecord& record) {
    std::map<std::string, Column, std::less<>> codes;
    double millisecondsPerUnit = 1;
    Rows rows(record);
    bool body = false;
    bool sawTime = false;
    std::string line;
    int lineNumber = 0;
    std::vector<std::string> words;  // of a header section, up to its $end
    std::string section;
    auto bad = [&] { return TraceReadResult{TraceReadResult::BadLine, lineNumber}; };

    while (std::getline(in, line)) {
        ++lineNumber;
        std::istringstream tokens(line);
        std::string token;
        while (tokens >> token) {
            if (!body) {
                if (section.empty()) {
                    if (token == "$enddefinitions") {
                        section = token;
                    } else if (token.starts_with('$')) {
                        section = token;
                        words.clear();
                    } else {
                        return bad();
                    }
                    continue;
                }
                if (token != "$end") {
                    words.push_back(token);
                    continue;
                }
                if (section == "$var") {
                    // type width code name [range]
                    if (words.size() < 4) return bad();
                    codes[words[2]] = ColumnNamed(words[3]);
                } else if (section == "$timescale") {
                    std::string scale;
                    for (const std::string& w : words) scale += w;
                    const size_t unit = scale.find_first_not_of("0123456789");
                    int64_t count = 0;
                    if (unit == std::string::npos || !Integer(scale.substr(0, unit), count))
                        return bad();
                    const std::string_view u = std::string_view(scale).substr(unit);
                    const double ms = u == "s"    ? 1000
                                      : u == "ms" ? 1
                                      : u == "us" ? 1e-3
                                      : u == "ns" ? 1e-6
                                                  : 0;
                    if (ms == 0 || count <= 0) return bad();
                    millisecondsPerUnit = static_cast<double>(count) * ms;
                } else if (section == "$enddefinitions") {
                    body = true;
                }
                section.clear();
                continue;
            }
            if (token == "$dumpvars" || token == "$end" || token == "$dumpall" ||
                token == "$dumpon" || token == "$dumpoff")
                continue;
            const char kind = token[0];
            if (kind == '#') {
                int64_t time = 0;
                if (!Integer(std::string_view(token).substr(1), time) || time < 0) return bad();
                const double ms = static_cast<double>(time) * millisecondsPerUnit;
                if (ms > kLatestMilliseconds) return bad();
                if (!rows.at(static_cast<int64_t>(ms) / kScanMilliseconds)) return bad();
                sawTime = true;
                continue;
            }
            if (!sawTime) return bad();
            if (kind == '0' || kind == '1' || kind == 'x' || kind == 'X' || kind == 'z' ||
                kind == 'Z') {
                const auto c = codes.find(std::string_view(token).substr(1));
                if (c == codes.end()) return bad();
                Store(rows.state, c->second, kind == '1');
                continue;
            }
            if (kind == 'b' || kind == 'B' || kind == 'r' || kind == 'R') {
                std::string code;
                if (!(tokens >> code)) return bad();
                const auto c = codes.find(code);
                if (c == codes.end()) return bad();
                if (kind == 'r' || kind == 'R') continue;  // a plant's figure
                std::string bits = token.substr(1);
                for (char& ch : bits)
                    if (ch != '1') ch = '0';  // x and z read as off
                if (bits.size() > 32) bits.erase(0, bits.size() - 32);
                int64_t v = 0;
                if (!Integer(bits, v, 2)) return bad();
                // 32-bit columns are signed.
                if (bits.size() == 32) v = static_cast<int32_t>(static_cast<uint32_t>(v));
                Store(rows.state, c->second, v);
                continue;
            }
            return bad();
        }
    }
    if (!body) return {TraceReadResult::NotATrace, lineNumber};
    rows.finish();
    return {};
}

TraceReadResult ReadCsv(std::istream& in, ScanRecord& record) {
    auto split = [](const std::string& line) {
        std::vector<std::string_view> fields;
        size_t start = 0;
        while (true) {
            const size_t comma = line.find(',', start);
            fields.push_back(std::string_view(line).substr(start, comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return fields;
    };
    std::string line;
    if (!std::getline(in, line)) return {TraceReadResult::NotATrace, 1};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.starts_with("t,") && line != "t") return {TraceReadResult::NotATrace, 1};
    std::vector<Column> columns;
    for (std::string_view name : split(line)) columns.push_back(ColumnNamed(std::string(name)));
    Rows rows(record);
    int lineNumber = 1;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string_view> fields = split(line);
        if (fields.size() != columns.size()) return {TraceReadResult::BadLine, lineNumber};
        double seconds = 0;
        const auto [end, error] =
            std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), seconds);
        if (error != std::errc{} || end != fields[0].data() + fields[0].size() ||
            !(seconds >= 0 && seconds * 1000 <= kLatestMilliseconds))
            return {TraceReadResult::BadLine, lineNumber};
        if (!rows.at(std::llround(seconds * 1000) / kScanMilliseconds))
            return {TraceReadResult::BadLine, lineNumber};
        for (size_t i = 1; i < fields.size(); ++i) {
            if (columns[i].kind == Column::Skip) continue;
            int64_t v = 0;
            if (!Integer(fields[i], v)) return {TraceReadResult::BadLine, lineNumber};
            Store(rows.state, columns[i], v);
        }
    }
    rows.finish();
    return {};
}

}  // namespace

TraceReadResult ReadTrace(std::istream& in, ScanRecord& record) {
    record.clear();
    char first = 0;
    while (in.get(first) && std::isspace(static_cast<unsigned char>(first))) {
    }
    if (!in) return {TraceReadResult::NotATrace, 1};
    in.unget();
    TraceReadResult result;
    if (first == '$') {
        result = ReadVcd(in, record);
    } else if (first == 't') {
        result = ReadCsv(in, record);
    } else {
        return {TraceReadResult::NotATrace, 1};
    }
    if (!result.ok()) {
        record.clear();
        return result;
    }
    if (record.empty()) return {TraceReadResult::NoScans, 0};
    record.setStart(0);  // a trace's times count from the start of its run
    return result;
}

}  // namespace torvex

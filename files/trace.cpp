#include "files/trace.h"

#include <charconv>
#include <cmath>

namespace torvex {

namespace {

int64_t Input(const MemoryImage& m, int i) {
    return m.Inputs[i].Image;
}
int64_t Output(const MemoryImage& m, int i) {
    return m.Outputs[i].State;
}
int64_t Flag(const MemoryImage& m, int i) {
    return m.Flags[i].State;
}
int64_t Register(const MemoryImage& m, int r) {
    int64_t bits = 0;
    for (int b = 0; b < kPoints; ++b) bits |= int64_t{m.Registers[r].Bits[b]} << b;
    return bits;
}
int64_t TimerDone(const MemoryImage& m, int t) {
    return m.Timers[t].DoneImage;
}
int64_t TimerElapsed(const MemoryImage& m, int t) {
    return m.Timers[t].Elapsed;
}
int64_t CounterCount(const MemoryImage& m, int c) {
    return m.Counters[c].Count;
}
int64_t CounterUp(const MemoryImage& m, int c) {
    return m.Counters[c].UpImage;
}
int64_t CounterDown(const MemoryImage& m, int c) {
    return m.Counters[c].DownImage;
}

class CsvTrace final : public Trace {
public:
    CsvTrace(std::ostream& out, const std::vector<std::string>& figures) : out_(out) {
        out_ << "t";
        for (const TraceColumn& c : TraceColumns()) out_ << ',' << c.name;
        for (const std::string& f : figures) out_ << ",plant." << f;
        out_ << '\n';
    }
    void scan(int64_t scan, const MemoryImage& memory,
              const std::vector<double>& figures) override {
        out_ << ScanTime(scan);
        for (const TraceColumn& c : TraceColumns()) out_ << ',' << c.value(memory, c.number);
        for (double f : figures) out_ << ',' << FigureText(f);
        out_ << '\n';
    }

private:
    std::ostream& out_;
};

// Identifier codes of VCD: printable characters from '!' on, in as many places as needed.
std::string VcdCode(size_t index) {
    constexpr size_t kSymbols = '~' - '!' + 1;
    std::string code;
    do {
        code += static_cast<char>('!' + index % kSymbols);
        index /= kSymbols;
    } while (index > 0);
    return code;
}

class VcdTrace final : public Trace {
public:
    VcdTrace(std::ostream& out, const std::vector<std::string>& figures, const std::string& program)
        : out_(out) {
        const auto& columns = TraceColumns();
        out_ << "$version " << program << " $end\n$timescale 1ms $end\n$scope module torvex $end\n";
        for (size_t i = 0; i < columns.size(); ++i) {
            const TraceColumn& c = columns[i];
            codes_.push_back(VcdCode(i));
            out_ << "$var " << (c.width == 32 ? "integer" : "wire") << ' ' << c.width << ' '
                 << codes_[i] << ' ' << c.vcdName;
            if (c.width == 16) out_ << " [15:0]";
            out_ << " $end\n";
        }
        // The figures are reals; the dot of "plant.cars" would read as a scope.
        for (size_t i = 0; i < figures.size(); ++i) {
            codes_.push_back(VcdCode(columns.size() + i));
            out_ << "$var real 64 " << codes_.back() << " plant_" << figures[i] << " $end\n";
        }
        out_ << "$upscope $end\n$enddefinitions $end\n";
        last_.assign(columns.size(), 0);
        lastFigures_.assign(figures.size(), 0);
    }

    void scan(int64_t scan, const MemoryImage& memory,
              const std::vector<double>& figures) override {
        const auto& columns = TraceColumns();
        const bool first = !started_;
        bool stamped = false;
        auto stampOnce = [&] {
            if (stamped) return;
            stamp(scan);
            if (first) out_ << "$dumpvars\n";
            stamped = true;
        };
        for (size_t i = 0; i < columns.size(); ++i) {
            const int64_t v = columns[i].value(memory, columns[i].number);
            if (!first && v == last_[i]) continue;
            stampOnce();
            last_[i] = v;
            value(columns[i].width, v, codes_[i]);
        }
        for (size_t i = 0; i < figures.size() && i < lastFigures_.size(); ++i) {
            if (!first && figures[i] == lastFigures_[i]) continue;
            stampOnce();
            lastFigures_[i] = figures[i];
            out_ << 'r' << FigureText(figures[i]) << ' ' << codes_[columns.size() + i] << '\n';
        }
        if (first) out_ << "$end\n";
        started_ = true;
    }

    // The chart runs to the last scan even when nothing changed in it.
    void finish(int64_t lastScan) override {
        if (lastStamped_ != lastScan) stamp(lastScan);
    }

private:
    void stamp(int64_t scan) {
        out_ << '#' << scan * kScanMilliseconds << '\n';
        lastStamped_ = scan;
    }

    void value(int width, int64_t v, const std::string& code) {
        if (width == 1) {
            out_ << (v ? '1' : '0') << code << '\n';
            return;
        }
        out_ << 'b';
        const uint64_t bits = static_cast<uint64_t>(v);
        for (int b = width - 1; b >= 0; --b) out_ << ((bits >> b) & 1 ? '1' : '0');
        out_ << ' ' << code << '\n';
    }

    std::ostream& out_;
    std::vector<std::string> codes_;
    std::vector<int64_t> last_;
    std::vector<double> lastFigures_;
    bool started_ = false;
    int64_t lastStamped_ = -1;
};

}  // namespace

const std::vector<TraceColumn>& TraceColumns() {
    static const std::vector<TraceColumn> columns = [] {
        std::vector<TraceColumn> list;
        auto add = [&](std::string name, int width, int64_t (*value)(const MemoryImage&, int),
                       int number) {
            std::string vcd = name;
            for (char& ch : vcd)
                if (ch == '/') ch = '_';
            list.push_back({std::move(name), std::move(vcd), width, value, number});
        };
        for (int i = 0; i < kPoints; ++i) add("IP" + std::to_string(i), 1, &Input, i);
        for (int i = 0; i < kPoints; ++i) add("OP" + std::to_string(i), 1, &Output, i);
        for (int i = 0; i < kPoints; ++i) add("F" + std::to_string(i), 1, &Flag, i);
        for (int r = 1; r <= kRegisters; ++r) add("R" + std::to_string(r), 16, &Register, r);
        for (int t = 1; t <= kTimers; ++t) add("T" + std::to_string(t) + "/DN", 1, &TimerDone, t);
        for (int t = 1; t <= kTimers; ++t) add("T" + std::to_string(t), 32, &TimerElapsed, t);
        for (int c = 1; c <= kCounters; ++c) add("C" + std::to_string(c), 32, &CounterCount, c);
        for (int c = 1; c <= kCounters; ++c) add("C" + std::to_string(c) + "/UP", 1, &CounterUp, c);
        for (int c = 1; c <= kCounters; ++c)
            add("C" + std::to_string(c) + "/DN", 1, &CounterDown, c);
        return list;
    }();
    return columns;
}

std::unique_ptr<Trace> MakeCsvTrace(std::ostream& out, std::vector<std::string> figures) {
    return std::make_unique<CsvTrace>(out, figures);
}
std::unique_ptr<Trace> MakeVcdTrace(std::ostream& out, std::vector<std::string> figures,
                                    const std::string& program) {
    return std::make_unique<VcdTrace>(out, figures, program);
}

void WriteRecord(const ScanRecord& record, Trace& trace) {
    MemoryImage memory{};
    for (int i = 0; i < record.size(); ++i) {
        record.restore(i, memory);
        trace.scan(record.scan(i), memory);
    }
    if (!record.empty()) trace.finish(record.scan(record.size() - 1));
}

std::string FigureText(double value) {
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return std::to_string(static_cast<int64_t>(value));
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string ScanTime(int64_t scan) {
    return std::to_string(scan / 10) + "." + std::to_string(scan % 10);
}

}  // namespace torvex

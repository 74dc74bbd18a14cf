// The timing chart's costs: recording a scan (on every scan of a run, inside the run thread's
// marshalled call) and painting 32 lanes over a full record of 6,000 scans.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "engine/scan_record.h"
#include "simulation/chart_painter.h"

namespace {

using torvex::ChartPoint;
using torvex::ScanRecord;

void RecordScan(benchmark::State& state) {
    ScanRecord record;
    torvex::MemoryImage m{};
    int32_t k = 0;
    for (auto _ : state) {
        m.Inputs[k % torvex::kPoints].Image ^= true;
        m.Timers[1].Elapsed = k;
        m.ScanTick = k * 100;
        record.record(m);
        benchmark::DoNotOptimize(record.size());
        ++k;
    }
}
BENCHMARK(RecordScan);

// A full record in which the 32 points change often: a busy diagram.
const ScanRecord& BusyRecord() {
    static const ScanRecord record = [] {
        ScanRecord r;
        torvex::MemoryImage m{};
        uint32_t seed = 1;
        for (int s = 0; s < ScanRecord::kRunScans; ++s) {
            for (int i = 0; i < torvex::kPoints; ++i) {
                seed = seed * 1103515245u + 12345u;
                if (seed % 5 == 0) m.Inputs[i].Image ^= true;
                if (seed % 7 == 0) m.Outputs[i].State ^= true;
            }
            m.ScanTick = s * 100;
            r.record(m);
        }
        return r;
    }();
    return record;
}

// Arg: pixels per scan x 100 (17: the whole record in 1,030 pixels; 800: following a run).
void PaintChart(benchmark::State& state) {
    torvex::ChartFrame frame;
    frame.record = &BusyRecord();
    for (int p = 0; p < 32; ++p) frame.lanes.push_back({p, QStringLiteral("IP"), QString()});
    frame.scanWidth = state.range(0) / 100.0;
    const int width = torvex::ChartPainter::kLabelWidth + 1030;
    const int shown = torvex::ChartPainter::scansShown(1030, frame.scanWidth);
    frame.first = std::max(0, frame.record->size() - shown);
    QImage image(width, torvex::ChartPainter::height(32), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        torvex::ChartPainter::paint(p, image.rect(), frame);
    }
}
BENCHMARK(PaintChart)->Arg(17)->Arg(800)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

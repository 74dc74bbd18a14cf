// The timing chart records a real run, scan by scan, and a step run one scan per whole scan;
// what it exports as VCD opens again as the same lanes.

#include <QAbstractButton>
#include <QAction>

#include "engine/plc.h"
#include "engine/run_control.h"
#include "engine/scan_record.h"
#include "simulation/debugger.h"
#include "simulation/timing_chart.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fast_clock.h"

namespace torvex::test {
namespace {

class TimingChartWindow : public MainWindowTest {
protected:
    // Every lane's value in every scan of the chart's record.
    std::vector<std::vector<int32_t>> Lanes() const {
        const TfrmTimingChart* chart = main->timingChart();
        const ScanRecord& r = chart->shownRecord();
        std::vector<std::vector<int32_t>> lanes;
        for (int point : chart->points()) {
            lanes.emplace_back();
            for (int i = 0; i < r.size(); ++i) lanes.back().push_back(r.value(i, point));
        }
        return lanes;
    }
};

TEST_F(TimingChartWindow, RecordsARunAndOpensItsExportAsTheSameLanes) {
    FastClock fast(10);
    clock = &fast;
    Create();
    main->OpenFile(QStringLiteral(TORVEX_SOLUTIONS "/flasher.llg"));
    Trigger("mnuViewTimingChart");
    TfrmTimingChart* chart = main->timingChart();
    ASSERT_NE(chart, nullptr);
    const int lamp = ChartPointFromName("OP0");
    for (const char* name : {"IP0", "OP0", "T1/DN", "T1"})
        chart->addPoint(ChartPointFromName(name));
    const ChartFrame frame = chart->frame();
    ASSERT_EQ(frame.lanes.size(), 4u);
    EXPECT_EQ(frame.lanes[1].label, QStringLiteral("Flashing lamp")) << "the I/O comment";

    main->debugger()->findChild<QAbstractButton*>(QStringLiteral("btnIP0OFF"))->click();
    QTest::mouseClick(Button("btnRun"), Qt::LeftButton);
    Cycles(45);
    QTest::mouseClick(Button("btnStop"), Qt::LeftButton);
    const ScanRecord& run = main->chartRecord();
    EXPECT_EQ(run.size(), static_cast<int>(main->run().cycles()));
    const MemoryImage& m = main->plc().memory;
    EXPECT_EQ(run.value(run.size() - 1, ChartPointFromName("T1")), m.Timers[1].Elapsed);
    int flashes = 0;
    for (int i = 1; i < run.size(); ++i) flashes += run.value(i, lamp) > run.value(i - 1, lamp);
    EXPECT_GE(flashes, 2) << "the lamp flashed in the record";
    EXPECT_EQ(&chart->shownRecord(), &run) << "Stop keeps the record";

    const std::vector<std::vector<int32_t>> recorded = Lanes();
    ASSERT_TRUE(chart->exportTo(File(QStringLiteral("run.vcd"))));
    prompter.files = {File(QStringLiteral("run.vcd"))};
    Trigger("mnuFileOpenTrace");
    ASSERT_TRUE(prompter.shown.empty()) << prompter.lastText().toStdString();
    EXPECT_NE(&chart->shownRecord(), &run);
    EXPECT_EQ(Lanes(), recorded);

    // The next run starts a new record; a Single Step records its scan when the last rung
    // is done, a Single Loop its one scan.
    const struct {
        const char* button;
        int scans;
    } steps[] = {{"btnSingleStep", 0},  {"btnSingleStep", 0}, {"btnSingleStep", 1},
                 {"btnStepDiagram", 2}, {"btnSingleStep", 2}, {"btnStepDiagram", 3}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.button);
        QTest::mouseClick(Button(step.button), Qt::LeftButton);
        EXPECT_EQ(&chart->shownRecord(), &run);
        EXPECT_EQ(run.size(), step.scans);
    }
    EXPECT_EQ(main->plc().guard().violations(), 0);
}

}  // namespace
}  // namespace torvex::test

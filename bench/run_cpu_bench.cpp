// The processor time a continuous run takes: a 50-rung diagram running for ten seconds in
// the real main window with the debugger open, its displays refreshed every cycle; or a
// diagram given on the command line, with the simulation its file names (the plant's window
// and the I/O monitor open). With --chart the timing chart is open too, following the run
// with 32 lanes.
//   build/bench/run_cpu_bench [--chart] [SECONDS [DIAGRAM.llg]]

#include <sys/resource.h>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "files/settings_store.h"
#include "simulation/timing_chart.h"
#include "tests/support/ladder_text.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    QApplication app(argc, argv);
    bool chart = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--chart")
            chart = true;
        else
            args.push_back(argv[i]);
    }
    argc = static_cast<int>(args.size());
    argv = args.data();
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    torvex::test::ScriptedPrompter prompter;
    torvex::SettingsStore settings(dir.filePath(QStringLiteral("Torvex.ini")));
    torvex::TfrmMain::Options options;
    options.prompter = &prompter;
    options.settings = &settings;
    options.programFolder = dir.path();
    torvex::TfrmMain window(options);
    window.resize(1280, 1000);
    window.show();
    if (!QTest::qWaitFor([&] { return window.startUpTicks() >= 2; }, 10000)) return 1;

    torvex::Plc& plc = window.plc();
    const QString diagram = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!diagram.isEmpty()) window.OpenFile(diagram);
    for (int r = 0; diagram.isEmpty() && r < 50; ++r) {
        const std::string n = std::to_string(r % 16);
        torvex::test::SetRung(plc.diagram, r,
                              {torvex::test::Simple({"NOC:IP" + n, "NCC:F" + n, "NOC:OP" + n},
                                                    "OUT:OP" + std::to_string((r + 1) % 16)),
                               "STA NOC:OP" + n + " RET"});
    }
    if (chart) {
        window.findChild<QAction*>(QStringLiteral("mnuViewTimingChart"))->trigger();
        for (int p = 0; p < 32; ++p) window.timingChart()->addPoint(p);
    }
    window.workspace().shell.DiagramChanged = false;
    window.run().btnRunClick();
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
    const double cpu = CpuSeconds() - cpu0;
    const double elapsed = wall.elapsed() / 1000.0;
    window.run().btnStopClick();
    std::printf("continuous run of %s%s: %.3f s of processor time in %.1f s, %.2f %% of one core\n",
                diagram.isEmpty() ? "50 rungs with the debugger open" : qPrintable(diagram),
                chart ? ", timing chart of 32 lanes open" : "", cpu, elapsed,
                100.0 * cpu / elapsed);
    return 0;
}

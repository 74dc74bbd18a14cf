// How long TORVEX takes from process start until its main window is on screen, and how much
// memory it holds once the largest diagram the tables can hold is loaded.
//   build/bench/startup_bench            (offscreen; or under xvfb-run with QT_QPA_PLATFORM=xcb)

#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "engine/plc.h"
#include "files/io_comments.h"
#include "files/ladder_writer.h"
#include "files/settings_store.h"
#include "tests/support/ladder_text.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace {

// Seconds since this process started, from the kernel's record of it.
double SecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat")), uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
    // The fields after the program name's ")" start with field 3; field 22 is the start
    // time in clock ticks since boot.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double start =
        fields.value(22 - 3).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    return uptime.readAll().split(' ').first().toDouble() - start;
}

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

std::string LargestDiagram(const QString& path) {
    auto plc = std::make_unique<torvex::Plc>();
    torvex::IOComments comments;
    plc->ClearDiagram();
    for (int r = 0; r < torvex::kMaxRungs; ++r) {
        torvex::test::SetRung(plc->diagram, r, torvex::test::FullRung(r));
        plc->diagram.Rungs[r].setComment(std::string(210, 'c'));
    }
    for (int i = 0; i < torvex::kPoints; ++i) comments.InputComments[i] = std::string(200, 'i');
    return torvex::SaveLadder(*plc, comments, torvex::DiagramSettings{}, path.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    QApplication app(argc, argv);
    torvex::test::ScriptedPrompter prompter;
    torvex::SettingsStore settings(dir.filePath(QStringLiteral("Torvex.ini")));
    torvex::TfrmMain::Options options;
    options.prompter = &prompter;
    options.settings = &settings;
    options.programFolder = dir.path();
    torvex::TfrmMain window(options);
    window.resize(1280, 1000);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 5000)) {
        std::fprintf(stderr, "the main window was never shown\n");
        return 1;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::printf("main window shown %.0f ms after the process started\n",
                1000 * SecondsSinceProcessStart());
    QElapsedTimer ready;
    ready.start();
    if (!QTest::qWaitFor([&] { return window.startUpTicks() >= 2; }, 10000)) return 1;
    std::printf(
        "rung view and debugger created %lld ms later (the start-up timers' 500 ms included)\n",
        static_cast<long long>(ready.elapsed()));
    std::printf("resident memory after start-up: %ld KiB\n", ResidentKiB());

    const QString largest = dir.filePath(QStringLiteral("largest.llg"));
    if (const std::string error = LargestDiagram(largest); !error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    QElapsedTimer load;
    load.start();
    window.OpenFile(largest);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::printf("largest diagram (1001 full rungs) loaded and drawn in %lld ms\n",
                static_cast<long long>(load.elapsed()));
    std::printf("resident memory with it loaded: %ld KiB\n", ResidentKiB());
    window.workspace().shell.DiagramChanged = false;
    return 0;
}

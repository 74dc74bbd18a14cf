// Redrawing the rung view: five slots of full rungs, as a step command or a scroll does, at
// 100 % and zoomed.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <memory>

#include "editor/rung_view.h"
#include "files/settings_store.h"
#include "tests/support/ladder_text.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace torvex {
namespace {

// Contacts in every condition column of all four rows, joined before four outputs.
void FullRungs(Plc& plc, int count) {
    for (int r = 0; r < count; ++r) {
        test::SetRung(plc.diagram, r, test::FullRung(r));
    }
}

void BM_RedrawFiveSlots(benchmark::State& state) {
    QTemporaryDir dir;
    auto plc = std::make_unique<Plc>();
    test::ScriptedPrompter prompter;
    SettingsStore settings(dir.filePath(QStringLiteral("Torvex.ini")));
    Workspace ws(*plc, prompter, settings);
    QMdiArea area;
    area.resize(1600, 1000);
    auto* view = new TfrmRungs(ws, 900);
    area.addSubWindow(view);
    area.show();
    view->show();
    FullRungs(*plc, 20);
    plc->StartRun();
    view->setZoom(static_cast<int>(state.range(1)));
    view->resize(view->width(), 5 * 128 * view->zoom() / 100 + 60);
    view->VisibilityCheck();
    bool live = state.range(0) != 0;
    for (auto _ : state) {
        // A live redraw shows the power of a scan: one is made (outside the timing) first.
        if (live) {
            state.PauseTiming();
            plc->RunStep();
            state.ResumeTiming();
        }
        view->DisplayRungs(live ? RungDraw::Live | RungDraw::ClearLit : RungDraw::ClearLit);
    }
    state.counters["slots"] = view->SlotsShown();
}
BENCHMARK(BM_RedrawFiveSlots)
    ->ArgsProduct({{0, 1}, {100, 300}})
    ->ArgNames({"live", "zoom"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvex

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

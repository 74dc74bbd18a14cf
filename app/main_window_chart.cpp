// The timing chart's commands: View > Timing Chart, File > Open Trace, and a point sent from
// a contact's menu in the rungs.

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>

#include "app/main_window.h"
#include "simulation/timing_chart.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

void TfrmMain::buildChartActions() {
    mnuViewTimingChart_ = new QAction(tr("&Timing Chart"), this);
    mnuViewTimingChart_->setObjectName(QStringLiteral("mnuViewTimingChart"));
    mnuViewTimingChart_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(mnuViewTimingChart_, &QAction::triggered, this, &TfrmMain::mnuViewTimingChartClick);
    mnuFileOpenTrace_ = new QAction(tr("Open &Trace..."), this);
    mnuFileOpenTrace_->setObjectName(QStringLiteral("mnuFileOpenTrace"));
    connect(mnuFileOpenTrace_, &QAction::triggered, this, &TfrmMain::mnuFileOpenTraceClick);
}

TfrmTimingChart* TfrmMain::timingChart() const {
    return chart_;
}

void TfrmMain::mnuViewTimingChartClick() {
    if (!chart_) {
        chart_ = new TfrmTimingChart(*ws_, chartRecord_);
        mdiArea_->addSubWindow(chart_);
    }
    chart_->show();
    mdiArea_->setActiveSubWindow(chart_);
}

void TfrmMain::mnuFileOpenTraceClick() {
    if (RunInProgress()) return;
    Prompter::FileRequest request;
    request.title = tr("Open Trace");
    request.folder = diagramFolder();
    request.filter = tr("Traces (*.vcd *.csv);;All files (*)");
    const QString file = prompter_->openFileName(this, request);
    if (file.isEmpty()) return;
    mnuViewTimingChartClick();
    chart_->openTrace(file);
}

void TfrmMain::addToTimingChart(int point) {
    mnuViewTimingChartClick();
    chart_->addPoint(point);
}

}  // namespace torvex

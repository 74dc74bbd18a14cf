// The View menu (zoom and names on the rungs) and the program's display size.

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>

#include "app/main_window.h"
#include "editor/rung_view.h"
#include "files/settings_store.h"
#include "simulation/debugger.h"
#include "simulation/io_monitor.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

void TfrmMain::buildViewActions() {
    auto command = [this](const char* name, const QString& caption) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuViewZoomIn_ = command("mnuViewZoomIn", tr("Zoom &In"));
    // Ctrl++ is Ctrl+Shift+= on most keyboards; Ctrl+= zooms in as well.
    mnuViewZoomIn_->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    mnuViewZoomOut_ = command("mnuViewZoomOut", tr("Zoom &Out"));
    mnuViewZoomOut_->setShortcut(QKeySequence::ZoomOut);
    mnuViewActualSize_ = command("mnuViewActualSize", tr("&Actual Size"));
    mnuViewActualSize_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    mnuViewFitWidth_ = command("mnuViewFitWidth", tr("Fit &Width"));
    mnuViewShowNames_ = command("mnuViewShowNames", tr("Show I/O &Names"));
    mnuViewShowNames_->setCheckable(true);

    connect(mnuViewZoomIn_, &QAction::triggered, this, [this] {
        if (rungs_) rungs_->zoomIn();
    });
    connect(mnuViewZoomOut_, &QAction::triggered, this, [this] {
        if (rungs_) rungs_->zoomOut();
    });
    connect(mnuViewActualSize_, &QAction::triggered, this, [this] {
        if (rungs_) rungs_->setZoom(100);
    });
    connect(mnuViewFitWidth_, &QAction::triggered, this, &TfrmMain::mnuViewFitWidthClick);
    connect(mnuViewShowNames_, &QAction::toggled, this, [this](bool shown) {
        if (rungs_) rungs_->setNamesShown(shown);
    });

    displaySizes_ = new QActionGroup(this);
    displaySizes_->setObjectName(QStringLiteral("displaySizes"));
    const int current = settings_->displaySize();
    for (int percent : SettingsStore::kDisplaySizes) {
        QAction* size = command("", QStringLiteral("%1 %").arg(percent));
        size->setObjectName(QStringLiteral("mnuSetupDisplaySize%1").arg(percent));
        size->setCheckable(true);
        size->setChecked(percent == current);
        displaySizes_->addAction(size);
        connect(size, &QAction::triggered, this,
                [this, percent] { mnuSetupDisplaySizeClick(percent); });
    }
}

void TfrmMain::mnuViewFitWidthClick() {
    if (!rungs_) return;
    const int width = mdiArea_->viewport()->width();
    rungs_->setZoom(rungs_->fitWidthZoom(width));
    rungs_->move(0, rungs_->y());
}

void TfrmMain::mnuSetupDisplaySizeClick(int percent) {
    if (percent == settings_->displaySize()) return;
    settings_->writeDisplaySize(percent);
    prompter_->inform(this, tr("The display size will change the next time you start TORVEX."));
}

void TfrmMain::ioCommentsChanged() {
    if (rungs_) rungs_->redrawAll();
    if (debugger_) debugger_->refreshNames();
    if (monitor_) monitor_->refreshNames();
}

}  // namespace torvex

#include "app/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/about_form.h"
#include "app/clickable_label.h"
#include "app/help_window.h"
#include "app/information_form.h"
#include "app/intro_form.h"
#include "app/main_run_host.h"
#include "app/maker.h"
#include "app/palette_button.h"
#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "files/settings_store.h"
#include "simulation/debugger.h"
#include "simulation/io_monitor.h"
#include "simulation/modbus_dialogs.h"
#include "simulation/preferences_dialog.h"
#include "simulation/simulation_window.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

constexpr int kBarHeight = 30;
constexpr int kInfoBarHeight = 17;

}  // namespace

TfrmMain::TfrmMain(const Options& options, QWidget* parent)
    : QMainWindow(parent),
      prompter_(options.prompter),
      programFolder_(options.programFolder),
      openAtStart_(options.openAtStart),
      logicalDpi_(options.logicalDpi) {
    plants_ = options.plants ? *options.plants : StandardPlants();
    setObjectName(QStringLiteral("frmMain"));
    if (options.settings) {
        settings_ = options.settings;
    } else {
        ownSettings_ = std::make_unique<SettingsStore>();
        settings_ = ownSettings_.get();
    }
    plc_ =
        options.tickSource ? std::make_unique<Plc>(*options.tickSource) : std::make_unique<Plc>();
    ws_ = std::make_unique<Workspace>(*plc_, *prompter_, *settings_);
    ws_->shell.FinnishTexts = options.finnishTexts;
    // Nothing of an earlier diagram: every rung record cleared, no timer or counter in use.
    plc_->ClearDiagram();
    host_ = std::make_unique<Host>(*this);
    run_ = options.cycleClock ? std::make_unique<RunControl>(*plc_, *host_, interfaces_, forced_,
                                                             *options.cycleClock)
                              : std::make_unique<RunControl>(*plc_, *host_, interfaces_, forced_);
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("TORVEX"));
    setWindowIcon(GlyphIcon(Glyph::Application));
    resize(820, 622);
    move(193, 109);

    buildActions();
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlToolbar_ = new QWidget(central);
    pnlToolbar_->setObjectName(QStringLiteral("pnlToolbar"));
    pnlToolbar_->setFixedHeight(kBarHeight);
    column->addWidget(pnlToolbar_);
    buildToolbar();

    pnlSimulations_ = new QWidget(central);
    pnlSimulations_->setObjectName(QStringLiteral("pnlSimulations"));
    pnlSimulations_->setFixedHeight(kBarHeight);
    column->addWidget(pnlSimulations_);
    buildPalette();

    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(QColor(128, 128, 128));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(mdiArea_, 1);

    pnlInfoBar_ = new QLabel(central);
    pnlInfoBar_->setObjectName(QStringLiteral("pnlInfoBar"));
    pnlInfoBar_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlInfoBar_->setLineWidth(1);
    pnlInfoBar_->setFixedHeight(kInfoBarHeight);
    pnlInfoBar_->setIndent(4);
    column->addWidget(pnlInfoBar_);
    setCentralWidget(central);

    buildMenus();

    connect(mnuFileNewDiagram_, &QAction::triggered, this, &TfrmMain::mnuFileNewDiagramClick);
    connect(mnuFileOpenDiagram_, &QAction::triggered, this, &TfrmMain::mnuFileOpenDiagramClick);
    connect(mnuFileSaveDiagram_, &QAction::triggered, this, [this] { SaveDiagram(); });
    connect(mnuFileSaveDiagramAs_, &QAction::triggered, this, [this] { SaveDiagramAs(); });
    connect(mnuFilePrintDiagram_, &QAction::triggered, this, &TfrmMain::mnuFilePrintDiagramClick);
    connect(mnuFileExit_, &QAction::triggered, this, &QWidget::close);
    for (int n = 1; n <= RecentFiles::kCount; ++n)
        connect(mnuFileRecent_[n - 1], &QAction::triggered, this,
                [this, n] { mnuFileRecentClick(n); });

    connect(actRun_, &QAction::triggered, this, [this] { run_->btnRunClick(); });
    connect(actSingleLoop_, &QAction::triggered, this, [this] { run_->btnStepDiagramClick(); });
    connect(actSingleStep_, &QAction::triggered, this, [this] { run_->btnSingleStepClick(); });
    connect(actPause_, &QAction::triggered, this, [this] { run_->btnPauseClick(); });
    connect(actStop_, &QAction::triggered, this, [this] { run_->btnStopClick(); });
    connect(actCloseSimulation_, &QAction::triggered, this, &TfrmMain::mnuControlDebuggerClick);

    connect(mnuSetupConfigureIO_, &QAction::triggered, this, &TfrmMain::mnuSetupConfigureIOClick);
    connect(mnuSetupRestoreScreenLayoutToDefault_, &QAction::triggered, this,
            &TfrmMain::mnuSetupRestoreScreenLayoutToDefaultClick);
    connect(mnuControlDebugger_, &QAction::triggered, this, &TfrmMain::mnuControlDebuggerClick);
    connect(mnuControlExternalDevice_, &QAction::triggered, this,
            &TfrmMain::mnuControlExternalDeviceClick);
    for (int k = 1; k <= 4; ++k) {
        connect(mnuSimulationsSimulation_[k - 1], &QAction::triggered, this,
                [this, k] { mnuSimulationsSimulationClick(k); });
        connect(mnuControlInternalSimulationSimulation_[k - 1], &QAction::triggered, this,
                [this, k] { mnuSimulationsSimulationClick(k); });
        connect(mnuControlExternalPLCSimulation_[k - 1], &QAction::triggered, this,
                [this, k] { mnuControlExternalPLCSimulationClick(k); });
    }
    // A click on a mode marks it at once; the mark follows the mode the command settles on.
    connect(modes_, &QActionGroup::triggered, this, [this] { updateActions(); });
    connect(mnuHelpContents_, &QAction::triggered, this, &TfrmMain::mnuHelpContentsClick);
    connect(mnuHelpContactDetails_, &QAction::triggered, this,
            &TfrmMain::mnuHelpContactDetailsClick);
    connect(mnuHelpAboutTORVEX_, &QAction::triggered, this, &TfrmMain::mnuHelpAboutTORVEXClick);
    connect(mnuQuendale_, &QAction::triggered, this, &TfrmMain::mnuQuendaleClick);

    // Hints of the tool bars are switched off during runs.
    for (QToolButton* b : pnlToolbar_->findChildren<QToolButton*>()) b->installEventFilter(this);
    for (QToolButton* b : pnlSimulations_->findChildren<QToolButton*>())
        b->installEventFilter(this);

    settings_->loadRecentFiles(recent_);
    refreshRecentMenu();
    updateActions();

    // The start-up continues from the event loop: first the intro form, then the windows.
    tmrIntro_.setInterval(1);
    connect(&tmrIntro_, &QTimer::timeout, this, &TfrmMain::tmrIntroTimer);
    tmrIntro_.start();

    // A link changes by itself: it is looked at twice a second.
    tmrLink_.setInterval(500);
    connect(&tmrLink_, &QTimer::timeout, this, &TfrmMain::refreshLink);
    tmrLink_.start();
}

TfrmMain::~TfrmMain() {
    // The run control ends a thread still running while the windows it calls exist.
    run_.reset();
    // Every window and the rung editor point into the shared data held below: they go first,
    // while it is still there.
    delete editor_;
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        windows.append(w);
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

TfrmRungs* TfrmMain::rungView() const {
    return rungs_;
}
TfrmDebugger* TfrmMain::debugger() const {
    return debugger_;
}
TfrmSimulation* TfrmMain::simulation() const {
    return simulation_;
}
TfrmSimulator* TfrmMain::monitor() const {
    return monitor_;
}
TfrmPreferences* TfrmMain::preferences() const {
    return preferences_;
}
TfrmIntro* TfrmMain::intro() const {
    return intro_;
}
TfrmAbout* TfrmMain::about() const {
    return about_;
}
HelpWindow* TfrmMain::help() const {
    return help_;
}

bool TfrmMain::RunInProgress() const {
    return run_->RunInProgress();
}

QString TfrmMain::statusText() const {
    return pnlStatus_->text();
}

void TfrmMain::letPendingEventsRun(int rounds) {
    for (int i = 0; i < rounds; ++i)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmMain::placeStatusPanel() {
    pnlStatus_->move(pnlToolbar_->width() - pnlStatus_->width() - 8, pnlStatus_->y());
    // From the last tool button to the status panel.
    const int left = 425;
    lblLink_->setGeometry(left, pnlStatus_->y(), std::max(0, pnlStatus_->x() - 8 - left),
                          pnlStatus_->height());
    refreshLink();
}

void TfrmMain::refreshLink() {
    IoInterface* current = interfaces_.at(interfaces_.CurrentInterface());
    const auto* link = dynamic_cast<const LinkReport*>(current);
    const bool external =
        mode_ == ControlMenuMode::ExternalDevice || mode_ == ControlMenuMode::ExternalPLC;
    lblLink_->setVisible(external && link);
    if (!external || !link) return;
    const LinkStatus status = link->linkStatus();
    const QString text = LinkCaption::text(status);
    lblLink_->setText(lblLink_->fontMetrics().elidedText(text, Qt::ElideMiddle, lblLink_->width()));
    const bool server = dynamic_cast<const ModbusServerInterface*>(current) != nullptr;
    lblLink_->setToolTip(text + QLatin1Char('\n') + LinkCaption::toolTip(status, server));
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (pnlStatus_->isVisible()) placeStatusPanel();
}

// ---- what is enabled -------------------------------------------------------------------

void TfrmMain::updateActions() {
    const bool editable = !editorLocked_;
    for (QAction* a :
         {mnuFileNewDiagram_, mnuFileOpenDiagram_, edit_.addRung, edit_.insertRung,
          edit_.deleteRung, edit_.addBranch, edit_.deleteBranch, edit_.editControl,
          edit_.deleteControl, edit_.cutRung, edit_.copyRung, edit_.pasteRung, mnuControlDebugger_,
          mnuControlInternalSimulation_, mnuControlExternalDevice_, mnuControlExternalPLC_,
          mnuSetupConfigureIO_, mnuSetupRestoreScreenLayoutToDefault_})
        a->setEnabled(editable);
    for (QAction* a : mnuFileRecent_) a->setEnabled(editable);
    mnuFileOpenTrace_->setEnabled(editable);
    edit_.undo->setEnabled(editable && editor_ && editor_->undoStack().canUndo());
    edit_.redo->setEnabled(editable && editor_ && editor_->undoStack().canRedo());
    edit_.showComments->setEnabled(editable && commentItemsEnabled_);
    edit_.hideComments->setEnabled(editable && commentItemsEnabled_);
    for (size_t k = 0; k < mnuSimulationsSimulation_.size(); ++k) {
        // Entries 5 ... 8 stand for simulations this program does not contain.
        const bool exists = k < 4;
        mnuSimulationsSimulation_[k]->setEnabled(exists && editable);
        mnuControlInternalSimulationSimulation_[k]->setEnabled(exists);
    }
    actRun_->setEnabled(runButtonEnabled_);
    // Stepping works from the debugger's inputs only.
    const bool stepping = mode_ == ControlMenuMode::Debugger;
    for (QAction* a : {actSingleLoop_, actSingleStep_, actPause_}) a->setEnabled(stepping);

    mnuControlDebugger_->setChecked(mode_ == ControlMenuMode::Debugger);
    mnuControlInternalSimulation_->setChecked(mode_ == ControlMenuMode::InternalSimulation);
    mnuControlExternalDevice_->setChecked(mode_ == ControlMenuMode::ExternalDevice);
    mnuControlExternalPLC_->setChecked(mode_ == ControlMenuMode::ExternalPLC);
    // A run's start and end open and close the link.
    refreshLink();
}

void TfrmMain::lockEditor() {
    editorLocked_ = true;
    if (rungs_) {
        rungs_->PopupMenus(false);  // they come back with the next hover
        rungs_->setLocked(true);
    }
    updateActions();
    for (PaletteButton* b : palette_) b->setShowsDisabled(true);
    selectPaletteTool(kToolPointer);
    hintsOn_ = false;
}

void TfrmMain::unlockEditor() {
    editorLocked_ = false;
    if (rungs_) rungs_->setLocked(false);
    updateActions();
    for (PaletteButton* b : palette_) b->setShowsDisabled(false);
    selectPaletteTool(kToolPointer);
    hintsOn_ = true;
}

// ---- start-up and exit -------------------------------------------------------------------

void TfrmMain::tmrIntroTimer() {
    ++introTicks_;
    tmrIntro_.stop();
    if (introTicks_ == 1) {
        TfrmIntro::Hooks hooks;
        hooks.initialise = [this] {
            // The interface table: the null interface, current and open, then the Modbus
            // client and server; the one chosen last time is current again.
            interfaces_.RegisterInterfaces(ModbusInterfaces(*settings_));
            const int stored = settings_->readInterface();
            if (stored > 0 && stored < interfaces_.InterfaceCount()) interfaces_.Select(stored);
        };
        hooks.continueStartUp = [this] { tmrIntro_.start(); };
        hooks.useLargeLogo = [this] {
            logo_->setPixmap(QPixmap(QStringLiteral(":/pictures/menu-logo-large.png")));
        };
        hooks.closed = [this] { introOpen_ = false; };
        intro_ = new TfrmIntro(hooks, logicalDpi_, this);
        ws_->shell.LargeFonts = intro_->LargeFonts();
        // The intro shows only over a visible main window.
        if (isVisible()) intro_->show();
        mnuQuendale_->setVisible(true);
        tmrIntro_.setInterval(250);
        placeStatusPanel();
        pnlStatus_->show();
    } else if (introTicks_ == 2) {
        createWindows();
        mnuQuendale_->setVisible(true);
        emit startUpFinished();
    }
}

void TfrmMain::createWindows() {
    const int lessBars =
        height() - pnlToolbar_->height() - pnlSimulations_->height() - pnlInfoBar_->height();
    rungs_ = new TfrmRungs(*ws_, lessBars);
    mdiArea_->addSubWindow(rungs_);
    editor_ = new RungEditor(
        *ws_, *rungs_, edit_, [this] { return RunInProgress(); }, this);
    connect(editor_, &RungEditor::prompt, this, &TfrmMain::prompt);
    connect(editor_, &RungEditor::controlDialogWanted, this, &TfrmMain::openControlDialog);
    connect(editor_, &RungEditor::controlCommentsWanted, this, &TfrmMain::openControlComments);
    connect(editor_, &RungEditor::diagramEdited, this, &TfrmMain::refreshCaption);
    connect(editor_, &RungEditor::presetsChanged, this, [this] {
        if (debugger_) debugger_->UpdateDisplay(false);
    });
    connect(rungs_, &TfrmRungs::commentEdited, this, [this] { setDiagramChanged(true); });
    connect(editor_, &RungEditor::ioCommentsChanged, this, &TfrmMain::ioCommentsChanged);
    connect(rungs_, &TfrmRungs::chartPointWanted, this, &TfrmMain::addToTimingChart);
    connect(&editor_->undoStack(), &QUndoStack::canUndoChanged, this, &TfrmMain::updateActions);
    connect(&editor_->undoStack(), &QUndoStack::canRedoChanged, this, &TfrmMain::updateActions);
    updateActions();
    {
        const QSignalBlocker quiet(mnuViewShowNames_);
        mnuViewShowNames_->setChecked(rungs_->namesShown());
    }
    rungs_->show();
    mnuControlDebuggerClick();
    if (!openAtStart_.isEmpty()) OpenFile(std::exchange(openAtStart_, QString()));
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    if (RunInProgress()) {
        run_->btnStopClick();
        letPendingEventsRun(3);
    }
    // Unsaved work is not thrown away without asking.
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    exiting_ = true;
    ExitProgram();
    event->accept();
}

void TfrmMain::ExitProgram() {
    if (ws_->shell.SimulationOpen) {
        CloseSimulation();
        letPendingEventsRun();
    }
    if (preferences_) preferences_->close();
    if (intro_) intro_->close();
    if (about_) about_->close();
    if (help_) help_->close();
    if (rungs_) rungs_->close();
    if (restoreLayoutAtExit_) settings_->resetWindowPlaces();
    settings_->saveRecentFiles(recent_);
    settings_->writeRunningFalse();
    settings_->sync();
}

// ---- the shell's own commands ----------------------------------------------------------

void TfrmMain::mnuHelpAboutTORVEXClick() {
    if (ws_->editor.ControlDialogOpen) return;
    if (about_) {
        about_->raise();
        return;
    }
    about_ = new TfrmAbout(
        ws_->shell.LargeFonts, [this](const QString& a) { InternetLink(a); },
        [this] { aboutOpen_ = false; }, this);
    aboutOpen_ = true;
    about_->show();
}

void TfrmMain::mnuHelpContactDetailsClick() {
    if (ws_->editor.ControlDialogOpen) return;
    auto* form = new TfrmInformation([this](const QString& a) { InternetLink(a); }, this);
    form->show();
}

void TfrmMain::mnuHelpContentsClick() {
    if (!help_) help_ = new HelpWindow(this, ws_->shell.FinnishTexts);
    help_->showContents();
}

void TfrmMain::mnuSetupRestoreScreenLayoutToDefaultClick() {
    if (ws_->editor.ControlDialogOpen) return;
    restoreLayoutAtExit_ = true;
    prompter_->inform(this, tr("Window positions will be reset.\r\nPlease note this will not take "
                               "effect until the next time you run TORVEX."));
}

void TfrmMain::mnuQuendaleClick() {
    InternetLink(QString::fromLatin1(kMakerWebAddress));
}

void TfrmMain::InternetLink(const QString& address) {
    if (ws_->editor.ControlDialogOpen) return;
    // A "mailto: name@host" hint carries a blank after the colon.
    QString target = address;
    if (target.startsWith(QStringLiteral("mailto:")))
        target = QStringLiteral("mailto:") + target.mid(7).trimmed();
    emit linkOpened(target);
    QDesktopServices::openUrl(QUrl(target));
}

void TfrmMain::prompt(const QString& text) {
    pnlInfoBar_->setText(text);
}

QString TfrmMain::examplesFolder() const {
    const QDir program(programFolder_);
    const QString beside = program.filePath(QStringLiteral("Solutions"));
    if (QFileInfo(beside).isDir()) return beside;
    return program.filePath(QStringLiteral("../share/torvex/Solutions"));
}

// ---- the palette -------------------------------------------------------------------------

void TfrmMain::selectPaletteTool(int tool) {
    for (int t = 0; t < kToolCount; ++t) palette_[t]->setDown(t == tool);
    ws_->editor.PaletteTool = tool;
    if (editor_) editor_->showPlacingGrid();
}

void TfrmMain::paletteMouseDown(int tool) {
    if (RunInProgress() || ws_->editor.ControlDialogOpen) return;
    selectPaletteTool(tool);
    if (tool == kToolPointer || !paletteDrags_) return;
    // Tools 1 ... 9 are dragged at once; the drag shows the tool's cursor.
    auto* drag = new QDrag(palette_[tool]);
    auto* data = new QMimeData;
    data->setData(PaletteMimeType(), QByteArray::number(tool));
    drag->setMimeData(data);
    drag->setPixmap(PaletteImage(tool, ButtonLook::Down, devicePixelRatioF()));
    const QCursor cursor = ToolCursor(tool, devicePixelRatioF());
    drag->setDragCursor(cursor.pixmap(), Qt::CopyAction);
    drag->setDragCursor(cursor.pixmap(), Qt::MoveAction);
    drag->exec(Qt::CopyAction);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}
void TfrmMain::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}
void TfrmMain::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    // Hints are off while a run locks the editor.
    if (event->type() == QEvent::ToolTip && !hintsOn_) return true;
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace torvex

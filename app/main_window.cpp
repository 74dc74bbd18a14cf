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
#include <optional>

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
#include "simulation/preferences_dialog.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

constexpr int kBarHeight = 30;
constexpr int kInfoBarHeight = 17;

QToolButton* SpeedButton(QWidget* parent, const char* name, int left, const QString& hint,
                         std::optional<Glyph> glyph = std::nullopt) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 3, 25, 24);
    b->setToolTip(hint);
    b->setIconSize(QSize(18, 18));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    if (glyph) b->setIcon(GlyphIcon(*glyph));
    return b;
}

QAction* Item(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QLabel* LoweredPanel(QWidget* parent, const char* name) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    return panel;
}

}  // namespace

TfrmMain::TfrmMain(const Options& options, QWidget* parent)
    : QMainWindow(parent),
      prompter_(options.prompter),
      programFolder_(options.programFolder),
      openAtStart_(options.openAtStart),
      logicalDpi_(options.logicalDpi) {
    setObjectName(QStringLiteral("frmMain"));
    if (options.settings) {
        settings_ = options.settings;
    } else {
        ownSettings_ = std::make_unique<SettingsStore>();
        settings_ = ownSettings_.get();
    }
    plc_ = std::make_unique<Plc>();
    ws_ = std::make_unique<Workspace>(*plc_, *prompter_, *settings_);
    ws_->shell.FinnishTexts = options.finnishTexts;
    // Nothing of an earlier diagram: every rung record cleared, no timer or counter in use.
    plc_->ClearDiagram();
    host_ = std::make_unique<MainRunHost>(*this);
    run_ = std::make_unique<RunControl>(*plc_, *host_, interfaces_, forced_);
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("TORVEX"));
    setWindowIcon(GlyphIcon(Glyph::Application));
    resize(820, 622);
    move(193, 109);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlToolbar = new QWidget(central);
    pnlToolbar->setObjectName(QStringLiteral("pnlToolbar"));
    pnlToolbar->setFixedHeight(kBarHeight);
    column->addWidget(pnlToolbar);
    buildToolbar();

    pnlSimulations = new QWidget(central);
    pnlSimulations->setObjectName(QStringLiteral("pnlSimulations"));
    pnlSimulations->setFixedHeight(kBarHeight);
    column->addWidget(pnlSimulations);
    buildPalette();

    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(QColor(128, 128, 128));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(mdiArea, 1);

    pnlInfoBar = LoweredPanel(central, "pnlInfoBar");
    pnlInfoBar->setFixedHeight(kInfoBarHeight);
    pnlInfoBar->setIndent(4);
    column->addWidget(pnlInfoBar);
    setCentralWidget(central);

    buildMenus();
    connectCommands();

    settings_->loadRecentFiles(recent_);
    refreshRecentMenu();
    // The open and save dialogs start in the examples folder.
    openFolder_ = saveFolder_ = examplesFolder();

    // The start-up continues from the event loop: first the intro form, then the windows.
    tmrIntro.setInterval(1);
    connect(&tmrIntro, &QTimer::timeout, this, &TfrmMain::tmrIntroTimer);
    tmrIntro.start();
    tmrTrip.setSingleShot(true);
    tmrTrip.setInterval(15000);
}

TfrmMain::~TfrmMain() {
    // The run control ends a thread still running before the windows it calls go.
    run_.reset();
}

Plc& TfrmMain::plc() {
    return *plc_;
}
TfrmRungs* TfrmMain::rungView() const {
    return rungs_;
}
TfrmDebugger* TfrmMain::debugger() const {
    return debugger_;
}
TfrmPreferences* TfrmMain::preferences() const {
    return preferences_;
}
bool TfrmMain::RunInProgress() const {
    return run_->RunInProgress();
}
bool TfrmMain::FinnishTexts() const {
    return ws_->shell.FinnishTexts;
}
bool TfrmMain::LargeFonts() const {
    return ws_->shell.LargeFonts;
}

ControlMenuMode TfrmMain::controlMode() const {
    if (mnuControlExternalPLC->isChecked()) return ControlMenuMode::ExternalPLC;
    if (mnuControlExternalDevice->isChecked()) return ControlMenuMode::ExternalDevice;
    if (mnuControlInternalSimulation->isChecked()) return ControlMenuMode::InternalSimulation;
    return ControlMenuMode::Debugger;
}

void TfrmMain::buildToolbar() {
    btnNew = SpeedButton(pnlToolbar, "btnNew", 8, tr("New Diagram"), Glyph::New);
    btnOpen = SpeedButton(pnlToolbar, "btnOpen", 33, tr("Open Diagram"), Glyph::Open);
    btnSave = SpeedButton(pnlToolbar, "btnSave", 58, QString(), Glyph::Save);
    btnPrint = SpeedButton(pnlToolbar, "btnPrint", 83, QString(), Glyph::Print);
    btnSetup = SpeedButton(pnlToolbar, "btnSetup", 107, tr("Configure I/O..."));
    btnSetup->setText(QStringLiteral("I/O"));
    btnSetup->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont small = btnSetup->font();
    small.setPixelSize(10);
    small.setBold(true);
    btnSetup->setFont(small);
    btnHelp = SpeedButton(pnlToolbar, "btnHelp", 132, tr("Help"), Glyph::Help);
    btnRun = SpeedButton(pnlToolbar, "btnRun", 268, tr("Run Diagram"), Glyph::Run);
    btnStepDiagram =
        SpeedButton(pnlToolbar, "btnStepDiagram", 293, tr("Single Loop"), Glyph::SingleLoop);
    btnSingleStep =
        SpeedButton(pnlToolbar, "btnSingleStep", 318, tr("Single Step"), Glyph::SingleStep);
    btnPause = SpeedButton(pnlToolbar, "btnPause", 343, tr("Pause Run"), Glyph::Pause);
    btnStop = SpeedButton(pnlToolbar, "btnStop", 368, tr("Stop Diagram"), Glyph::Stop);
    btnClose =
        SpeedButton(pnlToolbar, "btnClose", 393, tr("Close Simulation"), Glyph::CloseSimulation);

    pnlStatus = new QLabel(QStringLiteral("Stopped"), pnlToolbar);
    pnlStatus->setObjectName(QStringLiteral("pnlStatus"));
    pnlStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlStatus->setAlignment(Qt::AlignCenter);
    pnlStatus->setAutoFillBackground(true);
    QPalette white = pnlStatus->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    pnlStatus->setPalette(white);
    pnlStatus->setGeometry(0, 3, 169, 25);
    pnlStatus->hide();  // placed and shown by the first start-up tick

    connect(btnHelp, &QToolButton::clicked, this, &TfrmMain::mnuHelpContentsClick);
    connect(btnSetup, &QToolButton::clicked, this, [this] { mnuSetupConfigureIO->trigger(); });
}

void TfrmMain::buildPalette() {
    const QString hints[kToolCount] = {tr("Pointer"),
                                       tr("Normally Open Contact"),
                                       tr("Normally Closed Contact"),
                                       tr("Output"),
                                       tr("Reset"),
                                       tr("Latch Output"),
                                       tr("Unlatch Output"),
                                       tr("Timer"),
                                       tr("Counter"),
                                       tr("Bit Shift")};
    static const char* const names[kToolCount] = {"btnArrow", "btnNOC", "btnNCC", "btnOP",
                                                  "btnRES",   "btnLAT", "btnUNL", "btnTIM",
                                                  "btnCNT",   "btnBS"};
    for (int tool = 0; tool < kToolCount; ++tool) {
        auto* button = new PaletteButton(tool, hints[tool], pnlSimulations);
        button->setObjectName(QString::fromLatin1(names[tool]));
        button->move(8 + 25 * tool, 3);
        connect(button, &PaletteButton::pressed, this, &TfrmMain::paletteMouseDown);
        button->installEventFilter(this);
        palette[tool] = button;
    }
    palette[kToolPointer]->setDown(true);

    // Group 2: at most one of the five rung and branch buttons is down; all may be up.
    btnAddRung = SpeedButton(pnlSimulations, "btnAddRung", 268, tr("Add Rung"), Glyph::AddRung);
    btnInsertRung =
        SpeedButton(pnlSimulations, "btnInsertRung", 293, tr("Insert Rung"), Glyph::InsertRung);
    btnDeleteRung =
        SpeedButton(pnlSimulations, "btnDeleteRung", 318, tr("Delete Rung"), Glyph::DeleteRung);
    btnAddBranch =
        SpeedButton(pnlSimulations, "btnAddBranch", 343, tr("Add Branch"), Glyph::AddBranch);
    btnDeleteBranch = SpeedButton(pnlSimulations, "btnDeleteBranch", 368, tr("Delete Branch"),
                                  Glyph::DeleteBranch);
    for (QToolButton* b :
         {btnAddRung, btnInsertRung, btnDeleteRung, btnAddBranch, btnDeleteBranch}) {
        b->setCheckable(true);
        connect(b, &QToolButton::toggled, this, [this, b](bool down) {
            if (!down) return;
            for (QToolButton* other :
                 {btnAddRung, btnInsertRung, btnDeleteRung, btnAddBranch, btnDeleteBranch})
                if (other != b) other->setChecked(false);
        });
    }
    btnComments = SpeedButton(pnlSimulations, "btnComments", 393, tr("Comments"), Glyph::Comments);
}

void TfrmMain::buildMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = bar->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNewDiagram = Item(mnuFile, "mnuFileNewDiagram", tr("&New Diagram"));
    mnuFileOpenDiagram = Item(mnuFile, "mnuFileOpenDiagram", tr("&Open Diagram..."));
    mnuFileSaveDiagram = Item(mnuFile, "mnuFileSaveDiagram", tr("&Save Diagram"));
    mnuFileSaveDiagramAs = Item(mnuFile, "mnuFileSaveDiagramAs", tr("Save Diagram &As..."));
    mnuFile->addSeparator();
    mnuFilePrintDiagram = Item(mnuFile, "mnuFilePrintDiagram", tr("Print Diagram..."));
    mnuFile->addSeparator();
    mnuFileExit = Item(mnuFile, "mnuFileExit", tr("E&xit"));
    mnuFileLine = mnuFile->addSeparator();
    mnuFileLine->setObjectName(QStringLiteral("mnuFileLine"));
    mnuFileLine->setVisible(false);
    for (int n = 0; n < 6; ++n) {
        QAction* a = mnuFile->addAction(QStringLiteral("&%1 ").arg(n + 1));
        a->setObjectName(QStringLiteral("mnuFile%1").arg(n + 1));
        a->setVisible(false);
        mnuFileRecent[n] = a;
    }
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);

    mnuEdit = bar->addMenu(tr("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditAddRung = Item(mnuEdit, "mnuEditAddRung", tr("&Add Rung"));
    mnuEditInsertRung = Item(mnuEdit, "mnuEditInsertRung", tr("&Insert Rung"));
    mnuEditDeleteRung = Item(mnuEdit, "mnuEditDeleteRung", tr("&Delete Rung"));
    mnuEdit->addSeparator();
    mnuEditAddBranch = Item(mnuEdit, "mnuEditAddBranch", tr("Add &Branch"));
    mnuEditDeleteBranch = Item(mnuEdit, "mnuEditDeleteBranch", tr("Delete B&ranch"));
    mnuEdit->addSeparator();
    mnuEditEditControl = Item(mnuEdit, "mnuEditEditControl", tr("Edit &Control"));
    mnuEditDeleteControl = Item(mnuEdit, "mnuEditDeleteControl", tr("Delete C&ontrol"));
    mnuEdit->addSeparator();
    mnuEditShowComments = Item(mnuEdit, "mnuEditShowComments", tr("&Show Comments"));
    mnuEditHideComments = Item(mnuEdit, "mnuEditHideComments", tr("&Hide Comments"));

    // The names of the simulations are the same in both languages.
    static const char* const simulationNames[4] = {"Traffic Light", "Annunciator", "Car Park",
                                                   "Elevator"};
    auto simulationEntries = [&](QMenu* menu, const char* prefix, std::array<QAction*, 8>& out) {
        for (int k = 0; k < 8; ++k) {
            const QString caption = k < 4 ? QStringLiteral("&%1 %2").arg(k + 1).arg(
                                                QString::fromLatin1(simulationNames[k]))
                                          : QStringLiteral("&%1 ").arg(k + 1);
            QAction* a = menu->addAction(caption);
            a->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(prefix)).arg(k + 1));
            if (k >= 4) a->setEnabled(false);  // simulations this program does not contain
            out[k] = a;
        }
    };
    mnuSimulations = bar->addMenu(tr("&Simulations"));
    mnuSimulations->setObjectName(QStringLiteral("mnuSimulations"));
    simulationEntries(mnuSimulations, "mnuSimulationsSimulation", mnuSimulationsSimulation);

    mnuSetup = bar->addMenu(tr("Se&tup"));
    mnuSetup->setObjectName(QStringLiteral("mnuSetup"));
    mnuSetupConfigureIO = Item(mnuSetup, "mnuSetupConfigureIO", tr("&Configure I/O..."));
    mnuSetupRestoreScreenLayoutToDefault = Item(mnuSetup, "mnuSetupRestoreScreenLayoutToDefault",
                                                tr("&Restore Screen Layout to Default"));
    connect(mnuSetupRestoreScreenLayoutToDefault, &QAction::triggered, this,
            &TfrmMain::mnuSetupRestoreScreenLayoutToDefaultClick);

    mnuControl = bar->addMenu(tr("&Control"));
    mnuControl->setObjectName(QStringLiteral("mnuControl"));
    mnuControlDebugger = Item(mnuControl, "mnuControlDebugger", tr("&Debugger"));
    mnuControlInternalSimulationMenu = mnuControl->addMenu(tr("Internal &Simulation"));
    mnuControlInternalSimulation = mnuControlInternalSimulationMenu->menuAction();
    mnuControlInternalSimulation->setObjectName(QStringLiteral("mnuControlInternalSimulation"));
    simulationEntries(mnuControlInternalSimulationMenu, "mnuControlInternalSimulationSimulation",
                      mnuControlInternalSimulationSimulation);
    mnuControlExternalDevice = Item(mnuControl, "mnuControlExternalDevice", tr("&External Device"));
    mnuControlExternalPLCMenu = mnuControl->addMenu(tr("Internal Simulation from External &PLC"));
    mnuControlExternalPLC = mnuControlExternalPLCMenu->menuAction();
    mnuControlExternalPLC->setObjectName(QStringLiteral("mnuControlExternalPLC"));
    for (int k = 0; k < 4; ++k) {
        QAction* a = mnuControlExternalPLCMenu->addAction(
            QStringLiteral("&%1 %2").arg(k + 1).arg(QString::fromLatin1(simulationNames[k])));
        a->setObjectName(QStringLiteral("mnuControlExternalPLCSimulation%1").arg(k + 1));
        mnuControlExternalPLCSimulation[k] = a;
    }
    // Exactly one of the four modes is marked.
    for (QAction* mode : {mnuControlDebugger, mnuControlInternalSimulation,
                          mnuControlExternalDevice, mnuControlExternalPLC})
        mode->setCheckable(true);
    mnuControlDebugger->setChecked(true);

    mnuHelp = bar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpContents = Item(mnuHelp, "mnuHelpContents", tr("&Contents..."));
    mnuHelpContents->setShortcut(QKeySequence(Qt::Key_F1));
    mnuHelpContactDetails = Item(mnuHelp, "mnuHelpContactDetails", tr("&Contact Details..."));
    mnuHelpAboutTORVEX = Item(mnuHelp, "mnuHelpAboutTORVEX", tr("&About TORVEX..."));
    connect(mnuHelpContents, &QAction::triggered, this, &TfrmMain::mnuHelpContentsClick);
    connect(mnuHelpContactDetails, &QAction::triggered, this,
            &TfrmMain::mnuHelpContactDetailsClick);
    connect(mnuHelpAboutTORVEX, &QAction::triggered, this, &TfrmMain::mnuHelpAboutTORVEXClick);

    // The maker's logo, last on the bar; it appears with the intro form. A menu bar draws
    // icons at small-icon size, so the 64-pixel-wide logo stands in the bar's corner.
    mnuQuendale = new QAction(this);
    mnuQuendale->setObjectName(QStringLiteral("mnuQuendale"));
    mnuQuendale->setVisible(false);
    connect(mnuQuendale, &QAction::triggered, this, &TfrmMain::mnuQuendaleClick);
    logo_ = new ClickableLabel(bar);
    logo_->setObjectName(QStringLiteral("imgQuendaleMenu"));
    logo_->setPixmap(QPixmap(QStringLiteral(":/pictures/menu-logo.png")));
    logo_->setToolTip(QString::fromLatin1(kMakerWebAddress));
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->setContentsMargins(0, 0, 6, 0);
    logo_->hide();
    connect(logo_, &ClickableLabel::clicked, mnuQuendale, &QAction::trigger);
    connect(mnuQuendale, &QAction::changed, logo_,
            [this] { logo_->setVisible(mnuQuendale->isVisible()); });
    bar->setCornerWidget(logo_, Qt::TopRightCorner);
}

QString TfrmMain::statusText() const {
    return pnlStatus->text();
}

void TfrmMain::placeStatusPanel() {
    pnlStatus->move(pnlToolbar->width() - pnlStatus->width() - 8, pnlStatus->y());
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (pnlStatus->isVisible()) placeStatusPanel();
}

void TfrmMain::tmrIntroTimer() {
    ++introTicks_;
    tmrIntro.stop();
    if (introTicks_ == 1) {
        TfrmIntro::Hooks hooks;
        hooks.initialise = [this] {
            // The interface table with the null interface, interface 0 current and open.
            interfaces_.RegisterInterfaces();
        };
        hooks.continueStartUp = [this] { tmrIntro.start(); };
        hooks.useLargeLogo = [this] {
            logo_->setPixmap(QPixmap(QStringLiteral(":/pictures/menu-logo-large.png")));
        };
        hooks.closed = [this] { IntroOpen = false; };
        intro_ = new TfrmIntro(hooks, logicalDpi_, this);
        ws_->shell.LargeFonts = intro_->LargeFonts();
        // The intro shows only over a visible main window.
        if (isVisible()) intro_->show();
        mnuQuendale->setVisible(true);
        tmrIntro.setInterval(250);
        placeStatusPanel();
        pnlStatus->show();
    } else if (introTicks_ == 2) {
        createWindows();
        mnuQuendale->setVisible(true);
        emit startUpFinished();
    }
}

void TfrmMain::createWindows() {
    const int lessBars =
        height() - pnlToolbar->height() - pnlSimulations->height() - pnlInfoBar->height();
    rungs_ = new TfrmRungs(*ws_, lessBars);
    mdiArea->addSubWindow(rungs_);
    connectRungView();
    rungs_->show();
    mnuControlDebuggerClick();
    if (!openAtStart_.isEmpty()) {
        const QString file = openAtStart_;
        openAtStart_.clear();
        if (file.right(3).toUpper() == QLatin1String("LLD"))
            DoOldLoad(file);
        else
            LoadFile(file);
    }
}

void TfrmMain::mnuHelpAboutTORVEXClick() {
    if (ws_->editor.ControlDialogOpen) return;
    if (about_) {
        about_->raise();
        return;
    }
    about_ = new TfrmAbout(
        LargeFonts(), [this](const QString& a) { InternetLink(a); }, [this] { AboutOpen = false; },
        this);
    AboutOpen = true;
    about_->show();
}

void TfrmMain::mnuHelpContactDetailsClick() {
    if (ws_->editor.ControlDialogOpen) return;
    auto* form = new TfrmInformation([this](const QString& a) { InternetLink(a); }, this);
    form->show();
}

void TfrmMain::mnuHelpContentsClick() {
    if (!help_) help_ = new HelpWindow(this);
    help_->showContents();
}

void TfrmMain::mnuSetupRestoreScreenLayoutToDefaultClick() {
    if (ws_->editor.ControlDialogOpen) return;
    RestoreLayoutAtExit = true;
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

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    if (RunInProgress()) {
        run_->btnStopClick();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
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
        QCoreApplication::processEvents();
    }
    if (preferences_) preferences_->close();
    if (intro_) intro_->close();
    if (about_) about_->close();
    if (help_) help_->close();
    if (rungs_) rungs_->close();
    if (RestoreLayoutAtExit) settings_->resetWindowPlaces();
    settings_->saveRecentFiles(recent_);
    settings_->writeRunningFalse();
    settings_->sync();
}

QString TfrmMain::examplesFolder() const {
    const QDir program(programFolder_);
    const QString beside = program.filePath(QStringLiteral("Solutions"));
    if (QFileInfo(beside).isDir() && QFileInfo(beside).isWritable()) return beside;
    // Installed for every user, the examples are read-only: each user works in a copy,
    // made on the first start.
    QString source = beside;
    if (!QFileInfo(source).isDir())
        source = program.filePath(QStringLiteral("../share/torvex/Solutions"));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                        QStringLiteral("/Solutions");
    if (!QFileInfo(own).isDir() && QFileInfo(source).isDir() && QDir().mkpath(own)) {
        const QDir from(source);
        for (const QString& name : from.entryList(QDir::Files))
            QFile::copy(from.filePath(name), own + QLatin1Char('/') + name);
    }
    return QFileInfo(own).isDir() ? own : programFolder_;
}

void TfrmMain::selectPaletteTool(int tool) {
    for (int t = 0; t < kToolCount; ++t) palette[t]->setDown(t == tool);
    ws_->editor.PaletteTool = tool;
}

void TfrmMain::paletteMouseDown(int tool) {
    if (RunInProgress() || ws_->editor.ControlDialogOpen) return;
    selectPaletteTool(tool);
    if (tool == kToolPointer || !dragsFromPalette) return;
    // Tools 1 ... 9 are dragged at once; the drag shows the tool's cursor.
    auto* drag = new QDrag(palette[tool]);
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

void TfrmMain::setEditorLocked(bool locked) {
    if (rungs_) {
        if (locked) rungs_->PopupMenus(false);  // they come back with the next hover
        rungs_->setLocked(locked);
    }
    for (QAction* a :
         {mnuFileNewDiagram, mnuFileOpenDiagram, mnuEditAddRung, mnuEditInsertRung,
          mnuEditDeleteRung, mnuEditAddBranch, mnuEditDeleteBranch, mnuEditEditControl,
          mnuEditDeleteControl, mnuEditShowComments, mnuEditHideComments, mnuControlDebugger,
          mnuControlInternalSimulation, mnuControlExternalDevice, mnuControlExternalPLC,
          mnuSetupConfigureIO, mnuSetupRestoreScreenLayoutToDefault})
        a->setEnabled(!locked);
    for (QAction* a : mnuFileRecent) a->setEnabled(!locked);
    for (int k = 0; k < 4; ++k) mnuSimulationsSimulation[k]->setEnabled(!locked);
    for (PaletteButton* b : palette) b->setShowsDisabled(locked);
    selectPaletteTool(kToolPointer);
    hintsOn_ = !locked;
}

void TfrmMain::lockEditor() {
    setEditorLocked(true);
}
void TfrmMain::unlockEditor() {
    setEditorLocked(false);
}

}  // namespace torvex

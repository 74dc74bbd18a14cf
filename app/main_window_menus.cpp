// The main window's commands and the bars that show them: one QAction per command, put in
// the menus and on the tool-bar buttons, and the palette of controls.

#include <QActionGroup>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

#include "app/clickable_label.h"
#include "app/main_window.h"
#include "app/maker.h"
#include "app/palette_button.h"
#include "ui/artwork.h"

namespace torvex {

namespace {

QAction* Command(QObject* owner, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

// A tool-bar hint, with the command's shortcut after it as menus show theirs.
QString Hint(const QString& hint, const QAction* action) {
    if (hint.isEmpty() || action->shortcut().isEmpty()) return hint;
    return QStringLiteral("%1 (%2)").arg(hint,
                                         action->shortcut().toString(QKeySequence::NativeText));
}

// A button of a bar, standing for `action`, at its place on the bar.
QToolButton* SpeedButton(QWidget* bar, const char* name, int left, QAction* action) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setDefaultAction(action);
    b->setGeometry(left, 3, 25, 24);
    b->setIconSize(QSize(18, 18));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    return b;
}

// The names of the simulations are the same in both languages.
constexpr const char* kSimulationNames[4] = {"Traffic Light", "Annunciator", "Car Park",
                                             "Elevator"};

constexpr int kSimulationEntries = 8;  // the menus' slots; this program has the first four

}  // namespace

void TfrmMain::buildActions() {
    mnuFileNewDiagram_ = Command(this, "mnuFileNewDiagram", tr("&New Diagram"), QKeySequence::New);
    mnuFileOpenDiagram_ =
        Command(this, "mnuFileOpenDiagram", tr("&Open Diagram..."), QKeySequence::Open);
    mnuFileSaveDiagram_ =
        Command(this, "mnuFileSaveDiagram", tr("&Save Diagram"), QKeySequence::Save);
    mnuFileSaveDiagramAs_ = Command(this, "mnuFileSaveDiagramAs", tr("Save Diagram &As..."),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuFilePrintDiagram_ =
        Command(this, "mnuFilePrintDiagram", tr("Print Diagram..."), QKeySequence::Print);
    mnuFileExit_ = Command(this, "mnuFileExit", tr("E&xit"));
    for (int n = 0; n < RecentFiles::kCount; ++n) {
        QAction* a = Command(this, "", QStringLiteral("&%1 ").arg(n + 1));
        a->setObjectName(QStringLiteral("mnuFile%1").arg(n + 1));
        a->setVisible(false);
        mnuFileRecent_[n] = a;
    }
    mnuFileNewDiagram_->setToolTip(tr("New Diagram"));
    mnuFileOpenDiagram_->setToolTip(tr("Open Diagram"));
    mnuFileSaveDiagram_->setToolTip(tr("Save Diagram"));
    mnuFilePrintDiagram_->setToolTip(tr("Print Diagram"));
    mnuFileNewDiagram_->setIcon(GlyphIcon(Glyph::New));
    mnuFileOpenDiagram_->setIcon(GlyphIcon(Glyph::Open));
    mnuFileSaveDiagram_->setIcon(GlyphIcon(Glyph::Save));
    mnuFilePrintDiagram_->setIcon(GlyphIcon(Glyph::Print));

    edit_ = RungEditor::MakeActions(this);
    buildViewActions();
    buildChartActions();

    for (int k = 0; k < kSimulationEntries; ++k) {
        mnuSimulationsSimulation_[k] = Command(this, "", QString());
        mnuSimulationsSimulation_[k]->setObjectName(
            QStringLiteral("mnuSimulationsSimulation%1").arg(k + 1));
        mnuControlInternalSimulationSimulation_[k] = Command(this, "", QString());
        mnuControlInternalSimulationSimulation_[k]->setObjectName(
            QStringLiteral("mnuControlInternalSimulationSimulation%1").arg(k + 1));
        const QString caption =
            k < 4
                ? QStringLiteral("&%1 %2").arg(k + 1).arg(QString::fromLatin1(kSimulationNames[k]))
                : QStringLiteral("&%1 ").arg(k + 1);
        mnuSimulationsSimulation_[k]->setText(caption);
        mnuControlInternalSimulationSimulation_[k]->setText(caption);
        if (k < 4) {
            mnuControlExternalPLCSimulation_[k] = Command(this, "", caption);
            mnuControlExternalPLCSimulation_[k]->setObjectName(
                QStringLiteral("mnuControlExternalPLCSimulation%1").arg(k + 1));
        }
    }

    mnuSetupConfigureIO_ = Command(this, "mnuSetupConfigureIO", tr("&Configure I/O..."));
    mnuSetupConfigureIO_->setToolTip(tr("Configure I/O..."));
    mnuSetupConfigureIO_->setIconText(QStringLiteral("I/O"));
    mnuSetupRestoreScreenLayoutToDefault_ = Command(this, "mnuSetupRestoreScreenLayoutToDefault",
                                                    tr("&Restore Screen Layout to Default"));

    // The four modes: exactly one is marked, the one mode_ names.
    mnuControlDebugger_ = Command(this, "mnuControlDebugger", tr("&Debugger"));
    mnuControlExternalDevice_ = Command(this, "mnuControlExternalDevice", tr("&External Device"));

    mnuHelpContents_ =
        Command(this, "mnuHelpContents", tr("&Contents..."), QKeySequence::HelpContents);
    mnuHelpContents_->setToolTip(tr("Help"));
    mnuHelpContents_->setIcon(GlyphIcon(Glyph::Help));
    mnuHelpContactDetails_ = Command(this, "mnuHelpContactDetails", tr("&Contact Details..."));
    mnuHelpAboutTORVEX_ = Command(this, "mnuHelpAboutTORVEX", tr("&About TORVEX..."));
    mnuQuendale_ = Command(this, "mnuQuendale", QString());
    mnuQuendale_->setVisible(false);

    // The run commands live on the tool bar; their shortcuts work wherever the window has focus.
    const struct {
        QAction** action;
        const char* name;
        QString hint;
        Glyph glyph;
        QKeySequence key;
    } run[] = {
        {&actRun_, "actRun", tr("Run Diagram"), Glyph::Run, QKeySequence(Qt::Key_F9)},
        {&actSingleLoop_, "actSingleLoop", tr("Single Loop"), Glyph::SingleLoop,
         QKeySequence(Qt::Key_F10)},
        {&actSingleStep_, "actSingleStep", tr("Single Step"), Glyph::SingleStep,
         QKeySequence(Qt::Key_F11)},
        {&actPause_, "actPause", tr("Pause Run"), Glyph::Pause, QKeySequence()},
        {&actStop_, "actStop", tr("Stop Diagram"), Glyph::Stop,
         QKeySequence(Qt::SHIFT | Qt::Key_F9)},
        {&actCloseSimulation_, "actCloseSimulation", tr("Close Simulation"), Glyph::CloseSimulation,
         QKeySequence()},
    };
    for (const auto& r : run) {
        *r.action = Command(this, r.name, r.hint, r.key);
        (*r.action)->setIcon(GlyphIcon(r.glyph));
        (*r.action)->setToolTip(Hint(r.hint, *r.action));
        addAction(*r.action);
    }
    for (QAction* a : {mnuFileNewDiagram_, mnuFileOpenDiagram_, mnuFileSaveDiagram_,
                       mnuFilePrintDiagram_, mnuHelpContents_})
        a->setToolTip(Hint(a->toolTip(), a));
}

void TfrmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [&](QMenu* parent, const char* name, const QString& title) {
        QMenu* m = parent ? parent->addMenu(title) : bar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    QMenu* file = menu(nullptr, "mnuFile", tr("&File"));
    file->addActions({mnuFileNewDiagram_, mnuFileOpenDiagram_});
    mnuFileExamples_ = menu(file, "mnuFileExamples", tr("&Examples"));
    fillExamplesMenu();
    file->addActions({mnuFileSaveDiagram_, mnuFileSaveDiagramAs_});
    file->addSeparator();
    file->addAction(mnuFileOpenTrace_);
    file->addSeparator();
    file->addAction(mnuFilePrintDiagram_);
    file->addSeparator();
    file->addAction(mnuFileExit_);
    mnuFileLine_ = file->addSeparator();
    mnuFileLine_->setObjectName(QStringLiteral("mnuFileLine"));
    mnuFileLine_->setVisible(false);
    for (QAction* a : mnuFileRecent_) file->addAction(a);

    QMenu* edit = menu(nullptr, "mnuEdit", tr("&Edit"));
    edit->addActions({edit_.undo, edit_.redo});
    edit->addSeparator();
    edit->addActions({edit_.cutRung, edit_.copyRung, edit_.pasteRung});
    edit->addSeparator();
    edit->addActions({edit_.addRung, edit_.insertRung, edit_.deleteRung});
    edit->addSeparator();
    edit->addActions({edit_.addBranch, edit_.deleteBranch});
    edit->addSeparator();
    edit->addActions({edit_.editControl, edit_.deleteControl});
    edit->addSeparator();
    edit->addActions({edit_.showComments, edit_.hideComments});

    QMenu* view = menu(nullptr, "mnuView", tr("&View"));
    view->addActions({mnuViewZoomIn_, mnuViewZoomOut_, mnuViewActualSize_, mnuViewFitWidth_});
    view->addSeparator();
    view->addAction(mnuViewShowNames_);
    view->addSeparator();
    view->addAction(mnuViewTimingChart_);

    QMenu* simulations = menu(nullptr, "mnuSimulations", tr("&Simulations"));
    for (QAction* a : mnuSimulationsSimulation_) simulations->addAction(a);

    QMenu* setup = menu(nullptr, "mnuSetup", tr("Se&tup"));
    setup->addActions({mnuSetupConfigureIO_, mnuSetupRestoreScreenLayoutToDefault_});
    QMenu* sizes = menu(setup, "mnuSetupDisplaySize", tr("&Display Size"));
    sizes->addActions(displaySizes_->actions());

    QMenu* control = menu(nullptr, "mnuControl", tr("&Control"));
    control->addAction(mnuControlDebugger_);
    QMenu* internal = menu(control, "mnuControlInternalSimulationMenu", tr("Internal &Simulation"));
    for (QAction* a : mnuControlInternalSimulationSimulation_) internal->addAction(a);
    mnuControlInternalSimulation_ = internal->menuAction();
    mnuControlInternalSimulation_->setObjectName(QStringLiteral("mnuControlInternalSimulation"));
    control->addAction(mnuControlExternalDevice_);
    QMenu* external =
        menu(control, "mnuControlExternalPLCMenu", tr("Internal Simulation from External &PLC"));
    for (QAction* a : mnuControlExternalPLCSimulation_) external->addAction(a);
    mnuControlExternalPLC_ = external->menuAction();
    mnuControlExternalPLC_->setObjectName(QStringLiteral("mnuControlExternalPLC"));
    modes_ = new QActionGroup(this);
    modes_->setObjectName(QStringLiteral("modes"));
    for (QAction* mode : {mnuControlDebugger_, mnuControlInternalSimulation_,
                          mnuControlExternalDevice_, mnuControlExternalPLC_}) {
        mode->setCheckable(true);
        modes_->addAction(mode);
    }

    QMenu* help = menu(nullptr, "mnuHelp", tr("&Help"));
    help->addActions({mnuHelpContents_, mnuHelpContactDetails_, mnuHelpAboutTORVEX_});

    // The maker's logo, last on the bar; it appears with the intro form. A menu bar draws
    // icons at small-icon size, so the 64-pixel-wide logo stands in the bar's corner.
    logo_ = new ClickableLabel(bar);
    logo_->setObjectName(QStringLiteral("imgQuendaleMenu"));
    logo_->setPixmap(QPixmap(QStringLiteral(":/pictures/menu-logo.png")));
    logo_->setToolTip(QString::fromLatin1(kMakerWebAddress));
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->setContentsMargins(0, 0, 6, 0);
    logo_->hide();
    connect(logo_, &ClickableLabel::clicked, mnuQuendale_, &QAction::trigger);
    connect(mnuQuendale_, &QAction::changed, logo_,
            [this] { logo_->setVisible(mnuQuendale_->isVisible()); });
    bar->setCornerWidget(logo_, Qt::TopRightCorner);
}

void TfrmMain::buildToolbar() {
    SpeedButton(pnlToolbar_, "btnNew", 8, mnuFileNewDiagram_);
    SpeedButton(pnlToolbar_, "btnOpen", 33, mnuFileOpenDiagram_);
    SpeedButton(pnlToolbar_, "btnSave", 58, mnuFileSaveDiagram_);
    SpeedButton(pnlToolbar_, "btnPrint", 83, mnuFilePrintDiagram_);
    QToolButton* setup = SpeedButton(pnlToolbar_, "btnSetup", 107, mnuSetupConfigureIO_);
    setup->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont small = setup->font();
    small.setPixelSize(10);
    small.setBold(true);
    setup->setFont(small);
    SpeedButton(pnlToolbar_, "btnHelp", 132, mnuHelpContents_);
    SpeedButton(pnlToolbar_, "btnUndo", 157, edit_.undo);
    SpeedButton(pnlToolbar_, "btnRedo", 182, edit_.redo);
    SpeedButton(pnlToolbar_, "btnRun", 268, actRun_);
    SpeedButton(pnlToolbar_, "btnStepDiagram", 293, actSingleLoop_);
    SpeedButton(pnlToolbar_, "btnSingleStep", 318, actSingleStep_);
    SpeedButton(pnlToolbar_, "btnPause", 343, actPause_);
    SpeedButton(pnlToolbar_, "btnStop", 368, actStop_);
    SpeedButton(pnlToolbar_, "btnClose", 393, actCloseSimulation_);

    pnlStatus_ = new QLabel(QStringLiteral("Stopped"), pnlToolbar_);
    pnlStatus_->setObjectName(QStringLiteral("pnlStatus"));
    pnlStatus_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlStatus_->setAlignment(Qt::AlignCenter);
    pnlStatus_->setAutoFillBackground(true);
    QPalette white = pnlStatus_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    pnlStatus_->setPalette(white);
    pnlStatus_->setGeometry(0, 3, 169, 25);
    pnlStatus_->hide();  // placed and shown by the first start-up tick

    // Left of the status panel, the link of a network interface in the external modes.
    lblLink_ = new QLabel(pnlToolbar_);
    lblLink_->setObjectName(QStringLiteral("lblLink"));
    lblLink_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblLink_->hide();
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
        auto* button = new PaletteButton(tool, hints[tool], pnlSimulations_);
        button->setObjectName(QString::fromLatin1(names[tool]));
        button->move(8 + 25 * tool, 3);
        connect(button, &PaletteButton::pressed, this, &TfrmMain::paletteMouseDown);
        button->installEventFilter(this);
        palette_[tool] = button;
    }
    palette_[kToolPointer]->setDown(true);
    SpeedButton(pnlSimulations_, "btnAddRung", 268, edit_.addRung);
    SpeedButton(pnlSimulations_, "btnInsertRung", 293, edit_.insertRung);
    SpeedButton(pnlSimulations_, "btnDeleteRung", 318, edit_.deleteRung);
    SpeedButton(pnlSimulations_, "btnAddBranch", 343, edit_.addBranch);
    SpeedButton(pnlSimulations_, "btnDeleteBranch", 368, edit_.deleteBranch);
    SpeedButton(pnlSimulations_, "btnComments", 393, edit_.comments);
}

}  // namespace torvex

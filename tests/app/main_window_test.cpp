// The main window: its menus and bars, start-up and exit, the File commands, the editor
// lock of a run, and the shell's own commands.

#include <sys/stat.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <climits>
#include <functional>

#include "app/about_form.h"
#include "app/clickable_label.h"
#include "app/intro_form.h"
#include "app/palette_button.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "simulation/io_monitor.h"
#include "simulation/preferences_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/ladder_text.h"
#include "tests/support/layout_faults.h"
#include "ui/artwork.h"
#include "ui/language.h"

namespace torvex::test {

void MainWindowTest::Write(const QString& name, const QByteArray& bytes) const {
    QFile f(File(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString MainWindowTest::Read(const QString& name) const {
    QFile f(File(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

namespace {

QByteArray DataFile(const char* name) {
    QFile f(QStringLiteral(TORVEX_TEST_DATA "/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The items of a menu as "caption" lines, separators as "-", hidden items left out.
QStringList Items(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (!a->isVisible()) continue;
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

TEST_F(MainWindowTest, TheMenusReadAsTheProgramDefinesThem) {
    Create(false);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("TORVEX"));
    QStringList bar;
    for (QAction* a : main->menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&View", "&Simulations", "Se&tup", "&Control",
                                "&Help"}));
    EXPECT_EQ(
        Items(Menu("mnuFile")),
        (QStringList{"&New Diagram", "&Open Diagram...", "&Save Diagram", "Save Diagram &As...",
                     "-", "Open &Trace...", "-", "Print Diagram...", "-", "E&xit"}));
    EXPECT_EQ(Items(Menu("mnuEdit")),
              (QStringList{"&Undo", "R&edo", "-", "Cu&t Rung", "Cop&y Rung", "&Paste Rung", "-",
                           "&Add Rung", "&Insert Rung", "&Delete Rung", "-", "Add &Branch",
                           "Delete B&ranch", "-", "Edit &Control", "Delete C&ontrol", "-",
                           "&Show Comments", "&Hide Comments"}));
    EXPECT_EQ(Items(Menu("mnuView")),
              (QStringList{"Zoom &In", "Zoom &Out", "&Actual Size", "Fit &Width", "-",
                           "Show I/O &Names", "-", "&Timing Chart"}));
    EXPECT_EQ(Items(Menu("mnuSimulations")),
              (QStringList{"&1 Traffic Light", "&2 Annunciator", "&3 Car Park", "&4 Elevator",
                           "&5 ", "&6 ", "&7 ", "&8 "}));
    for (int k = 4; k < 8; ++k) {
        EXPECT_FALSE(Action("mnuSimulationsSimulation", k + 1)->isEnabled());
        EXPECT_FALSE(Action("mnuControlInternalSimulationSimulation", k + 1)->isEnabled());
    }
    EXPECT_EQ(
        Items(Menu("mnuSetup")),
        (QStringList{"&Configure I/O...", "&Restore Screen Layout to Default", "&Display Size"}));
    EXPECT_EQ(Items(Menu("mnuSetupDisplaySize")),
              (QStringList{"100 %", "125 %", "150 %", "200 %"}));
    EXPECT_EQ(Items(Menu("mnuControl")),
              (QStringList{"&Debugger", "Internal &Simulation", "&External Device",
                           "Internal Simulation from External &PLC"}));
    EXPECT_EQ(Items(Menu("mnuControlExternalPLCMenu")),
              (QStringList{"&1 Traffic Light", "&2 Annunciator", "&3 Car Park", "&4 Elevator"}));
    EXPECT_TRUE(Action(QStringLiteral("mnuControlDebugger"))->isChecked());
    EXPECT_FALSE(Action(QStringLiteral("mnuControlInternalSimulation"))->isChecked());
    EXPECT_EQ(Items(Menu("mnuHelp")),
              (QStringList{"&Contents...", "&Contact Details...", "&About TORVEX..."}));
    EXPECT_EQ(Action(QStringLiteral("mnuHelpContents"))->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(MainWindowTest, FinnishTextsComeFromTheTranslation) {
    FinnishTranslation finnishTexts;
    ASSERT_TRUE(finnishTexts.install());
    finnish = true;
    Create(false);
    QStringList bar;
    for (QAction* a : main->menuBar()->actions()) bar << a->text();
    EXPECT_EQ(
        bar, (QStringList{"Teidosto", "Muokkaa", "&Näytä", "Simuloi", "Se&tup", "Ohjaus", "Ohje"}));
    EXPECT_EQ(Action(QStringLiteral("mnuFileSaveDiagram"))->text(), QStringLiteral("&Save Diagram"))
        << "no Finnish form";
    EXPECT_EQ(Action(QStringLiteral("mnuSetupRestoreScreenLayoutToDefault"))->text(),
              QStringLiteral("Restore Screen Layout to Dafault"));
    EXPECT_EQ(Action(QStringLiteral("mnuHelpAboutTORVEX"))->text(),
              QStringLiteral("Torvex-ohjelmasta"));
    EXPECT_EQ(Button("btnRun")->toolTip(), QStringLiteral("Aja kaavio (F9)"));
    EXPECT_EQ(Button("btnStop")->toolTip(), QStringLiteral("Pysäytä kaavio (Shift+F9)"));
    EXPECT_EQ(Button("btnComments")->toolTip(), QStringLiteral("Puolakommentit"));
    EXPECT_EQ(Button("btnAddRung")->toolTip(), QStringLiteral("Add Rung"));
    main.reset();
}

TEST_F(MainWindowTest, ButtonsStandWhereTheBarsPlaceThem) {
    Create(false);
    // Each button stands for its command, whose shortcut its hint and its menu item show.
    const struct {
        const char* button;
        int left;
        const char* hint;
        const char* command;
        QKeySequence key;
    } bar[] = {
        {"btnNew", 8, "New Diagram (Ctrl+N)", "mnuFileNewDiagram", QKeySequence::New},
        {"btnOpen", 33, "Open Diagram (Ctrl+O)", "mnuFileOpenDiagram", QKeySequence::Open},
        {"btnSave", 58, "Save Diagram (Ctrl+S)", "mnuFileSaveDiagram", QKeySequence::Save},
        {"btnPrint", 83, "Print Diagram (Ctrl+P)", "mnuFilePrintDiagram", QKeySequence::Print},
        {"btnSetup", 107, "Configure I/O...", "mnuSetupConfigureIO", {}},
        {"btnHelp", 132, "Help (F1)", "mnuHelpContents", QKeySequence(Qt::Key_F1)},
        {"btnUndo", 157, "Undo (Ctrl+Z)", "mnuEditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"btnRedo", 182, "Redo (Ctrl+Y)", "mnuEditRedo", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"btnRun", 268, "Run Diagram (F9)", "actRun", QKeySequence(Qt::Key_F9)},
        {"btnStepDiagram", 293, "Single Loop (F10)", "actSingleLoop", QKeySequence(Qt::Key_F10)},
        {"btnSingleStep", 318, "Single Step (F11)", "actSingleStep", QKeySequence(Qt::Key_F11)},
        {"btnPause", 343, "Pause Run", "actPause", {}},
        {"btnStop", 368, "Stop Diagram (Shift+F9)", "actStop",
         QKeySequence(Qt::SHIFT | Qt::Key_F9)},
        {"btnClose", 393, "Close Simulation", "actCloseSimulation", {}},
        {"btnAddRung", 268, "Add Rung", "mnuEditAddRung", {}},
        {"btnInsertRung", 293, "Insert Rung", "mnuEditInsertRung", {}},
        {"btnDeleteRung", 318, "Delete Rung", "mnuEditDeleteRung", {}},
        {"btnAddBranch", 343, "Add Branch", "mnuEditAddBranch", {}},
        {"btnDeleteBranch", 368, "Delete Branch", "mnuEditDeleteBranch", {}},
        {"btnComments", 393, "Comments", "actComments", {}},
    };
    for (const auto& b : bar) {
        QToolButton* button = Button(b.button);
        EXPECT_EQ(button->geometry(), QRect(b.left, 3, 25, 24)) << b.button;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint));
        EXPECT_EQ(button->defaultAction(), Action(QString::fromLatin1(b.command))) << b.button;
        EXPECT_EQ(Action(QString::fromLatin1(b.command))->shortcut(), b.key) << b.button;
    }
    EXPECT_EQ(Action(QStringLiteral("mnuFileSaveDiagramAs"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(Action(QStringLiteral("mnuEditRedo"))->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    for (const auto& [command, key] : {std::pair{"mnuEditCutRung", QKeySequence::Cut},
                                       {"mnuEditCopyRung", QKeySequence::Copy},
                                       {"mnuEditPasteRung", QKeySequence::Paste}})
        EXPECT_EQ(Action(QString::fromLatin1(command))->shortcut(), QKeySequence(key));
    EXPECT_EQ(Button("btnSetup")->text(), QStringLiteral("I/O"));
    EXPECT_EQ(Widget("pnlToolbar")->height(), 30);
    EXPECT_EQ(Widget("pnlSimulations")->height(), 30);
    EXPECT_EQ(Label("pnlInfoBar")->height(), 17);
    const char* hints[10] = {"Pointer",
                             "Normally Open Contact",
                             "Normally Closed Contact",
                             "Output",
                             "Reset",
                             "Latch Output",
                             "Unlatch Output",
                             "Timer",
                             "Counter",
                             "Bit Shift"};
    for (int t = 0; t < 10; ++t) {
        EXPECT_EQ(Palette(t)->geometry(), QRect(8 + 25 * t, 3, 25, 24));
        EXPECT_EQ(Palette(t)->toolTip(), QString::fromLatin1(hints[t]));
        EXPECT_EQ(Palette(t)->isDown(), t == 0);
    }
}

TEST_F(MainWindowTest, AtMostOneRungOrBranchButtonIsDown) {
    Create(false);
    Button("btnAddRung")->setChecked(true);
    Button("btnDeleteBranch")->setChecked(true);
    EXPECT_FALSE(Button("btnAddRung")->isChecked());
    EXPECT_TRUE(Button("btnDeleteBranch")->isChecked());
    Button("btnDeleteBranch")->setChecked(false);
    for (QToolButton* b : {Button("btnAddRung"), Button("btnInsertRung"), Button("btnDeleteRung"),
                           Button("btnAddBranch"), Button("btnDeleteBranch")})
        EXPECT_FALSE(b->isChecked());
}

TEST_F(MainWindowTest, TheStatusPanelStandsEightPixelsInsideTheBarsEnd) {
    for (int width : {640, 820, 1024, 1600}) {
        Create(false, width);
        EXPECT_FALSE(Label("pnlStatus")->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return main->startUpTicks() >= 1; }, 5000));
        EXPECT_TRUE(Label("pnlStatus")->isVisible());
        EXPECT_EQ(Label("pnlStatus")->size(), QSize(169, 25));
        EXPECT_EQ(Label("pnlStatus")->geometry().right() + 1, Widget("pnlToolbar")->width() - 8)
            << width;
        EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
        FinishStartUp();
        main.reset();
    }
}

TEST_F(MainWindowTest, StartUpShowsTheIntroThenCreatesTheWindows) {
    Create(false);
    EXPECT_EQ(main->rungView(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->startUpTicks() >= 1; }, 5000));
    ASSERT_TRUE(main->intro());
    EXPECT_TRUE(main->intro()->isVisible());
    EXPECT_EQ(main->interfaces().InterfaceCount(), 0) << "the intro's first tick registers them";
    FinishStartUp();
    ASSERT_EQ(main->interfaces().InterfaceCount(), 3);
    EXPECT_EQ(main->interfaces().at(0)->Name(), "Non-active Demo interface");
    EXPECT_EQ(main->interfaces().at(1)->Name(), "Modbus TCP remote I/O");
    EXPECT_EQ(main->interfaces().at(2)->Name(), "Modbus TCP server");
    EXPECT_EQ(main->interfaces().CurrentInterface(), 0);
    ASSERT_NE(main->rungView(), nullptr);
    ASSERT_NE(main->debugger(), nullptr);
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer"));
    EXPECT_EQ(main->debugger()->windowTitle(), QStringLiteral("Debugger"));
    EXPECT_TRUE(Action(QStringLiteral("mnuControlDebugger"))->isChecked());
    EXPECT_EQ(main->plc().diagram.RungCount(), 1);
    EXPECT_TRUE(ws().shell.RungViewOpen);
    EXPECT_TRUE(ws().shell.DebuggerOpen);
}

TEST_F(MainWindowTest, TheIntroClosesOnlyOnceInitialisationHasStarted) {
    int initialised = 0;
    TfrmIntro::Hooks hooks;
    hooks.initialise = [&] { ++initialised; };
    auto* intro = new TfrmIntro(hooks, 96.0);
    QPointer<TfrmIntro> alive(intro);
    intro->show();
    auto image = [&](const char* name) {
        return intro->findChild<QLabel*>(QString::fromLatin1(name));
    };
    QTest::mouseClick(image("imgIntro"), Qt::LeftButton);
    EXPECT_TRUE(alive && alive->isVisible()) << "a click before the first tmrStart tick";
    ASSERT_TRUE(QTest::qWaitFor([&] { return initialised == 1; }, 3000));
    QTest::mouseClick(image("imgQuendale"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    // Large fonts: 120 dpi scales the logo's top of 157 beyond 170.
    TfrmIntro::Hooks none;
    TfrmIntro large(none, 120.0);
    EXPECT_TRUE(large.LargeFonts());
    EXPECT_EQ(large.findChild<QLabel*>(QStringLiteral("imgQuendale"))->pos(), QPoint(120, 154));
    TfrmIntro normal(none, 96.0);
    EXPECT_FALSE(normal.LargeFonts());
}

TEST_F(MainWindowTest, AboutShowsTheVersionAndTheFullNumberOnADoubleClick) {
    Create();
    Trigger("mnuHelpAboutTORVEX");
    TfrmAbout* about = main->about();
    ASSERT_TRUE(about);
    auto* version = about->findChild<QLabel*>(QStringLiteral("lblVersionNumber"));
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("btnOK"));
    ASSERT_TRUE(version && ok);
    EXPECT_EQ(about->width(), 458);
    EXPECT_EQ(about->height(), ok->geometry().bottom() + 1 + 10);
    EXPECT_EQ(version->text(), QStringLiteral("3.0"));
    EXPECT_FALSE(about->findChild<QLabel*>(QStringLiteral("Piccy"))->pixmap().isNull())
        << "the JPEG picture decodes";
    const int centre = version->geometry().center().x();
    QTest::mouseDClick(version, Qt::LeftButton);
    EXPECT_EQ(version->text(), QStringLiteral("3.0.20"));
    EXPECT_NEAR(version->geometry().center().x(), centre, 1);
    const QRect once = version->geometry();
    QTest::mouseDClick(version, Qt::LeftButton);
    EXPECT_EQ(version->geometry(), once) << "a second double-click changes nothing";
    QSignalSpy links(main.get(), &TfrmMain::linkOpened);
    QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("lblEmailLink")), Qt::LeftButton);
    ASSERT_EQ(links.count(), 1);
    EXPECT_TRUE(links.at(0).at(0).toString().startsWith(QStringLiteral("mailto:")));
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->about(), nullptr);
}

TEST_F(MainWindowTest, AnOpenControlDialogHoldsOffTheShellCommands) {
    Create();
    ws().editor.ControlDialogOpen = true;
    QSignalSpy links(main.get(), &TfrmMain::linkOpened);
    Trigger("mnuHelpAboutTORVEX");
    Trigger("mnuHelpContactDetails");
    Trigger("mnuSetupRestoreScreenLayoutToDefault");
    Trigger("mnuQuendale");
    EXPECT_FALSE(main->about());

    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(links.count(), 0);
    ws().editor.ControlDialogOpen = false;
}

TEST_F(MainWindowTest, AbsurdStoredPlacesLeaveTheRungViewAndTheDebuggerInTheMdiArea) {
    auto store = [&](const char* section, const char* name, qint64 value) {
        settings->setValue(QString::fromLatin1(section), QString::fromLatin1(name),
                           QString::number(value));
    };
    for (const char* section : {"Rungs", "Debugger"})
        settings->setValue(QString::fromLatin1(section), QStringLiteral("Moved"),
                           QStringLiteral("True"));
    store("Rungs", "Left", INT_MAX);
    store("Rungs", "Top", INT_MAX);
    store("Rungs", "Height", INT_MAX);
    store("Debugger", "Left", INT_MIN);
    store("Debugger", "Top", -40);
    Create();
    ASSERT_TRUE(main->rungView() && main->debugger());
    const QRect area = Part<QMdiArea>(QStringLiteral("mdiArea"))->viewport()->rect();
    EXPECT_TRUE(area.contains(main->rungView()->geometry()));
    EXPECT_TRUE(area.contains(main->debugger()->geometry()));
    EXPECT_TRUE(prompter.shown.empty()) << "a place that cannot be used is simply not used";
}

TEST_F(MainWindowTest, RestoringTheLayoutTakesEffectAtExit) {
    Create();
    settings->writePlace(QStringLiteral("Debugger"), 30, 40);
    Trigger("mnuSetupRestoreScreenLayoutToDefault");
    Trigger("mnuSetupRestoreScreenLayoutToDefault");
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text,
              QStringLiteral("Window positions will be reset.\r\nPlease note this will not take "
                             "effect until the next time you run TORVEX."));
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Information);
    EXPECT_TRUE(settings->readPlace(QStringLiteral("Debugger")).moved) << "nothing moves at once";
    main->close();
    EXPECT_FALSE(settings->readPlace(QStringLiteral("Debugger")).moved);
    EXPECT_FALSE(settings->readPlace(QStringLiteral("Rungs")).moved);
    EXPECT_FALSE(settings->readPlace(QStringLiteral("Simulation25")).moved);
    EXPECT_EQ(settings->value(QStringLiteral("Setup"), QStringLiteral("Running"), {}),
              QStringLiteral("False"));
}

TEST_F(MainWindowTest, TheUnsavedChangesQuestionHasThreeAnswers) {
    Create();
    const QString question =
        QStringLiteral("The diagram has changed.\r\nDo you wish to save to file?");
    auto change = [&] {
        ws().plc.diagram.Rungs[0].setComment("work");
        ws().shell.DiagramChanged = true;
    };
    // Cancel abandons the command.
    change();
    prompter.answers = {Prompter::Cancel};
    Trigger("mnuFileNewDiagram");
    ASSERT_EQ(prompter.lastText(), question);
    EXPECT_EQ(prompter.shown.back().buttons, Prompter::Yes | Prompter::No | Prompter::Cancel);
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "work");
    // No goes on without saving.
    prompter.answers = {Prompter::No};
    Trigger("mnuFileNewDiagram");
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "");
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_TRUE(prompter.requests.empty());
    // Yes saves first; a cancelled save dialog keeps the diagram.
    change();
    prompter.answers = {Prompter::Yes};
    Trigger("mnuFileNewDiagram");
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "work") << "the save was cancelled";
    prompter.answers = {Prompter::Yes};
    prompter.files = {File(QStringLiteral("kept"))};
    Trigger("mnuFileNewDiagram");
    EXPECT_TRUE(Read(QStringLiteral("kept.llg")).contains(QStringLiteral("work")));
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "");
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer"));
}

TEST_F(MainWindowTest, OpenChoosesTheReaderByTheNamesEnding) {
    Write(QStringLiteral("example.txt"), DataFile("complete_example.llg"));
    Write(QStringLiteral("PLANT.LLD"), DataFile("legacy/plant.lld"));
    Write(QStringLiteral("PLANT.LCD"), DataFile("legacy/plant.LCD"));
    Create();
    prompter.files = {File(QStringLiteral("example.txt"))};
    Trigger("mnuFileOpenDiagram");
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, QStringLiteral("Open Diagram"));
    EXPECT_EQ(prompter.requests[0].defaultSuffix, QStringLiteral("llg"));
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Code(1, 0), Control::NOC);
    EXPECT_EQ(ws().comments.InputComments[0], "Start button");
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer - example.txt"));
    EXPECT_EQ(ws().shell.CurrentFileName, File(QStringLiteral("example.txt")));
    EXPECT_TRUE(main->rungView()->CommentsShown());
    EXPECT_EQ(main->recentFiles().path(1), File(QStringLiteral("example.txt")).toStdString());

    prompter.files = {File(QStringLiteral("PLANT.LLD"))};
    Trigger("mnuFileOpenDiagram");
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer"))
        << "an import is untitled";
    EXPECT_TRUE(ws().shell.CurrentFileName.isEmpty());
    EXPECT_EQ(main->recentFiles().path(1), File(QStringLiteral("example.txt")).toStdString());
    EXPECT_GT(ws().plc.diagram.RungCount(), 0);
}

TEST_F(MainWindowTest, AFailedLoadShowsTheReadersMessageAndStaysUntitled) {
    Write(QStringLiteral("broken.llg"),
          "------------- Rung 0 Types -------------\r\n  0abc  0  0  0  0  0  0  0  0\r\n");
    Create();
    prompter.files = {File(QStringLiteral("broken.llg"))};
    Trigger("mnuFileOpenDiagram");
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.lastText(),
              QLatin1Char('\'') + File(QStringLiteral("broken.llg")) +
                  QStringLiteral(
                      "', section 'Rung 0 Types', line 2: 'abc' is not a valid integer value"));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Error);
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer"));
    prompter.shown.clear();
    main->OpenFile(File(QStringLiteral("missing.llg")));
    EXPECT_EQ(prompter.lastText(), QLatin1Char('\'') + File(QStringLiteral("missing.llg")) +
                                       QStringLiteral("': File not found"));
}

TEST_F(MainWindowTest, SaveWritesToTheSameFileWithoutAskingOnceItHasOne) {
    Create();
    prompter.files = {File(QStringLiteral("first"))};
    Trigger("mnuFileSaveDiagram");
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].defaultSuffix, QStringLiteral("llg"));
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer - first.llg"));
    ws().plc.diagram.Rungs[0].setComment("second version");
    ws().shell.DiagramChanged = true;
    Trigger("mnuFileSaveDiagram");
    EXPECT_EQ(prompter.requests.size(), 1u) << "no second dialog";
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_TRUE(Read(QStringLiteral("first.llg")).contains(QStringLiteral("second version")));
    // A failed save keeps the name and the changed flag, and says why.
    ws().shell.DiagramChanged = true;
    prompter.files = {File(QStringLiteral("no/such/folder/x.llg"))};
    Trigger("mnuFileSaveDiagramAs");
    EXPECT_TRUE(ws().shell.DiagramChanged);
    EXPECT_EQ(ws().shell.CurrentFileName, File(QStringLiteral("first.llg")));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Error);
}

TEST_F(MainWindowTest, RecentFilesFollowTheLoads) {
    for (const char* name : {"a.llg", "b.llg", "c.llg"})
        Write(QString::fromLatin1(name), DataFile("timer_counter.llg"));
    Create();
    EXPECT_FALSE(Action(QStringLiteral("mnuFileLine"))->isVisible());
    for (const char* name : {"a.llg", "b.llg", "c.llg"})
        main->OpenFile(File(QString::fromLatin1(name)));
    EXPECT_EQ(Action("mnuFile", 1)->text(), QStringLiteral("&1 c.llg"));
    EXPECT_EQ(Action("mnuFile", 3)->text(), QStringLiteral("&3 a.llg"));
    Action("mnuFile", 3)->trigger();
    EXPECT_EQ(Action("mnuFile", 1)->text(), QStringLiteral("&1 a.llg"));
    EXPECT_EQ(Action("mnuFile", 2)->text(), QStringLiteral("&2 c.llg"));
    main->close();
    main.reset();
    Create(false);
    EXPECT_TRUE(Action(QStringLiteral("mnuFileLine"))->isVisible());
    EXPECT_TRUE(Action("mnuFile", 3)->isVisible());
    EXPECT_FALSE(Action("mnuFile", 4)->isVisible());
    EXPECT_EQ(Action("mnuFile", 2)->text(), QStringLiteral("&2 c.llg"));
}

// Open and Save start where the last diagram was, or in the documents the first time; never
// among the examples, which open as untitled copies.
TEST_F(MainWindowTest, FileDialogsStartInTheLastFolderAndExamplesOpenUntitled) {
    QDir(dir.path()).mkpath(QStringLiteral("Solutions"));
    QDir(dir.path()).mkpath(QStringLiteral("work"));
    QFile::copy(QStringLiteral(TORVEX_SOLUTIONS "/seal_in.llg"),
                File(QStringLiteral("Solutions/seal_in.llg")));
    Write(QStringLiteral("work/mine.llg"), DataFile("timer_counter.llg"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString first = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    Create();
    Trigger("mnuFileOpenDiagram");  // cancelled
    prompter.files = {File(QStringLiteral("work/mine.llg"))};
    Trigger("mnuFileOpenDiagram");
    QAction* example = Action(QStringLiteral("mnuFileExample_seal_in"));
    EXPECT_EQ(example->text(), QStringLiteral("Seal-in: Start (IP0) switches the motor\u2026"));
    example->trigger();
    EXPECT_TRUE(ws().shell.CurrentFileName.isEmpty()) << "an untitled copy";
    EXPECT_EQ(main->recentFiles().path(1), File(QStringLiteral("work/mine.llg")).toStdString());
    Trigger("mnuFileSaveDiagram");  // asks for a name: cancelled
    main.reset();
    Create();
    Trigger("mnuFileSaveDiagramAs");
    ASSERT_EQ(prompter.requests.size(), 4u);
    const QString folders[] = {first, first, File(QStringLiteral("work")),
                               File(QStringLiteral("work"))};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(prompter.requests[i].folder, folders[i]) << i;
    EXPECT_EQ(prompter.requests[2].title, QStringLiteral("Save Diagram As"));
}

// Setup > Display Size scales the whole program: at each size, on a 1280 x 800 screen, the
// rung view, the debugger and the monitor show every text whole, names on the points included. Qt's
// scale is fixed when the application starts, so each size runs in a child process of this program.
TEST_F(MainWindowTest, EveryWindowLaysOutAtEveryDisplaySize) {
    if (qEnvironmentVariableIsSet("TORVEX_DISPLAY_SIZE")) {
        const double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
        Create(true, qRound(1280 / scale));
        main->resize(qRound(1280 / scale), qRound(800 / scale));
        ws().comments.InputComments[0] = "Start button, the green one by the door";
        Part<QCheckBox>(QStringLiteral("chkNames"))->setChecked(true);
        auto* rungs = main->findChild<TfrmRungs*>();
        ASSERT_NE(rungs, nullptr);
        rungs->setNamesShown(true);
        QCoreApplication::processEvents();  // the layouts follow the longer texts
        // The debugger's panel scrolls within its window by design.
        std::vector<std::string> faults = LayoutFaults(main->debugger());
        std::erase(faults, std::string("pnlBackground: outside its parent"));
        EXPECT_EQ(faults, std::vector<std::string>{}) << "debugger";
        EXPECT_EQ(LayoutFaults(rungs), std::vector<std::string>{}) << "rung view";
        Trigger("mnuSimulationsSimulation1");
        ASSERT_NE(main->monitor(), nullptr);
        EXPECT_EQ(LayoutFaults(main->monitor()), std::vector<std::string>{}) << "monitor";
        main.reset();
        return;
    }
    for (int percent : SettingsStore::kDisplaySizes) {
        SCOPED_TRACE(percent);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(percent / 100.0));
        environment.insert(QStringLiteral("TORVEX_DISPLAY_SIZE"), QString::number(percent));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=%1.%2")
                 .arg(QLatin1String(test->test_suite_name()), QLatin1String(test->name()))});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
    }
}

// The points' labels in the monitor and the debugger carry the I/O comments of the diagram
// loaded; the debugger shows them beside the points on request.
TEST_F(MainWindowTest, IOCommentsNameThePointsInTheMonitorAndTheDebugger) {
    Create();
    main->OpenFile(QStringLiteral(TORVEX_SOLUTIONS "/traffic_light.llg"));  // with its plant
    ASSERT_NE(main->monitor(), nullptr);
    EXPECT_EQ(main->monitor()->findChild<QLabel*>(QStringLiteral("lblOP0"))->toolTip(),
              QStringLiteral("N/S red"));
    Trigger("mnuControlDebugger");
    EXPECT_EQ(Label("lblOP0")->toolTip(), QStringLiteral("N/S red"));
    EXPECT_EQ(Label("lblOP0")->text(), QStringLiteral("OP0"));
    Part<QCheckBox>(QStringLiteral("chkNames"))->setChecked(true);
    EXPECT_EQ(Label("lblOP0")->text(), QStringLiteral("OP0 N/S red"));
    EXPECT_EQ(Label("lblF15")->text(), QStringLiteral("F15"));
}

TEST_F(MainWindowTest, PrintingToAPdfFileWritesPages) {
    Write(QStringLiteral("example.llg"), DataFile("complete_example.llg"));
    Create();
    main->OpenFile(File(QStringLiteral("example.llg")));
    prompter.printTo = File(QStringLiteral("diagram.pdf"));
    Trigger("mnuFilePrintDiagram");
    EXPECT_EQ(prompter.printRequests, 1);
    QFile pdf(prompter.printTo);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
    EXPECT_LT(bytes.size(), 200 * 1024) << "vector rungs, no raster images";

    // The text is real text: the header, the rungs, and the I/O list with its cross-reference.
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), prompter.printTo, QStringLiteral("-")});
    if (!text.waitForFinished(20000) || text.exitCode() != 0) GTEST_SKIP() << "no pdftotext";
    const QStringList lines =
        QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n'));
    auto lineWith = [&](const QString& words) {
        for (const QString& line : lines)
            if (line.simplified().contains(words)) return true;
        return false;
    };
    for (const char* words : {"example.llg", "Page 1", "Rung 0", "Runs the motor while", "I/O List",
                              "IP0 Start button 0", "OP0 Motor contactor 0"})
        EXPECT_TRUE(lineWith(QString::fromUtf8(words))) << words;
}

TEST_F(MainWindowTest, ARunLocksTheEditorAndStopReleasesIt) {
    Create();
    const std::vector<QAction*> locked = {
        Action(QStringLiteral("mnuFileNewDiagram")),
        Action(QStringLiteral("mnuFileOpenDiagram")),
        Action(QStringLiteral("mnuEditAddRung")),
        Action(QStringLiteral("mnuEditInsertRung")),
        Action(QStringLiteral("mnuEditDeleteRung")),
        Action(QStringLiteral("mnuEditAddBranch")),
        Action(QStringLiteral("mnuEditDeleteBranch")),
        Action(QStringLiteral("mnuEditEditControl")),
        Action(QStringLiteral("mnuEditDeleteControl")),
        Action(QStringLiteral("mnuEditUndo")),
        Action(QStringLiteral("mnuEditRedo")),
        Action(QStringLiteral("mnuEditCutRung")),
        Action(QStringLiteral("mnuEditCopyRung")),
        Action(QStringLiteral("mnuEditPasteRung")),
        Action(QStringLiteral("mnuEditShowComments")),
        Action(QStringLiteral("mnuEditHideComments")),
        Action(QStringLiteral("mnuControlDebugger")),
        Action(QStringLiteral("mnuControlInternalSimulation")),
        Action(QStringLiteral("mnuControlExternalDevice")),
        Action(QStringLiteral("mnuControlExternalPLC")),
        Action(QStringLiteral("mnuSetupConfigureIO")),
        Action(QStringLiteral("mnuSetupRestoreScreenLayoutToDefault")),
        Action("mnuSimulationsSimulation", 1),
        Action("mnuSimulationsSimulation", 4)};
    // Something to undo and something to redo.
    Trigger("mnuEditAddRung");
    Trigger("mnuEditAddRung");
    Trigger("mnuEditUndo");
    Palette(kToolTIM)->setDown(true);
    QTest::mouseClick(Button("btnSingleStep"), Qt::LeftButton);
    EXPECT_TRUE(main->RunInProgress());
    EXPECT_EQ(main->statusText(), QStringLiteral("Single Step Rung 0 ..."));
    for (QAction* a : locked) EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (int t = 0; t < kToolCount; ++t) EXPECT_TRUE(Palette(t)->showsDisabled());
    EXPECT_TRUE(Palette(kToolPointer)->isDown());
    EXPECT_FALSE(Palette(kToolTIM)->isDown());
    EXPECT_EQ(ws().editor.EditorMode, emRunning);
    QTest::mouseClick(Button("btnStop"), Qt::LeftButton);
    EXPECT_FALSE(main->RunInProgress());
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
    for (QAction* a : locked)
        EXPECT_TRUE(a->isEnabled()) << "still disabled: " << a->objectName().toStdString();
    for (int t = 0; t < kToolCount; ++t) EXPECT_FALSE(Palette(t)->showsDisabled());
    EXPECT_EQ(ws().editor.EditorMode, emIdle);
}

TEST_F(MainWindowTest, ClosingDuringARunStopsItFirst) {
    Create();
    main->run().btnRunClick();
    ASSERT_TRUE(main->RunInProgress());
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->run().ThreadRunning(); }, 2000));
    main->close();
    EXPECT_FALSE(main->run().RunInProgress());
    EXPECT_FALSE(main->run().ThreadCreated());
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
}

TEST_F(MainWindowTest, ChoosingASimulationThatIsNotThereReturnsToTheDebugger) {
    const PlantRegistry none;  // the program has every plant
    plants = &none;
    Create();
    ws().comments.InputComments[3] = "kept";
    Action("mnuSimulationsSimulation", 3)->trigger();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The Simulation cannot be opened."));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Warning);
    EXPECT_TRUE(Action(QStringLiteral("mnuControlDebugger"))->isChecked());
    EXPECT_FALSE(Action(QStringLiteral("mnuControlInternalSimulation"))->isChecked());
    EXPECT_NE(main->debugger(), nullptr);
    EXPECT_EQ(ws().comments.InputComments[3], "kept");
}

TEST_F(MainWindowTest, ConfigureIOOpensOnceAndNotDuringARun) {
    Create();
    Button("btnSetup")->click();
    ASSERT_NE(main->preferences(), nullptr);
    TfrmPreferences* first = main->preferences();
    Trigger("mnuSetupConfigureIO");
    EXPECT_EQ(main->preferences(), first) << "one dialog at a time";
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->preferences(), nullptr);
    main->run().btnSingleStepClick();
    Button("btnSetup")->click();
    Trigger("mnuSetupConfigureIO");
    EXPECT_EQ(main->preferences(), nullptr);
    main->run().btnStopClick();
}

// What a run left in the memory image goes with its diagram: New and a completed load start
// from the memory image a run start makes, shown at once, while the forced inputs stay.
TEST_F(MainWindowTest, ANewOrLoadedDiagramStartsFromAFreshMemoryImage) {
    Write(QStringLiteral("counter.llg"), DataFile("timer_counter.llg"));
    const struct {
        const char* command;
        std::function<void()> act;
    } commands[] = {
        {"new", [&] { Trigger("mnuFileNewDiagram"); }},
        {"load", [&] { main->OpenFile(File(QStringLiteral("counter.llg"))); }},
    };
    Create();
    for (const auto& c : commands) {
        SCOPED_TRACE(c.command);
        main->forcedInputs().set(2, true);
        MemoryImage& m = main->plc().memory;
        m.Outputs[5].State = m.Flags[1].State = true;
        m.Timers[1].Elapsed = 1500;
        m.Counters[1].Count = 4;
        m.Registers[2].Bits[3] = true;
        main->debugger()->UpdateDisplay(false);
        c.act();
        EXPECT_FALSE(m.Outputs[5].State);
        EXPECT_FALSE(m.Flags[1].State);
        EXPECT_EQ(m.Timers[1].Elapsed, 0);
        EXPECT_EQ(m.Counters[1].Count, m.Counters[1].InitialCount);
        EXPECT_FALSE(m.Registers[2].Bits[3]);
        EXPECT_TRUE(main->forcedInputs().isOn(2));
        EXPECT_FALSE(main->debugger()->findChild<QWidget*>(QStringLiteral("imgOP5On"))->isVisible())
            << "the debugger shows the fresh image";
    }
}

// The rung viewer says when the diagram holds unsaved changes, and a file entered in the
// recent list shows in the File menu at once.
TEST_F(MainWindowTest, TheCaptionAndTheRecentFilesFollowTheDiagram) {
    Write(QStringLiteral("plant.llg"), DataFile("timer_counter.llg"));
    Create();
    QWidget* view = main->rungView();
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Rung Viewer"));
    Button("btnAddRung")->click();
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Rung Viewer *"));
    prompter.answers = {Prompter::No};
    main->OpenFile(File(QStringLiteral("plant.llg")));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Rung Viewer - plant.llg"));
    EXPECT_TRUE(Action("mnuFile", 1)->isVisible());
    EXPECT_TRUE(Action(QStringLiteral("mnuFileLine"))->isVisible());
    Button("btnAddRung")->click();
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Rung Viewer - plant.llg *"));
    prompter.files = {File(QStringLiteral("copy.llg"))};
    Trigger("mnuFileSaveDiagramAs");
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Rung Viewer - copy.llg"));
    EXPECT_EQ(Action("mnuFile", 1)->text(), QStringLiteral("&1 copy.llg"));
    EXPECT_TRUE(Action("mnuFile", 2)->isVisible());
}

// A file that is no diagram, or no file at all, is refused with a message naming it, and
// nothing else changes: not the diagram, not its name, not the recent files.
TEST_F(MainWindowTest, AFileThatIsNoDiagramChangesNothing) {
    Write(QStringLiteral("plant.llg"), DataFile("timer_counter.llg"));
    Write(QStringLiteral("passwd.llg"),
          "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/:/bin/sh\n");
    Write(QStringLiteral("empty.llg"), QByteArray());
    static const char elf[] =
        "\x7f"
        "ELF\x02\x01\x01\0\0\0\0\x1a\xff\xfe";
    Write(QStringLiteral("binary.llg"), QByteArray(elf, sizeof elf - 1));
    ASSERT_EQ(::mkfifo(File(QStringLiteral("fifo.llg")).toLocal8Bit().constData(), 0600), 0);
    QDir(dir.path()).mkdir(QStringLiteral("folder.llg"));
    Create();
    main->OpenFile(File(QStringLiteral("plant.llg")));
    ASSERT_TRUE(prompter.shown.empty()) << prompter.lastText().toStdString();
    const auto rows = RungRows(ws().plc.diagram.Rungs[0]);
    const int count = ws().plc.diagram.RungCount();
    const QString caption = main->rungView()->windowTitle();
    for (const char* name :
         {"passwd.llg", "empty.llg", "binary.llg", "fifo.llg", "folder.llg", "missing.llg"}) {
        SCOPED_TRACE(name);
        prompter.shown.clear();
        main->OpenFile(File(QString::fromLatin1(name)));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(prompter.lastText().contains(File(QString::fromLatin1(name))));
        EXPECT_EQ(RungRows(ws().plc.diagram.Rungs[0]), rows);
        EXPECT_EQ(ws().plc.diagram.RungCount(), count);
        EXPECT_EQ(ws().shell.CurrentFileName, File(QStringLiteral("plant.llg")));
        EXPECT_EQ(main->rungView()->windowTitle(), caption);
        EXPECT_EQ(main->recentFiles().path(1), File(QStringLiteral("plant.llg")).toStdString());
        EXPECT_EQ(main->recentFiles().path(2), "");
    }
    EXPECT_EQ(prompter.lastText(), QLatin1Char('\'') + File(QStringLiteral("missing.llg")) +
                                       QStringLiteral("': File not found"));
    prompter.shown.clear();
    main->OpenFile(File(QStringLiteral("passwd.llg")));
    EXPECT_EQ(prompter.lastText(), QLatin1Char('\'') + File(QStringLiteral("passwd.llg")) +
                                       QStringLiteral("' is not a TORVEX diagram."));
}

}  // namespace
}  // namespace torvex::test

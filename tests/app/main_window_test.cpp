// The main window: its menus and bars, start-up and exit, the File commands, the editor
// lock of a run, and the shell's own commands.

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include "app/about_form.h"
#include "app/clickable_label.h"
#include "app/intro_form.h"
#include "app/palette_button.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "simulation/debugger.h"
#include "simulation/preferences_dialog.h"
#include "tests/app/main_window_fixture.h"
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
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&Simulations", "Se&tup", "&Control", "&Help"}));
    EXPECT_EQ(Items(main->mnuFile), (QStringList{"&New Diagram", "&Open Diagram...", "&Save Diagram",
                                                 "Save Diagram &As...", "-", "Print Diagram...", "-",
                                                 "E&xit"}));
    EXPECT_EQ(Items(main->mnuEdit),
              (QStringList{"&Add Rung", "&Insert Rung", "&Delete Rung", "-", "Add &Branch",
                           "Delete B&ranch", "-", "Edit &Control", "Delete C&ontrol", "-",
                           "&Show Comments", "&Hide Comments"}));
    EXPECT_EQ(Items(main->mnuSimulations),
              (QStringList{"&1 Traffic Light", "&2 Annunciator", "&3 Car Park", "&4 Elevator", "&5 ",
                           "&6 ", "&7 ", "&8 "}));
    for (int k = 4; k < 8; ++k) {
        EXPECT_FALSE(main->mnuSimulationsSimulation[k]->isEnabled());
        EXPECT_FALSE(main->mnuControlInternalSimulationSimulation[k]->isEnabled());
    }
    EXPECT_EQ(Items(main->mnuSetup),
              (QStringList{"&Configure I/O...", "&Restore Screen Layout to Default"}));
    EXPECT_EQ(Items(main->mnuControl),
              (QStringList{"&Debugger", "Internal &Simulation", "&External Device",
                           "Internal Simulation from External &PLC"}));
    EXPECT_EQ(Items(main->mnuControlExternalPLCMenu),
              (QStringList{"&1 Traffic Light", "&2 Annunciator", "&3 Car Park", "&4 Elevator"}));
    EXPECT_TRUE(main->mnuControlDebugger->isChecked());
    EXPECT_FALSE(main->mnuControlInternalSimulation->isChecked());
    EXPECT_EQ(Items(main->mnuHelp),
              (QStringList{"&Contents...", "&Contact Details...", "&About TORVEX..."}));
    EXPECT_EQ(main->mnuHelpContents->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(MainWindowTest, FinnishTextsComeFromTheTranslation) {
    FinnishTranslation finnishTexts;
    ASSERT_TRUE(finnishTexts.install());
    finnish = true;
    Create(false);
    QStringList bar;
    for (QAction* a : main->menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{"Teidosto", "Muokkaa", "Simuloi", "Se&tup", "Ohjaus", "Ohje"}));
    EXPECT_EQ(main->mnuFileSaveDiagram->text(), QStringLiteral("&Save Diagram")) << "no Finnish form";
    EXPECT_EQ(main->mnuSetupRestoreScreenLayoutToDefault->text(),
              QStringLiteral("Restore Screen Layout to Dafault"));
    EXPECT_EQ(main->mnuHelpAboutTORVEX->text(), QStringLiteral("Torvex-ohjelmasta"));
    EXPECT_EQ(main->btnRun->toolTip(), QStringLiteral("Aja kaavio"));
    EXPECT_EQ(main->btnStop->toolTip(), QStringLiteral("Pysäytä kaavio"));
    EXPECT_EQ(main->btnComments->toolTip(), QStringLiteral("Puolakommentit"));
    EXPECT_EQ(main->btnAddRung->toolTip(), QStringLiteral("Add Rung"));
    main.reset();
}

TEST_F(MainWindowTest, ButtonsStandWhereTheBarsPlaceThem) {
    Create(false);
    const struct {
        QToolButton* button;
        int left;
        const char* hint;
    } bar[] = {
        {main->btnNew, 8, "New Diagram"},        {main->btnOpen, 33, "Open Diagram"},
        {main->btnSave, 58, ""},                 {main->btnPrint, 83, ""},
        {main->btnSetup, 107, "Configure I/O..."}, {main->btnHelp, 132, "Help"},
        {main->btnRun, 268, "Run Diagram"},      {main->btnStepDiagram, 293, "Single Loop"},
        {main->btnSingleStep, 318, "Single Step"}, {main->btnPause, 343, "Pause Run"},
        {main->btnStop, 368, "Stop Diagram"},    {main->btnClose, 393, "Close Simulation"},
        {main->btnAddRung, 268, "Add Rung"},     {main->btnInsertRung, 293, "Insert Rung"},
        {main->btnDeleteRung, 318, "Delete Rung"}, {main->btnAddBranch, 343, "Add Branch"},
        {main->btnDeleteBranch, 368, "Delete Branch"}, {main->btnComments, 393, "Comments"},
    };
    for (const auto& b : bar) {
        EXPECT_EQ(b.button->geometry(), QRect(b.left, 3, 25, 24)) << b.hint;
        EXPECT_EQ(b.button->toolTip(), QString::fromUtf8(b.hint));
    }
    EXPECT_EQ(main->btnSetup->text(), QStringLiteral("I/O"));
    EXPECT_EQ(main->pnlToolbar->height(), 30);
    EXPECT_EQ(main->pnlSimulations->height(), 30);
    EXPECT_EQ(main->pnlInfoBar->height(), 17);
    const char* hints[10] = {"Pointer", "Normally Open Contact", "Normally Closed Contact",
                             "Output", "Reset", "Latch Output", "Unlatch Output", "Timer",
                             "Counter", "Bit Shift"};
    for (int t = 0; t < 10; ++t) {
        EXPECT_EQ(main->palette[t]->geometry(), QRect(8 + 25 * t, 3, 25, 24));
        EXPECT_EQ(main->palette[t]->toolTip(), QString::fromLatin1(hints[t]));
        EXPECT_EQ(main->palette[t]->isDown(), t == 0);
    }
}

TEST_F(MainWindowTest, AtMostOneRungOrBranchButtonIsDown) {
    Create(false);
    main->btnAddRung->setChecked(true);
    main->btnDeleteBranch->setChecked(true);
    EXPECT_FALSE(main->btnAddRung->isChecked());
    EXPECT_TRUE(main->btnDeleteBranch->isChecked());
    main->btnDeleteBranch->setChecked(false);
    for (QToolButton* b : {main->btnAddRung, main->btnInsertRung, main->btnDeleteRung,
                           main->btnAddBranch, main->btnDeleteBranch})
        EXPECT_FALSE(b->isChecked());
}

TEST_F(MainWindowTest, TheStatusPanelStandsEightPixelsInsideTheBarsEnd) {
    for (int width : {640, 820, 1024, 1600}) {
        Create(false, width);
        EXPECT_FALSE(main->pnlStatus->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return main->startUpTicks() >= 1; }, 5000));
        EXPECT_TRUE(main->pnlStatus->isVisible());
        EXPECT_EQ(main->pnlStatus->size(), QSize(169, 25));
        EXPECT_EQ(main->pnlStatus->geometry().right() + 1, main->pnlToolbar->width() - 8) << width;
        EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
        FinishStartUp();
        main.reset();
    }
}

TEST_F(MainWindowTest, StartUpShowsTheIntroThenCreatesTheWindows) {
    Create(false);
    EXPECT_TRUE(main->IntroOpen);
    EXPECT_EQ(main->rungView(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->startUpTicks() >= 1; }, 5000));
    ASSERT_TRUE(main->intro());
    EXPECT_TRUE(main->intro()->isVisible());
    EXPECT_EQ(main->interfaces().InterfaceCount(), 0) << "the intro's first tick registers them";
    FinishStartUp();
    EXPECT_EQ(main->interfaces().InterfaceCount(), 1);
    EXPECT_EQ(main->interfaces().at(0)->Name(), "Non-active Demo interface");
    ASSERT_NE(main->rungView(), nullptr);
    ASSERT_NE(main->debugger(), nullptr);
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer"));
    EXPECT_EQ(main->debugger()->windowTitle(), QStringLiteral("Debugger"));
    EXPECT_TRUE(main->mnuControlDebugger->isChecked());
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
    QTest::mouseClick(intro->imgIntro, Qt::LeftButton);
    EXPECT_TRUE(alive && alive->isVisible()) << "a click before the first tmrStart tick";
    intro->tmrStartTimer();
    EXPECT_EQ(initialised, 1);
    QTest::mouseClick(intro->imgQuendale, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    // Large fonts: 120 dpi scales the logo's top of 157 beyond 170.
    TfrmIntro::Hooks none;
    TfrmIntro large(none, 120.0);
    EXPECT_TRUE(large.LargeFonts());
    EXPECT_EQ(large.imgQuendale->pos(), QPoint(120, 154));
    TfrmIntro normal(none, 96.0);
    EXPECT_FALSE(normal.LargeFonts());
}

TEST_F(MainWindowTest, AboutShowsTheVersionAndTheFullNumberOnADoubleClick) {
    Create();
    main->mnuHelpAboutTORVEXClick();
    TfrmAbout* about = main->about();
    ASSERT_TRUE(about);
    EXPECT_TRUE(main->AboutOpen);
    EXPECT_EQ(about->width(), 458);
    EXPECT_EQ(about->height(), about->btnOK->geometry().bottom() + 1 + 10);
    EXPECT_EQ(about->lblVersionNumber->text(), QStringLiteral("3.0"));
    EXPECT_FALSE(about->Piccy->pixmap().isNull()) << "the JPEG picture decodes";
    const int centre = about->lblVersionNumber->geometry().center().x();
    QTest::mouseDClick(about->lblVersionNumber, Qt::LeftButton);
    EXPECT_EQ(about->lblVersionNumber->text(), QStringLiteral("3.0.20"));
    EXPECT_NEAR(about->lblVersionNumber->geometry().center().x(), centre, 1);
    const QRect once = about->lblVersionNumber->geometry();
    QTest::mouseDClick(about->lblVersionNumber, Qt::LeftButton);
    EXPECT_EQ(about->lblVersionNumber->geometry(), once) << "a second double-click changes nothing";
    QSignalSpy links(main.get(), &TfrmMain::linkOpened);
    QTest::mouseClick(about->lblEmailLink, Qt::LeftButton);
    ASSERT_EQ(links.count(), 1);
    EXPECT_TRUE(links.at(0).at(0).toString().startsWith(QStringLiteral("mailto:")));
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(main->AboutOpen);
}

TEST_F(MainWindowTest, AnOpenControlDialogHoldsOffTheShellCommands) {
    Create();
    ws().editor.ControlDialogOpen = true;
    QSignalSpy links(main.get(), &TfrmMain::linkOpened);
    main->mnuHelpAboutTORVEXClick();
    main->mnuHelpContactDetailsClick();
    main->mnuSetupRestoreScreenLayoutToDefaultClick();
    main->mnuQuendaleClick();
    EXPECT_FALSE(main->about());
    EXPECT_FALSE(main->RestoreLayoutAtExit);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(links.count(), 0);
    ws().editor.ControlDialogOpen = false;
}

TEST_F(MainWindowTest, RestoringTheLayoutTakesEffectAtExit) {
    Create();
    settings->writePlace(QStringLiteral("Debugger"), 30, 40);
    main->mnuSetupRestoreScreenLayoutToDefaultClick();
    main->mnuSetupRestoreScreenLayoutToDefaultClick();
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
    const QString question = QStringLiteral("The diagram has changed.\r\nDo you wish to save to file?");
    auto change = [&] {
        ws().plc.diagram.Rungs[0].setComment("work");
        ws().shell.DiagramChanged = true;
    };
    // Cancel abandons the command.
    change();
    prompter.answers = {Prompter::Cancel};
    main->mnuFileNewDiagramClick();
    ASSERT_EQ(prompter.lastText(), question);
    EXPECT_EQ(prompter.shown.back().buttons, Prompter::Yes | Prompter::No | Prompter::Cancel);
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "work");
    // No goes on without saving.
    prompter.answers = {Prompter::No};
    main->mnuFileNewDiagramClick();
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "");
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_TRUE(prompter.requests.empty());
    // Yes saves first; a cancelled save dialog keeps the diagram.
    change();
    prompter.answers = {Prompter::Yes};
    main->mnuFileNewDiagramClick();
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Comment(), "work") << "the save was cancelled";
    prompter.answers = {Prompter::Yes};
    prompter.files = {File(QStringLiteral("kept"))};
    main->mnuFileNewDiagramClick();
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
    main->mnuFileOpenDiagramClick();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, QStringLiteral("Open Diagram"));
    EXPECT_EQ(prompter.requests[0].defaultSuffix, QStringLiteral("llg"));
    EXPECT_EQ(ws().plc.diagram.Rungs[0].Code(1, 0), Control::NOC);
    EXPECT_EQ(ws().comments.InputComments[0], "Start button");
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer - example.txt"));
    EXPECT_EQ(ws().shell.CurrentFileName, File(QStringLiteral("example.txt")));
    EXPECT_TRUE(main->rungView()->CommentsShown);
    EXPECT_EQ(main->recentFiles().path(1), File(QStringLiteral("example.txt")).toStdString());

    prompter.files = {File(QStringLiteral("PLANT.LLD"))};
    main->mnuFileOpenDiagramClick();
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer")) << "an import is untitled";
    EXPECT_TRUE(ws().shell.CurrentFileName.isEmpty());
    EXPECT_EQ(main->recentFiles().path(1), File(QStringLiteral("example.txt")).toStdString());
    EXPECT_GT(ws().plc.diagram.RungCount(), 0);
}

TEST_F(MainWindowTest, AFailedLoadShowsTheReadersMessageAndStaysUntitled) {
    Write(QStringLiteral("broken.llg"),
          "------------- Rung 0 Types -------------\r\n  0abc  0  0  0  0  0  0  0  0\r\n");
    Create();
    prompter.files = {File(QStringLiteral("broken.llg"))};
    main->mnuFileOpenDiagramClick();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.lastText(),
              QLatin1Char('\'') + File(QStringLiteral("broken.llg")) +
                  QStringLiteral(
                      "', section 'Rung 0 Types', line 2: 'abc' is not a valid integer value"));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Error);
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer"));
    prompter.shown.clear();
    main->LoadFile(File(QStringLiteral("missing.llg")));
    EXPECT_EQ(prompter.lastText(), QLatin1Char('\'') + File(QStringLiteral("missing.llg")) +
                                       QStringLiteral("': File not found"));
    EXPECT_EQ(ws().plc.diagram.RungCount(), 1) << "the wiped diagram of one rung";
}

TEST_F(MainWindowTest, SaveWritesToTheSameFileWithoutAskingOnceItHasOne) {
    Create();
    prompter.files = {File(QStringLiteral("first"))};
    EXPECT_EQ(main->SaveDiagram(), 1);
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].defaultSuffix, QStringLiteral("llg"));
    EXPECT_EQ(main->rungView()->windowTitle(), QStringLiteral("Rung Viewer - first.llg"));
    ws().plc.diagram.Rungs[0].setComment("second version");
    ws().shell.DiagramChanged = true;
    EXPECT_EQ(main->SaveDiagram(), 1);
    EXPECT_EQ(prompter.requests.size(), 1u) << "no second dialog";
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_TRUE(Read(QStringLiteral("first.llg")).contains(QStringLiteral("second version")));
    // A failed save keeps the name and the changed flag, and says why.
    ws().shell.DiagramChanged = true;
    EXPECT_FALSE(main->SaveLadder(File(QStringLiteral("no/such/folder/x.llg"))));
    EXPECT_TRUE(ws().shell.DiagramChanged);
    EXPECT_EQ(ws().shell.CurrentFileName, File(QStringLiteral("first.llg")));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Error);
}

TEST_F(MainWindowTest, RecentFilesFollowTheLoads) {
    for (const char* name : {"a.llg", "b.llg", "c.llg"})
        Write(QString::fromLatin1(name), DataFile("timer_counter.llg"));
    Create();
    EXPECT_FALSE(main->mnuFileLine->isVisible());
    for (const char* name : {"a.llg", "b.llg", "c.llg"}) main->LoadFile(File(QString::fromLatin1(name)));
    EXPECT_EQ(main->mnuFileRecent[0]->text(), QStringLiteral("&1 c.llg"));
    EXPECT_EQ(main->mnuFileRecent[2]->text(), QStringLiteral("&3 a.llg"));
    main->mnuFileRecentClick(3);
    EXPECT_EQ(main->mnuFileRecent[0]->text(), QStringLiteral("&1 a.llg"));
    EXPECT_EQ(main->mnuFileRecent[1]->text(), QStringLiteral("&2 c.llg"));
    main->close();
    main.reset();
    Create(false);
    EXPECT_TRUE(main->mnuFileLine->isVisible());
    EXPECT_TRUE(main->mnuFileRecent[2]->isVisible());
    EXPECT_FALSE(main->mnuFileRecent[3]->isVisible());
    EXPECT_EQ(main->mnuFileRecent[1]->text(), QStringLiteral("&2 c.llg"));
}

TEST_F(MainWindowTest, PrintingToAPdfFileWritesPages) {
    Write(QStringLiteral("example.llg"), DataFile("complete_example.llg"));
    Create();
    main->LoadFile(File(QStringLiteral("example.llg")));
    prompter.printTo = File(QStringLiteral("diagram.pdf"));
    main->mnuFilePrintDiagramClick();
    EXPECT_EQ(prompter.printRequests, 1);
    QFile pdf(prompter.printTo);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
}

TEST_F(MainWindowTest, ARunLocksTheEditorAndStopReleasesIt) {
    Create();
    const std::vector<QAction*> locked = {
        main->mnuFileNewDiagram, main->mnuFileOpenDiagram, main->mnuEditAddRung,
        main->mnuEditInsertRung, main->mnuEditDeleteRung, main->mnuEditAddBranch,
        main->mnuEditDeleteBranch, main->mnuEditEditControl, main->mnuEditDeleteControl,
        main->mnuEditShowComments, main->mnuEditHideComments, main->mnuControlDebugger,
        main->mnuControlInternalSimulation, main->mnuControlExternalDevice,
        main->mnuControlExternalPLC, main->mnuSetupConfigureIO,
        main->mnuSetupRestoreScreenLayoutToDefault, main->mnuSimulationsSimulation[0],
        main->mnuSimulationsSimulation[3]};
    main->palette[kToolTIM]->setDown(true);
    QTest::mouseClick(main->btnSingleStep, Qt::LeftButton);
    EXPECT_TRUE(main->RunInProgress());
    EXPECT_EQ(main->statusText(), QStringLiteral("Single Step Rung 0 ..."));
    for (QAction* a : locked) EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (PaletteButton* b : main->palette) EXPECT_TRUE(b->showsDisabled());
    EXPECT_TRUE(main->palette[kToolPointer]->isDown());
    EXPECT_FALSE(main->palette[kToolTIM]->isDown());
    EXPECT_EQ(ws().editor.EditorMode, emRunning);
    QTest::mouseClick(main->btnStop, Qt::LeftButton);
    EXPECT_FALSE(main->RunInProgress());
    EXPECT_EQ(main->statusText(), QStringLiteral("Stopped"));
    for (QAction* a : locked) EXPECT_TRUE(a->isEnabled()) << "still disabled: " << a->objectName().toStdString();
    for (PaletteButton* b : main->palette) EXPECT_FALSE(b->showsDisabled());
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
    Create();
    ws().comments.InputComments[3] = "kept";
    main->mnuSimulationsSimulation[2]->trigger();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The Simulation cannot be opened."));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Warning);
    EXPECT_TRUE(main->mnuControlDebugger->isChecked());
    EXPECT_FALSE(main->mnuControlInternalSimulation->isChecked());
    EXPECT_NE(main->debugger(), nullptr);
    EXPECT_EQ(ws().comments.InputComments[3], "kept");
}

}  // namespace
}  // namespace torvex::test

namespace torvex::test {
namespace {

TEST_F(MainWindowTest, ConfigureIOOpensOnceAndNotDuringARun) {
    Create();
    main->btnSetup->click();
    ASSERT_NE(main->preferences(), nullptr);
    EXPECT_TRUE(main->PreferencesOpen);
    TfrmPreferences* first = main->preferences();
    main->mnuSetupConfigureIOClick();
    EXPECT_EQ(main->preferences(), first) << "one dialog at a time";
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(main->PreferencesOpen);
    main->run().btnSingleStepClick();
    main->btnSetup->click();
    main->mnuSetupConfigureIOClick();
    EXPECT_EQ(main->preferences(), nullptr);
    main->run().btnStopClick();
}

}  // namespace
}  // namespace torvex::test

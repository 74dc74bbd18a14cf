// The main window: menus, tool bars, palette, information bar, status panel, and the MDI
// area that holds the rung view, the debugger, the I/O monitor and a simulation. It owns
// the program's shared data and its run control.
//
// Every command is a QAction, shared by its menu item and its button; updateActions() alone
// decides which are enabled, from the run, the editor lock and the control mode.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

#include "editor/rung_editor.h"
#include "engine/control_menu_mode.h"
#include "engine/forced_inputs.h"
#include "engine/io_interface.h"
#include "engine/scan_record.h"
#include "files/diagram_settings.h"
#include "files/recent_files.h"
#include "simulation/plants/plant.h"

class QActionGroup;
class QLabel;
class QMdiArea;
class QMenu;
class QToolButton;

namespace torvex {

class ClickableLabel;
class CycleClock;
class TickSource;
class HelpWindow;
class PaletteButton;
class Plc;
class Prompter;
class RunControl;
class SettingsStore;
class TfrmAbout;
class TfrmDebugger;
class TfrmIntro;
class TfrmPreferences;
class TfrmRungs;
class TfrmSimulation;
class TfrmSimulator;
class TfrmTimingChart;
struct LoadResult;
struct Workspace;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        Prompter* prompter = nullptr;           // message boxes, file and print dialogs (required)
        SettingsStore* settings = nullptr;      // null: the user's own store
        bool finnishTexts = false;              // decided once, at start-up
        qreal logicalDpi = 96.0;                // the screen's font resolution, for large fonts
        QString programFolder;                  // where the example diagrams are looked for
        QString openAtStart;                    // a diagram named on the command line
        const PlantRegistry* plants = nullptr;  // the simulations; null: every plant there is
        // The run's time: the run thread's periods and the scans' ticks; null: the machine's.
        CycleClock* cycleClock = nullptr;
        TickSource* tickSource = nullptr;
    };
    explicit TfrmMain(const Options& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // ---- what other windows, main() and tests may ask --------------------------------
    Workspace& workspace() { return *ws_; }
    Plc& plc() { return *plc_; }
    RunControl& run() { return *run_; }
    ForcedInputs& forcedInputs() { return forced_; }
    InterfaceTable& interfaces() { return interfaces_; }
    const RecentFiles& recentFiles() const { return recent_; }
    TfrmRungs* rungView() const;
    RungEditor* rungEditor() const { return editor_; }
    TfrmDebugger* debugger() const;
    TfrmSimulation* simulation() const;
    TfrmSimulator* monitor() const;
    TfrmPreferences* preferences() const;
    TfrmTimingChart* timingChart() const;
    // Every scan of the last run, for the timing chart.
    const ScanRecord& chartRecord() const { return chartRecord_; }
    TfrmIntro* intro() const;
    TfrmAbout* about() const;
    HelpWindow* help() const;
    bool RunInProgress() const;
    ControlMenuMode controlMode() const { return mode_; }
    QString statusText() const;
    // How many start-up ticks have run (1: intro shown, 2: windows created).
    int startUpTicks() const { return introTicks_; }
    // Whether a press on a palette tool starts a drag (tests place by clicks only).
    void setPaletteDrags(bool drags) { paletteDrags_ = drags; }

    // Loads a diagram as Open does once a file is chosen (the legacy import for *.lld).
    void OpenFile(const QString& fileName);

signals:
    // A link was handed to the desktop (tests watch this rather than a browser).
    void linkOpened(const QString& address);
    // The start-up has created the rung view and the debugger.
    void startUpFinished();
    // The diagram was cleared (the I/O naming dialog closes).
    void wiped();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class Host;  // the run control's seam to the windows

    // ---- construction (main_window_menus.cpp) -----------------------------------------
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void buildPalette();
    void placeStatusPanel();

    // ---- start-up, exit and the shell's own commands ----------------------------------
    void tmrIntroTimer();
    void createWindows();
    void ExitProgram();
    void updateActions();
    void lockEditor();
    void unlockEditor();
    void selectPaletteTool(int tool);
    void paletteMouseDown(int tool);
    void mnuHelpAboutTORVEXClick();
    void mnuHelpContactDetailsClick();
    void mnuHelpContentsClick();
    void mnuSetupRestoreScreenLayoutToDefaultClick();
    void mnuQuendaleClick();
    // The link label beside the status panel: the current interface's link in the external
    // modes, hidden otherwise.
    void refreshLink();
    void InternetLink(const QString& address);
    void prompt(const QString& text);
    // The example diagrams as they ship, beside the program or installed with it.
    QString examplesFolder() const;

    // ---- File menu (main_window_files.cpp) --------------------------------------------
    void mnuFileNewDiagramClick() { NewDiagram(true); }
    void NewDiagram(bool returnToDebugger);
    void Wipe();
    void mnuFileOpenDiagramClick();
    void LoadFile(const QString& fileName, bool untitled = false);
    void DoOldLoad(const QString& fileName);
    int SaveDiagram();    // 1 saved, 2 cancelled or failed
    int SaveDiagramAs();  // 1 saved, 2 cancelled or failed
    bool SaveLadder(const QString& fileName);
    void mnuFilePrintDiagramClick();
    void mnuFileRecentClick(int entry);
    // File > Examples: each example by its first rung comment's opening words.
    void fillExamplesMenu();
    // An example opens as an untitled copy, so that Save asks for a new name.
    void OpenExample(const QString& fileName);
    // Where the open and save dialogs start: the folder last used for a diagram, or the
    // user's documents the first time.
    QString diagramFolder() const;
    void rememberFolder(const QString& fileName);
    // Asks about unsaved changes; false when the command is to be abandoned.
    bool askToSaveChanges();
    DiagramSettings diagramSettings() const;
    void refreshRecentMenu();
    void refreshCaption();
    void setDiagramChanged(bool changed);
    // What a new or loaded diagram starts from: the memory image reset, the displays shown.
    void showFreshDiagram(bool commentsShown);
    void showLoadMessages(const LoadResult& result);

    // ---- Control menu and run (main_window_run.cpp) -----------------------------------
    void mnuSetupConfigureIOClick();
    void mnuControlDebuggerClick();
    void mnuControlExternalDeviceClick();
    void mnuSimulationsSimulationClick(int k);
    void mnuControlExternalPLCSimulationClick(int k);
    bool ControlInternalSimulation(int k);
    void ControlExternalPLC(int k);
    bool OpenSimulation(int n);
    void CloseSimulation();
    void RemoveSimulation(int k);
    void HideBut();
    void HidePLCBut();
    void CommentsClear();
    void closeMonitor();
    void setMode(ControlMenuMode mode);
    // Serves pending paint, timer and posted events, but no user input.
    static void letPendingEventsRun(int rounds = 1);

    // ---- View menu and display size (main_window_view.cpp) -----------------------------
    void buildViewActions();
    void mnuViewFitWidthClick();
    void mnuSetupDisplaySizeClick(int percent);
    // The I/O comments changed: the rungs and the point labels show them at once.
    void ioCommentsChanged();

    // ---- the timing chart (main_window_chart.cpp) --------------------------------------
    void buildChartActions();
    void mnuViewTimingChartClick();
    void mnuFileOpenTraceClick();
    void addToTimingChart(int point);

    // ---- the dialogs the rung editor asks for (main_window_edit.cpp) ------------------
    void openControlDialog(DialogKind kind);
    void openControlComments(int32_t code, int32_t kind, int32_t index);

    // ---- shared data (declared first: everything below points into it) ---------------
    Prompter* prompter_;
    std::unique_ptr<SettingsStore> ownSettings_;
    SettingsStore* settings_;
    std::unique_ptr<Plc> plc_;
    std::unique_ptr<Workspace> ws_;
    RecentFiles recent_;
    ForcedInputs forced_;
    InterfaceTable interfaces_;
    PlantRegistry plants_;
    ScanRecord chartRecord_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<RunControl> run_;

    // ---- shell state -------------------------------------------------------------------
    ControlMenuMode mode_ = ControlMenuMode::Debugger;
    bool editorLocked_ = false;
    bool runButtonEnabled_ = true;
    bool commentItemsEnabled_ = true;
    bool aboutOpen_ = false;
    bool preferencesOpen_ = false;
    bool introOpen_ = true;
    bool restoreLayoutAtExit_ = false;
    bool hintsOn_ = true;
    bool exiting_ = false;
    bool paletteDrags_ = true;
    int introTicks_ = 0;
    QString programFolder_;
    QString openAtStart_;
    qreal logicalDpi_;
    QTimer tmrIntro_;
    QTimer tmrLink_;

    // ---- commands ----------------------------------------------------------------------
    QAction *mnuFileNewDiagram_, *mnuFileOpenDiagram_, *mnuFileSaveDiagram_;
    QAction *mnuFileSaveDiagramAs_, *mnuFilePrintDiagram_, *mnuFileExit_, *mnuFileLine_;
    std::array<QAction*, RecentFiles::kCount> mnuFileRecent_{};  // mnuFile1 ... mnuFile6
    RungEditor::Actions edit_{};
    std::array<QAction*, 8> mnuSimulationsSimulation_{};  // entries 1 ... 8
    QAction *mnuSetupConfigureIO_, *mnuSetupRestoreScreenLayoutToDefault_;
    QActionGroup* modes_;
    QAction *mnuControlDebugger_, *mnuControlInternalSimulation_, *mnuControlExternalDevice_;
    QAction* mnuControlExternalPLC_;
    std::array<QAction*, 8> mnuControlInternalSimulationSimulation_{};
    std::array<QAction*, 4> mnuControlExternalPLCSimulation_{};
    QAction *mnuHelpContents_, *mnuHelpContactDetails_, *mnuHelpAboutTORVEX_, *mnuQuendale_;
    QMenu* mnuFileExamples_ = nullptr;
    QAction *mnuViewZoomIn_, *mnuViewZoomOut_, *mnuViewActualSize_, *mnuViewFitWidth_;
    QAction* mnuViewShowNames_;
    QActionGroup* displaySizes_;
    QAction *actRun_, *actSingleLoop_, *actSingleStep_, *actPause_, *actStop_;
    QAction* actCloseSimulation_;
    QAction *mnuViewTimingChart_, *mnuFileOpenTrace_;

    // ---- widgets -----------------------------------------------------------------------
    QWidget* pnlToolbar_;
    QLabel* pnlStatus_;
    QLabel* lblLink_ = nullptr;
    QWidget* pnlSimulations_;
    std::array<PaletteButton*, 10> palette_{};
    QLabel* pnlInfoBar_;
    QMdiArea* mdiArea_;
    ClickableLabel* logo_ = nullptr;

    // ---- windows -----------------------------------------------------------------------
    QPointer<TfrmIntro> intro_;
    QPointer<TfrmAbout> about_;
    QPointer<HelpWindow> help_;
    QPointer<TfrmRungs> rungs_;
    QPointer<RungEditor> editor_;
    QPointer<TfrmDebugger> debugger_;
    QPointer<TfrmPreferences> preferences_;
    QPointer<TfrmSimulation> simulation_;
    QPointer<TfrmSimulator> monitor_;
    QPointer<TfrmTimingChart> chart_;
};

}  // namespace torvex

// The main window: menus, tool bars, palette, information bar, status panel, and the MDI
// area that holds the rung view, the debugger, the I/O monitor and a simulation. It owns
// the program's shared data and its run control.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "engine/editing.h"
#include "engine/forced_inputs.h"
#include "engine/io_interface.h"
#include "engine/run_host.h"
#include "files/diagram_settings.h"
#include "files/recent_files.h"

class QLabel;
class QMdiArea;
class QToolButton;

namespace torvex {

class ClickableLabel;
class HelpWindow;
class MainRunHost;
class PaletteButton;
class Plc;
class Prompter;
class RunControl;
class SettingsStore;
class TfrmAbout;
class TfrmDebugger;
class TfrmPreferences;
class TfrmIntro;
class TfrmRungs;
struct LoadResult;
struct Workspace;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        Prompter* prompter = nullptr;      // message boxes, file and print dialogs (required)
        SettingsStore* settings = nullptr; // null: the user's own store
        bool finnishTexts = false;         // decided once, at start-up
        qreal logicalDpi = 96.0;           // the screen's font resolution, for large fonts
        QString programFolder;             // where the example diagrams are looked for
        QString openAtStart;               // a diagram named on the command line
    };
    explicit TfrmMain(const Options& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // ---- shell state -------------------------------------------------------------------
    bool AboutOpen = false;
    bool PreferencesOpen = false;
    bool IntroOpen = true;
    bool RestoreLayoutAtExit = false;

    Workspace& workspace() { return *ws_; }
    Plc& plc();
    RunControl& run() { return *run_; }
    RecentFiles& recentFiles() { return recent_; }
    ForcedInputs& forcedInputs() { return forced_; }
    InterfaceTable& interfaces() { return interfaces_; }
    TfrmRungs* rungView() const;
    TfrmDebugger* debugger() const;
    bool RunInProgress() const;
    ControlMenuMode controlMode() const;
    bool FinnishTexts() const;
    bool LargeFonts() const;

    // ---- components --------------------------------------------------------------------
    QWidget* pnlToolbar;
    QToolButton *btnNew, *btnOpen, *btnSave, *btnPrint, *btnSetup, *btnHelp;
    QToolButton *btnRun, *btnStepDiagram, *btnSingleStep, *btnPause, *btnStop, *btnClose;
    QLabel* pnlStatus;
    QWidget* pnlSimulations;
    std::array<PaletteButton*, 10> palette{};
    QToolButton *btnAddRung, *btnInsertRung, *btnDeleteRung, *btnAddBranch, *btnDeleteBranch;
    QToolButton* btnComments;
    QLabel* pnlInfoBar;
    QMdiArea* mdiArea;

    QMenu *mnuFile, *mnuEdit, *mnuSimulations, *mnuSetup, *mnuControl, *mnuHelp;
    QAction *mnuFileNewDiagram, *mnuFileOpenDiagram, *mnuFileSaveDiagram, *mnuFileSaveDiagramAs;
    QAction *mnuFilePrintDiagram, *mnuFileExit, *mnuFileLine;
    std::array<QAction*, 6> mnuFileRecent{};  // mnuFile1 ... mnuFile6
    QAction *mnuEditAddRung, *mnuEditInsertRung, *mnuEditDeleteRung, *mnuEditAddBranch;
    QAction *mnuEditDeleteBranch, *mnuEditEditControl, *mnuEditDeleteControl;
    QAction *mnuEditShowComments, *mnuEditHideComments;
    std::array<QAction*, 8> mnuSimulationsSimulation{};  // 1 ... 8 at index 0 ... 7
    QAction *mnuSetupConfigureIO, *mnuSetupRestoreScreenLayoutToDefault;
    QAction *mnuControlDebugger, *mnuControlExternalDevice;
    QMenu *mnuControlInternalSimulationMenu, *mnuControlExternalPLCMenu;
    QAction *mnuControlInternalSimulation, *mnuControlExternalPLC;
    std::array<QAction*, 8> mnuControlInternalSimulationSimulation{};
    std::array<QAction*, 4> mnuControlExternalPLCSimulation{};
    QAction *mnuHelpContents, *mnuHelpContactDetails, *mnuHelpAboutTORVEX;
    QAction* mnuQuendale;

    QTimer tmrIntro;
    QTimer tmrTrip;

    // ---- File menu ---------------------------------------------------------------------
    void mnuFileNewDiagramClick() { NewDiagram(true); }
    void NewDiagram(bool returnToDebugger);
    void Wipe();
    void mnuFileOpenDiagramClick();
    void LoadFile(const QString& fileName);
    void DoOldLoad(const QString& fileName);
    int SaveDiagram();    // 1 saved, 2 cancelled or failed
    int SaveDiagramAs();  // 1 saved, 2 cancelled or failed
    bool SaveLadder(const QString& fileName);
    void mnuFilePrintDiagramClick();
    void mnuFileRecentClick(int entry);
    // Asks about unsaved changes; false when the command is to be abandoned.
    bool askToSaveChanges();
    DiagramSettings diagramSettings() const;

    // ---- Control menu ------------------------------------------------------------------
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
    void markMode(ControlMenuMode mode);
    void setStepButtonsEnabled(bool enabled);

    // ---- commands of the shell itself --------------------------------------------------
    void mnuHelpAboutTORVEXClick();
    void mnuHelpContactDetailsClick();
    void mnuHelpContentsClick();
    void mnuSetupRestoreScreenLayoutToDefaultClick();
    void mnuQuendaleClick();
    void InternetLink(const QString& address);
    void paletteMouseDown(int tool);
    void showComments(bool show);
    void btnCommentsClick();
    void tmrTripTimer();
    void startTrip();
    void releaseEditButtons();

    // ---- Edit menu, edit bar and the rung view's gestures ------------------------------
    void btnAddRungClick();
    void btnInsertRungClick();
    void btnDeleteRungClick();
    void btnAddBranchClick();
    void btnDeleteBranchClick();
    void btnEditControlClick();
    void btnDeleteControlClick();
    void RungAClick(int slot, int column, int row);
    void RungADragDrop(int slot, int column, int row, int tool);
    void mnuPopupEditClick();
    void mnuPopupDeleteClick();
    void mnuPopupControlCommentsClick();
    void AddControlHere();
    void tmrPlaceTimer(int tag);

    // The editor lock of a run (also used by the run host).
    void lockEditor();
    void unlockEditor();
    void setEditorLocked(bool locked);

    QString statusText() const;
    QPointer<TfrmIntro> intro() const { return intro_; }
    QPointer<TfrmAbout> about() const { return about_; }
    TfrmPreferences* preferences() const;
    QPointer<HelpWindow> help() const { return help_; }
    // How many start-up ticks have run (1: intro shown, 2: windows created).
    int startUpTicks() const { return introTicks_; }

    // What the palette drag would carry, without starting one (tests).
    bool dragsFromPalette = true;

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
    friend class MainRunHost;

    void buildMenus();
    void buildToolbar();
    void buildPalette();
    void connectCommands();
    void placeStatusPanel();
    void tmrIntroTimer();
    void createWindows();
    void connectRungView();
    void ExitProgram();
    void refreshRecentMenu();
    void setRungCaption(const QString& fileName);
    bool finishLoad(const LoadResult& result);
    void showLoadMessages(const LoadResult& result);
    void selectPaletteTool(int tool);
    QString examplesFolder() const;
    void prompt(const QString& text);
    void endCommand(QToolButton* button);
    bool refuseEdit(QToolButton* button);
    void warnTableFull(QToolButton* button);
    void handleModeClick(int slot, int column, int row);
    void openControlDialog(DialogKind kind);
    void editControlClick(int slot, int column, int row);
    void deleteControlClick(int slot, int column, int row);
    void deleteRungAsked(int slot, int rung);
    void deleteRungClick(int slot);
    void insertRungClick(int slot);
    void branchStartClick(int slot, int column, int row);
    void branchEndClick(int slot, int column);
    void deleteBranchClick(int slot, int column, int row);

    Prompter* prompter_;
    std::unique_ptr<SettingsStore> ownSettings_;
    SettingsStore* settings_;
    std::unique_ptr<Plc> plc_;
    std::unique_ptr<Workspace> ws_;
    RecentFiles recent_;
    ForcedInputs forced_;
    InterfaceTable interfaces_;
    std::unique_ptr<MainRunHost> host_;
    std::unique_ptr<RunControl> run_;
    QString programFolder_;
    QString openFolder_;
    QString saveFolder_;
    QString openAtStart_;
    qreal logicalDpi_;
    int introTicks_ = 0;
    bool hintsOn_ = true;
    bool exiting_ = false;
    QPointer<TfrmIntro> intro_;
    QPointer<TfrmAbout> about_;
    QPointer<HelpWindow> help_;
    QPointer<TfrmRungs> rungs_;
    QPointer<TfrmDebugger> debugger_;
    QPointer<TfrmPreferences> preferences_;
    ClickableLabel* logo_ = nullptr;
};

}  // namespace torvex

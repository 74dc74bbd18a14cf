// The main window: menus, tool bars, palette, information bar, status panel, and the MDI
// area that holds the rung view, the debugger, the I/O monitor and a simulation.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

class QLabel;
class QMdiArea;
class QToolButton;

namespace torvex {

class ClickableLabel;
class PaletteButton;
class Prompter;
class TfrmAbout;
class TfrmIntro;
class HelpWindow;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        Prompter* prompter = nullptr;  // message boxes and file dialogs (required)
        bool finnishTexts = false;     // decided once, at start-up
        qreal logicalDpi = 96.0;       // the screen's font resolution, for large fonts
        QString programFolder;         // where the executable lives
    };
    explicit TfrmMain(const Options& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // ---- shell state -------------------------------------------------------------------
    bool FinnishTexts = false;
    bool AboutOpen = false;
    bool PreferencesOpen = false;
    bool IntroOpen = true;
    bool FunctionOpen = false;
    bool LargeFonts = false;
    bool RestoreLayoutAtExit = false;

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

    // ---- commands of the shell itself --------------------------------------------------
    void mnuHelpAboutTORVEXClick();
    void mnuHelpContactDetailsClick();
    void mnuHelpContentsClick();
    void mnuSetupRestoreScreenLayoutToDefaultClick();
    void mnuQuendaleClick();
    void InternetLink(const QString& address);

    // The status panel's text (kept by the run control).
    QString statusText() const;
    QPointer<TfrmIntro> intro() const { return intro_; }
    QPointer<TfrmAbout> about() const { return about_; }

signals:
    // A link was handed to the desktop (tests watch this rather than a browser).
    void linkOpened(const QString& address);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildPalette();
    void applyFinnishTexts();
    void placeStatusPanel();
    void tmrIntroTimer();
    void paletteMouseDown(int tool);

    Prompter* prompter_;
    QString programFolder_;
    qreal logicalDpi_;
    int introTicks_ = 0;
    QPointer<TfrmIntro> intro_;
    QPointer<TfrmAbout> about_;
    QPointer<HelpWindow> help_;
    ClickableLabel* logo_ = nullptr;
};

}  // namespace torvex

// The File menu of the main window: new, open, save, print and the recent files.

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>
#include <memory>

#include "app/main_window.h"
#include "editor/diagram_printer.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "files/ladder_reader.h"
#include "files/ladder_writer.h"
#include "files/legacy_import.h"
#include "files/settings_store.h"
#include "files/wipe.h"
#include "simulation/debugger.h"
#include "ui/ansi_text.h"
#include "ui/prompter.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

QString Filters(std::initializer_list<QString> filters) {
    QStringList list(filters);
    return list.join(QStringLiteral(";;"));
}

bool IsLegacyName(const QString& fileName) {
    return fileName.right(3).toUpper() == QLatin1String("LLD");
}

}  // namespace

void TfrmMain::refreshRecentMenu() {
    for (int n = 1; n <= RecentFiles::kCount; ++n) {
        QAction* entry = mnuFileRecent_[n - 1];
        // "&" in a file name would read as an accelerator.
        QString caption = QString::fromStdString(recent_.caption(n));
        const QString prefix = caption.left(3);
        caption = prefix + caption.mid(3).replace(QLatin1Char('&'), QStringLiteral("&&"));
        entry->setText(caption);
        entry->setToolTip(QString::fromStdString(recent_.path(n)));
        entry->setVisible(recent_.visible(n));
    }
    mnuFileLine_->setVisible(recent_.anyVisible());
}

bool TfrmMain::askToSaveChanges() {
    if (!ws_->shell.DiagramChanged) return true;
    const Prompter::Button answer =
        prompter_->message(this, Prompter::Icon::Question,
                           tr("The diagram has changed.\r\nDo you wish to save to file?"),
                           Prompter::Yes | Prompter::No | Prompter::Cancel);
    if (answer == Prompter::Cancel) return false;
    if (answer == Prompter::No) return true;
    // Yes: go on only once the diagram is saved, so a cancelled or failed save loses nothing.
    return SaveDiagram() == 1;
}

void TfrmMain::refreshCaption() {
    if (rungs_) rungs_->setCaption(ws_->shell.CurrentFileName, ws_->shell.DiagramChanged);
}

void TfrmMain::setDiagramChanged(bool changed) {
    ws_->shell.DiagramChanged = changed;
    refreshCaption();
}

void TfrmMain::showFreshDiagram(bool commentsShown) {
    // Nothing of the previous diagram's run stays in the memory image; the forced inputs
    // stay, as the debugger's buttons show them.
    plc_->ResetMemory();
    if (rungs_) {
        rungs_->setTopRung(0);
        rungs_->DisplayComments(commentsShown);
        rungs_->VisibilityCheck();
        rungs_->DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
    }
    if (debugger_) debugger_->UpdateDisplay(false);
    ioCommentsChanged();
}

void TfrmMain::Wipe() {
    torvex::Wipe(*plc_, ws_->comments);
    emit wiped();
    if (editor_) editor_->clearHistory();
    ws_->shell.CurrentFileName.clear();
    setDiagramChanged(false);
    showFreshDiagram(rungs_ && rungs_->CommentsShown());
}

void TfrmMain::NewDiagram(bool returnToDebugger) {
    if (RunInProgress() || ws_->editor.ControlDialogOpen) return;
    if (!askToSaveChanges()) return;
    Wipe();
    if (rungs_) rungs_->DisplayComments(false);
    if (returnToDebugger) mnuControlDebuggerClick();
    letPendingEventsRun();
}

void TfrmMain::mnuFileOpenDiagramClick() {
    if (RunInProgress() || ws_->editor.ControlDialogOpen) return;
    if (!askToSaveChanges()) return;
    Prompter::FileRequest request;
    request.title = tr("Open Diagram");
    request.folder = diagramFolder();
    request.filter =
        Filters({tr("Ladder Diagrams (*.llg)"),
                 tr("Ladder Diagrams (Torvex Version 2) (*.lld *.LLD)"), tr("All Files (*)")});
    request.defaultSuffix = QStringLiteral("llg");
    const QString chosen = prompter_->openFileName(this, request);
    if (chosen.isEmpty()) return;
    // Later Opens and Saves start where this one ended.
    rememberFolder(chosen);
    OpenFile(chosen);
}

QString TfrmMain::diagramFolder() const {
    const QString last = settings_->diagramFolder();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void TfrmMain::rememberFolder(const QString& fileName) {
    settings_->writeDiagramFolder(QFileInfo(fileName).absolutePath());
}

void TfrmMain::fillExamplesMenu() {
    mnuFileExamples_->clear();
    const QDir folder(examplesFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.llg")}, QDir::Files)) {
        const QString path = folder.filePath(name);
        // Named by the opening words of its first rung comment.
        auto plc = std::make_unique<Plc>();
        IOComments comments;
        QString title;
        if (torvex::LoadFile(*plc, comments, path.toStdString()).completed)
            title = FromAnsi(plc->diagram.Rungs[0].Comment()).simplified();
        const QStringList words = title.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        constexpr int kWords = 6;
        title = words.size() > kWords ? words.mid(0, kWords).join(QLatin1Char(' ')) + u'\u2026'
                                      : words.join(QLatin1Char(' '));
        if (title.isEmpty()) title = QFileInfo(name).completeBaseName();
        QAction* example = mnuFileExamples_->addAction(title.replace(u'&', QStringLiteral("&&")));
        example->setObjectName(QStringLiteral("mnuFileExample_") +
                               QFileInfo(name).completeBaseName());
        example->setToolTip(path);
        connect(example, &QAction::triggered, this, [this, path] { OpenExample(path); });
    }
    mnuFileExamples_->menuAction()->setVisible(!mnuFileExamples_->isEmpty());
}

void TfrmMain::OpenExample(const QString& fileName) {
    if (RunInProgress() || ws_->editor.ControlDialogOpen) return;
    if (!askToSaveChanges()) return;
    LoadFile(fileName, true);
}

void TfrmMain::OpenFile(const QString& fileName) {
    if (IsLegacyName(fileName))
        DoOldLoad(fileName);
    else
        LoadFile(fileName);
}

void TfrmMain::showLoadMessages(const LoadResult& result) {
    for (const std::string& warning : result.warnings)
        prompter_->warn(this, QString::fromStdString(warning));
    if (!result.completed && !result.error.empty())
        prompter_->error(this, QString::fromStdString(result.error));
}

void TfrmMain::LoadFile(const QString& fileName, bool untitled) {
    const LoadResult result =
        torvex::LoadFile(*plc_, ws_->comments, fileName.toStdString(), ws_->shell.FinnishTexts);
    // A file that is no diagram at all changed nothing: the diagram, its name and the recent
    // files stay as they were.
    if (result.untouched) {
        showLoadMessages(result);
        return;
    }
    setMode(ControlMenuMode::Debugger);
    emit wiped();
    if (editor_) editor_->clearHistory();
    ws_->shell.CurrentFileName.clear();
    setDiagramChanged(false);
    showLoadMessages(result);
    showFreshDiagram(result.completed ? result.commentsShown : rungs_ && rungs_->CommentsShown());
    if (!result.completed) return;
    switch (result.controlMode) {
        case ControlMenuMode::ExternalPLC:
            ControlExternalPLC(result.simulation);
            break;
        case ControlMenuMode::InternalSimulation:
            ControlInternalSimulation(result.simulation);
            break;
        default:
            mnuControlDebuggerClick();
            break;
    }
    // A copy of an example is the user's own, with no name yet: Save asks for one.
    if (untitled) return;
    recent_.AddFileCaption(fileName.toStdString());
    refreshRecentMenu();
    ws_->shell.CurrentFileName = fileName;
    setDiagramChanged(false);
}

void TfrmMain::DoOldLoad(const QString& fileName) {
    const LoadResult result =
        torvex::DoOldLoad(*plc_, ws_->comments, fileName.toStdString(), ws_->shell.FinnishTexts);
    if (result.untouched) {
        showLoadMessages(result);
        return;
    }
    mnuControlDebuggerClick();
    emit wiped();
    if (editor_) editor_->clearHistory();
    ws_->shell.CurrentFileName.clear();
    setDiagramChanged(false);
    showLoadMessages(result);
    // An imported diagram is untitled: it is saved in the current format under a new name.
    showFreshDiagram(result.completed ? result.commentsShown : rungs_ && rungs_->CommentsShown());
}

DiagramSettings TfrmMain::diagramSettings() const {
    DiagramSettings settings;
    settings.controlMode = mode_;
    settings.simulationOpen = ws_->shell.SimulationOpen;
    settings.currentSimulation = ws_->shell.CurrentSimulation;
    settings.commentsShown = rungs_ && rungs_->CommentsShown();
    return settings;
}

bool TfrmMain::SaveLadder(const QString& fileName) {
    // A comment still being typed reaches its rung before the file is written.
    if (rungs_) rungs_->storePendingComment();
    const std::string error = torvex::SaveLadder(*plc_, ws_->comments, diagramSettings(),
                                                 fileName.toStdString(), ws_->shell.FinnishTexts);
    if (!error.empty()) {
        prompter_->error(this, QString::fromStdString(error));
        return false;
    }
    ws_->shell.CurrentFileName = fileName;
    recent_.AddFileCaption(fileName.toStdString());
    refreshRecentMenu();
    // Undoing back to this point brings the diagram back to what the file holds.
    if (editor_) editor_->markSaved();
    setDiagramChanged(false);
    return true;
}

int TfrmMain::SaveDiagram() {
    // A diagram that came from or went to a file is saved there again.
    if (!ws_->shell.CurrentFileName.isEmpty())
        return SaveLadder(ws_->shell.CurrentFileName) ? 1 : 2;
    return SaveDiagramAs();
}

int TfrmMain::SaveDiagramAs() {
    Prompter::FileRequest request;
    request.title = tr("Save Diagram As");
    request.folder = diagramFolder();
    request.filter = Filters({tr("Ladder Diagram (*.llg)"), tr("All Files (*)")});
    request.defaultSuffix = QStringLiteral("llg");
    QString chosen = prompter_->saveFileName(this, request);
    if (chosen.isEmpty()) return 2;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".llg");
    rememberFolder(chosen);
    return SaveLadder(chosen) ? 1 : 2;
}

void TfrmMain::mnuFilePrintDiagramClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ws_->shell.CurrentFileName.isEmpty()
                           ? tr("Untitled diagram")
                           : QFileInfo(ws_->shell.CurrentFileName).fileName());
    if (!prompter_->choosePrinter(this, printer)) return;
    // A comment still being typed is printed too.
    if (rungs_) rungs_->storePendingComment();
    const PrintHeader header{printer.docName(),
                             QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)};
    if (PrintDiagram(printer, *plc_, ws_->comments, header, rungs_ && rungs_->namesShown()) == 0)
        prompter_->error(this, tr("The diagram could not be printed."));
}

void TfrmMain::mnuFileRecentClick(int entry) {
    if (ws_->editor.ControlDialogOpen || RunInProgress()) return;
    if (!askToSaveChanges()) return;
    // The recent files always hold diagrams of the current format, whatever their names.
    LoadFile(QString::fromStdString(recent_.path(entry)));
}

}  // namespace torvex

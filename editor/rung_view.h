// The rung view: an MDI child showing up to five consecutive rungs of the diagram, with a
// scroll bar, the comment memos under the rungs, the hover highlight and the editing clicks.
#pragma once

#include <QMdiSubWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "editor/rung_painter.h"

class QLabel;
class QMenu;
class QScrollBar;

namespace torvex {

class CommentMemo;
class RungImage;
struct Workspace;

class TfrmRungs : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kSlots = 5;
    static constexpr int kWidth = 481;

    // `mainHeightLessBars` is the main window's height less its tool bar, palette bar and
    // information bar, from which the view's first height is computed.
    TfrmRungs(Workspace& workspace, int mainHeightLessBars, QWidget* parent = nullptr);
    ~TfrmRungs() override;

    // ---- view state --------------------------------------------------------------------
    int TopRung = 0;
    int SlotsShown = 1;
    int SlotsWhole = 1;
    int HoverSlot = 0;
    int HoverColumn = -1;
    int HoverRow = 0;
    int HoverTool = 0;
    bool CommentsShown = false;
    int MemoTopRung = -1;
    bool ViewCreating = false;
    bool ScrollFollows = false;
    // The cursor the last highlight gave the rung images: what a click there means.
    enum class HoverCursorKind { Default, HandPoint, Tool };
    HoverCursorKind HoverCursor = HoverCursorKind::Default;

    std::array<QLabel*, kSlots> Labels{};
    std::array<RungImage*, kSlots> Rungs{};
    std::array<CommentMemo*, kSlots> Memos{};
    QScrollBar* ScrollBar;
    QMenu* PopupMenu;
    QAction* mnuPopupEdit;
    QAction* mnuPopupDelete;
    QAction* mnuPopupControlComments;
    QTimer tmrPlace;
    int tmrPlaceTag = 0;
    QTimer tmrTheComments;
    int tmrTheCommentsTag = 0;

    // ---- drawing -----------------------------------------------------------------------
    void DisplayRungs(bool live, bool clear, bool refreshMemos);
    void DisplayRung(int slot, int rung, bool clear, bool live);
    void VisibilityCheck();
    void RungDisplay() { VisibilityCheck(); }
    void Highlight(int slot, int column, int row, bool showMark, bool useTool, bool allowWire);
    void PopupMenus(bool visible);
    RungPainter& painter() { return *painter_; }

    // ---- comments ----------------------------------------------------------------------
    void BlankCaption();
    void SetMemos();
    void DisplayComments(bool show);
    void DoComments() { DisplayComments(!CommentsShown); }
    void MemoEnter(int number);
    void MemoKeyDown(int number);
    void MemoExit(int number);
    // Read-only memos and the default cursor while a run locks the editor.
    void setLocked(bool locked);

    // The rung shown in a slot, or null when the slot is beyond the diagram.
    RungRecord* rungInSlot(int slot);
    // The window's height as the layout rules measure it.
    int windowHeight() const { return height(); }

signals:
    // The editing gestures; the editor's commands handle them.
    void cellClicked(int slot, int column, int row);
    void cellDoubleClicked(int slot, int column, int row);
    void toolDropped(int slot, int column, int row, int tool);
    void popupEdit();
    void popupDelete();
    void popupControlComments();
    void placementTimerFired(int tag);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormResize();
    void ScrollBarChange(int value);
    void layoutSlots();
    void mouseMoved(int slot, int column, int row);

    Workspace& ws_;
    std::unique_ptr<RungPainter> painter_;
    QWidget* client_;
    QPoint createdAt_;
    bool locked_ = false;
    bool placed_ = false;
};

}  // namespace torvex

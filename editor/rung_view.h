// The rung view: an MDI child showing up to five consecutive rungs of the diagram, with a
// scroll bar, the comment memos under the rungs, the hover highlight and the editing clicks.
//
// During a continuous run the view draws only inside the calls the run thread marshals to it
// (DisplayRunningSlot): a scroll or resize then only records that the picture must follow,
// and the next such call, at most one cycle later, draws every slot.
#pragma once

#include <QFlags>
#include <QMdiSubWindow>
#include <QTimer>
#include <array>

#include "editor/rung_painter.h"
#include "engine/rung_draw.h"

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
    static constexpr int kWidth = 481;  // at 100 %
    // The zoom steps of Zoom In and Zoom Out, in percent.
    static const std::array<int, 8> kZoomSteps;

    // What a hover highlight may show: the control's mark, the palette tool's cursor over a
    // wire, the wire under the mouse in red.
    enum class Mark { ShowMark = 1, UseTool = 2, AllowWire = 4 };
    Q_DECLARE_FLAGS(Marks, Mark)
    // The cursor the last highlight gave the rung images: what a click there means.
    enum class HoverCursorKind { Default, HandPoint, Tool };
    // Whether DisplayRungs refills the comment memos.
    enum class Memos { IfMoved, Refill };

    // `mainHeightLessBars` is the main window's height less its tool bar, palette bar and
    // information bar, from which the view's first height is computed.
    TfrmRungs(Workspace& workspace, int mainHeightLessBars, QWidget* parent = nullptr);
    ~TfrmRungs() override;

    // ---- view state --------------------------------------------------------------------
    int TopRung() const { return topRung_; }
    // Shows `rung` in the first slot (the memos follow with the next drawing).
    void setTopRung(int rung);
    int SlotsShown() const { return slotsShown_; }
    int SlotsWhole() const { return slotsWhole_; }
    bool CommentsShown() const { return commentsShown_; }
    void setMemoTopRung(int rung) { memoTopRung_ = rung; }
    int HoverSlot() const { return hoverSlot_; }
    int HoverColumn() const { return hoverColumn_; }
    int HoverRow() const { return hoverRow_; }
    HoverCursorKind HoverCursor() const { return hoverCursor_; }
    // The rung shown in a slot, or null when the slot is beyond the diagram.
    RungRecord* rungInSlot(int slot);
    // The rung the rung commands (cut, copy, paste) act on: the one last clicked, marked on
    // its label; -1 for none.
    int SelectedRung() const;
    void setSelectedRung(int rung);
    // The rung whose image the mouse is over now, or -1.
    int rungUnderMouse() const;

    // ---- drawing -----------------------------------------------------------------------
    // Every visible slot; the memos are refilled when asked or when TopRung has moved.
    void DisplayRungs(RungDraw how, Memos memos = Memos::IfMoved);
    void DisplayRung(int slot, int rung, RungDraw how);
    // The run thread's redraw of one slot in a cycle, marshalled: every slot instead when a
    // scroll or resize is waiting to be shown.
    void DisplayRunningSlot(int slot, RungDraw how);
    void VisibilityCheck();
    void Highlight(int slot, int column, int row, Marks marks);
    // Forgets the hover cell and draws its rung again without the highlight.
    void ClearHighlight();
    void PopupMenus(bool visible);
    // Commands on a whole rung, shown in the popup below the control's own wherever a
    // right click falls on a rung.
    void addRungActions(const QList<QAction*>& actions);
    RungPainter& painter() { return painter_; }

    // ---- zoom, names and the placing grid ----------------------------------------------
    int zoom() const { return painter_.geometry().zoom(); }
    // Every figure of the view becomes `percent` / 100 times its size at 100 % (kept in the
    // settings); the view's height follows, within its MDI area.
    void setZoom(int percent);
    void zoomIn();
    void zoomOut();
    // The view's width at a zoom, and the largest zoom at which it fits `clientWidth`.
    int widthAt(int percent) const;
    int fitWidthZoom(int clientWidth) const;
    // Each control also shows its point's I/O comment (kept in the settings).
    bool namesShown() const { return painter_.names() != nullptr; }
    void setNamesShown(bool shown);
    // Every slot drawn afresh (the names changed), now or with the run's next redraw.
    void redrawAll();
    // While a palette tool is armed or a branch is drawn: the cell grid and the cell under
    // the mouse.
    void setPlacingGrid(bool shown);
    bool placingGrid() const { return placingGrid_; }

    // ---- comments ----------------------------------------------------------------------
    void BlankCaption();
    // The caption for the diagram's file ("" when untitled) and whether it has unsaved changes.
    void setCaption(const QString& fileName, bool changed);
    void SetMemos();
    void DisplayComments(bool show);
    void DoComments() { DisplayComments(!commentsShown_); }
    // A comment still being typed is stored in its rung now.
    void storePendingComment();
    // Read-only memos and the default cursor while a run locks the editor.
    void setLocked(bool locked);

    // ---- placing -----------------------------------------------------------------------
    // Arms tmrPlace with `tag`; placementTimerFired(tag) follows 250 ms later.
    void startPlacement(int tag);
    void stopPlacement();
    bool placementPending() const { return tmrPlace_.isActive(); }

signals:
    // The editing gestures; the rung editor handles them.
    void cellClicked(int slot, int column, int row);
    void cellDoubleClicked(int slot, int column, int row);
    void toolDropped(int slot, int column, int row, int tool);
    void popupEdit();
    void popupDelete();
    void popupControlComments();
    // "Add to Timing Chart" on the point of the control under the mouse.
    void chartPointWanted(int point);
    void placementTimerFired(int tag);
    void zoomChanged(int percent);
    // A key in a memo: its text may differ from the rung's comment now.
    void commentEdited();
    // A memo's text was stored as the comment of `rung`, which held `before` until then.
    // `finished` when the memo lost the focus; otherwise typing may go on.
    void commentStored(int rung, const std::string& before, bool finished);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormResize();
    void ScrollBarChange(int value);
    void layoutSlots();
    void mouseMoved(int slot, int column, int row);
    void MemoEnter(int number);
    void MemoKeyDown(int number);
    void MemoExit(int number, bool finished);
    void showSelection(int slot);
    void applyZoom();
    void dragOver(int slot, int column, int row);
    void showGridCell(int slot, int column, int row);
    // Figures of the layout at the present zoom.
    int scaled(int design) const { return painter_.geometry().scaled(design); }
    int slotPitch() const;
    int labelTop(int slot) const;
    // Drawing the diagram's power is allowed now (see the top of this file).
    bool mayDraw() const;
    void setScrollValue(int value);

    Workspace& ws_;
    RungPainter painter_;
    QWidget* client_;
    std::array<QLabel*, kSlots> labels_{};
    std::array<RungImage*, kSlots> images_{};
    std::array<CommentMemo*, kSlots> memos_{};
    QScrollBar* scrollBar_;
    QMenu* popupMenu_;
    QAction* mnuPopupEdit_;
    QAction* mnuPopupDelete_;
    QAction* mnuPopupControlComments_;
    QAction* mnuPopupAddToChart_;
    int hoverChartPoint_ = -1;
    QTimer tmrPlace_;
    int tmrPlaceTag_ = 0;
    QTimer tmrTheComments_;
    int tmrTheCommentsTag_ = 0;

    int topRung_ = 0;
    int slotsShown_ = 1;
    int slotsWhole_ = 1;
    int hoverSlot_ = 0;
    int hoverColumn_ = -1;
    int hoverRow_ = 0;
    int hoverTool_ = 0;
    HoverCursorKind hoverCursor_ = HoverCursorKind::Default;
    bool commentsShown_ = false;
    int memoTopRung_ = -1;
    bool viewCreating_ = false;
    bool scrollFollows_ = false;
    bool redrawWaiting_ = false;  // a scroll or resize during a run, for the next cycle
    QPoint createdAt_;
    bool locked_ = false;
    bool placingGrid_ = false;
    bool dragging_ = false;
    QFont memoFont_;
    bool placed_ = false;
    int selectedRung_ = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TfrmRungs::Marks)

}  // namespace torvex

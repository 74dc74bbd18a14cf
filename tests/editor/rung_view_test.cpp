// The rung view: its geometry, which slots it shows, the scroll bar, the hover highlight and
// the comment layout.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include "editor/comment_memo.h"
#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "files/settings_store.h"
#include "tests/editor/rung_view_fixture.h"
#include "tests/support/ladder_text.h"
#include "tests/support/qt_print.h"
#include "tests/support/scripted_prompter.h"
#include "ui/workspace.h"

namespace torvex::test {
namespace {

constexpr TfrmRungs::Marks kAllMarks =
    TfrmRungs::Mark::ShowMark | TfrmRungs::Mark::UseTool | TfrmRungs::Mark::AllowWire;

class RungView : public RungViewTest {
protected:
    void Rungs(int count) {
        for (int r = 0; r < count; ++r) SetRung(plc->diagram, r, {Simple({"NOC:IP0"}, "OUT:OP0")});
        plc->diagram.setRungCount(count);
    }
    void Height(int h) {
        view->resize(view->width(), h);
        view->VisibilityCheck();
    }
    // The view's parts, by the names they carry.
    QLabel* Label(int slot) { return Part<QLabel>("Label", slot); }
    RungImage* Image(int slot) { return Part<RungImage>("Rung", slot); }
    CommentMemo* Memo(int slot) { return Part<CommentMemo>("Memo", slot); }
    QScrollBar* ScrollBar() { return view->findChild<QScrollBar*>(QStringLiteral("ScrollBar")); }
    bool PopupOffered() {
        return view->findChild<QAction*>(QStringLiteral("mnuPopupEdit"))->isVisible();
    }
    template <class T>
    T* Part(const char* prefix, int slot) {
        T* part = view->findChild<T*>(QString::fromLatin1(prefix) + QChar(u'A' + slot));
        EXPECT_NE(part, nullptr) << prefix << slot;
        return part;
    }
};

TEST_F(RungView, MousePositionsSelectTheirStripeAndRow) {
    const struct {
        int x, y, column, row;
    } cases[] = {{0, 0, 0, 0}, {42, 25, 0, 0}, {43, 26, 1, 1}, {429, 103, 9, 3}, {430, 50, 10, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(Image(0)->Column(c.x), c.column) << c.x;
        EXPECT_EQ(Image(0)->Row(c.y), c.row) << c.y;
    }
    // Column 10 has no cell: hovering there marks nothing and offers no popup.
    view->Highlight(0, 10, 0, kAllMarks);
    EXPECT_FALSE(PopupOffered());
}

// Every figure grows with the zoom, and the mouse still selects the cell drawn under it.
TEST_F(RungView, AtEveryZoomTheMouseSelectsTheCellDrawnUnderIt) {
    Rungs(3);
    SetRung(plc->diagram, 0, {Simple({"NOC:IP0", "NOC:IP1", "NOC:IP2"}, "OUT:OP0")});
    const struct {
        int zoom;
        QSize image;
        int pitch, quarter, secondLabel;
    } cases[] = {
        {100, {433, 104}, 43, 26, 136},
        {150, {655, 156}, 65, 39, 204},
        {300, {1299, 312}, 129, 78, 408},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        view->setZoom(c.zoom);
        RungImage* image = Image(0);
        EXPECT_EQ(image->size(), c.image);
        EXPECT_EQ(view->width(), view->widthAt(c.zoom));
        EXPECT_EQ(Label(1)->y(), c.secondLabel);
        EXPECT_EQ(image->Column(c.pitch - 1), 0);
        EXPECT_EQ(image->Column(c.pitch), 1);
        EXPECT_EQ(image->Row(c.quarter - 1), 0);
        EXPECT_EQ(image->Row(c.quarter), 1);
        // The left bar of the contact in control column 2 lights where the mouse points.
        const QRectF cell = image->figures().controlRect(2, 0);
        const QPoint bar =
            (cell.topLeft() + QPointF(cell.width() * 15.5 / 40, cell.height() * 10 / 24)).toPoint();
        view->Highlight(0, image->Column(bar.x()), image->Row(bar.y()), kAllMarks);
        EXPECT_EQ(view->HoverColumn(), 2);
        EXPECT_EQ(view->HoverRow(), 0);
        EXPECT_EQ(image->image().pixelColor(bar), QColor(255, 0, 0));
    }
    TfrmRungs again(ws, 900);
    EXPECT_EQ(again.zoom(), 300) << "the zoom is kept";
}

TEST_F(RungView, ItStartsWithOneRungAtItsPlace) {
    EXPECT_EQ(plc->diagram.RungCount(), 1);
    EXPECT_EQ(view->width(), 481);
    EXPECT_EQ(view->pos(), QPoint(0, 0));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Rung Viewer"));
    EXPECT_TRUE(ws.shell.RungViewOpen);
    EXPECT_EQ(view->height(), 536 + 104 + 25) << "at most the last slot's bottom + 25";
    EXPECT_FALSE(ScrollBar()->isVisible()) << "one rung and TopRung 0";
    EXPECT_FALSE(Label(1)->isVisible());
    EXPECT_EQ(Label(0)->text(), QStringLiteral("Rung 0"));
}

TEST_F(RungView, TheFirstSlotMovesUpInALowWindow) {
    Height(154);
    EXPECT_EQ(Label(0)->y(), 0);
    EXPECT_EQ(Image(0)->y(), 13);
    Height(155);
    EXPECT_EQ(Label(0)->y(), 8);
    EXPECT_EQ(Image(0)->y(), 24);
}

TEST_F(RungView, ResizingNeverChangesTheWidth) {
    view->resize(700, 400);
    EXPECT_EQ(view->width(), 481);
    EXPECT_EQ(ScrollBar()->geometry(), QRect(455, 8, 16, 400 - 46));
    EXPECT_TRUE(settings.readPlace(QStringLiteral("Rungs")).moved);
    EXPECT_EQ(settings.readPlace(QStringLiteral("Rungs")).height, 400);
}

TEST_F(RungView, SlotsShownAndWholeFollowTheHeightAndTheRungCount) {
    const struct {
        int rungs, height, shown, whole;
        bool scroll;
    } cases[] = {
        {1, 665, 1, 5, false}, {10, 665, 5, 5, true}, {10, 300, 3, 2, true}, {3, 300, 3, 2, true},
        {2, 300, 2, 2, false}, {5, 160, 2, 1, true},  {5, 153, 2, 1, true},
    };
    for (const auto& c : cases) {
        Rungs(c.rungs);
        view->setTopRung(0);
        Height(c.height);
        EXPECT_EQ(view->SlotsShown(), c.shown) << c.rungs << " rungs, height " << c.height;
        EXPECT_EQ(view->SlotsWhole(), c.whole) << c.rungs << " rungs, height " << c.height;
        EXPECT_EQ(ScrollBar()->isVisible(), c.scroll) << c.rungs << " rungs, height " << c.height;
        EXPECT_EQ(ScrollBar()->maximum(), c.rungs - 1);
        EXPECT_EQ(ScrollBar()->pageStep(), c.whole);
    }
}

TEST_F(RungView, ScrollingShowsLaterRungsAndAnEmptySlotPastTheEnd) {
    Rungs(7);
    Height(665);
    ScrollBar()->setValue(3);
    EXPECT_EQ(view->TopRung(), 3);
    EXPECT_EQ(Label(0)->text(), QStringLiteral("Rung 3"));
    EXPECT_EQ(view->SlotsShown(), 4);
    EXPECT_FALSE(Label(4)->isVisible());
    view->DisplayRung(4, 7, RungDraw::ClearLit);
    EXPECT_EQ(Label(4)->text(), QString());
    const QImage& empty = Image(4)->image();
    EXPECT_EQ(empty.pixelColor(3 + 20, 8 + 13), view->painter().buttonFace());
}

TEST_F(RungView, HoveringABoxLightsBothOfItsCells) {
    SetRung(plc->diagram, 0,
            {Simple({"NOC:IP0"}, "CUP:C1"), ". . . . . . . . . . . . . . . . . . . CBT:0,1"});
    view->DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
    view->Highlight(0, 9, 1, kAllMarks);
    EXPECT_TRUE(PopupOffered());
    EXPECT_EQ(view->HoverCursor(), TfrmRungs::HoverCursorKind::HandPoint);
    const QImage& image = Image(0)->image();
    const QPoint top = RungPainter::controlCell(9, 0), bottom = RungPainter::controlCell(9, 1);
    EXPECT_EQ(image.pixelColor(top + QPoint(7, 10)), RungPainter::kRed) << "the box's left side";
    EXPECT_EQ(image.pixelColor(bottom + QPoint(7, 10)), RungPainter::kRed);
    EXPECT_FALSE(plc->diagram.Rungs[0].Lit[19][0]) << "the highlight lasts until the next redraw";
    // A wire with a tool selected shows the tool's cursor and offers no popup.
    ws.editor.PaletteTool = 1;
    view->Highlight(0, 3, 0, kAllMarks);
    EXPECT_EQ(view->HoverCursor(), TfrmRungs::HoverCursorKind::Tool);
    EXPECT_FALSE(PopupOffered());
}

TEST_F(RungView, CommentsTakeTheirOwnLayout) {
    Rungs(5);
    plc->diagram.Rungs[1].setComment("second rung");
    Height(665);
    view->DisplayComments(true);
    const int labels[] = {8, 193, 378, 563, 748}, images[] = {24, 209, 394, 579, 764},
              memos[] = {136, 321, 506, 691, 876};
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(Label(s)->y(), labels[s]);
        EXPECT_EQ(Image(s)->y(), images[s]);
        EXPECT_EQ(Memo(s)->y(), memos[s]);
    }
    EXPECT_EQ(Memo(1)->toPlainText(), QStringLiteral("second rung"));
    EXPECT_TRUE(Memo(0)->isVisible());
    EXPECT_TRUE(Memo(2)->isVisible());
    EXPECT_FALSE(Memo(4)->isVisible()) << "its image starts below the window";
    EXPECT_EQ(view->SlotsWhole(), 3);
    view->DisplayComments(true);  // twice: laid out once
    EXPECT_EQ(Memo(1)->y(), 321);
    view->DisplayComments(false);
    EXPECT_EQ(Label(1)->y(), 136);
    EXPECT_FALSE(Memo(0)->isVisible());
}

TEST_F(RungView, ItsPlaceIsKeptWhenItWasMoved) {
    view->move(40, 30);
    view->close();
    const auto place = settings.readPlace(QStringLiteral("Rungs"));
    EXPECT_TRUE(place.moved);
    EXPECT_EQ(place.left, 40);
    EXPECT_EQ(place.top, 30);
    EXPECT_FALSE(ws.shell.RungViewOpen);
    auto* again = new TfrmRungs(ws, 900);
    area.addSubWindow(again);
    again->show();
    EXPECT_EQ(again->pos(), QPoint(40, 30));
}

TEST_F(RungView, AMemoKeepsOneLineOf210Characters) {
    view->DisplayComments(true);
    CommentMemo* memo = Memo(0);
    memo->setComment(QStringLiteral("a\tb\nc") + QString(300, QLatin1Char('z')));
    EXPECT_EQ(memo->toPlainText().size(), 210);
    EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("a b c")));
}

}  // namespace
}  // namespace torvex::test

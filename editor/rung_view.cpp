#include "editor/rung_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include "editor/comment_memo.h"
#include "editor/rung_image.h"
#include "files/settings_store.h"
#include "ui/ansi_text.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

constexpr int kLeft = 8;
constexpr int kScrollLeft = 455;
constexpr int kScrollWidth = 16;
constexpr int kSmallHeight = 155;  // below this the first slot moves up
// Tops of labels, images and memos with comments shown.
constexpr int kCommentLabelTops[5] = {8, 193, 378, 563, 748};
constexpr int kCommentImageTops[5] = {24, 209, 394, 579, 764};
constexpr int kCommentMemoTops[5] = {136, 321, 506, 691, 876};

QString SettingsSection() { return QStringLiteral("Rungs"); }

}  // namespace

TfrmRungs::TfrmRungs(Workspace& workspace, int mainHeightLessBars, QWidget* parent)
    : QMdiSubWindow(parent), ws_(workspace) {
    setObjectName(QStringLiteral("frmRungs"));
    // No border icons: the view lives from start-up to exit.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWindowIcon(GlyphIcon(Glyph::Application));
    ViewCreating = true;

    const QColor face = QApplication::palette().color(QPalette::Button);
    painter_ = std::make_unique<RungPainter>(qApp->devicePixelRatio(), ws_.shell.LargeFonts,
                                             face.rgb() == RungPainter::kSilver.rgb() ? RungPainter::kSilver : face);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("rungsClient"));
    setWidget(client_);
    for (int s = 0; s < kSlots; ++s) {
        auto* label = new QLabel(QStringLiteral("Rung %1").arg(s), client_);
        label->setObjectName(QStringLiteral("Label%1").arg(QChar(u'A' + s)));
        QFont f(QStringLiteral("Arial"));
        f.setItalic(true);
        f.setPixelSize(ws_.shell.LargeFonts ? 9 : 12);
        label->setFont(f);
        label->setGeometry(kLeft, 8 + 128 * s, 433, 16);
        Labels[s] = label;

        auto* image = new RungImage(s, client_);
        image->setObjectName(QStringLiteral("Rung%1").arg(QChar(u'A' + s)));
        image->move(kLeft, 24 + 128 * s);
        connect(image, &RungImage::mouseMoved, this, &TfrmRungs::mouseMoved);
        connect(image, &RungImage::clicked, this, &TfrmRungs::cellClicked);
        connect(image, &RungImage::doubleClicked, this, &TfrmRungs::cellDoubleClicked);
        connect(image, &RungImage::toolDropped, this, &TfrmRungs::toolDropped);
        connect(image, &RungImage::rightClicked, this, [this](int, int, int, QPoint at) {
            if (mnuPopupEdit->isVisible()) PopupMenu->popup(at);
        });
        Rungs[s] = image;

        auto* memo = new CommentMemo(s + 1, client_);
        memo->setObjectName(QStringLiteral("Memo%1").arg(QChar(u'A' + s)));
        memo->hide();
        connect(memo, &CommentMemo::entered, this, &TfrmRungs::MemoEnter);
        connect(memo, &CommentMemo::keyPressed, this, &TfrmRungs::MemoKeyDown);
        connect(memo, &CommentMemo::exited, this, &TfrmRungs::MemoExit);
        Memos[s] = memo;
    }
    for (int s = 0; s + 1 < kSlots; ++s) setTabOrder(Memos[s], Memos[s + 1]);

    ScrollBar = new QScrollBar(Qt::Vertical, client_);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setCursor(Qt::PointingHandCursor);
    ScrollBar->setMinimum(0);
    ScrollBar->setMaximum(0);
    ScrollBar->hide();
    connect(ScrollBar, &QScrollBar::valueChanged, this, &TfrmRungs::ScrollBarChange);

    PopupMenu = new QMenu(this);
    mnuPopupEdit = PopupMenu->addAction(tr("Edit"));
    mnuPopupEdit->setObjectName(QStringLiteral("mnuPopupEdit"));
    mnuPopupDelete = PopupMenu->addAction(tr("Delete"));
    mnuPopupDelete->setObjectName(QStringLiteral("mnuPopupDelete"));
    mnuPopupControlComments = PopupMenu->addAction(tr("Control Comments"));
    mnuPopupControlComments->setObjectName(QStringLiteral("mnuPopupControlComments"));
    connect(mnuPopupEdit, &QAction::triggered, this, &TfrmRungs::popupEdit);
    connect(mnuPopupDelete, &QAction::triggered, this, &TfrmRungs::popupDelete);
    connect(mnuPopupControlComments, &QAction::triggered, this, &TfrmRungs::popupControlComments);
    PopupMenus(false);

    tmrPlace.setInterval(250);
    tmrPlace.setSingleShot(true);
    connect(&tmrPlace, &QTimer::timeout, this, [this] { emit placementTimerFired(tmrPlaceTag); });
    tmrTheComments.setInterval(3000);
    tmrTheComments.setSingleShot(true);
    connect(&tmrTheComments, &QTimer::timeout, this, [this] { MemoExit(tmrTheCommentsTag); });

    // The view starts with one empty rung.
    TopRung = 0;
    ws_.plc.diagram.setRungCount(0);
    ws_.plc.diagram.NewRung(0);
    HoverColumn = -1;
    int h = mainHeightLessBars - (ws_.shell.LargeFonts ? 60 : 50);
    h = qMin(h, 536 + 104 + 25);  // at most RungE's bottom + 25
    ws_.editor.EditorMode = emIdle;
    CommentsShown = false;
    SlotsShown = 1;
    resize(kWidth, qMax(h, 60));
    DisplayRungs(false, true, false);
    MemoTopRung = -1;
    ScrollFollows = true;
    ViewCreating = false;
    BlankCaption();
    if (ws_.shell.FinnishTexts)
        for (int s = 0; s < kSlots; ++s) Labels[s]->setText(tr("Rung %1").arg(s));
    ws_.shell.RungViewOpen = true;
    HoverTool = 0;
    VisibilityCheck();
}

TfrmRungs::~TfrmRungs() { ws_.shell.RungViewOpen = false; }

void TfrmRungs::BlankCaption() { setWindowTitle(tr("Rung Viewer")); }

void TfrmRungs::layoutSlots() {
    for (int s = 0; s < kSlots; ++s) {
        if (CommentsShown) {
            Labels[s]->move(kLeft, kCommentLabelTops[s]);
            Rungs[s]->move(kLeft, kCommentImageTops[s]);
            Memos[s]->move(kLeft, kCommentMemoTops[s]);
        } else {
            Labels[s]->move(kLeft, 8 + 128 * s);
            Rungs[s]->move(kLeft, 24 + 128 * s);
        }
    }
}

void TfrmRungs::VisibilityCheck() {
    const int h = windowHeight();
    const int count = ws_.plc.diagram.RungCount();
    Memos[0]->setVisible(CommentsShown);
    SlotsShown = 1;
    SlotsWhole = 1;
    layoutSlots();
    if (h < kSmallHeight) {
        Labels[0]->move(kLeft, 0);
        Rungs[0]->move(kLeft, 13);
    }
    for (int s = 1; s < kSlots; ++s) {
        const bool label = TopRung + s < count;
        const bool image = label && Rungs[s]->y() < h;
        Labels[s]->setVisible(label);
        Rungs[s]->setVisible(image);
        Memos[s]->setVisible(CommentsShown && image);
        if (image) SlotsShown = s + 1;
        const int bottom = CommentsShown ? Memos[s]->geometry().bottom() + 1
                                         : Rungs[s]->geometry().bottom() + 1;
        if (bottom < h) SlotsWhole = s + 1;
    }
    const bool follows = ScrollFollows;
    ScrollFollows = false;
    ScrollBar->setMaximum(qMax(0, count - 1));
    ScrollFollows = follows;
    ScrollBar->setGeometry(kScrollLeft, 8, kScrollWidth, qMax(0, h - 46));
    ScrollBar->setVisible(TopRung > 0 || count - 1 >= SlotsWhole);
    ScrollBar->setPageStep(SlotsWhole);
}

void TfrmRungs::DisplayRungs(bool live, bool clear, bool refreshMemos) {
    for (int s = 0; s < SlotsShown; ++s) DisplayRung(s, TopRung + s, clear, live);
    if (refreshMemos || MemoTopRung != TopRung) {
        SetMemos();
        const bool follows = ScrollFollows;
        ScrollFollows = false;
        ScrollBar->setValue(TopRung);
        ScrollFollows = follows;
    }
}

void TfrmRungs::DisplayRung(int slot, int rung, bool clear, bool live) {
    if (slot < 0 || slot >= kSlots) return;
    const bool exists = rung >= 0 && rung < ws_.plc.diagram.RungCount();
    Labels[slot]->setText(exists ? tr("Rung %1").arg(rung) : QString());
    RungImage* image = Rungs[slot];
    if (image->image().isNull()) image->setImage(painter_->blankRung());
    painter_->DisplayRung(image->image(), exists ? &ws_.plc.diagram.Rungs[rung] : nullptr,
                          ws_.plc.memory, clear, live);
    image->update();
    if (!live) Labels[slot]->update();
}

void TfrmRungs::PopupMenus(bool visible) {
    mnuPopupEdit->setVisible(visible);
    mnuPopupDelete->setVisible(visible);
    mnuPopupControlComments->setVisible(visible);
}

void TfrmRungs::mouseMoved(int slot, int column, int row) {
    const int mode = ws_.editor.EditorMode;
    if (mode == emBusy || mode == emRunning || locked_) return;
    const bool allowWire = mode == emIdle || mode == emBranchStart || mode == emBranchEnd ||
                           mode == emDeleteControl || mode == emEditControl;
    Highlight(slot, column, row, true, mode == emIdle, allowWire);
}

void TfrmRungs::Highlight(int slot, int column, int row, bool showMark, bool useTool,
                          bool allowWire) {
    const int tool = ws_.editor.PaletteTool;
    if (slot == HoverSlot && column == HoverColumn && row == HoverRow && tool == HoverTool) return;
    HoverTool = tool;
    if (slot != HoverSlot) DisplayRung(HoverSlot, TopRung + HoverSlot, false, false);
    HoverSlot = slot;
    HoverColumn = column;
    HoverRow = row;
    const int rungIndex = TopRung + slot;
    RungRecord* rung =
        rungIndex < ws_.plc.diagram.RungCount() ? &ws_.plc.diagram.Rungs[rungIndex] : nullptr;
    const bool inGrid = column >= 0 && column < kControlColumns && row >= 0 && row < kRows;
    const int c = 2 * column + 1;
    const int32_t code = rung && inGrid ? rung->Code(c, row) : 0;
    RungImage* image = Rungs[slot];
    bool popup = false;
    HoverCursor = HoverCursorKind::Default;
    if (code >= Control::NOC && code <= Control::UNL) {
        if (showMark) rung->Lit[c][row] = true;
        popup = true;
        HoverCursor = HoverCursorKind::HandPoint;
    } else if (code >= Control::TIM && code <= Control::BBT) {
        if (showMark) rung->Lit[kOutputColumn][0] = rung->Lit[kOutputColumn][1] = true;
        popup = true;
        HoverCursor = HoverCursorKind::HandPoint;
    } else if (code == Control::LNK && allowWire) {
        rung->Lit[c][row] = true;
        if (useTool && tool > 0) HoverCursor = HoverCursorKind::Tool;
    }
    switch (HoverCursor) {
        case HoverCursorKind::HandPoint: image->setCursor(Qt::PointingHandCursor); break;
        case HoverCursorKind::Tool: image->setCursor(ToolCursor(tool, devicePixelRatioF())); break;
        case HoverCursorKind::Default: image->unsetCursor(); break;
    }
    PopupMenus(popup);
    DisplayRung(slot, rungIndex, true, true);
}

RungRecord* TfrmRungs::rungInSlot(int slot) {
    const int rung = TopRung + slot;
    return rung >= 0 && rung < ws_.plc.diagram.RungCount() ? &ws_.plc.diagram.Rungs[rung] : nullptr;
}

void TfrmRungs::SetMemos() {
    for (int s = 0; s < kSlots; ++s) {
        const int rung = TopRung + s;
        Memos[s]->setComment(rung < ws_.plc.diagram.RungCount()
                                 ? FromAnsi(ws_.plc.diagram.Rungs[rung].Comment())
                                 : QString());
        Memos[s]->update();
    }
    MemoTopRung = TopRung;
}

void TfrmRungs::DisplayComments(bool show) {
    if (show && !CommentsShown) {
        CommentsShown = true;
        SetMemos();
    } else if (!show && CommentsShown) {
        CommentsShown = false;
    }
    RungDisplay();
}

void TfrmRungs::MemoEnter(int number) {
    tmrTheCommentsTag = number;
    tmrTheComments.stop();
    tmrTheComments.start();
}

void TfrmRungs::MemoKeyDown(int number) {
    MemoEnter(number);
    ws_.shell.DiagramChanged = true;
}

void TfrmRungs::MemoExit(int number) {
    if (number < 1 || number > kSlots) return;
    const int rung = TopRung + number - 1;
    if (rung >= ws_.plc.diagram.RungCount()) return;
    const std::string bytes = ToAnsi(CleanComment(Memos[number - 1]->toPlainText(), CommentMemo::kMaxLength));
    ws_.plc.diagram.Rungs[rung].setComment(bytes);
    tmrTheComments.stop();
}

void TfrmRungs::setLocked(bool locked) {
    locked_ = locked;
    for (CommentMemo* memo : Memos) memo->setReadOnly(locked);
    if (locked) {
        for (RungImage* image : Rungs) image->unsetCursor();
        HoverCursor = HoverCursorKind::Default;
    }
}

void TfrmRungs::FormResize() {
    if (ViewCreating) return;
    if (width() != kWidth) resize(kWidth, height());
    VisibilityCheck();
    DisplayRungs(false, true, false);
    ws_.settings.writeMoved(SettingsSection(), true);
    ws_.settings.writeHeight(SettingsSection(), height());
}

void TfrmRungs::ScrollBarChange(int value) {
    TopRung = value;
    if (ScrollFollows) {
        VisibilityCheck();
        DisplayRungs(false, true, false);
    }
}

void TfrmRungs::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    FormResize();
}

void TfrmRungs::moveEvent(QMoveEvent* event) { QMdiSubWindow::moveEvent(event); }

void TfrmRungs::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The place is taken once the MDI area holds the window, which would otherwise put it
    // where it likes.
    ViewCreating = true;
    move(0, 0);
    const SettingsStore::Place place = ws_.settings.readPlace(SettingsSection());
    if (!place.error.isEmpty()) {
        ws_.prompter.error(parentWidget(), place.error);  // unusable: the default place stays
    } else if (place.moved) {
        // A stored height, like the place, may come from a larger screen or a hand edit.
        const int areaHeight = parentWidget() ? parentWidget()->height() : height();
        if (place.height > 0) resize(kWidth, qBound(60, place.height, qMax(60, areaHeight)));
        move(PlaceInArea(*this, QPoint(place.left, place.top), QPoint(0, 0)));
    }
    createdAt_ = pos();
    ViewCreating = false;
    VisibilityCheck();
    DisplayRungs(false, true, false);
}

void TfrmRungs::closeEvent(QCloseEvent* event) {
    if (pos() != createdAt_) ws_.settings.writePlace(SettingsSection(), x(), y());
    ws_.shell.RungViewOpen = false;
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex

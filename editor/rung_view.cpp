#include "editor/rung_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include "editor/comment_memo.h"
#include "editor/rung_image.h"
#include "engine/editing.h"
#include "engine/scan_record.h"
#include "files/recent_files.h"
#include "files/settings_store.h"
#include "ui/ansi_text.h"
#include "ui/artwork.h"
#include "ui/prompter.h"
#include "ui/window_place.h"
#include "ui/workspace.h"

namespace torvex {

namespace {

// The layout's figures at 100 %; every one grows with the zoom.
constexpr int kLeft = 8;
constexpr int kLabelHeight = 16;  // from a label's top to its image's
constexpr int kGap = 8;           // below an image, and below a memo
constexpr int kMemoHeight = 49;
constexpr int kScrollGap = 14;  // from the images' right to the scroll bar
constexpr int kScrollWidth = 16;
constexpr int kRightMargin = 10;
constexpr int kSmallHeight = 155;  // below this the first slot moves up
constexpr int kSmallImageTop = 13;

QString SettingsSection() {
    return QStringLiteral("Rungs");
}

}  // namespace

namespace {

// Comments shown take the memos' heights into the layout; with them the tops are labels 8,
// 193, 378 ..., images 24, 209, 394 ... and memos 136, 321, 506 ... at 100 %.

QColor ButtonFace() {
    const QColor face = QApplication::palette().color(QPalette::Button);
    return face.rgb() == RungPainter::kSilver.rgb() ? RungPainter::kSilver : face;
}

}  // namespace

const std::array<int, 8> TfrmRungs::kZoomSteps = {100, 125, 150, 175, 200, 250, 300, 400};

TfrmRungs::TfrmRungs(Workspace& workspace, int mainHeightLessBars, QWidget* parent)
    : QMdiSubWindow(parent),
      ws_(workspace),
      painter_(qApp->devicePixelRatio(), workspace.shell.LargeFonts, ButtonFace()) {
    setObjectName(QStringLiteral("frmRungs"));
    // No border icons: the view lives from start-up to exit.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWindowIcon(GlyphIcon(Glyph::Application));
    viewCreating_ = true;

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
        label->setGeometry(kLeft, 8 + 128 * s, RungPainter::kRungWidth, kLabelHeight);
        labels_[s] = label;

        auto* image = new RungImage(s, client_);
        image->setObjectName(QStringLiteral("Rung%1").arg(QChar(u'A' + s)));
        image->move(kLeft, 24 + 128 * s);
        connect(image, &RungImage::mouseMoved, this, &TfrmRungs::mouseMoved);
        // A click selects its rung before the editor acts on it.
        connect(image, &RungImage::clicked, this, [this](int slot) {
            if (!locked_ && rungInSlot(slot)) setSelectedRung(topRung_ + slot);
        });
        connect(image, &RungImage::clicked, this, &TfrmRungs::cellClicked);
        connect(image, &RungImage::doubleClicked, this, &TfrmRungs::cellDoubleClicked);
        connect(image, &RungImage::toolDropped, this, &TfrmRungs::toolDropped);
        connect(image, &RungImage::dragOver, this, &TfrmRungs::dragOver);
        connect(image, &RungImage::zoomWheel, this, [this](int steps) {
            for (int i = 0; i < qAbs(steps); ++i) steps > 0 ? zoomIn() : zoomOut();
        });
        connect(image, &RungImage::rightClicked, this, [this](int slot, int, int, QPoint at) {
            if (locked_ || !rungInSlot(slot)) return;
            setSelectedRung(topRung_ + slot);
            popupMenu_->popup(at);
        });
        images_[s] = image;

        auto* memo = new CommentMemo(s + 1, client_);
        memo->setObjectName(QStringLiteral("Memo%1").arg(QChar(u'A' + s)));
        memo->hide();
        connect(memo, &CommentMemo::entered, this, &TfrmRungs::MemoEnter);
        connect(memo, &CommentMemo::keyPressed, this, &TfrmRungs::MemoKeyDown);
        connect(memo, &CommentMemo::exited, this, [this](int number) { MemoExit(number, true); });
        memos_[s] = memo;
    }
    for (int s = 0; s + 1 < kSlots; ++s) setTabOrder(memos_[s], memos_[s + 1]);
    memoFont_ = memos_[0]->font();

    scrollBar_ = new QScrollBar(Qt::Vertical, client_);
    scrollBar_->setObjectName(QStringLiteral("ScrollBar"));
    scrollBar_->setCursor(Qt::PointingHandCursor);
    scrollBar_->setMinimum(0);
    scrollBar_->setMaximum(0);
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, &TfrmRungs::ScrollBarChange);

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu"));
    mnuPopupEdit_ = popupMenu_->addAction(tr("Edit"));
    mnuPopupEdit_->setObjectName(QStringLiteral("mnuPopupEdit"));
    mnuPopupDelete_ = popupMenu_->addAction(tr("Delete"));
    mnuPopupDelete_->setObjectName(QStringLiteral("mnuPopupDelete"));
    mnuPopupControlComments_ = popupMenu_->addAction(tr("Control Comments"));
    mnuPopupControlComments_->setObjectName(QStringLiteral("mnuPopupControlComments"));
    connect(mnuPopupEdit_, &QAction::triggered, this, &TfrmRungs::popupEdit);
    connect(mnuPopupDelete_, &QAction::triggered, this, &TfrmRungs::popupDelete);
    connect(mnuPopupControlComments_, &QAction::triggered, this, &TfrmRungs::popupControlComments);
    mnuPopupAddToChart_ = popupMenu_->addAction(tr("Add to Timing Chart"));
    mnuPopupAddToChart_->setObjectName(QStringLiteral("mnuPopupAddToChart"));
    connect(mnuPopupAddToChart_, &QAction::triggered, this,
            [this] { emit chartPointWanted(hoverChartPoint_); });
    PopupMenus(false);

    tmrPlace_.setObjectName(QStringLiteral("tmrPlace"));
    tmrPlace_.setParent(this);
    tmrPlace_.setInterval(250);
    tmrPlace_.setSingleShot(true);
    connect(&tmrPlace_, &QTimer::timeout, this, [this] { emit placementTimerFired(tmrPlaceTag_); });
    tmrTheComments_.setObjectName(QStringLiteral("tmrTheComments"));
    tmrTheComments_.setParent(this);
    tmrTheComments_.setInterval(3000);
    tmrTheComments_.setSingleShot(true);
    connect(&tmrTheComments_, &QTimer::timeout, this,
            [this] { MemoExit(tmrTheCommentsTag_, false); });

    // The view starts with one empty rung.
    topRung_ = 0;
    ws_.plc.diagram.setRungCount(0);
    ws_.plc.diagram.NewRung(0);
    hoverColumn_ = -1;
    // The zoom and the names as last chosen.
    bool ok = false;
    const int stored =
        ws_.settings.value(SettingsSection(), QStringLiteral("Zoom"), QStringLiteral("100"))
            .toInt(&ok);
    const bool names = ws_.settings.value(SettingsSection(), QStringLiteral("Names"),
                                          QStringLiteral("False")) == QLatin1String("True");
    painter_.setView(ok ? stored : 100, names ? &ws_.comments : nullptr);
    applyZoom();
    int h = mainHeightLessBars - (ws_.shell.LargeFonts ? 60 : 50);
    // At most RungE's bottom + 25.
    h = qMin(h, labelTop(kSlots - 1) + scaled(kLabelHeight) +
                    painter_.geometry().imageSize().height() + scaled(25));
    ws_.editor.EditorMode = emIdle;
    commentsShown_ = false;
    slotsShown_ = 1;
    resize(widthAt(zoom()), qMax(h, 60));
    DisplayRungs(RungDraw::ClearLit);
    memoTopRung_ = -1;
    scrollFollows_ = true;
    viewCreating_ = false;
    BlankCaption();
    if (ws_.shell.FinnishTexts)
        for (int s = 0; s < kSlots; ++s) labels_[s]->setText(tr("Rung %1").arg(s));
    ws_.shell.RungViewOpen = true;
    hoverTool_ = 0;
    VisibilityCheck();
}

TfrmRungs::~TfrmRungs() {
    ws_.shell.RungViewOpen = false;
}

void TfrmRungs::BlankCaption() {
    setWindowTitle(tr("Rung Viewer"));
}

void TfrmRungs::setCaption(const QString& fileName, bool changed) {
    QString caption = tr("Rung Viewer");
    if (!fileName.isEmpty())
        caption += QStringLiteral(" - ") +
                   QString::fromStdString(RecentFiles::Short(fileName.toStdString()));
    if (changed) caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

void TfrmRungs::setTopRung(int rung) {
    topRung_ = qMax(0, rung);
}

int TfrmRungs::slotPitch() const {
    const int image = painter_.geometry().imageSize().height();
    const int plain = scaled(kLabelHeight) + image + scaled(kGap);
    return commentsShown_ ? plain + scaled(kMemoHeight) + scaled(kGap) : plain;
}

int TfrmRungs::labelTop(int slot) const {
    return scaled(8) + slot * slotPitch();
}

void TfrmRungs::layoutSlots() {
    const int left = scaled(kLeft);
    const int image = painter_.geometry().imageSize().height();
    for (int s = 0; s < kSlots; ++s) {
        labels_[s]->move(left, labelTop(s));
        images_[s]->move(left, labelTop(s) + scaled(kLabelHeight));
        memos_[s]->move(left, labelTop(s) + scaled(kLabelHeight) + image + scaled(kGap));
    }
}

int TfrmRungs::widthAt(int percent) const {
    const RungGeometry g(percent, painter_.geometry().devicePixelRatio(), namesShown());
    return g.scaled(kLeft) + g.imageSize().width() + g.scaled(kScrollGap) + kScrollWidth +
           kRightMargin;
}

int TfrmRungs::fitWidthZoom(int clientWidth) const {
    for (int z = RungGeometry::kMaxZoom; z > RungGeometry::kMinZoom; --z)
        if (widthAt(z) <= clientWidth) return z;
    return RungGeometry::kMinZoom;
}

// The labels, images and memos take the zoom's sizes.
void TfrmRungs::applyZoom() {
    const RungGeometry& g = painter_.geometry();
    const QSize image = g.imageSize();
    for (int s = 0; s < kSlots; ++s) {
        QFont f = labels_[s]->font();
        f.setPixelSize(scaled(ws_.shell.LargeFonts ? 9 : 12));
        labels_[s]->setFont(f);
        labels_[s]->resize(image.width(), scaled(kLabelHeight));
        images_[s]->setFigures(g);
        images_[s]->setImage(painter_.blankRung());
        QFont memo = memoFont_;
        if (memo.pixelSize() > 0)
            memo.setPixelSize(scaled(memo.pixelSize()));
        else
            memo.setPointSizeF(memo.pointSizeF() * g.zoom() / 100.0);
        memos_[s]->setFont(memo);
        memos_[s]->setFixedSize(image.width(), scaled(kMemoHeight));
        showSelection(s);
    }
}

void TfrmRungs::setZoom(int percent) {
    percent = qBound(RungGeometry::kMinZoom, percent, RungGeometry::kMaxZoom);
    if (percent == zoom()) return;
    const int before = zoom();
    ClearHighlight();
    painter_.setView(percent, painter_.names());
    applyZoom();
    ws_.settings.setValue(SettingsSection(), QStringLiteral("Zoom"), QString::number(percent));
    // The view keeps its rungs in sight as far as its MDI area lets it.
    int h = qRound(height() * qreal(percent) / before);
    int w = widthAt(percent);
    if (const QWidget* area = parentWidget()) {
        if (x() + w > area->width()) move(qMax(0, area->width() - w), y());
        h = qMin(h, qMax(60, area->height() - qMax(0, y())));
    }
    resize(w, qMax(60, h));
    FormResize();
    emit zoomChanged(percent);
}

void TfrmRungs::zoomIn() {
    for (int step : kZoomSteps)
        if (step > zoom()) return setZoom(step);
}

void TfrmRungs::zoomOut() {
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step)
        if (*step < zoom()) return setZoom(*step);
}

void TfrmRungs::setNamesShown(bool shown) {
    if (shown == namesShown()) return;
    ClearHighlight();
    painter_.setView(zoom(), shown ? &ws_.comments : nullptr);
    applyZoom();
    ws_.settings.setValue(SettingsSection(), QStringLiteral("Names"),
                          shown ? QStringLiteral("True") : QStringLiteral("False"));
    FormResize();
}

void TfrmRungs::redrawAll() {
    painter_.setView(zoom(), painter_.names());  // names drawn afresh
    if (mayDraw())
        DisplayRungs(RungDraw::ClearLit);
    else
        redrawWaiting_ = true;
}

void TfrmRungs::setPlacingGrid(bool shown) {
    placingGrid_ = shown;
    for (RungImage* image : images_) image->showGrid(shown || dragging_);
}

void TfrmRungs::dragOver(int slot, int column, int row) {
    dragging_ = column >= 0;
    if (!dragging_) {
        setPlacingGrid(placingGrid_);
        return;
    }
    for (RungImage* image : images_) image->showGrid(true);
    showGridCell(slot, column, row);
}

void TfrmRungs::showGridCell(int slot, int column, int row) {
    if (!placingGrid_ && !dragging_) return;
    for (int s = 0; s < kSlots; ++s)
        images_[s]->showGrid(true, s == slot ? column : -1, s == slot ? row : -1);
}

void TfrmRungs::setScrollValue(int value) {
    const bool follows = scrollFollows_;
    scrollFollows_ = false;
    scrollBar_->setValue(value);
    scrollFollows_ = follows;
}

void TfrmRungs::VisibilityCheck() {
    const int h = height();
    const int count = ws_.plc.diagram.RungCount();
    memos_[0]->setVisible(commentsShown_);
    slotsShown_ = 1;
    slotsWhole_ = 1;
    layoutSlots();
    if (h < scaled(kSmallHeight)) {
        labels_[0]->move(scaled(kLeft), 0);
        images_[0]->move(scaled(kLeft), scaled(kSmallImageTop));
    }
    for (int s = 1; s < kSlots; ++s) {
        const bool label = topRung_ + s < count;
        const bool image = label && images_[s]->y() < h;
        labels_[s]->setVisible(label);
        images_[s]->setVisible(image);
        memos_[s]->setVisible(commentsShown_ && image);
        if (image) slotsShown_ = s + 1;
        const int bottom = commentsShown_ ? memos_[s]->geometry().bottom() + 1
                                          : images_[s]->geometry().bottom() + 1;
        if (bottom < h) slotsWhole_ = s + 1;
    }
    const bool follows = scrollFollows_;
    scrollFollows_ = false;
    scrollBar_->setMaximum(qMax(0, count - 1));
    scrollFollows_ = follows;
    const int scrollLeft =
        scaled(kLeft) + painter_.geometry().imageSize().width() + scaled(kScrollGap);
    scrollBar_->setGeometry(scrollLeft, 8, kScrollWidth, qMax(0, h - 46));
    scrollBar_->setVisible(topRung_ > 0 || count - 1 >= slotsWhole_);
    scrollBar_->setPageStep(slotsWhole_);
}

bool TfrmRungs::mayDraw() const {
    return ws_.plc.guard().mayTouch();
}

void TfrmRungs::DisplayRungs(RungDraw how, Memos memos) {
    for (int s = 0; s < slotsShown_; ++s) DisplayRung(s, topRung_ + s, how);
    if (memos == Memos::Refill || memoTopRung_ != topRung_) {
        SetMemos();
        setScrollValue(topRung_);
    }
}

void TfrmRungs::DisplayRung(int slot, int rung, RungDraw how) {
    if (slot < 0 || slot >= kSlots) return;
    const bool exists = rung >= 0 && rung < ws_.plc.diagram.RungCount();
    labels_[slot]->setText(exists ? tr("Rung %1").arg(rung) : QString());
    showSelection(slot);
    RungImage* image = images_[slot];
    if (image->image().isNull()) image->setImage(painter_.blankRung());
    painter_.DisplayRung(image->image(), exists ? &ws_.plc.uiRung(rung) : nullptr,
                         ws_.plc.uiMemory(), how);
    image->update();
    if (!Has(how, RungDraw::Live)) labels_[slot]->update();
}

void TfrmRungs::DisplayRunningSlot(int slot, RungDraw how) {
    if (redrawWaiting_) {
        redrawWaiting_ = false;
        VisibilityCheck();
        DisplayRungs(how);
        return;
    }
    DisplayRung(slot, topRung_ + slot, how);
}

void TfrmRungs::addRungActions(const QList<QAction*>& actions) {
    popupMenu_->addSeparator();
    popupMenu_->addActions(actions);
}

int TfrmRungs::SelectedRung() const {
    return selectedRung_ < ws_.plc.diagram.RungCount() ? selectedRung_ : -1;
}

void TfrmRungs::setSelectedRung(int rung) {
    selectedRung_ = rung >= 0 && rung < ws_.plc.diagram.RungCount() ? rung : -1;
    for (int s = 0; s < kSlots; ++s) showSelection(s);
}

int TfrmRungs::rungUnderMouse() const {
    for (int s = 0; s < kSlots; ++s) {
        const int rung = topRung_ + s;
        if (images_[s]->isVisible() && images_[s]->underMouse() &&
            rung < ws_.plc.diagram.RungCount())
            return rung;
    }
    return -1;
}

// The selected rung's label stands out in the highlight colour: not red, which is power.
void TfrmRungs::showSelection(int slot) {
    QLabel* label = labels_[slot];
    const int selected = SelectedRung();
    const bool marked = selected >= 0 && topRung_ + slot == selected;
    const int width = marked ? label->fontMetrics().horizontalAdvance(label->text()) + 12
                             : images_[slot]->width();
    if (marked == label->autoFillBackground() && width == label->width()) return;
    QPalette colours = client_->palette();
    if (marked) {
        colours.setColor(QPalette::Window, colours.color(QPalette::Highlight));
        colours.setColor(QPalette::WindowText, colours.color(QPalette::HighlightedText));
    }
    label->setPalette(colours);
    label->setAutoFillBackground(marked);
    label->setIndent(marked ? 4 : -1);
    label->resize(width, label->height());
}

void TfrmRungs::PopupMenus(bool visible) {
    mnuPopupEdit_->setVisible(visible);
    mnuPopupDelete_->setVisible(visible);
    mnuPopupControlComments_->setVisible(visible);
    if (!visible) mnuPopupAddToChart_->setVisible(false);
}

void TfrmRungs::mouseMoved(int slot, int column, int row) {
    showGridCell(slot, column, row);
    const int mode = ws_.editor.EditorMode;
    if (mode == emBusy || mode == emRunning || locked_ || !mayDraw()) return;
    const bool allowWire = mode == emIdle || mode == emBranchStart || mode == emBranchEnd ||
                           mode == emDeleteControl || mode == emEditControl;
    Marks marks = Mark::ShowMark;
    if (mode == emIdle) marks |= Mark::UseTool;
    if (allowWire) marks |= Mark::AllowWire;
    Highlight(slot, column, row, marks);
}

void TfrmRungs::Highlight(int slot, int column, int row, Marks marks) {
    const int tool = ws_.editor.PaletteTool;
    if (slot == hoverSlot_ && column == hoverColumn_ && row == hoverRow_ && tool == hoverTool_)
        return;
    hoverTool_ = tool;
    if (slot != hoverSlot_) DisplayRung(hoverSlot_, topRung_ + hoverSlot_, RungDraw::Plain);
    hoverSlot_ = slot;
    hoverColumn_ = column;
    hoverRow_ = row;
    const int rungIndex = topRung_ + slot;
    RungRecord* rung =
        rungIndex < ws_.plc.diagram.RungCount() ? &ws_.plc.uiRung(rungIndex) : nullptr;
    const bool inGrid = column >= 0 && column < kControlColumns && row >= 0 && row < kRows;
    const int c = ControlGrid(column);
    const int32_t code = rung && inGrid ? rung->Code(c, row) : 0;
    RungImage* image = images_[slot];
    bool popup = false;
    hoverCursor_ = HoverCursorKind::Default;
    if (code >= Control::NOC && code <= Control::UNL) {
        if (marks & Mark::ShowMark) rung->Lit[c][row] = true;
        popup = true;
        hoverCursor_ = HoverCursorKind::HandPoint;
    } else if (code >= Control::TIM && code <= Control::BBT) {
        if (marks & Mark::ShowMark)
            rung->Lit[kOutputColumn][0] = rung->Lit[kOutputColumn][1] = true;
        popup = true;
        hoverCursor_ = HoverCursorKind::HandPoint;
    } else if (code == Control::LNK && (marks & Mark::AllowWire)) {
        rung->Lit[c][row] = true;
        if ((marks & Mark::UseTool) && tool > 0) hoverCursor_ = HoverCursorKind::Tool;
    }
    switch (hoverCursor_) {
        case HoverCursorKind::HandPoint:
            image->setCursor(Qt::PointingHandCursor);
            break;
        case HoverCursorKind::Tool:
            image->setCursor(ToolCursor(tool, devicePixelRatioF()));
            break;
        case HoverCursorKind::Default:
            image->unsetCursor();
            break;
    }
    PopupMenus(popup);
    // A box's point is named in its top cell.
    const int top = inGrid && IsBoxBottom(code) && row > 0 ? row - 1 : row;
    hoverChartPoint_ =
        popup ? ChartPointOfControl(rung->Code(c, top), rung->Kind(c, top), rung->Index(c, top))
              : -1;
    mnuPopupAddToChart_->setVisible(hoverChartPoint_ >= 0);
    DisplayRung(slot, rungIndex, RungDraw::Live | RungDraw::ClearLit);
}

void TfrmRungs::ClearHighlight() {
    const int slot = hoverSlot_;
    hoverColumn_ = -1;
    hoverCursor_ = HoverCursorKind::Default;
    images_[slot]->unsetCursor();
    PopupMenus(false);
    if (mayDraw()) DisplayRung(slot, topRung_ + slot, RungDraw::ClearLit);
}

RungRecord* TfrmRungs::rungInSlot(int slot) {
    const int rung = topRung_ + slot;
    return rung >= 0 && rung < ws_.plc.diagram.RungCount() ? &ws_.plc.diagram.Rungs[rung] : nullptr;
}

void TfrmRungs::SetMemos() {
    for (int s = 0; s < kSlots; ++s) {
        const int rung = topRung_ + s;
        memos_[s]->setComment(rung < ws_.plc.diagram.RungCount()
                                  ? FromAnsi(ws_.plc.diagram.Rungs[rung].Comment())
                                  : QString());
        memos_[s]->update();
    }
    memoTopRung_ = topRung_;
}

void TfrmRungs::DisplayComments(bool show) {
    if (show && !commentsShown_) {
        commentsShown_ = true;
        SetMemos();
    } else if (!show && commentsShown_) {
        commentsShown_ = false;
    }
    VisibilityCheck();
}

void TfrmRungs::MemoEnter(int number) {
    tmrTheCommentsTag_ = number;
    tmrTheComments_.stop();
    tmrTheComments_.start();
}

void TfrmRungs::MemoKeyDown(int number) {
    MemoEnter(number);
    emit commentEdited();
}

void TfrmRungs::MemoExit(int number, bool finished) {
    if (number < 1 || number > kSlots) return;
    const int rung = topRung_ + number - 1;
    if (rung >= ws_.plc.diagram.RungCount()) return;
    const std::string bytes =
        ToAnsi(CleanComment(memos_[number - 1]->toPlainText(), CommentMemo::kMaxLength));
    RungRecord& record = ws_.plc.diagram.Rungs[rung];
    const std::string before = record.Comment();
    record.setComment(bytes);
    tmrTheComments_.stop();
    emit commentStored(rung, before, finished);
}

void TfrmRungs::storePendingComment() {
    if (tmrTheComments_.isActive()) MemoExit(tmrTheCommentsTag_, false);
}

void TfrmRungs::setLocked(bool locked) {
    locked_ = locked;
    for (CommentMemo* memo : memos_) memo->setReadOnly(locked);
    if (locked) {
        for (RungImage* image : images_) image->unsetCursor();
        hoverCursor_ = HoverCursorKind::Default;
    }
}

void TfrmRungs::startPlacement(int tag) {
    tmrPlaceTag_ = tag;
    tmrPlace_.start();
}

void TfrmRungs::stopPlacement() {
    tmrPlaceTag_ = kPlaceNothing;
    tmrPlace_.stop();
}

void TfrmRungs::FormResize() {
    if (viewCreating_) return;
    if (width() != widthAt(zoom())) resize(widthAt(zoom()), height());
    VisibilityCheck();
    if (mayDraw())
        DisplayRungs(RungDraw::ClearLit);
    else
        redrawWaiting_ = true;
    ws_.settings.writeMoved(SettingsSection(), true);
    ws_.settings.writeHeight(SettingsSection(), height());
}

void TfrmRungs::ScrollBarChange(int value) {
    topRung_ = value;
    if (!scrollFollows_) return;
    VisibilityCheck();
    if (mayDraw())
        DisplayRungs(RungDraw::ClearLit);
    else
        redrawWaiting_ = true;
}

void TfrmRungs::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    FormResize();
}

void TfrmRungs::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The place is taken once the MDI area holds the window, which would otherwise put it
    // where it likes.
    viewCreating_ = true;
    move(0, 0);
    const SettingsStore::Place place = ws_.settings.readPlace(SettingsSection());
    if (!place.error.isEmpty()) {
        ws_.prompter.error(parentWidget(), place.error);  // unusable: the default place stays
    } else if (place.moved) {
        // A stored height, like the place, may come from a larger screen or a hand edit.
        const int areaHeight = parentWidget() ? parentWidget()->height() : height();
        if (place.height > 0)
            resize(widthAt(zoom()), qBound(60, place.height, qMax(60, areaHeight)));
        move(PlaceInArea(*this, QPoint(place.left, place.top), QPoint(0, 0)));
    }
    createdAt_ = pos();
    viewCreating_ = false;
    VisibilityCheck();
    DisplayRungs(RungDraw::ClearLit);
}

void TfrmRungs::closeEvent(QCloseEvent* event) {
    if (pos() != createdAt_) ws_.settings.writePlace(SettingsSection(), x(), y());
    ws_.shell.RungViewOpen = false;
    QMdiSubWindow::closeEvent(event);
}

}  // namespace torvex

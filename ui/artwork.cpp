#include "ui/artwork.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace torvex {

namespace {

// All shapes are drawn on a 24 x 24 design grid and scaled to the target.
constexpr qreal kGrid = 24.0;

const QColor kInk(0, 0, 0);
const QColor kFace(192, 192, 192);

QPen InkPen(const QColor& color, qreal width = 1.6) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A ladder coil "( )" with an optional letter inside.
void DrawCoil(QPainter& p, const QColor& ink, const QString& letter) {
    p.setPen(InkPen(ink));
    p.drawLine(QPointF(1.5, 12), QPointF(6.5, 12));
    p.drawLine(QPointF(17.5, 12), QPointF(22.5, 12));
    p.drawArc(QRectF(6.5, 5, 8, 14), 110 * 16, 140 * 16);
    p.drawArc(QRectF(9.5, 5, 8, 14), -70 * 16, 140 * 16);
    if (!letter.isEmpty()) {
        QFont f(QStringLiteral("Sans Serif"));
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(6, 5, 12, 14), Qt::AlignCenter, letter);
    }
}

void DrawContact(QPainter& p, const QColor& ink, bool closed) {
    p.setPen(InkPen(ink));
    p.drawLine(QPointF(1.5, 12), QPointF(8, 12));
    p.drawLine(QPointF(16, 12), QPointF(22.5, 12));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 18.5));
    p.drawLine(QPointF(16, 5.5), QPointF(16, 18.5));
    if (closed) p.drawLine(QPointF(6, 18.5), QPointF(18, 5.5));
}

void DrawBox(QPainter& p, const QColor& ink) {
    p.setPen(InkPen(ink, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4.5, 3.5, 15, 17));
}

void DrawPointer(QPainter& p, const QColor& ink) {
    QPainterPath arrow;
    arrow.moveTo(7, 3);
    arrow.lineTo(7, 18.5);
    arrow.lineTo(10.5, 15);
    arrow.lineTo(13.2, 20.5);
    arrow.lineTo(15.6, 19.3);
    arrow.lineTo(13, 14);
    arrow.lineTo(17.8, 14);
    arrow.closeSubpath();
    p.setPen(InkPen(ink, 1.2));
    p.setBrush(ink == kInk ? QColor(Qt::white) : kFace.lighter(110));
    p.drawPath(arrow);
}

void DrawToolSymbol(QPainter& p, int tool, const QColor& ink) {
    switch (tool) {
        case kToolPointer:
            DrawPointer(p, ink);
            break;
        case kToolNOC:
            DrawContact(p, ink, false);
            break;
        case kToolNCC:
            DrawContact(p, ink, true);
            break;
        case kToolOP:
            DrawCoil(p, ink, QString());
            break;
        case kToolRES:
            DrawCoil(p, ink, QStringLiteral("R"));
            break;
        case kToolLAT:
            DrawCoil(p, ink, QStringLiteral("L"));
            break;
        case kToolUNL:
            DrawCoil(p, ink, QStringLiteral("U"));
            break;
        case kToolTIM: {
            DrawBox(p, ink);
            p.setPen(InkPen(ink, 1.2));
            p.drawEllipse(QPointF(12, 12), 5, 5);
            p.drawLine(QPointF(12, 12), QPointF(12, 8.5));
            p.drawLine(QPointF(12, 12), QPointF(14.5, 13.5));
            break;
        }
        case kToolCNT: {
            DrawBox(p, ink);
            p.setPen(InkPen(ink, 1.3));
            for (int i = 0; i < 4; ++i)
                p.drawLine(QPointF(7.5 + 2.5 * i, 8), QPointF(7.5 + 2.5 * i, 16));
            p.drawLine(QPointF(6.5, 15), QPointF(17.5, 9));
            break;
        }
        case kToolBS: {
            DrawBox(p, ink);
            p.setPen(InkPen(ink, 1.0));
            for (int i = 0; i < 3; ++i) p.drawRect(QRectF(6.5 + 4 * i, 12.5, 3, 4));
            p.setPen(InkPen(ink, 1.3));
            p.drawLine(QPointF(7, 8.5), QPointF(17, 8.5));
            p.drawLine(QPointF(14.5, 6.5), QPointF(17, 8.5));
            p.drawLine(QPointF(14.5, 10.5), QPointF(17, 8.5));
            break;
        }
        default:
            break;
    }
}

void DrawBevel(QPainter& p, const QRectF& r, bool sunken) {
    p.setPen(Qt::NoPen);
    p.setBrush(sunken ? kFace.darker(106) : kFace);
    p.drawRect(r);
    const QColor light(255, 255, 255), shadow(128, 128, 128), dark(64, 64, 64);
    const qreal w = 1.0;
    auto line = [&](const QColor& c, QPointF a, QPointF b) {
        p.setPen(QPen(c, w));
        p.drawLine(a, b);
    };
    const QPointF tl = r.topLeft() + QPointF(0.5, 0.5), br = r.bottomRight() - QPointF(0.5, 0.5);
    line(sunken ? dark : light, tl, QPointF(br.x(), tl.y()));
    line(sunken ? dark : light, tl, QPointF(tl.x(), br.y()));
    line(sunken ? light : dark, QPointF(tl.x(), br.y()), br);
    line(sunken ? light : dark, QPointF(br.x(), tl.y()), br);
}

// Paints `draw` (which works on the 24 x 24 grid) into `target`.
void OnGrid(QPainter& p, const QRectF& target, const std::function<void(QPainter&)>& draw) {
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / kGrid, target.height() / kGrid);
    draw(p);
    p.restore();
}

QPixmap Canvas(QSize logical, qreal dpr) {
    QPixmap pixmap(logical * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// ---- tool-bar glyphs ------------------------------------------------------------------

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19, 7);
    page.lineTo(19, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(InkPen(QColor(60, 60, 60), 1.1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7), QPointF(19, 7)}));
}

void Rails(QPainter& p) {
    p.setPen(InkPen(QColor(40, 40, 40), 1.6));
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(21, 3), QPointF(21, 21));
}

void Badge(QPainter& p, bool plus, QPointF at) {
    const QColor c = plus ? QColor(0, 150, 0) : QColor(210, 0, 0);
    p.setPen(InkPen(c, 2.4));
    if (plus) {
        p.drawLine(at + QPointF(-3.5, 0), at + QPointF(3.5, 0));
        p.drawLine(at + QPointF(0, -3.5), at + QPointF(0, 3.5));
    } else {
        p.drawLine(at + QPointF(-3, -3), at + QPointF(3, 3));
        p.drawLine(at + QPointF(-3, 3), at + QPointF(3, -3));
    }
}

void DrawGlyph(QPainter& p, Glyph glyph) {
    const QColor ink(30, 30, 30);
    switch (glyph) {
        case Glyph::New:
            Page(p);
            break;
        case Glyph::Open: {
            p.setPen(InkPen(QColor(120, 90, 0), 1.1));
            p.setBrush(QColor(240, 200, 80));
            QPainterPath back;
            back.moveTo(2.5, 6);
            back.lineTo(8.5, 6);
            back.lineTo(10.5, 8);
            back.lineTo(19.5, 8);
            back.lineTo(19.5, 19.5);
            back.lineTo(2.5, 19.5);
            back.closeSubpath();
            p.drawPath(back);
            p.setBrush(QColor(255, 225, 120));
            p.drawPolygon(QPolygonF(
                {QPointF(2.5, 19.5), QPointF(6, 11), QPointF(22.5, 11), QPointF(19.5, 19.5)}));
            break;
        }
        case Glyph::Save:
            p.setPen(InkPen(QColor(20, 40, 100), 1.1));
            p.setBrush(QColor(60, 100, 190));
            p.drawRoundedRect(QRectF(3, 3, 18, 18), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 3, 11, 7));
            p.setBrush(QColor(200, 200, 210));
            p.drawRect(QRectF(7, 13.5, 10, 7.5));
            p.setBrush(QColor(20, 40, 100));
            p.drawRect(QRectF(13.5, 4.5, 2, 4));
            break;
        case Glyph::Print:
            p.setPen(InkPen(QColor(50, 50, 50), 1.1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 2.5, 10, 7));
            p.setBrush(QColor(170, 170, 175));
            p.drawRoundedRect(QRectF(2.5, 9, 19, 8.5), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 14.5, 10, 7));
            p.setPen(InkPen(QColor(0, 150, 0), 1.4));
            p.drawPoint(QPointF(18.5, 11.5));
            break;
        case Glyph::Help: {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 90, 200));
            p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
            QFont f(QStringLiteral("Sans Serif"));
            f.setPixelSize(15);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        case Glyph::Run:
            p.setPen(InkPen(QColor(0, 100, 0), 1.1));
            p.setBrush(QColor(40, 180, 40));
            p.drawPolygon(QPolygonF({QPointF(6, 3.5), QPointF(20, 12), QPointF(6, 20.5)}));
            break;
        case Glyph::SingleLoop: {
            p.setPen(InkPen(QColor(0, 120, 0), 2.4));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 270 * 16);
            p.setPen(InkPen(QColor(0, 120, 0), 1.0));
            p.setBrush(QColor(0, 150, 0));
            p.drawPolygon(QPolygonF({QPointF(13, 1.5), QPointF(19.5, 4.5), QPointF(14, 9)}));
            break;
        }
        case Glyph::SingleStep:
            p.setPen(InkPen(QColor(0, 100, 0), 1.1));
            p.setBrush(QColor(40, 180, 40));
            p.drawPolygon(QPolygonF({QPointF(4, 4.5), QPointF(15, 12), QPointF(4, 19.5)}));
            p.setBrush(QColor(40, 40, 40));
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(16.5, 4.5, 3.5, 15));
            break;
        case Glyph::Pause:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 90, 190));
            p.drawRect(QRectF(5.5, 4, 4.5, 16));
            p.drawRect(QRectF(14, 4, 4.5, 16));
            break;
        case Glyph::Stop:
            p.setPen(InkPen(QColor(120, 0, 0), 1.1));
            p.setBrush(QColor(215, 30, 30));
            p.drawRect(QRectF(5, 5, 14, 14));
            break;
        case Glyph::CloseSimulation:
            p.setPen(InkPen(QColor(50, 50, 50), 1.1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 3.5, 19, 16));
            p.setBrush(QColor(40, 70, 160));
            p.drawRect(QRectF(2.5, 3.5, 19, 4));
            Badge(p, false, QPointF(12, 14));
            break;
        case Glyph::AddRung:
        case Glyph::InsertRung:
        case Glyph::DeleteRung: {
            Rails(p);
            p.setPen(InkPen(ink, 1.4));
            p.drawLine(QPointF(3, 7), QPointF(21, 7));
            if (glyph == Glyph::InsertRung) {
                p.drawLine(QPointF(3, 17), QPointF(21, 17));
                p.setPen(InkPen(QColor(0, 150, 0), 2.0));
                p.drawLine(QPointF(7, 12), QPointF(16, 12));
                p.drawLine(QPointF(13, 9.5), QPointF(16.5, 12));
                p.drawLine(QPointF(13, 14.5), QPointF(16.5, 12));
            } else {
                Badge(p, glyph == Glyph::AddRung, QPointF(12, 16));
            }
            break;
        }
        case Glyph::AddBranch:
        case Glyph::DeleteBranch: {
            p.setPen(InkPen(ink, 1.4));
            p.drawLine(QPointF(2, 6), QPointF(22, 6));
            p.drawPolyline(
                QPolygonF({QPointF(6, 6), QPointF(6, 12), QPointF(18, 12), QPointF(18, 6)}));
            Badge(p, glyph == Glyph::AddBranch, QPointF(12, 18));
            break;
        }
        case Glyph::Comments: {
            p.setPen(InkPen(QColor(60, 60, 60), 1.1));
            p.setBrush(QColor(255, 255, 200));
            QPainterPath balloon;
            balloon.addRoundedRect(QRectF(2.5, 3.5, 19, 13), 3, 3);
            QPainterPath tail;
            tail.moveTo(7, 16);
            tail.lineTo(6, 21);
            tail.lineTo(12, 16);
            p.drawPath(balloon.united(tail));
            p.setPen(InkPen(QColor(90, 90, 90), 1.0));
            for (int i = 0; i < 3; ++i)
                p.drawLine(QPointF(6, 7 + 3 * i), QPointF(18 - 3 * (i == 2), 7 + 3 * i));
            break;
        }
        case Glyph::Undo:
        case Glyph::Redo: {
            // A curved arrow turning back to the left (undo), its mirror image for redo.
            p.save();
            if (glyph == Glyph::Redo) {
                p.translate(kGrid, 0);
                p.scale(-1, 1);
            }
            const QColor blue(30, 80, 170);
            p.setPen(InkPen(blue, 2.4));
            p.setBrush(Qt::NoBrush);
            QPainterPath bow;
            bow.moveTo(7, 9);
            bow.lineTo(13, 9);
            bow.cubicTo(22, 9, 22, 20, 13, 20);
            bow.lineTo(9, 20);
            p.drawPath(bow);
            p.setPen(InkPen(blue, 1.0));
            p.setBrush(blue);
            p.drawPolygon(QPolygonF({QPointF(2.5, 9), QPointF(9, 3.5), QPointF(9, 14.5)}));
            p.restore();
            break;
        }
        case Glyph::Application: {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 60, 130));
            p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
            p.setPen(InkPen(Qt::white, 1.6));
            p.drawLine(QPointF(4, 4), QPointF(4, 20));
            p.drawLine(QPointF(20, 4), QPointF(20, 20));
            p.drawLine(QPointF(4, 9), QPointF(9, 9));
            p.drawLine(QPointF(15, 9), QPointF(20, 9));
            p.setPen(InkPen(QColor(255, 70, 70), 1.6));
            p.drawLine(QPointF(9, 5.5), QPointF(9, 12.5));
            p.drawLine(QPointF(15, 5.5), QPointF(15, 12.5));
            p.setPen(InkPen(Qt::white, 1.6));
            p.drawLine(QPointF(4, 16), QPointF(20, 16));
            break;
        }
    }
}

// An icon engine that paints the glyph at whatever size and ratio the icon is asked for.
class GlyphEngine final : public QIconEngine {
public:
    explicit GlyphEngine(Glyph glyph) : glyph_(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        const qreal side = qMin(rect.width(), rect.height());
        const QRectF square(rect.x() + (rect.width() - side) / 2,
                            rect.y() + (rect.height() - side) / 2, side, side);
        OnGrid(*painter, square, [&](QPainter& p) { DrawGlyph(p, glyph_); });
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm = Canvas(size, scale);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new GlyphEngine(glyph_); }

private:
    Glyph glyph_;
};

}  // namespace

QPixmap PaletteImage(int tool, ButtonLook look, qreal devicePixelRatio) {
    const QSize size(25, 24);
    QPixmap pm = Canvas(size, devicePixelRatio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawBevel(p, QRectF(0, 0, size.width(), size.height()), look == ButtonLook::Down);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF shift = look == ButtonLook::Down ? QPointF(1, 1) : QPointF(0, 0);
    const QRectF glyph(QPointF(2.5, 2) + shift, QSizeF(20, 20));
    const QColor ink = look == ButtonLook::Disabled ? QColor(128, 128, 128) : kInk;
    if (look == ButtonLook::Disabled) {
        // The etched look of a disabled button: a white copy one pixel down and right.
        OnGrid(p, glyph.translated(0.8, 0.8),
               [&](QPainter& q) { DrawToolSymbol(q, tool, Qt::white); });
    }
    OnGrid(p, glyph, [&](QPainter& q) { DrawToolSymbol(q, tool, ink); });
    return pm;
}

QCursor ToolCursor(int tool, qreal devicePixelRatio) {
    QPixmap pm = Canvas(QSize(32, 32), devicePixelRatio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A small arrow whose tip is the hot spot, and the tool's symbol beside it on a white
    // ground so it reads over any background.
    OnGrid(p, QRectF(-5, -2, 16, 16), [](QPainter& q) { DrawPointer(q, kInk); });
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(QRectF(9.5, 11.5, 21, 19), 2, 2);
    OnGrid(p, QRectF(10, 11, 20, 20), [&](QPainter& q) { DrawToolSymbol(q, tool, kInk); });
    p.end();
    return QCursor(pm, 0, 0);
}

QIcon GlyphIcon(Glyph glyph) {
    return QIcon(new GlyphEngine(glyph));
}

}  // namespace torvex

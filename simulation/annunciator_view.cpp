#include "simulation/annunciator_view.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace torvex {

namespace {

using A = Annunciator;

// The picture's geometry in design coordinates (149 x 157 at 100 %).
constexpr qreal kPanelBottom = 115;
const QPointF kHorn(16, 12.5);
const QPointF kBeacon(133, 12.5);
constexpr qreal kButtonRadius = 6.2;
constexpr qreal kButtonY = 94;
constexpr qreal kTileTop = 125, kTileHeight = 29;

QRectF WindowRect(int w) {
    return {5 + (w % 3) * 47.0, 24 + (w / 3) * 29.0, 45, 27};
}
QPointF ButtonCentre(int b) {
    return {19.5 + b * 36.7, kButtonY};
}
QRectF TileRect(int w) {
    const qreal width = 139.0 / A::kWindows;
    return {5 + w * width + 0.8, kTileTop, width - 1.6, kTileHeight};
}

const QColor kFace(0xd8, 0xd5, 0xcc);
const QColor kEngraving(0x3a, 0x3a, 0x38);
const QColor kAlarmRed(0xff, 0x45, 0x35), kAlarmAmber(0xff, 0xb4, 0x1e);
const QColor kFieldGreen(0x3c, 0xd0, 0x62), kFieldRed(0xff, 0x3a, 0x2a);

// Points 1 to 3 are trips (red), 4 to 6 warnings (amber).
QColor WindowColour(int w) {
    return w < 3 ? kAlarmRed : kAlarmAmber;
}

}  // namespace

AnnunciatorView::AnnunciatorView(Annunciator& plant, bool finnish, QWidget* parent)
    : PlantView(plant, finnish, parent), an_(plant) {
    setObjectName(QStringLiteral("AnnunciatorView"));
    clock_.start();
    refresh();
}

void AnnunciatorView::refresh() {
    const bool hornWas = outputs_[A::Horn];
    for (int k = 0; k < kPoints; ++k) {
        inputs_[k] = an_.Input(k);
        outputs_[k] = an_.Output(k);
    }
    // The horn's short sound as it comes on, if sounds are wanted.
    if (sound() && outputs_[A::Horn] && !hornWas) QApplication::beep();
    // The beacon turns slowly: half the screen's rate is smooth enough.
    animate(outputs_[A::Horn] || outputs_[A::Beacon], 2);
    update();
}

void AnnunciatorView::controlsWorked() {
    for (int k = 0; k < kPoints; ++k) inputs_[k] = an_.Input(k);
    update();
}

AnnunciatorView::PointRef AnnunciatorView::pointAt(QPointF d) const {
    auto near = [&](QPointF c, qreal r) {
        const QPointF v = d - c;
        return v.x() * v.x() + v.y() * v.y() <= r * r;
    };
    for (int w = 0; w < A::kWindows; ++w) {
        if (WindowRect(w).contains(d)) return {false, w};
        if (TileRect(w).contains(d)) return {true, w};
    }
    for (int b = 0; b < 4; ++b)
        if (near(ButtonCentre(b), kButtonRadius + 2.5)) return {true, A::Acknowledge + b};
    if (near(kHorn, 10)) return {false, A::Horn};
    if (near(kBeacon, 10)) return {false, A::Beacon};
    return {};
}

void AnnunciatorView::paintEvent(QPaintEvent*) {
    const QPixmap& ground = background([this](QPainter& g) { drawPanel(g); });
    QPainter p(this);
    p.drawPixmap(0, 0, ground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setTransform(designTransform());
    const qreal seconds = clock_.elapsed() / 1000.0;
    drawWindows(p);
    drawHorn(p, seconds);
    drawBeacon(p, seconds);
    drawButtons(p);
    drawContacts(p);
}

void AnnunciatorView::drawPanel(QPainter& p) const {
    const QSizeF size = sizeHint();
    // The cabinet's face, lit from above.
    QLinearGradient face(0, 0, 0, kPanelBottom);
    face.setColorAt(0, kFace.lighter(106));
    face.setColorAt(1, kFace.darker(104));
    p.fillRect(QRectF(0, 0, size.width(), kPanelBottom), face);
    p.setPen(QPen(QColor(0x8a, 0x86, 0x7c), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, kPanelBottom - 1));
    // Screws in the corners.
    for (QPointF s : {QPointF(3, 3), QPointF(size.width() - 3, 3), QPointF(3, kPanelBottom - 3),
                      QPointF(size.width() - 3, kPanelBottom - 3)}) {
        p.setPen(QPen(QColor(0x70, 0x6c, 0x64), 0.3));
        p.setBrush(QColor(0xb8, 0xb4, 0xaa));
        p.drawEllipse(s, 1.1, 1.1);
        p.drawLine(s + QPointF(-0.7, 0.7), s + QPointF(0.7, -0.7));
    }
    // The nameplate between the horn and the beacon.
    const QRectF plate(34, 5, 81, 15);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 0.5));
    p.setBrush(QColor(0x2c, 0x2e, 0x30));
    p.drawRoundedRect(plate, 1.5, 1.5);
    PlantText(p, plate, Qt::AlignCenter, tr("PROCESS ALARMS"), 6.5, QColor(0xe8, 0xe6, 0xde));

    // The window frames, a step below the face.
    for (int w = 0; w < A::kWindows; ++w) {
        p.setPen(QPen(QColor(0x1c, 0x1c, 0x1c), 0.6));
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.drawRect(WindowRect(w).adjusted(-1, -1, 1, 1));
    }
    // The buttons' rings and their engraved names.
    const QString names[4] = {tr("ACK"), tr("RESET"), tr("TEST"), tr("SILENCE")};
    for (int b = 0; b < 4; ++b) {
        const QPointF c = ButtonCentre(b);
        QRadialGradient ring(c, kButtonRadius + 2);
        ring.setColorAt(0.7, QColor(0x9a, 0x9a, 0x96));
        ring.setColorAt(1, QColor(0x5a, 0x5a, 0x56));
        p.setPen(QPen(QColor(0x40, 0x40, 0x3c), 0.4));
        p.setBrush(ring);
        p.drawEllipse(c, kButtonRadius + 1.8, kButtonRadius + 1.8);
        PlantText(p, QRectF(c.x() - 18, c.y() + 9, 36, 7), Qt::AlignCenter, names[b], 5.2,
                  kEngraving);
    }

    // The field below the panel: a junction box with the contacts.
    const QRectF field(0, kPanelBottom, size.width(), size.height() - kPanelBottom);
    p.fillRect(field, QColor(0x3a, 0x46, 0x42));
    p.setPen(QPen(QColor(0x22, 0x2a, 0x27), 1));
    p.drawLine(QPointF(0, kPanelBottom + 0.5), QPointF(size.width(), kPanelBottom + 0.5));
    PlantText(p, QRectF(3, kPanelBottom + 1.5, size.width() - 6, 7), Qt::AlignCenter,
              tr("FIELD CONTACTS \u2014 CLICK TO UPSET"), 5.2, QColor(0xd8, 0xe4, 0xdc));
    // The loop wire the contacts stand in.
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xa0), 0.5));
    const qreal wire = kTileTop + 19;
    p.drawLine(QPointF(2, wire), QPointF(size.width() - 2, wire));
}

void AnnunciatorView::drawWindows(QPainter& p) const {
    const QString legends[A::kWindows] = {tr("HIGH\nPRESSURE"), tr("HIGH\nTEMP."),
                                          tr("LOW\nLEVEL"),     tr("LOW\nFLOW"),
                                          tr("PUMP\nTRIPPED"),  tr("GAS\nDETECTED")};
    for (int w = 0; w < A::kWindows; ++w) {
        const QRectF r = WindowRect(w);
        const bool lit = outputs_[w];
        const QColor colour = WindowColour(w);
        if (lit) {
            QRadialGradient glow(r.center(), r.width() * 0.62);
            glow.setColorAt(0, colour.lighter(135));
            glow.setColorAt(0.75, colour);
            glow.setColorAt(1, colour.darker(115));
            p.fillRect(r, glow);
        } else {
            QLinearGradient lens(r.topLeft(), r.bottomLeft());
            const QColor dim = QColor::fromHsv(colour.hue(), 28, 226);
            lens.setColorAt(0, dim.lighter(104));
            lens.setColorAt(1, dim.darker(108));
            p.fillRect(r, lens);
        }
        const QColor ink = lit ? QColor(0x18, 0x0c, 0x08) : QColor(0x6a, 0x64, 0x60);
        PlantText(p, QRectF(r.left() + 1.5, r.top() + 0.8, 8, 6), Qt::AlignLeft | Qt::AlignTop,
                  QString::number(w + 1), 5, ink);
        const QStringList lines = legends[w].split(u'\n');
        for (int line = 0; line < lines.size() && line < 2; ++line)
            PlantText(p, QRectF(r.left(), r.top() + 6 + 7.5 * line, r.width(), 8), Qt::AlignCenter,
                      lines[line], 6.6, ink);
        // The lens's sheen.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, lit ? 60 : 90));
        p.drawRect(QRectF(r.left(), r.top(), r.width(), 2.2));
    }
}

void AnnunciatorView::drawHorn(QPainter& p, qreal seconds) const {
    const bool on = outputs_[A::Horn];
    // A sounder from the front: a black grille in a round housing.
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 0.5));
    p.setBrush(QColor(0x3a, 0x3a, 0x3a));
    p.drawEllipse(kHorn, 7.5, 7.5);
    p.setBrush(on ? QColor(0xf2, 0x9a, 0x1a) : QColor(0x5a, 0x5a, 0x58));
    p.drawEllipse(kHorn, 5.2, 5.2);
    p.setPen(QPen(on ? QColor(0x5a, 0x30, 0x00) : QColor(0x2a, 0x2a, 0x2a), 0.6));
    for (qreal dy : {-2.6, 0.0, 2.6}) {
        const qreal half = std::sqrt(5.2 * 5.2 - dy * dy) - 0.8;
        p.drawLine(kHorn + QPointF(-half, dy), kHorn + QPointF(half, dy));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawEllipse(kHorn, 1.3, 1.3);
    if (!on) return;
    // Sound spreading outwards.
    for (int k = 0; k < 3; ++k) {
        const qreal t = std::fmod(seconds * 1.6 + k / 3.0, 1.0);
        QColor wave(0xf2, 0x8a, 0x10);
        wave.setAlphaF(0.85 * (1 - t));
        p.setPen(QPen(wave, 0.9, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const qreal r = 8.5 + 6 * t;
        p.drawArc(QRectF(kHorn.x() - r, kHorn.y() - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
}

void AnnunciatorView::drawBeacon(QPainter& p, qreal seconds) const {
    const bool on = outputs_[A::Beacon];
    // A rotating beacon: a base and a red dome, its mirror sweeping round while lit.
    const QRectF base(kBeacon.x() - 8, kBeacon.y() + 4, 16, 5);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 0.5));
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawRoundedRect(base, 1, 1);
    const QRectF dome(kBeacon.x() - 7, kBeacon.y() - 9, 14, 15);
    QPainterPath shape;
    shape.moveTo(dome.left(), dome.bottom());
    shape.lineTo(dome.left(), dome.top() + 7);
    shape.arcTo(QRectF(dome.left(), dome.top(), dome.width(), 14), 180, -180);
    shape.lineTo(dome.right(), dome.bottom());
    shape.closeSubpath();
    if (on) {
        QRadialGradient glow(kBeacon, 13);
        glow.setColorAt(0.4, QColor(255, 60, 30, 120));
        glow.setColorAt(1, QColor(255, 60, 30, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(kBeacon, 13, 13);
    }
    QLinearGradient glass(dome.topLeft(), dome.topRight());
    const QColor red = on ? QColor(0xff, 0x3a, 0x22) : QColor(0x8a, 0x26, 0x20);
    glass.setColorAt(0, red.darker(130));
    glass.setColorAt(0.45, red.lighter(on ? 130 : 110));
    glass.setColorAt(1, red.darker(150));
    p.setPen(QPen(red.darker(200), 0.5));
    p.setBrush(glass);
    p.drawPath(shape);
    if (on) {
        // The mirror's beam: brightest where it faces us.
        const qreal angle = std::fmod(seconds * 1.5, 1.0) * 2 * M_PI;
        const qreal x = kBeacon.x() + 5.5 * std::sin(angle);
        const qreal facing = std::cos(angle);
        if (facing > -0.2) {
            QRadialGradient beam(QPointF(x, kBeacon.y() - 2), 6);
            beam.setColorAt(0, QColor(255, 250, 220, int(230 * (0.4 + 0.6 * facing))));
            beam.setColorAt(1, QColor(255, 120, 60, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(beam);
            p.save();
            p.setClipPath(shape);
            p.drawEllipse(QPointF(x, kBeacon.y() - 2), 6, 8);
            p.restore();
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(kBeacon.x() - 3, kBeacon.y() - 5), 1.4, 2.6);
}

void AnnunciatorView::drawButtons(QPainter& p) const {
    const QColor caps[4] = {QColor(0xf0, 0xc4, 0x1c), QColor(0x2e, 0x6c, 0xc8),
                            QColor(0xf2, 0xf2, 0xee), QColor(0x2a, 0x2a, 0x2a)};
    for (int b = 0; b < 4; ++b) {
        const QPointF c = ButtonCentre(b);
        const bool pressed = inputs_[A::Acknowledge + b];
        const qreal r = pressed ? kButtonRadius - 0.7 : kButtonRadius;
        QRadialGradient cap(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
        cap.setColorAt(0, caps[b].lighter(pressed ? 105 : 135));
        cap.setColorAt(1, caps[b].darker(pressed ? 150 : 115));
        p.setPen(QPen(caps[b].darker(220), 0.5));
        p.setBrush(cap);
        p.drawEllipse(c, r, r);
        if (pressed) {
            p.setPen(QPen(QColor(0, 0, 0, 90), 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r + 0.5, r + 0.5);
        }
    }
}

void AnnunciatorView::drawContacts(QPainter& p) const {
    for (int w = 0; w < A::kWindows; ++w) {
        const QRectF t = TileRect(w);
        const bool closed = inputs_[w];
        const qreal cx = t.center().x(), wire = kTileTop + 19;
        // The process's state as a lamp with its number.
        const QColor state = closed ? kFieldGreen : kFieldRed;
        p.setPen(QPen(QColor(0x1a, 0x20, 0x1e), 0.4));
        p.setBrush(QColor(0x2a, 0x33, 0x30));
        p.drawRoundedRect(t, 1.5, 1.5);
        const QPointF lamp(cx, t.top() + 5.2);
        if (!closed) {
            QRadialGradient glow(lamp, 5);
            glow.setColorAt(0.3, QColor(255, 60, 40, 150));
            glow.setColorAt(1, QColor(255, 60, 40, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(lamp, 5, 5);
        }
        p.setPen(QPen(state.darker(200), 0.4));
        p.setBrush(state);
        p.drawEllipse(lamp, 3.6, 3.6);
        PlantText(p, QRectF(lamp.x() - 3, lamp.y() - 3, 6, 6), Qt::AlignCenter,
                  QString::number(w + 1), 4.6, QColor(0x10, 0x10, 0x10));
        // The contact in the loop wire: a blade that lifts when the process is upset.
        const QPointF left(cx - 4.5, wire), right(cx + 4.5, wire);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x46, 0x42));
        p.drawRect(QRectF(left.x() + 0.5, wire - 1, right.x() - left.x() - 1, 2));
        p.setPen(QPen(QColor(0xe0, 0xe4, 0xe0), 0.5));
        p.setBrush(QColor(0x9a, 0xa8, 0xa0));
        p.drawEllipse(left, 1.1, 1.1);
        p.drawEllipse(right, 1.1, 1.1);
        const qreal lift = closed ? 0 : 38 * M_PI / 180;
        const QPointF tip = left + QPointF(9 * std::cos(lift), -9 * std::sin(lift));
        p.setPen(
            QPen(closed ? QColor(0xf0, 0xf2, 0xee) : kFieldRed, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(left, tip);
        PlantText(p, QRectF(t.left(), t.bottom() - 7, t.width(), 6.5), Qt::AlignCenter,
                  closed ? tr("OK") : tr("UPSET"), 4.4,
                  closed ? QColor(0x9c, 0xd8, 0xae) : QColor(0xff, 0x90, 0x80));
    }
}

}  // namespace torvex

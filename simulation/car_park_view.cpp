#include "simulation/car_park_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace torvex {

namespace {

using C = CarPark;

// The plan is drawn 1 px to 10 cm at 100 % (530 x 305).
constexpr qreal kScale = 0.1;
constexpr qreal kAnimateMs = 100;
qreal D(int cm) {
    return cm * kScale;
}

const QColor kGrass(0x93, 0xbb, 0x74);
const QColor kPavement(0xcf, 0xcb, 0xc0);
const QColor kAsphalt(0x5a, 0x5f, 0x66);
const QColor kStreet(0x4c, 0x51, 0x58);
const QColor kPaint(0xf2, 0xf2, 0xec);
const QColor kYellowPaint(0xf0, 0xc8, 0x30);

// The lanes, aisles and bays.
const QRectF kEntryLane(D(C::kEntryX - C::kLaneWidth / 2), D(C::kBayBottom), D(C::kLaneWidth),
                        D(C::kStreetTop - C::kBayBottom));
const QRectF kExitLane(D(C::kExitX - C::kLaneWidth / 2), D(C::kUpperAisle - C::kAisleWidth / 2),
                       D(C::kLaneWidth), D(C::kStreetTop - C::kUpperAisle + C::kAisleWidth / 2));
const QRectF kLowerAisle(kEntryLane.left(), D(C::kLowerAisle - C::kAisleWidth / 2),
                         D(C::kBayLeft + C::kBays * C::kBayWidth + 50) - kEntryLane.left(),
                         D(C::kAisleWidth));
const QRectF kUpperAisle(D(C::kBayLeft - 100), D(C::kUpperAisle - C::kAisleWidth / 2),
                         kExitLane.right() - D(C::kBayLeft - 100), D(C::kAisleWidth));
const QRectF kBays(D(C::kBayLeft), D(C::kBayTop), D(C::kBays* C::kBayWidth),
                   D(C::kBayBottom - C::kBayTop));

// Each gate: its lane's centre, the side its pillar stands on (+1 right of the lane), the way
// cars come to it along the lane (+1 down the picture), and its side view.
struct GateLook {
    qreal lane;
    qreal side;
    qreal coming;
    QRectF view;
};
const GateLook kGates[2] = {
    {D(C::kEntryX), 1, -1, QRectF(D(C::kEntryX) + 30, D(C::kBoomY) - 17, 24, 30)},
    {D(C::kExitX), -1, 1, QRectF(D(C::kExitX) - 54, D(C::kBoomY) - 17, 24, 30)},
};
constexpr qreal kBoomLength = 37;
QPointF Pivot(C::Gate g) {
    const GateLook& look = kGates[g];
    return {look.lane + look.side * (D(C::kLaneWidth) / 2 + 3), D(C::kBoomY)};
}
// A loop across a lane, between `near` and `far` cm before the boom.
QRectF LoopRect(C::Gate g, int near, int far) {
    const GateLook& look = kGates[g];
    const qreal a = D(C::kBoomY) - look.coming * D(near), b = D(C::kBoomY) - look.coming * D(far);
    return QRectF(QPointF(look.lane - D(C::kLaneWidth) / 2 + 2.5, std::min(a, b)),
                  QPointF(look.lane + D(C::kLaneWidth) / 2 - 2.5, std::max(a, b)));
}
QRectF WaitingLoop(C::Gate g) {
    return LoopRect(g, C::kLoopNear, C::kLoopFar);
}
QRectF SafetyLoop(C::Gate g) {
    return LoopRect(g, -C::kSafety, C::kSafety);
}
// The limit switches' lamps and the motors' arrows in the side view.
QPointF UpLamp(C::Gate g) {
    return kGates[g].view.topLeft() + QPointF(kGates[g].side > 0 ? 19.5 : 4.5, 4);
}
QPointF DownLamp(C::Gate g) {
    return kGates[g].view.topLeft() + QPointF(kGates[g].side > 0 ? 4.5 : 19.5, 17);
}
QRectF MotorArrow(C::Gate g, bool raise) {
    const QRectF v = kGates[g].view;
    return QRectF(v.left() + 2, v.bottom() - 8, 9, 7).translated(raise ? 0 : 11, 0);
}
QPointF GaugePivot(C::Gate g) {
    const QRectF v = kGates[g].view;
    return {kGates[g].side > 0 ? v.right() - 4.5 : v.left() + 4.5, v.top() + 17};
}

const QRectF kSign(36, 194, 58, 46);
QRectF SignLamp(bool full) {
    return QRectF(kSign.left() + 16, kSign.top() + (full ? 6 : 24), kSign.width() - 20, 15);
}
const QRectF kKiosk(238, 180, 86, 58);
const QPointF kResetButton(258, 223);
const QPointF kKeySwitch(300, 225);

QColor CarColour(uint32_t id) {
    static const QColor colours[] = {{0xd8, 0x3a, 0x34}, {0x2f, 0x6f, 0xc9}, {0xf2, 0xf2, 0xee},
                                     {0x3c, 0x3f, 0x45}, {0xe8, 0xc3, 0x2e}, {0x3b, 0x9a, 0x5a},
                                     {0x9a, 0xa3, 0xad}, {0x8e, 0x4f, 0xb5}, {0xe0, 0x7a, 0x2a}};
    return colours[id % std::size(colours)];
}

void Lamp(QPainter& p, QPointF centre, qreal radius, const QColor& colour, bool lit) {
    if (lit) {
        QRadialGradient glow(centre, radius * 2.2);
        QColor halo = colour;
        halo.setAlpha(120);
        glow.setColorAt(0.4, halo);
        halo.setAlpha(0);
        glow.setColorAt(1, halo);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, radius * 2.2, radius * 2.2);
    }
    p.setPen(QPen(Qt::black, 0.3));
    p.setBrush(lit ? colour : colour.darker(380));
    p.drawEllipse(centre, radius, radius);
}

void Arrow(QPainter& p, QPointF at, qreal degrees, qreal size, const QColor& colour) {
    p.save();
    p.translate(at);
    p.rotate(degrees);
    QPainterPath arrow;
    arrow.moveTo(size, 0);
    arrow.lineTo(size * 0.1, -size * 0.55);
    arrow.lineTo(size * 0.1, -size * 0.2);
    arrow.lineTo(-size, -size * 0.2);
    arrow.lineTo(-size, size * 0.2);
    arrow.lineTo(size * 0.1, size * 0.2);
    arrow.lineTo(size * 0.1, size * 0.55);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(arrow);
    p.restore();
}

void Tree(QPainter& p, QPointF c, qreal r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(c + QPointF(1.5, 2), r, r);
    QRadialGradient crown(c + QPointF(-r * 0.3, -r * 0.35), r * 1.3);
    crown.setColorAt(0, QColor(0x6e, 0xa8, 0x4c));
    crown.setColorAt(1, QColor(0x34, 0x6a, 0x2c));
    p.setBrush(crown);
    p.drawEllipse(c, r, r);
}

// Where a car is drawn: its front on its path, facing along the chord to its rear (also on
// the path), so that in a bend the body follows the way and cuts the corner as a car does.
C::Pose Placed(const C::Car& car) {
    const C::Path path = C::PathOf(car);
    const C::Pose front = path.pose(car.s);
    // The rear trails the front along the path, or leads it when the car reverses; beyond
    // the path's ends it lies on the line the path starts or ends on.
    const double behind = path.reverse ? car.s + C::kCarLength : car.s - C::kCarLength;
    const double within = std::clamp<double>(behind, 0, path.length());
    C::Pose rear = path.pose(within);
    const double travel = (rear.heading + (path.reverse ? 180 : 0)) * M_PI / 180;
    rear.x += (behind - within) * std::cos(travel);
    rear.y += (behind - within) * std::sin(travel);
    C::Pose placed;
    placed.x = front.x * kScale;
    placed.y = front.y * kScale;
    placed.heading = std::atan2(front.y - rear.y, front.x - rear.x) * 180 / M_PI;
    return placed;
}

}  // namespace

CarParkView::CarParkView(CarPark& plant, bool finnish, QWidget* parent)
    : PlantView(plant, finnish, parent), cp_(plant) {
    setObjectName(QStringLiteral("CarParkView"));
    sinceRefresh_.start();
    refresh();
}

qreal CarParkView::progress() const {
    return std::min<qreal>(1, sinceRefresh_.elapsed() / kAnimateMs);
}

void CarParkView::refresh() {
    // Each car goes on from where it is shown now, so a late exchange makes no jump; after a
    // start the numbers name new cars.
    const qreal done = progress();
    std::unordered_map<uint32_t, C::Pose> shown;
    const bool onward = !fresh_ && cp_.exchanges() >= shownExchange_ && cp_.exchanges() > 0;
    fresh_ = false;
    if (onward)
        for (const Mover& m : movers_) {
            C::Pose at = m.to;
            at.x = m.from.x + (m.to.x - m.from.x) * done;
            at.y = m.from.y + (m.to.y - m.from.y) * done;
            at.heading = m.from.heading + (m.to.heading - m.from.heading) * done;
            shown[m.id] = at;
        }
    shownExchange_ = cp_.exchanges();
    std::vector<Mover> movers;
    bool moving = false;
    for (const C::Car* car : cp_.cars()) {
        Mover m;
        m.id = car->id;
        m.to = Placed(*car);
        m.braking = car->braking || (car->speed == 0 && car->way != C::Way::Entry) ||
                    (car->speed == 0 && car->s < C::PathOf(*car).length());
        m.reversing = car->way == C::Way::Reverse;
        const auto it = shown.find(m.id);
        m.from = it == shown.end() ? m.to : it->second;
        // Turn the short way round.
        while (m.to.heading - m.from.heading > 180) m.from.heading += 360;
        while (m.to.heading - m.from.heading < -180) m.from.heading -= 360;
        moving =
            moving || m.from.x != m.to.x || m.from.y != m.to.y || m.from.heading != m.to.heading;
        movers.push_back(m);
    }
    movers_ = std::move(movers);
    for (C::Gate g : {C::Entry, C::Exit}) {
        boomFrom_[g] = onward ? boomFrom_[g] + (boomTo_[g] - boomFrom_[g]) * done
                              : qreal(cp_.barrier(g)) / C::kTravel;
        boomTo_[g] = qreal(cp_.barrier(g)) / C::kTravel;
        moving = moving || boomFrom_[g] != boomTo_[g];
    }
    outOfSight_ = cp_.outOfSight();
    for (int k = 0; k < kPoints; ++k) {
        inputs_[k] = cp_.Input(k);
        outputs_[k] = cp_.Output(k);
    }
    cause_ = cp_.stopCause();
    stopGate_ = cp_.stopGate();
    stopText_ = QString::fromStdString(cp_.stopReason().in(finnish()));
    sinceRefresh_.restart();
    animate(moving);
    update();
}

void CarParkView::animationFrame() {
    if (progress() >= 1) animate(false);
    update();
}

void CarParkView::controlsWorked() {
    for (int k = 0; k < kPoints; ++k) inputs_[k] = cp_.Input(k);
    update();
}

CarParkView::PointRef CarParkView::pointAt(QPointF d) const {
    auto near = [&](QPointF c, qreal r) {
        const QPointF v = d - c;
        return v.x() * v.x() + v.y() * v.y() <= r * r;
    };
    if (near(kResetButton, 8)) return {true, C::AttendantReset};
    if (near(kKeySwitch, 8)) return {true, C::Closed};
    if (SignLamp(true).adjusted(-1, -1, 1, 1).contains(d)) return {false, C::FullSign};
    if (SignLamp(false).adjusted(-1, -1, 1, 1).contains(d)) return {false, C::SpacesSign};
    for (C::Gate g : {C::Entry, C::Exit}) {
        const int base = g == C::Entry ? 0 : 4;
        if (near(UpLamp(g), 3.2)) return {true, base + 1};
        if (near(DownLamp(g), 3.2)) return {true, base + 2};
        if (MotorArrow(g, true).contains(d)) return {false, g == C::Entry ? 0 : 2};
        if (MotorArrow(g, false).contains(d)) return {false, g == C::Entry ? 1 : 3};
        if (SafetyLoop(g).contains(d)) return {true, base + 3};
        if (WaitingLoop(g).contains(d)) return {true, base};
    }
    return {};
}

void CarParkView::paintEvent(QPaintEvent*) {
    const QPixmap& ground = background([this](QPainter& g) { drawGround(g); });
    QPainter p(this);
    p.drawPixmap(0, 0, ground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(designTransform());
    drawLoops(p);
    drawCars(p);
    drawBarrier(p, C::Entry);
    drawBarrier(p, C::Exit);
    drawSigns(p);
    drawKiosk(p);
    if (cause_ != C::StopCause::None) drawStop(p);
}

void CarParkView::drawGround(QPainter& p) const {
    const QSizeF size = sizeHint();
    p.fillRect(QRectF(QPointF(0, 0), size), kGrass);
    // The street and its pavement.
    const qreal kerb = D(C::kStreetTop);
    p.fillRect(QRectF(0, kerb - 8, size.width(), 8), kPavement);
    p.fillRect(QRectF(0, kerb, size.width(), size.height() - kerb), kStreet);
    p.setPen(QPen(QColor(0xa8, 0xa4, 0x98), 0.6));
    p.drawLine(QPointF(0, kerb), QPointF(size.width(), kerb));
    QPen dash(kPaint, 0.8, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({6, 6});
    p.setPen(dash);
    const qreal middle = D((C::kUpperLane + C::kLowerLane) / 2);
    p.drawLine(QPointF(0, middle), QPointF(size.width(), middle));

    // The car park's surface.
    p.setPen(Qt::NoPen);
    p.setBrush(kAsphalt);
    for (const QRectF& r : {kEntryLane, kExitLane, kLowerAisle, kUpperAisle, kBays}) p.drawRect(r);
    p.setBrush(kAsphalt.lighter(108));
    p.drawRect(kBays);
    // Kerbs round it.
    p.setPen(QPen(QColor(0xbc, 0xb8, 0xac), 0.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath outline;
    for (const QRectF& r : {kEntryLane, kExitLane, kLowerAisle, kUpperAisle, kBays}) {
        QPainterPath piece;
        piece.addRect(r);
        outline = outline.united(piece);
    }
    p.drawPath(outline);
    // The lane mouths cut through the pavement.
    p.setPen(Qt::NoPen);
    p.setBrush(kAsphalt);
    p.drawRect(QRectF(kEntryLane.left(), kerb - 8.5, kEntryLane.width(), 9));
    p.drawRect(QRectF(kExitLane.left(), kerb - 8.5, kExitLane.width(), 9));

    // Bay lines and numbers.
    p.setPen(QPen(kPaint, 0.8));
    for (int b = 0; b <= C::kBays; ++b) {
        const qreal x = kBays.left() + b * D(C::kBayWidth);
        p.drawLine(QPointF(x, kBays.top() + 1), QPointF(x, kBays.bottom() - 1));
    }
    for (int b = 0; b < C::kBays; ++b)
        PlantText(
            p, QRectF(kBays.left() + b * D(C::kBayWidth), kBays.bottom() - 9, D(C::kBayWidth), 9),
            Qt::AlignCenter, QString::number(b + 1), 7, QColor(0xe6, 0xe6, 0xe0));

    // One-way arrows.
    const QColor arrow(0xe8, 0xe8, 0xe2, 200);
    for (qreal x : {kLowerAisle.left() + 55, kLowerAisle.right() - 26})
        Arrow(p, QPointF(x, kLowerAisle.center().y()), 0, 6, arrow);
    for (qreal x : {kUpperAisle.left() + 24, kUpperAisle.right() - 80})
        Arrow(p, QPointF(x, kUpperAisle.center().y()), 0, 6, arrow);
    Arrow(p, QPointF(kExitLane.center().x(), 110), 90, 6, arrow);
    Arrow(p, QPointF(kEntryLane.center().x(), 160), -90, 6, arrow);
    // The lanes' names at the mouths, and the stop lines before the booms.
    PlantText(p, QRectF(kEntryLane.left(), 239, kEntryLane.width(), 8), Qt::AlignCenter,
              tr("ENTRY"), 6, kPaint);
    PlantText(p, QRectF(kExitLane.left(), 122, kExitLane.width(), 8), Qt::AlignCenter, tr("EXIT"),
              6, kPaint);
    p.setPen(QPen(kPaint, 1.2));
    for (C::Gate g : {C::Entry, C::Exit}) {
        const qreal y = D(C::kBoomY) - kGates[g].coming * (D(C::kWaitAt) - 1.5);
        p.drawLine(QPointF(kGates[g].lane - D(C::kLaneWidth) / 2 + 1, y),
                   QPointF(kGates[g].lane + D(C::kLaneWidth) / 2 - 1, y));
    }
    // Yellow hatching on the street before the entry: keep clear.
    p.save();
    const QRectF box(kEntryLane.left() - 10, kerb + 1, kEntryLane.width() + 20,
                     D(C::kUpperLane) - kerb + 11);
    p.setClipRect(box);
    p.setPen(QPen(kYellowPaint, 0.7));
    for (qreal x = box.left() - box.height(); x < box.right(); x += 5)
        p.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
    p.restore();
    p.setPen(QPen(kYellowPaint, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);

    // Trees on the grass.
    for (const auto& [x, y, r] :
         std::initializer_list<std::tuple<qreal, qreal, qreal>>{{14, 18, 11},
                                                                {42, 44, 9},
                                                                {16, 98, 12},
                                                                {70, 16, 8},
                                                                {126, 22, 10},
                                                                {500, 22, 12},
                                                                {505, 86, 10},
                                                                {498, 150, 11},
                                                                {186, 204, 9},
                                                                {372, 198, 11},
                                                                {410, 228, 7}})
        Tree(p, QPointF(x, y), r);

    // The sign's post and housing, and the kiosk's roof.
    p.setPen(QPen(QColor(0x22, 0x24, 0x26), 0.6));
    p.setBrush(QColor(0x2c, 0x30, 0x34));
    p.drawRoundedRect(kSign, 2, 2);
    const QRectF logo(kSign.left() + 3, kSign.top() + 6, 11, 11);
    p.setBrush(QColor(0x1c, 0x5c, 0xc0));
    p.setPen(QPen(kPaint, 0.6));
    p.drawRoundedRect(logo, 1.5, 1.5);
    PlantText(p, logo, Qt::AlignCenter, QStringLiteral("P"), 9, kPaint);
    p.setPen(QPen(QColor(0x5a, 0x50, 0x46), 0.6));
    p.setBrush(QColor(0xc8, 0xbc, 0xa8));
    p.drawRoundedRect(kKiosk, 2, 2);
    p.setBrush(QColor(0xb0, 0xa2, 0x8c));
    p.drawRect(kKiosk.adjusted(4, 4, -4, -4));
    PlantText(p, QRectF(kKiosk.left(), kKiosk.top() + 5, kKiosk.width(), 9), Qt::AlignCenter,
              tr("ATTENDANT"), 6.5, QColor(0x3a, 0x30, 0x26));
    PlantText(p, QRectF(kResetButton.x() - 15, kResetButton.y() + 8, 30, 7), Qt::AlignCenter,
              tr("RESET"), 5.2, QColor(0x2a, 0x22, 0x1a));
}

void CarParkView::drawLoops(QPainter& p) const {
    for (C::Gate g : {C::Entry, C::Exit})
        for (bool safety : {false, true}) {
            const bool on = inputs_[(g == C::Entry ? 0 : 4) + (safety ? 3 : 0)];
            const QRectF r = safety ? SafetyLoop(g) : WaitingLoop(g);
            const QColor rim = safety ? QColor(0xff, 0x8a, 0x3c) : QColor(0xff, 0xd2, 0x3c);
            p.setPen(QPen(on ? rim : QColor(0x8e, 0x93, 0x9a), on ? 1.0 : 0.7));
            QColor fill = rim;
            fill.setAlpha(70);
            p.setBrush(on ? QBrush(fill) : QBrush(Qt::NoBrush));
            p.drawRoundedRect(r, 1.5, 1.5);
            // The cut that carries the loop's wire to the kerb.
            p.setPen(QPen(on ? rim : QColor(0x8e, 0x93, 0x9a), 0.5));
            const qreal x = kGates[g].side > 0 ? r.right() : r.left();
            p.drawLine(QPointF(x, r.center().y()), QPointF(x + kGates[g].side * 4, r.center().y()));
        }
}

void CarParkView::drawCars(QPainter& p) const {
    const qreal done = progress();
    const qreal length = D(C::kCarLength), width = D(C::kCarWidth);
    const QColor red(0xff, 0x30, 0x24);
    for (const Mover& m : movers_) {
        const QPointF at(m.from.x + (m.to.x - m.from.x) * done,
                         m.from.y + (m.to.y - m.from.y) * done);
        p.save();
        p.translate(at);
        p.rotate(m.from.heading + (m.to.heading - m.from.heading) * done);
        // Forward is +x, the front at 0.
        const QRectF body(-length, -width / 2, length, width);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(body.translated(0.8, 1.0), 3, 3);
        const QColor colour = CarColour(m.id);
        p.setBrush(colour);
        p.setPen(QPen(colour.darker(170), 0.5));
        p.drawRoundedRect(body, 3.2, 3.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x3a, 0x4a));
        p.drawRoundedRect(QRectF(-length * 0.38, -width / 2 + 1.4, length * 0.15, width - 2.8), 1,
                          1);
        p.drawRoundedRect(QRectF(-length * 0.86, -width / 2 + 1.6, length * 0.1, width - 3.2), 1,
                          1);
        p.setBrush(colour.lighter(112));
        p.drawRoundedRect(QRectF(-length * 0.74, -width / 2 + 2, length * 0.34, width - 4), 1.5,
                          1.5);
        // Lights: brake lights when stopping, white ones when reversing, headlamps in front.
        p.setBrush(m.braking ? red : red.darker(220));
        p.drawRect(QRectF(-length, -width / 2 + 0.8, 1.0, 2.6));
        p.drawRect(QRectF(-length, width / 2 - 3.4, 1.0, 2.6));
        if (m.reversing) {
            p.setBrush(QColor(0xff, 0xff, 0xf0));
            p.drawRect(QRectF(-length, -width / 2 + 3.6, 1.0, 1.6));
            p.drawRect(QRectF(-length, width / 2 - 5.2, 1.0, 1.6));
        }
        p.setBrush(QColor(0xff, 0xf6, 0xc8));
        p.drawRect(QRectF(-1.0, -width / 2 + 0.8, 1.0, 2.4));
        p.drawRect(QRectF(-1.0, width / 2 - 3.2, 1.0, 2.4));
        p.restore();
    }
    if (outOfSight_ > 0) {
        const QRectF badge(2, D(C::kStreetTop) - 13, 17, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xff, 0xff, 220));
        p.drawRoundedRect(badge, 3, 3);
        PlantText(p, badge, Qt::AlignCenter, QStringLiteral("+%1").arg(outOfSight_), 8,
                  QColor(0x20, 0x20, 0x20));
    }
}

void CarParkView::drawBarrier(QPainter& p, C::Gate g) const {
    const GateLook& look = kGates[g];
    const qreal raised = boomFrom_[g] + (boomTo_[g] - boomFrom_[g]) * progress();
    const qreal angle = raised * M_PI / 2;
    const QPointF pivot = Pivot(g);
    // From above, a rising boom grows shorter.
    const qreal seen = kBoomLength * std::cos(angle);
    p.save();
    p.translate(pivot);
    p.scale(-look.side, 1);  // the boom reaches across the lane from the pillar
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRect(QRectF(1, -0.6, seen, 3.2));
    if (seen > 0.5) {
        const QRectF boom(0, -1.6, seen, 3.2);
        p.setBrush(kPaint);
        p.setPen(QPen(QColor(0x70, 0x20, 0x1c), 0.4));
        p.drawRect(boom);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd8, 0x22, 0x1c));
        const qreal stripe = 4.5 * std::cos(angle);
        for (qreal x = stripe; x + stripe <= seen + 0.01; x += 2 * stripe)
            p.drawRect(QRectF(x, -1.6, stripe, 3.2));
    }
    if (seen < 3) {
        // Seen end on: the boom's tip above the pillar.
        p.setPen(QPen(QColor(0x70, 0x20, 0x1c), 0.4));
        p.setBrush(QColor(0xd8, 0x22, 0x1c));
        p.drawEllipse(QPointF(1.8, 0), 2.0, 2.0);
    }
    p.restore();
    // The pillar with its motor.
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 0.5));
    p.setBrush(QColor(0xe8, 0xc0, 0x20));
    p.drawRoundedRect(QRectF(pivot - QPointF(3.5, 5), QSizeF(7, 10)), 1.2, 1.2);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawEllipse(pivot, 1.6, 1.6);

    // The side view: the boom's angle, the limit switches and the motors.
    const QRectF v = look.view;
    p.setPen(QPen(QColor(0x30, 0x34, 0x36), 0.5));
    p.setBrush(QColor(0xf4, 0xf2, 0xea, 235));
    p.drawRoundedRect(v, 2, 2);
    const QPointF hub = GaugePivot(g);
    const qreal reach = 14;
    p.setPen(QPen(QColor(0xb8, 0xb4, 0xa8), 0.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(hub.x() - reach, hub.y() - reach, 2 * reach, 2 * reach);
    p.drawArc(arc, look.side > 0 ? 90 * 16 : 0, 90 * 16);
    const QPointF tip =
        hub + QPointF(-look.side * reach * std::cos(angle), -reach * std::sin(angle));
    p.setPen(QPen(QColor(0xd8, 0x22, 0x1c), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hub, tip);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hub, hub + QPointF(0, 5));
    const QColor limitOn(0x3c, 0xe0, 0x62);
    const int base = g == C::Entry ? 0 : 4;
    Lamp(p, UpLamp(g), 1.6, limitOn, inputs_[base + 1]);
    Lamp(p, DownLamp(g), 1.6, limitOn, inputs_[base + 2]);
    for (bool raise : {true, false}) {
        const bool on = outputs_[(g == C::Entry ? 0 : 2) + (raise ? 0 : 1)];
        const QRectF r = MotorArrow(g, raise);
        p.setPen(Qt::NoPen);
        p.setBrush(on ? QColor(0xff, 0x8a, 0x1c) : QColor(0xc8, 0xc4, 0xb8));
        QPainterPath triangle;
        if (raise) {
            triangle.moveTo(r.center().x(), r.top());
            triangle.lineTo(r.right(), r.bottom());
            triangle.lineTo(r.left(), r.bottom());
        } else {
            triangle.moveTo(r.left(), r.top());
            triangle.lineTo(r.right(), r.top());
            triangle.lineTo(r.center().x(), r.bottom());
        }
        triangle.closeSubpath();
        p.drawPath(triangle);
    }
}

void CarParkView::drawSigns(QPainter& p) const {
    for (bool full : {true, false}) {
        const bool lit = outputs_[full ? C::FullSign : C::SpacesSign];
        const QRectF r = SignLamp(full);
        const QColor colour = full ? QColor(0xff, 0x3a, 0x2a) : QColor(0x3c, 0xe0, 0x62);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x12, 0x14, 0x16));
        p.drawRoundedRect(r, 1.5, 1.5);
        if (lit) {
            QColor glow = colour;
            glow.setAlpha(70);
            p.setBrush(glow);
            p.drawRoundedRect(r.adjusted(-1.5, -1.5, 1.5, 1.5), 2.5, 2.5);
        }
        PlantText(p, r, Qt::AlignCenter, full ? tr("FULL") : tr("SPACES"), 7,
                  lit ? colour : colour.darker(330));
    }
}

void CarParkView::drawKiosk(QPainter& p) const {
    // The reset button, pressed in while held.
    const bool pressed = inputs_[C::AttendantReset];
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 0.5));
    p.setBrush(QColor(0x6a, 0x6a, 0x66));
    p.drawEllipse(kResetButton, 6.5, 6.5);
    const qreal r = pressed ? 4.3 : 5.0;
    QRadialGradient cap(kResetButton + QPointF(-r * 0.3, -r * 0.4), r * 1.5);
    const QColor blue(0x2e, 0x6c, 0xc8);
    cap.setColorAt(0, blue.lighter(pressed ? 100 : 140));
    cap.setColorAt(1, blue.darker(pressed ? 160 : 115));
    p.setBrush(cap);
    p.drawEllipse(kResetButton, r, r);

    // The key switch: the key turned to CLOSED while on.
    const bool closed = inputs_[C::Closed];
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 0.5));
    p.setBrush(QColor(0xd4, 0xd0, 0xc6));
    p.drawEllipse(kKeySwitch, 6.5, 6.5);
    p.setBrush(QColor(0x9a, 0x96, 0x8c));
    p.drawEllipse(kKeySwitch, 3.2, 3.2);
    p.save();
    p.translate(kKeySwitch);
    p.rotate(closed ? 45 : -45);
    p.setBrush(QColor(0xe2, 0xb8, 0x3a));
    p.setPen(QPen(QColor(0x6a, 0x50, 0x10), 0.4));
    p.drawRoundedRect(QRectF(-1.1, -7.5, 2.2, 8), 0.6, 0.6);
    p.drawEllipse(QPointF(0, -7.5), 2.2, 2.2);
    p.restore();
    PlantText(p, QRectF(kKeySwitch.x() - 26, kKeySwitch.y() - 12, 18, 6),
              Qt::AlignRight | Qt::AlignVCenter, tr("OPEN"), 5,
              closed ? QColor(0x6a, 0x60, 0x54) : QColor(0x1c, 0x6a, 0x2c));
    PlantText(p, QRectF(kKeySwitch.x() + 8, kKeySwitch.y() - 12, 22, 6),
              Qt::AlignLeft | Qt::AlignVCenter, tr("CLOSED"), 5,
              closed ? QColor(0xb0, 0x1c, 0x14) : QColor(0x6a, 0x60, 0x54));
    PlantText(p, QRectF(kKeySwitch.x() - 15, kKeySwitch.y() + 8, 30, 7), Qt::AlignCenter, tr("KEY"),
              5.2, QColor(0x2a, 0x22, 0x1a));
}

void CarParkView::drawStop(QPainter& p) const {
    // Ring the barrier whose rule stopped the run.
    const QPointF centre(kGates[stopGate_].lane, D(C::kBoomY));
    p.setPen(QPen(QColor(0xff, 0x20, 0x20), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 26, 26);
    const QRectF band(150, 6, 300, 26);
    p.setPen(QPen(QColor(0x80, 0, 0), 0.8));
    p.setBrush(QColor(0xc0, 0x10, 0x10, 230));
    p.drawRoundedRect(band, 4, 4);
    PlantText(p, band.adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextWordWrap,
              tr("Stopped: %1").arg(stopText_), 9, Qt::white);
}

}  // namespace torvex

#include "simulation/traffic_light_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace torvex {

namespace {

using T = TrafficLight;

// The picture's geometry in design coordinates (189 x 174 at 100 %), the junction in the
// middle. Lengths of the model are drawn 2.5 px to the metre.
const QPointF kCentre(94.5, 87);
constexpr qreal kScale = 0.0025;
constexpr qreal kHalfRoad = T::kLaneWidth * kScale;
// From a stop line to the middle of the junction, along the lane.
constexpr int kLineToCentre = -T::kBoxNear + T::kLaneWidth;
constexpr qreal kAnimateMs = 100;

const QColor kGrass(0x9c, 0xc4, 0x7c);
const QColor kPavement(0xd3, 0xcf, 0xc4);
const QColor kAsphalt(0x55, 0x5a, 0x60);
const QColor kPaint(0xf4, 0xf4, 0xf0);
const QColor kHousing(0x26, 0x28, 0x2b);
const QColor kRed(0xff, 0x30, 0x24), kAmber(0xff, 0xb0, 0x10), kGreen(0x2c, 0xe0, 0x5a);
const QColor kWalkGreen(0x5c, 0xf0, 0x7c);

// Where a car of approach `a` drives: its direction, and its right-hand side.
QPointF Travel(int a) {
    switch (a) {
        case T::FromNorth:
            return {0, 1};
        case T::FromSouth:
            return {0, -1};
        case T::FromEast:
            return {-1, 0};
        default:
            return {1, 0};
    }
}
QPointF RightOf(QPointF u) {
    return {-u.y(), u.x()};
}

QPointF CarFront(int a, int front) {
    const QPointF u = Travel(a);
    return kCentre - u * ((front + kLineToCentre) * kScale) + RightOf(u) * (kHalfRoad / 2);
}

// A crossing: its middle, and the way across from side 0 (north or west) to side 1.
QPointF CrossingMiddle(int c) {
    const qreal d = (kLineToCentre + T::kCrossingNear - T::kCrossingWidth / 2) * kScale;
    switch (c) {
        case T::NorthArm:
            return kCentre + QPointF(0, -d);
        case T::SouthArm:
            return kCentre + QPointF(0, d);
        case T::EastArm:
            return kCentre + QPointF(d, 0);
        default:
            return kCentre + QPointF(-d, 0);
    }
}
QPointF Across(int c) {
    return c == T::NorthArm || c == T::SouthArm ? QPointF(1, 0) : QPointF(0, 1);
}

QPointF WalkerPoint(const T::Walker& w) {
    const QPointF across = Across(w.crossing), along(across.y(), across.x());
    const int half = T::kWalk / 2;
    qreal a = 0;
    if (w.walked >= 0)
        a = w.side == 0 ? w.walked - half : half - w.walked;
    else
        a = (w.side == 0 ? -1 : 1) * (half + 700 + (w.place / 3) * 900);
    return CrossingMiddle(w.crossing) + across * (a * kScale) +
           along * ((w.place % 3 - 1) * 900 * kScale);
}

// The street furniture at each corner: the head facing the traffic that arrives there, and
// the walk lamps and button at one end of a crossing.
struct Corner {
    QPointF head;
    T::Road headRoad;
    QPointF signal, button;
    T::Road walkers;
};
const Corner kCorners[4] = {
    {{77.5, 52}, T::NorthSouth, {71, 66}, {63.5, 66}, T::EastWest},        // north-west
    {{124, 64}, T::EastWest, {116.5, 65}, {116.5, 55.5}, T::NorthSouth},   // north-east
    {{111.5, 122}, T::NorthSouth, {118, 108}, {125.5, 108}, T::EastWest},  // south-east
    {{64, 110}, T::EastWest, {72, 110}, {72, 119.5}, T::NorthSouth},       // south-west
};
const QSizeF kHeadSize(6, 16), kSignalSize(5.5, 10), kButtonSize(6, 8.5);
constexpr qreal kLampRadius = 2.1;
const QRectF kCabinet(160, 142, 22, 18);

QRectF Around(QPointF centre, QSizeF size) {
    return {centre - QPointF(size.width() / 2, size.height() / 2), size};
}
QPointF HeadLamp(QPointF head, int lamp) {
    return head + QPointF(0, (lamp - 1) * 4.7);
}
QRectF SignalLamp(QPointF signal, bool walk) {
    return Around(signal + QPointF(0, walk ? 2.35 : -2.35), QSizeF(4, 4));
}
QPointF WaitLamp(QPointF button) {
    return button + QPointF(0, -2.2);
}
QPointF ButtonKnob(QPointF button) {
    return button + QPointF(0, 1.9);
}
// The detector loop before a stop line.
QPolygonF Loop(int a) {
    const QPointF u = Travel(a), r = RightOf(u) * (kHalfRoad / 2 - 1.2);
    const QPointF nearEnd = CarFront(a, 300), farEnd = CarFront(a, T::kDetector);
    return QPolygonF({nearEnd - r, nearEnd + r, farEnd + r, farEnd - r});
}
int RedOf(T::Road road) {
    return road == T::NorthSouth ? T::NsRed : T::EwRed;
}
int WalkOf(T::Road road) {
    return road == T::NorthSouth ? T::NsWalk : T::EwWalk;
}

QColor CarColour(uint32_t id) {
    static const QColor colours[] = {{0xd8, 0x3a, 0x34}, {0x2f, 0x6f, 0xc9}, {0xf2, 0xf2, 0xee},
                                     {0x3c, 0x3f, 0x45}, {0xe8, 0xc3, 0x2e}, {0x3b, 0x9a, 0x5a},
                                     {0x9a, 0xa3, 0xad}, {0x8e, 0x4f, 0xb5}};
    return colours[id % std::size(colours)];
}
QColor CoatColour(uint32_t id) {
    static const QColor colours[] = {{0x2b, 0x5f, 0xa8}, {0xc2, 0x3b, 0x6e}, {0xe0, 0x8a, 0x1e},
                                     {0x1f, 0x8a, 0x7a}, {0x6d, 0x3c, 0x9a}, {0xb5, 0x2a, 0x2a}};
    return colours[id % std::size(colours)];
}

// A walking or standing figure, as on walk lamps, inside `r`.
void Figure(QPainter& p, const QRectF& r, bool walking, const QColor& colour) {
    p.save();
    p.translate(r.center());
    p.scale(r.width() / 10, r.height() / 10);
    p.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawEllipse(QPointF(0, -3.6), 1.1, 1.1);
    QPainterPath body;
    if (walking) {
        body.moveTo(0.3, -2.2);
        body.lineTo(-0.4, 1.0);
        body.lineTo(-2.2, 4.2);
        body.moveTo(-0.4, 1.0);
        body.lineTo(1.6, 4.2);
        body.moveTo(-2.0, 0.2);
        body.lineTo(-0.6, -1.6);
        body.lineTo(1.8, 0.0);
    } else {
        body.moveTo(0, -2.2);
        body.lineTo(0, 1.2);
        body.lineTo(-1.0, 4.2);
        body.moveTo(0, 1.2);
        body.lineTo(1.0, 4.2);
        body.moveTo(-1.6, 0.8);
        body.lineTo(-1.1, -1.8);
        body.lineTo(1.1, -1.8);
        body.lineTo(1.6, 0.8);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.restore();
}

void Lamp(QPainter& p, QPointF centre, qreal radius, const QColor& colour, bool lit) {
    if (lit) {
        QRadialGradient glow(centre, radius * 1.9);
        QColor halo = colour;
        halo.setAlpha(110);
        glow.setColorAt(0.5, halo);
        halo.setAlpha(0);
        glow.setColorAt(1, halo);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, radius * 1.9, radius * 1.9);
    }
    p.setPen(QPen(Qt::black, 0.3));
    p.setBrush(lit ? colour : colour.darker(420));
    p.drawEllipse(centre, radius, radius);
    if (lit) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(centre + QPointF(-radius * 0.3, -radius * 0.3), radius * 0.35, radius * 0.35);
    }
}

}  // namespace

TrafficLightView::TrafficLightView(TrafficLight& plant, bool finnish, QWidget* parent)
    : PlantView(plant, finnish, parent), tl_(plant) {
    setObjectName(QStringLiteral("TrafficLightView"));
    sinceRefresh_.start();
    refresh();
}

qreal TrafficLightView::progress() const {
    return std::min<qreal>(1, sinceRefresh_.elapsed() / kAnimateMs);
}

void TrafficLightView::refresh() {
    // Each mover goes on from where it is shown now, so a late exchange makes no jump; after
    // a start the numbers name new movers.
    const qreal done = progress();
    std::unordered_map<uint32_t, QPointF> shown;
    if (tl_.exchanges() >= shownExchange_ && tl_.exchanges() > 0)
        for (const Mover& m : movers_) shown[m.id] = m.from + (m.to - m.from) * done;
    shownExchange_ = tl_.exchanges();
    std::vector<Mover> movers;
    bool moving = false;
    auto add = [&](Mover m) {
        const auto it = shown.find(m.id);
        m.from = it == shown.end() ? m.to : it->second;
        moving = moving || m.from != m.to;
        movers.push_back(m);
    };
    for (int a = 0; a < 4; ++a) {
        int hidden = tl_.pending()[a];
        for (const T::Car& c : tl_.lanes()[a]) {
            add({c.id, true, a, {}, CarFront(a, c.front), c.braking || c.speed == 0});
            // Cars standing beyond the picture's edge.
            if (c.speed == 0 && (c.front + kLineToCentre) * kScale > (a < 2 ? 87 : 94.5)) ++hidden;
        }
        outOfSight_[a] = hidden;
    }
    for (const T::Walker& w : tl_.walkers())
        add({w.id, false, w.crossing, {}, WalkerPoint(w), false});
    movers_ = std::move(movers);
    for (int k = 0; k < kPoints; ++k) {
        inputs_[k] = tl_.Input(k);
        outputs_[k] = tl_.Output(k);
    }
    cause_ = tl_.stopCause();
    stopText_ = QString::fromStdString(tl_.stopReason().in(finnish()));
    sinceRefresh_.restart();
    animate(moving);
    update();
}

void TrafficLightView::animationFrame() {
    if (progress() >= 1) animate(false);
    update();
}

void TrafficLightView::controlsWorked() {
    for (int k = 0; k < kPoints; ++k) inputs_[k] = tl_.Input(k);
    update();
}

TrafficLightView::PointRef TrafficLightView::pointAt(QPointF d) const {
    auto inCircle = [&](QPointF c, qreal r) {
        const QPointF v = d - c;
        return v.x() * v.x() + v.y() * v.y() <= r * r;
    };
    for (const Corner& c : kCorners) {
        for (int lamp = 0; lamp < 3; ++lamp)
            if (inCircle(HeadLamp(c.head, lamp), kLampRadius + 0.3))
                return {false, RedOf(c.headRoad) + lamp};
        for (bool walk : {true, false})
            if (SignalLamp(c.signal, walk).adjusted(-0.4, -0.4, 0.4, 0.4).contains(d))
                return {false, WalkOf(c.walkers) + (walk ? 0 : 1)};
        const bool ns = c.walkers == T::NorthSouth;
        if (inCircle(WaitLamp(c.button), 1.6)) return {false, ns ? T::NsWait : T::EwWait};
        if (Around(c.button, kButtonSize).contains(d))
            return {true, ns ? T::NsWalkButton : T::EwWalkButton};
    }
    if (kCabinet.contains(d)) return {true, T::NightSwitch};
    for (int a = 0; a < 4; ++a)
        if (Loop(a).containsPoint(d, Qt::OddEvenFill))
            return {true, a < 2 ? T::NsCarWaiting : T::EwCarWaiting};
    return {};
}

void TrafficLightView::paintEvent(QPaintEvent*) {
    // Only what moves or lights is painted anew in each frame of a motion.
    const QPixmap& ground = background([this](QPainter& g) { drawGround(g); });
    QPainter p(this);
    p.drawPixmap(0, 0, ground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(designTransform());
    drawLoops(p);
    drawMovers(p);
    if (inputs_[T::NightSwitch])
        p.fillRect(QRectF(QPointF(0, 0), sizeHint()), QColor(8, 16, 48, 90));
    drawFurniture(p);
    if (cause_ != T::StopCause::None) drawStop(p);
}

void TrafficLightView::drawGround(QPainter& p) const {
    const QSize size = sizeHint();
    const qreal w = size.width(), h = size.height(), cx = kCentre.x(), cy = kCentre.y();
    p.fillRect(QRectF(0, 0, w, h), kGrass);
    // Pavements along both roads, rounded at the corners.
    const qreal walk = kHalfRoad + 4.5;
    p.setPen(Qt::NoPen);
    p.setBrush(kPavement);
    p.drawRect(QRectF(cx - walk, 0, 2 * walk, h));
    p.drawRect(QRectF(0, cy - walk, w, 2 * walk));
    p.setBrush(kAsphalt);
    p.drawRect(QRectF(cx - kHalfRoad, 0, 2 * kHalfRoad, h));
    p.drawRect(QRectF(0, cy - kHalfRoad, w, 2 * kHalfRoad));
    // Kerb corners.
    p.setPen(QPen(QColor(0xa8, 0xa4, 0x98), 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(cx - kHalfRoad, 0), QPointF(cx - kHalfRoad, cy - kHalfRoad));
    p.drawLine(QPointF(cx + kHalfRoad, 0), QPointF(cx + kHalfRoad, cy - kHalfRoad));
    p.drawLine(QPointF(cx - kHalfRoad, cy + kHalfRoad), QPointF(cx - kHalfRoad, h));
    p.drawLine(QPointF(cx + kHalfRoad, cy + kHalfRoad), QPointF(cx + kHalfRoad, h));
    p.drawLine(QPointF(0, cy - kHalfRoad), QPointF(cx - kHalfRoad, cy - kHalfRoad));
    p.drawLine(QPointF(cx + kHalfRoad, cy - kHalfRoad), QPointF(w, cy - kHalfRoad));
    p.drawLine(QPointF(0, cy + kHalfRoad), QPointF(cx - kHalfRoad, cy + kHalfRoad));
    p.drawLine(QPointF(cx + kHalfRoad, cy + kHalfRoad), QPointF(w, cy + kHalfRoad));

    // Centre lines, dashed, up to the stop lines; the stop lines across the lanes coming in.
    const qreal line = kLineToCentre * kScale;
    QPen dash(kPaint, 0.7, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({4, 4});
    p.setPen(dash);
    p.drawLine(QPointF(cx, 0), QPointF(cx, cy - line));
    p.drawLine(QPointF(cx, cy + line), QPointF(cx, h));
    p.drawLine(QPointF(0, cy), QPointF(cx - line, cy));
    p.drawLine(QPointF(cx + line, cy), QPointF(w, cy));
    p.setPen(QPen(kPaint, 1.2, Qt::SolidLine, Qt::FlatCap));
    for (int a = 0; a < 4; ++a) {
        const QPointF u = Travel(a), r = RightOf(u) * kHalfRoad;
        const QPointF at = kCentre - u * line;
        p.drawLine(at, at + r);
    }
    // The zebra crossings: stripes along the road, across the crossing's width.
    p.setPen(Qt::NoPen);
    p.setBrush(kPaint);
    const qreal width = T::kCrossingWidth * kScale;
    for (int c = 0; c < 4; ++c) {
        const QPointF mid = CrossingMiddle(c), across = Across(c), along(across.y(), across.x());
        for (qreal x = -kHalfRoad + 1.2; x < kHalfRoad - 0.5; x += 3) {
            const QPointF a = mid + across * x - along * (width / 2);
            const QPointF b = mid + across * (x + 1.6) + along * (width / 2);
            p.drawRect(QRectF(a, b).normalized());
        }
    }
}

void TrafficLightView::drawLoops(QPainter& p) const {
    // Detector loops, lit while they see a car standing.
    for (int a = 0; a < 4; ++a) {
        const bool on = inputs_[a < 2 ? T::NsCarWaiting : T::EwCarWaiting];
        p.setPen(QPen(on ? QColor(0xff, 0xd2, 0x3c) : QColor(0x8a, 0x8f, 0x96), on ? 0.9 : 0.6));
        p.setBrush(on ? QBrush(QColor(255, 210, 60, 70)) : QBrush(Qt::NoBrush));
        p.drawPolygon(Loop(a));
    }
}

void TrafficLightView::drawMovers(QPainter& p) const {
    const qreal done = progress();
    const qreal length = T::kCarLength * kScale, width = T::kCarWidth * kScale;
    p.setPen(Qt::NoPen);
    for (const Mover& m : movers_) {
        const QPointF at = m.from + (m.to - m.from) * done;
        p.save();
        p.translate(at);
        if (m.car) {
            const QPointF u = Travel(m.way);
            p.rotate(std::atan2(u.y(), u.x()) * 180 / M_PI);
            // Forward is +x, the front at 0.
            const QRectF body(-length, -width / 2, length, width);
            p.setBrush(QColor(0, 0, 0, 60));
            p.drawRoundedRect(body.translated(0.4, 0.5), 1.2, 1.2);
            const QColor colour = CarColour(m.id);
            p.setBrush(colour);
            p.setPen(QPen(colour.darker(160), 0.3));
            p.drawRoundedRect(body, 1.2, 1.2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2a, 0x3a, 0x4a));
            p.drawRoundedRect(QRectF(-length * 0.42, -width / 2 + 0.5, length * 0.16, width - 1),
                              0.4, 0.4);
            p.drawRoundedRect(QRectF(-length * 0.86, -width / 2 + 0.6, length * 0.1, width - 1.2),
                              0.3, 0.3);
            p.setBrush(m.braking ? kRed : kRed.darker(220));
            p.drawRect(QRectF(-length, -width / 2 + 0.2, 0.5, 1.0));
            p.drawRect(QRectF(-length, width / 2 - 1.2, 0.5, 1.0));
            p.setBrush(QColor(0xff, 0xf6, 0xc8));
            p.drawRect(QRectF(-0.5, -width / 2 + 0.2, 0.5, 0.9));
            p.drawRect(QRectF(-0.5, width / 2 - 1.1, 0.5, 0.9));
        } else {
            // A walker from above: shoulders across the way they face, and a head.
            const QPointF across = Across(m.way);
            p.rotate(std::atan2(across.y(), across.x()) * 180 / M_PI);
            p.setBrush(QColor(0, 0, 0, 60));
            p.drawEllipse(QPointF(0.35, 0.45), 1.35, 2.2);
            p.setPen(QPen(CoatColour(m.id).darker(170), 0.3));
            p.setBrush(CoatColour(m.id));
            p.drawEllipse(QPointF(0, 0), 1.35, 2.2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x4a, 0x32, 0x24));
            p.drawEllipse(QPointF(0.1, 0), 1.0, 1.0);
        }
        p.restore();
    }
    // How many more stand in a queue beyond the edge.
    QFont font = p.font();
    font.setPixelSize(6);
    font.setBold(true);
    p.setFont(font);
    for (int a = 0; a < 4; ++a) {
        if (outOfSight_[a] == 0) continue;
        const QPointF u = Travel(a), edge = kCentre - u * (a < 2 ? 80.5 : 88) +
                                            RightOf(u) * (kHalfRoad / 2 + (a < 2 ? 0 : 0));
        const QRectF badge = Around(edge, QSizeF(12, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xff, 0xff, 215));
        p.drawRoundedRect(badge, 2, 2);
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.drawText(badge, Qt::AlignCenter, QStringLiteral("+%1").arg(outOfSight_[a]));
    }
}

void TrafficLightView::drawFurniture(QPainter& p) const {
    for (const Corner& c : kCorners) {
        // The head: red, amber, green from the top.
        const int red = RedOf(c.headRoad);
        p.setPen(QPen(Qt::black, 0.4));
        p.setBrush(kHousing);
        p.drawRoundedRect(Around(c.head, kHeadSize), 1.4, 1.4);
        const QColor colours[3] = {kRed, kAmber, kGreen};
        for (int lamp = 0; lamp < 3; ++lamp)
            Lamp(p, HeadLamp(c.head, lamp), kLampRadius, colours[lamp], outputs_[red + lamp]);

        // Walk and don't-walk: a red standing figure above a green walking one.
        const int walk = WalkOf(c.walkers);
        p.setPen(QPen(Qt::black, 0.4));
        p.setBrush(kHousing);
        p.drawRoundedRect(Around(c.signal, kSignalSize), 1, 1);
        Figure(p, SignalLamp(c.signal, false), false,
               outputs_[walk + 1] ? kRed : QColor(0x4a, 0x24, 0x22));
        Figure(p, SignalLamp(c.signal, true), true,
               outputs_[walk] ? kWalkGreen : QColor(0x20, 0x44, 0x2a));

        // The request button with its wait lamp, pressed in while the input is on.
        const bool ns = c.walkers == T::NorthSouth;
        const bool pressed = inputs_[ns ? T::NsWalkButton : T::EwWalkButton];
        const bool waiting = outputs_[ns ? T::NsWait : T::EwWait];
        p.setPen(QPen(QColor(0x6a, 0x5a, 0x10), 0.4));
        p.setBrush(QColor(0xf2, 0xc8, 0x2a));
        p.drawRoundedRect(Around(c.button, kButtonSize), 1.2, 1.2);
        Lamp(p, WaitLamp(c.button), 1.25, QColor(0xff, 0xf4, 0xb0), waiting);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 0.4));
        p.setBrush(pressed ? QColor(0x30, 0x30, 0x30) : QColor(0x58, 0x5c, 0x62));
        p.drawEllipse(ButtonKnob(c.button), pressed ? 1.3 : 1.6, pressed ? 1.3 : 1.6);
    }

    // The controller cabinet with the night switch: a rocker, moon side down when on.
    const bool night = inputs_[T::NightSwitch];
    p.setPen(QPen(QColor(0x3a, 0x40, 0x38), 0.5));
    p.setBrush(QColor(0x7d, 0x8a, 0x7a));
    p.drawRoundedRect(kCabinet, 1.5, 1.5);
    const QRectF plate = kCabinet.adjusted(3, 3, -3, -3);
    p.setBrush(QColor(0x2b, 0x2f, 0x2b));
    p.drawRoundedRect(plate, 1, 1);
    const QRectF rocker = plate.adjusted(1, 1, -1, -1);
    const QRectF sun(rocker.left(), rocker.top(), rocker.width() / 2, rocker.height());
    const QRectF moon = sun.translated(rocker.width() / 2, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(night ? QColor(0x55, 0x5a, 0x55) : QColor(0xe8, 0xe4, 0xd0));
    p.drawRect(sun);
    p.setBrush(night ? QColor(0x2f, 0x4c, 0x9a) : QColor(0x55, 0x5a, 0x55));
    p.drawRect(moon);
    p.setBrush(night ? QColor(0x9a, 0x9a, 0x8a) : QColor(0xf0, 0xa8, 0x10));
    p.drawEllipse(sun.center(), 1.6, 1.6);
    QPainterPath crescent;
    crescent.addEllipse(moon.center(), 2.0, 2.0);
    QPainterPath bite;
    bite.addEllipse(moon.center() + QPointF(1.0, -0.7), 1.7, 1.7);
    p.setBrush(night ? QColor(0xff, 0xea, 0x80) : QColor(0x8a, 0x8a, 0x7a));
    p.drawPath(crescent.subtracted(bite));

    // North.
    QFont font = p.font();
    font.setPixelSize(7);
    font.setBold(true);
    p.setFont(font);
    const QPointF n(9, 14);
    QPainterPath arrow;
    arrow.moveTo(n + QPointF(0, -8));
    arrow.lineTo(n + QPointF(2.6, -2));
    arrow.lineTo(n + QPointF(0, -3.2));
    arrow.lineTo(n + QPointF(-2.6, -2));
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x3a, 0x30));
    p.drawPath(arrow);
    p.setPen(QColor(0x33, 0x3a, 0x30));
    //: The compass point north, one letter.
    p.drawText(QRectF(n.x() - 5, n.y() - 2, 10, 8), Qt::AlignCenter, tr("N"));
}

void TrafficLightView::drawStop(QPainter& p) const {
    // Ring the lamps that made the plant stop.
    std::vector<QPointF> rings;
    for (const Corner& c : kCorners) {
        for (int lamp = 1; lamp < 3; ++lamp)
            if (outputs_[RedOf(c.headRoad) + lamp]) rings.push_back(HeadLamp(c.head, lamp));
        if (cause_ == T::StopCause::PedestriansInPath && outputs_[WalkOf(c.walkers)])
            rings.push_back(SignalLamp(c.signal, true).center());
    }
    p.setPen(QPen(QColor(0xff, 0x20, 0x20), 0.9));
    p.setBrush(Qt::NoBrush);
    for (QPointF r : rings) p.drawEllipse(r, 3.6, 3.6);

    // Below the junction, clear of the lamps and of the cabinet.
    const QRectF band(4, kCabinet.top() + 1, kCabinet.left() - 8, kCabinet.height() - 2);
    p.setPen(QPen(QColor(0x80, 0, 0), 0.6));
    p.setBrush(QColor(0xc0, 0x10, 0x10, 225));
    p.drawRoundedRect(band, 3, 3);
    QFont font = p.font();
    font.setPixelSize(6);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(band.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextWordWrap,
               tr("Stopped: %1").arg(stopText_));
}

}  // namespace torvex

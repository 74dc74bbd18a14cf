#include "simulation/elevator_view.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace torvex {

namespace {

using E = Elevator;
using Where = Elevator::Where;

// The picture's geometry in design coordinates (530 x 348 at 100 %): the model's millimetres
// drawn 70 px to the 3 m floor, the same across as up.
constexpr qreal kScale = 70.0 / E::kFloorHeight;
constexpr qreal kFloor1 = 302;  // floor 1's level
constexpr qreal kStorey = E::kFloorHeight * kScale;
constexpr qreal kSlab = 6;
constexpr qreal kDoorX = 290;  // the middle of the car's door
const QRectF kShaft(255, 0, 90, 348);
constexpr qreal kCarHalf = (E::kCarHalfWidth + 100) * kScale;
constexpr qreal kCarHeight = 54;
constexpr qreal kOpeningHalf = 14;  // each door panel is this wide
constexpr qreal kOperator = 6;      // the door operator's height on the car's roof
constexpr qreal kRopeCar = kDoorX + 24, kRopeWeight = 337;
const QPointF kSheave((kRopeCar + kRopeWeight) / 2, 14);
constexpr qreal kSheaveRadius = (kRopeWeight - kRopeCar) / 2;
const QRectF kMotor(350, 4, 34, 20);
const QRectF kWeight(kRopeWeight - 6, 0, 12, 40);  // its top moves
constexpr qreal kStairX = kDoorX + E::kStairDoor * kScale;
constexpr qreal kPlateX = 249;  // the hall buttons, beside the shaft
const QRectF kPanel(398, 30, 122, 310);
const QRectF kDisplay(408, 52, 102, 52);
constexpr qreal kButtonRadius = 12.5, kRingRadius = 17;
constexpr qreal kAnimateMs = 100;
constexpr qreal kPersonHeight = 40;

const QColor kWall(0xe9, 0xe2, 0xd3), kSlabColour(0xa9, 0xa3, 0x98);
const QColor kSky(0xcf, 0xdd, 0xe8), kEarth(0x8d, 0x7b, 0x66);
const QColor kShaftColour(0x3b, 0x40, 0x48), kSteel(0xb8, 0xbe, 0xc6);
const QColor kAmber(0xff, 0xb0, 0x20), kCallLit(0xff, 0x8c, 0x1a);
const QColor kRed(0xff, 0x30, 0x24), kGreen(0x3c, 0xe0, 0x6a);

qreal FloorY(int floor) {
    return kFloor1 - kStorey * floor;
}
qreal CarY(qreal millimetres) {
    return kFloor1 - millimetres * kScale;
}
qreal PlaceX(int millimetres) {
    return kDoorX + millimetres * kScale;
}
QRectF Around(QPointF centre, qreal w, qreal h) {
    return {centre.x() - w / 2, centre.y() - h / 2, w, h};
}
bool InCircle(QPointF d, QPointF c, qreal r) {
    const QPointF v = d - c;
    return v.x() * v.x() + v.y() * v.y() <= r * r;
}

// The hall button of each floor with its ring lamp, and the indicator above it.
QPointF HallButton(int floor) {
    return {kPlateX, FloorY(floor) - 27};
}
constexpr qreal kHallRing = 4.6, kHallButton = 3.0;
QRectF HallDigit(int floor, int digit) {
    return {217.0 + 6 * digit, FloorY(floor) - 58, 5, 7};
}
QRectF HallArrow(int floor, bool up) {
    return {242, FloorY(floor) - (up ? 59 : 54), 5, 4};
}
// The level sensor of each floor, on the shaft's wall where the car's vane meets it.
QRectF LevelSensor(int floor) {
    return Around({kShaft.left() + 3.5, FloorY(floor) - 27}, 5, 9);
}
// The car's panel, drawn large.
QPointF CarButton(int floor) {
    return {kPanel.center().x(), 305 - 55.0 * floor};
}
QRectF PanelDigit(int floor) {
    return {414.0 + 18 * floor, 58, 14, 22};
}
QRectF PanelArrow(bool up) {
    return {492, up ? 58.0 : 71.0, 12, 10};
}
const QPointF kBell(kDisplay.center().x(), 93);
// Where on the car's roof the door's motor and limit switches show.
QPointF OperatorPoint(qreal carTop, int k) {
    static const qreal xs[] = {-16, -8, 6, 14};  // open, close, fully open, fully closed
    return {kDoorX + xs[k], carTop - kOperator / 2};
}

QPainterPath Triangle(const QRectF& r, bool up) {
    QPainterPath path;
    if (up) {
        path.moveTo(r.center().x(), r.top());
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.left(), r.bottom());
    } else {
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right(), r.top());
        path.lineTo(r.center().x(), r.bottom());
    }
    path.closeSubpath();
    return path;
}

void Glow(QPainter& p, QPointF centre, qreal radius, QColor colour) {
    QRadialGradient glow(centre, radius);
    colour.setAlpha(120);
    glow.setColorAt(0.3, colour);
    colour.setAlpha(0);
    glow.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
}

void Led(QPainter& p, QPointF centre, qreal radius, const QColor& colour, bool lit) {
    if (lit) Glow(p, centre, radius * 2.2, colour);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 0.3));
    p.setBrush(lit ? colour : colour.darker(400));
    p.drawEllipse(centre, radius, radius);
}

QColor CoatColour(uint32_t id) {
    static const QColor colours[] = {{0x2b, 0x5f, 0xa8}, {0xc2, 0x3b, 0x6e}, {0xe0, 0x8a, 0x1e},
                                     {0x1f, 0x8a, 0x7a}, {0x6d, 0x3c, 0x9a}, {0xb5, 0x2a, 0x2a},
                                     {0x4f, 0x7d, 0x2e}, {0x2f, 0x3b, 0x4f}};
    return colours[id % std::size(colours)];
}
QColor SkinColour(uint32_t id) {
    static const QColor colours[] = {
        {0xf1, 0xc2, 0x9b}, {0xc6, 0x8e, 0x62}, {0x8d, 0x5a, 0x3b}, {0xe8, 0xb0, 0x88}};
    return colours[(id / 3) % std::size(colours)];
}

// A person standing or walking, feet at `feet`; `stride` swings the legs.
void Person(QPainter& p, QPointF feet, uint32_t id, qreal stride) {
    const qreal h = kPersonHeight;
    const QColor coat = CoatColour(id);
    p.save();
    p.translate(feet);
    p.setPen(QPen(QColor(0x2a, 0x2a, 0x30), 2.2, Qt::SolidLine, Qt::RoundCap));
    const qreal swing = 3 * stride;
    p.drawLine(QPointF(-1.3, -h * 0.45), QPointF(-1.3 - swing, -1));
    p.drawLine(QPointF(1.3, -h * 0.45), QPointF(1.3 + swing, -1));
    p.setPen(QPen(coat.darker(150), 0.4));
    p.setBrush(coat);
    p.drawRoundedRect(QRectF(-4.6, -h * 0.8, 9.2, h * 0.38), 2.6, 2.6);
    p.setPen(QPen(SkinColour(id).darker(140), 0.4));
    p.setBrush(SkinColour(id));
    p.drawEllipse(QPointF(0, -h * 0.89), 3.6, 3.8);
    p.restore();
}

}  // namespace

ElevatorView::ElevatorView(Elevator& plant, bool finnish, QWidget* parent)
    : PlantView(plant, finnish, parent), lift_(plant) {
    setObjectName(QStringLiteral("ElevatorView"));
    sinceRefresh_.start();
    refresh();
}

qreal ElevatorView::progress() const {
    return std::min<qreal>(1, sinceRefresh_.elapsed() / kAnimateMs);
}

qreal ElevatorView::shownCar() const {
    return carFrom_ + (carTo_ - carFrom_) * progress();
}

qreal ElevatorView::shownDoor() const {
    return doorFrom_ + (doorTo_ - doorFrom_) * progress();
}

void ElevatorView::refresh() {
    // Everything goes on from where it is shown now, so a late exchange makes no jump; after a
    // start the numbers name new passengers.
    const qreal done = progress();
    const bool goOn = lift_.exchanges() >= shownExchange_ && lift_.exchanges() > 0;
    std::unordered_map<uint32_t, QPointF> shown;
    if (goOn)
        for (const Mover& m : movers_) shown[m.id] = m.from + (m.at - m.from) * done;
    carFrom_ = goOn ? qRound(shownCar()) : lift_.carHeight();
    doorFrom_ = goOn ? doorTo_ : lift_.door();
    carTo_ = lift_.carHeight();
    doorTo_ = lift_.door();
    shownExchange_ = lift_.exchanges();
    bool moving = carFrom_ != carTo_ || doorFrom_ != doorTo_;
    std::vector<Mover> movers;
    const qreal carY = CarY(lift_.carHeight());
    for (const E::Passenger& q : lift_.passengers()) {
        Mover m;
        m.id = q.id;
        m.where = q.where;
        m.to = q.to;
        const qreal y = q.where == Where::Landing   ? FloorY(q.from)
                        : q.where == Where::Leaving ? FloorY(q.to)
                                                    : carY;
        m.at = QPointF(PlaceX(q.x), y);
        const auto it = shown.find(m.id);
        m.from = it == shown.end() ? m.at : it->second;
        moving = moving || m.from != m.at;
        movers.push_back(m);
    }
    movers_ = std::move(movers);
    const bool chimed = outputs_[E::Chime];
    for (int k = 0; k < kPoints; ++k) {
        inputs_[k] = lift_.Input(k);
        outputs_[k] = lift_.Output(k);
    }
    // The chime's short sound as it comes on, if sounds are wanted.
    if (sound() && outputs_[E::Chime] && !chimed) QApplication::beep();
    cause_ = lift_.stopCause();
    stopText_ = QString::fromStdString(lift_.stopReason().in(finnish()));
    sinceRefresh_.restart();
    lampsStale_ = true;
    animate(moving);
    update();
}

void ElevatorView::animationFrame() {
    if (progress() >= 1) animate(false);
    update();
}

void ElevatorView::controlsWorked() {
    for (int k = 0; k < kPoints; ++k) inputs_[k] = lift_.Input(k);
    lampsStale_ = true;
    update();
}

ElevatorView::PointRef ElevatorView::pointAt(QPointF d) const {
    for (int f = 0; f < E::kFloors; ++f) {
        if (InCircle(d, HallButton(f), kHallButton)) return {true, E::HallCall1 + f};
        if (InCircle(d, HallButton(f), kHallRing + 0.4)) return {false, E::CallLamp1 + f};
        if (Around(HallButton(f), 11, 17).contains(d)) return {true, E::HallCall1 + f};
        for (int g = 0; g < E::kFloors; ++g)
            if (HallDigit(f, g).contains(d)) return {false, E::Position1 + g};
        for (bool up : {true, false})
            if (HallArrow(f, up).contains(d)) return {false, up ? E::ArrowUp : E::ArrowDown};
        if (LevelSensor(f).adjusted(-1, -1, 1, 1).contains(d)) return {true, E::Level1 + f};
        if (InCircle(d, CarButton(f), kButtonRadius)) return {true, E::CarButton1 + f};
        if (InCircle(d, CarButton(f), kRingRadius + 1)) return {false, E::CallLamp1 + f};
        if (PanelDigit(f).contains(d)) return {false, E::Position1 + f};
    }
    for (bool up : {true, false})
        if (PanelArrow(up).contains(d)) return {false, up ? E::ArrowUp : E::ArrowDown};
    if (InCircle(d, kBell, 8)) return {false, E::Chime};
    // The car as it is shown now.
    const qreal carY = CarY(shownCar()), carTop = carY - kCarHeight;
    static const PointRef onRoof[] = {{false, E::DoorOpenMotor},
                                      {false, E::DoorCloseMotor},
                                      {true, E::DoorOpen},
                                      {true, E::DoorClosed}};
    for (int k = 0; k < 4; ++k)
        if (InCircle(d, OperatorPoint(carTop, k), 3.2)) return onRoof[k];
    const qreal open = shownDoor() / E::kDoorTravel * kOpeningHalf;
    if (QRectF(kDoorX - open - 1.5, carTop + 3, 2 * open + 3, kCarHeight - 5).contains(d))
        return {true, E::DoorObstructed};
    if (kMotor.contains(d)) return {false, d.y() < kMotor.center().y() ? E::MotorUp : E::MotorDown};
    return {};
}

void ElevatorView::paintEvent(QPaintEvent*) {
    const QPixmap& ground = background([this](QPainter& g) { drawBuilding(g); });
    // The lamps change only with an exchange or a click, so the frames of a motion take them
    // from a picture. Nobody walks as far as the car's panel: it can go in the same one.
    const qreal dpr = devicePixelRatioF();
    if (lampsStale_ || lamps_.size() != size() * dpr || lamps_.devicePixelRatio() != dpr) {
        if (lamps_.size() != size() * dpr) lamps_ = QPixmap(size() * dpr);
        lamps_.setDevicePixelRatio(dpr);
        lamps_.fill(Qt::transparent);
        QPainter l(&lamps_);
        l.setRenderHint(QPainter::Antialiasing);
        l.setFont(font());
        l.setTransform(designTransform());
        drawLandings(l);
        drawCarPanel(l);
        lampsStale_ = false;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, ground);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(designTransform());
    const qreal car = shownCar();
    drawDrive(p, car);
    drawCar(p, car, shownDoor());
    p.resetTransform();
    p.drawPixmap(0, 0, lamps_);
    p.setTransform(designTransform());
    drawPeople(p, Where::Landing);
    drawPeople(p, Where::Leaving);
    if (cause_ != E::StopCause::None) drawStop(p, car);
}

void ElevatorView::drawBuilding(QPainter& p) const {
    const QSize size = sizeHint();
    p.fillRect(QRectF(0, 0, size.width(), size.height()), kSky);
    // The storeys, the slabs between them and the ground below floor 1.
    p.fillRect(QRectF(0, FloorY(E::kFloors) + kSlab, kShaft.left(), kFloor1 - FloorY(4) - kSlab),
               kWall);
    p.fillRect(QRectF(0, kFloor1 + kSlab, kShaft.right() + 6, size.height()), kEarth);
    QFont number = p.font();
    number.setPixelSize(34);
    number.setBold(true);
    for (int f = 0; f <= E::kFloors; ++f) {
        const qreal y = FloorY(f);
        p.fillRect(QRectF(0, y, kShaft.left(), kSlab), kSlabColour);
        p.fillRect(QRectF(0, y - 1.2, kShaft.left(), 1.2), QColor(0xc9, 0xc0, 0xae));  // skirting
        if (f == E::kFloors) continue;
        // The floor's number, and the door to the stairs where people come and go.
        p.setFont(number);
        p.setPen(kWall.darker(118));
        p.drawText(QRectF(18, y - 56, 60, 46), Qt::AlignCenter, QString::number(f + 1));
        const QRectF door(kStairX - 11, y - 45, 22, 45);
        p.setPen(QPen(QColor(0x7a, 0x6a, 0x58), 0.8));
        p.setBrush(QColor(0xb9, 0x9b, 0x78));
        p.drawRect(door);
        p.setBrush(QColor(0xd8, 0xe6, 0xee));
        p.drawRect(QRectF(door.center().x() - 3.5, door.top() + 6, 7, 12));
        p.setBrush(QColor(0x5a, 0x4a, 0x3a));
        p.drawEllipse(QPointF(door.right() - 3.5, door.top() + 26), 1.1, 1.1);
        // The stairs sign above it.
        const QRectF sign(kStairX - 7, y - 56, 14, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x8a, 0x4a));
        p.drawRoundedRect(sign, 1, 1);
        QPainterPath stairs;
        stairs.moveTo(sign.left() + 2, sign.bottom() - 1.5);
        for (int s = 0; s < 3; ++s) {
            stairs.lineTo(sign.left() + 2 + 3.3 * s, sign.bottom() - 1.5 - 1.7 * (s + 1));
            stairs.lineTo(sign.left() + 2 + 3.3 * (s + 1), sign.bottom() - 1.5 - 1.7 * (s + 1));
        }
        p.setPen(QPen(Qt::white, 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stairs);
        // The hall indicator's and the hall button's mountings.
        p.setPen(QPen(QColor(0x60, 0x64, 0x6a), 0.5));
        p.setBrush(QColor(0x1c, 0x1e, 0x22));
        p.drawRoundedRect(QRectF(214, y - 61, 36, 13), 1.5, 1.5);
        p.setBrush(kSteel);
        p.drawRoundedRect(Around(HallButton(f), 11, 17), 1.5, 1.5);
    }
    // The roof over floor 4, and the shaft with its guide rails and pit.
    p.fillRect(QRectF(0, FloorY(E::kFloors) - 2, kShaft.left(), 2), kSlabColour.darker(120));
    p.fillRect(kShaft, kShaftColour);
    p.fillRect(QRectF(kShaft.right(), 0, 6, kFloor1 + kSlab), kSlabColour);
    p.fillRect(QRectF(kShaft.left(), 0, kShaft.width(), 4), kSlabColour.darker(130));
    p.setPen(QPen(QColor(0x6a, 0x70, 0x78), 1.2));
    for (qreal x : {kDoorX - kCarHalf - 1.2, kDoorX + kCarHalf + 1.2})
        p.drawLine(QPointF(x, 4), QPointF(x, size.height() - 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x25, 0x28, 0x2d));
    p.drawRect(QRectF(kShaft.left(), size.height() - 4, kShaft.width(), 4));
    p.setBrush(QColor(0xd0, 0xb0, 0x20));
    p.drawRect(Around({kDoorX, size.height() - 7.0}, 10, 6));  // the buffer
    // Hatching on the shaft's walls where a landing opens, the landings' edges.
    p.setPen(QPen(QColor(0x8c, 0x86, 0x7c), 0.8));
    for (int f = 0; f < E::kFloors; ++f)
        p.drawLine(QPointF(kShaft.left(), FloorY(f)), QPointF(kShaft.left(), FloorY(f) + kSlab));

    // The car's panel: brushed steel, the display window, the buttons' mountings.
    QLinearGradient steel(kPanel.topLeft(), kPanel.topRight());
    steel.setColorAt(0, QColor(0xc8, 0xcd, 0xd3));
    steel.setColorAt(0.5, QColor(0xe4, 0xe7, 0xeb));
    steel.setColorAt(1, QColor(0xb4, 0xba, 0xc2));
    p.setPen(QPen(QColor(0x70, 0x76, 0x7e), 0.8));
    p.setBrush(steel);
    p.drawRoundedRect(kPanel, 6, 6);
    p.setBrush(QColor(0x14, 0x16, 0x1a));
    p.drawRoundedRect(kDisplay, 3, 3);
    QFont caption = p.font();
    caption.setPixelSize(9);
    caption.setBold(true);
    p.setFont(caption);
    p.setPen(QColor(0x4a, 0x50, 0x58));
    p.drawText(QRectF(kPanel.left(), kPanel.top() + 5, kPanel.width(), 14), Qt::AlignCenter,
               tr("In the car"));
    for (int f = 0; f < E::kFloors; ++f) {
        p.setPen(QPen(QColor(0x8a, 0x90, 0x98), 0.6));
        p.setBrush(QColor(0xa8, 0xae, 0xb6));
        p.drawEllipse(CarButton(f), kRingRadius + 2, kRingRadius + 2);
    }
}

void ElevatorView::drawDrive(QPainter& p, qreal car) const {
    // The counterweight, which moves opposite the car, and the ropes over the sheave.
    const qreal carTop = CarY(car) - kCarHeight;
    const QRectF weight = kWeight.translated(0, 40 + car * kScale);
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xa8), 0.7));
    p.drawLine(QPointF(kRopeCar, kSheave.y()), QPointF(kRopeCar, carTop));
    p.drawLine(QPointF(kRopeWeight, kSheave.y()), QPointF(kRopeWeight, weight.top()));
    p.setPen(QPen(QColor(0x2a, 0x2c, 0x30), 0.5));
    p.setBrush(QColor(0x70, 0x74, 0x7a));
    p.drawRect(weight);
    p.setPen(QPen(QColor(0x58, 0x5c, 0x62), 0.5));
    for (qreal y = weight.top() + 5; y < weight.bottom(); y += 5)
        p.drawLine(QPointF(weight.left(), y), QPointF(weight.right(), y));

    // The sheave turns with the car; the motor shows which way it is driven.
    p.setPen(QPen(QColor(0x30, 0x33, 0x38), 0.8));
    p.setBrush(QColor(0x8a, 0x90, 0x98));
    p.drawEllipse(kSheave, kSheaveRadius, kSheaveRadius);
    p.setBrush(QColor(0x5a, 0x60, 0x68));
    p.drawEllipse(kSheave, kSheaveRadius - 2.5, kSheaveRadius - 2.5);
    const qreal turn = -car / (kSheaveRadius / kScale);
    p.setPen(QPen(QColor(0xc0, 0xc6, 0xce), 1.2));
    for (int s = 0; s < 3; ++s) {
        const qreal a = turn + s * 2 * M_PI / 3;
        p.drawLine(kSheave, kSheave + QPointF(std::cos(a), std::sin(a)) * (kSheaveRadius - 3));
    }
    p.setPen(QPen(QColor(0x30, 0x33, 0x38), 0.6));
    p.setBrush(QColor(0x40, 0x44, 0x4a));
    const qreal shaftFrom = kSheave.x() + kSheaveRadius - 2;  // the motor's shaft to the sheave
    p.drawRect(QRectF(shaftFrom, kSheave.y() - 2, kMotor.left() - shaftFrom, 4));
    p.setBrush(QColor(0x5a, 0x5e, 0x64));
    p.drawRect(QRectF(kShaft.right(), kMotor.bottom(), kMotor.right() + 4 - kShaft.right(), 4));
    QLinearGradient body(kMotor.topLeft(), kMotor.bottomLeft());
    body.setColorAt(0, QColor(0x4a, 0x7a, 0xb0));
    body.setColorAt(1, QColor(0x2a, 0x4a, 0x74));
    p.setBrush(body);
    p.drawRoundedRect(kMotor, 3, 3);
    p.setPen(QPen(QColor(0x1a, 0x30, 0x4c), 0.5));
    for (qreal x = kMotor.left() + 4; x < kMotor.right() - 2; x += 3)
        p.drawLine(QPointF(x, kMotor.top() + 2), QPointF(x, kMotor.bottom() - 2));
    // Its two contactors' lamps: up above, down below.
    for (bool up : {true, false}) {
        const QRectF half(kMotor.right() - 11, up ? kMotor.top() + 2 : kMotor.center().y() + 1, 8,
                          kMotor.height() / 2 - 3);
        const bool on = outputs_[up ? E::MotorUp : E::MotorDown];
        if (on) Glow(p, half.center(), 7, kGreen);
        p.setPen(QPen(QColor(0x10, 0x18, 0x24), 0.4));
        p.setBrush(on ? kGreen : QColor(0x1c, 0x3a, 0x26));
        p.drawPath(Triangle(half.adjusted(1, 1, -1, -1), up));
    }
}

void ElevatorView::drawCar(QPainter& p, qreal car, qreal door) const {
    const qreal y = CarY(car), top = y - kCarHeight;
    const QRectF body(kDoorX - kCarHalf, top, 2 * kCarHalf, kCarHeight);
    // Inside: the back wall, a ceiling light, the floor.
    QLinearGradient inside(body.topLeft(), body.bottomLeft());
    inside.setColorAt(0, QColor(0xf0, 0xe8, 0xd6));
    inside.setColorAt(1, QColor(0xcf, 0xc3, 0xac));
    p.setPen(Qt::NoPen);
    p.setBrush(inside);
    p.drawRect(body);
    p.fillRect(QRectF(body.left() + 1, top + 1, body.width() - 2, 3), QColor(0xff, 0xf6, 0xd8));
    p.fillRect(QRectF(body.left() + 1, y - 3, body.width() - 2, 3), QColor(0x6a, 0x5c, 0x4c));
    p.setPen(QPen(QColor(0xa0, 0x96, 0x84), 0.8));
    p.drawLine(QPointF(body.left() + 2, y - 19), QPointF(body.right() - 2, y - 19));  // handrail
    // The level sensors' vane on the car's side.
    p.fillRect(QRectF(kShaft.left() + 1.5, y - 28.5, body.left() - kShaft.left() - 1, 3),
               QColor(0xd0, 0xd4, 0xda));

    drawPeople(p, Where::Car);

    // The glass door, its panels parting from the middle.
    const qreal open = door / E::kDoorTravel * kOpeningHalf;
    const bool someone = inputs_[E::DoorObstructed];
    for (int side : {-1, 1}) {
        const QRectF panel(side < 0 ? kDoorX - open - kOpeningHalf : kDoorX + open, top + 4,
                           kOpeningHalf, kCarHeight - 6);
        p.setPen(QPen(QColor(0x6a, 0x72, 0x7c), 0.8));
        p.setBrush(QColor(0xb8, 0xd8, 0xec, 80));
        p.drawRect(panel);
        // The light curtain along each panel's leading edge.
        const qreal edge = side < 0 ? panel.right() : panel.left();
        p.setPen(QPen(someone ? kRed : QColor(0x50, 0x56, 0x5e), 1.3));
        p.drawLine(QPointF(edge, panel.top() + 1), QPointF(edge, panel.bottom() - 1));
    }
    if (open > 0.5) {
        QPen beam(someone ? kRed : QColor(0xff, 0x60, 0x60, 70), someone ? 0.6 : 0.4, Qt::DashLine);
        beam.setDashPattern({2, 2});
        p.setPen(beam);
        for (qreal b = top + 9; b < y - 4; b += 6)
            p.drawLine(QPointF(kDoorX - open, b), QPointF(kDoorX + open, b));
    }
    drawPeople(p, Where::Doorway);
    // The car's frame in front, and the door operator on its roof with the door motor's two
    // ways and the limit switches.
    p.setPen(QPen(QColor(0x4a, 0x50, 0x58), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(body);
    drawRiderTags(p);
    const QRectF box(kDoorX - 22, top - kOperator, 44, kOperator);
    p.setPen(QPen(QColor(0x20, 0x22, 0x26), 0.5));
    p.setBrush(QColor(0x4c, 0x52, 0x5a));
    p.drawRect(box);
    p.fillRect(QRectF(kRopeCar - 2, top - 3, 4, 3), QColor(0x30, 0x33, 0x38));  // the hitch
    for (int k = 0; k < 2; ++k) {
        const QPointF c = OperatorPoint(top, k);
        const bool on = outputs_[k == 0 ? E::DoorOpenMotor : E::DoorCloseMotor];
        p.setPen(Qt::NoPen);
        if (on) Glow(p, c, 5, kGreen);
        p.setBrush(on ? kGreen : QColor(0x22, 0x3a, 0x2a));
        // Open: arrows apart; close: arrows together.
        const qreal out = k == 0 ? 1 : -1;
        for (int side : {-1, 1}) {
            QPainterPath arrow;
            const qreal tip = c.x() + side * (k == 0 ? 3.0 : 0.6), back = tip - side * out * 2.4;
            arrow.moveTo(tip, c.y());
            arrow.lineTo(back, c.y() - 1.8);
            arrow.lineTo(back, c.y() + 1.8);
            arrow.closeSubpath();
            p.drawPath(arrow);
        }
    }
    Led(p, OperatorPoint(top, 2), 1.6, kAmber, inputs_[E::DoorOpen]);
    Led(p, OperatorPoint(top, 3), 1.6, kAmber, inputs_[E::DoorClosed]);
    // The chime, sounding from the roof.
    if (outputs_[E::Chime]) {
        p.setPen(QPen(QColor(0xff, 0xe0, 0x60), 0.8));
        p.setBrush(Qt::NoBrush);
        for (qreal r : {4.0, 7.0})
            p.drawArc(QRectF(body.left() - r, top - r, 2 * r, 2 * r), 90 * 16, 90 * 16);
    }
}

void ElevatorView::drawPeople(QPainter& p, Where where) const {
    const qreal done = progress();
    for (const Mover& m : movers_) {
        if (m.where != where) continue;
        const QPointF at = m.from + (m.at - m.from) * done;
        const qreal stride = m.from.x() != m.at.x() ? std::sin(at.x() / 2.2) : 0;
        Person(p, at, m.id, stride);
    }
}

void ElevatorView::drawRiderTags(QPainter& p) const {
    // The floor each rider has chosen, on a tag over its head. Riders stand close, so the tags
    // stand side by side, in the order of the riders across the car, never over one another.
    constexpr qreal kTag = 7, kGap = 0.6;
    const qreal done = progress();
    struct Tag {
        QPointF at;
        const Mover* rider;
    };
    std::vector<Tag> tags;
    for (const Mover& m : movers_)
        if (m.where == Where::Car || m.where == Where::Doorway)
            tags.push_back({m.from + (m.at - m.from) * done, &m});
    if (tags.empty()) return;
    std::sort(tags.begin(), tags.end(), [](const Tag& a, const Tag& b) {
        return a.at.x() != b.at.x() ? a.at.x() < b.at.x() : a.rider->id < b.rider->id;
    });
    for (size_t k = 1; k < tags.size(); ++k)
        tags[k].at.setX(std::max(tags[k].at.x(), tags[k - 1].at.x() + kTag + kGap));
    const qreal over = tags.back().at.x() - (kDoorX + kCarHalf - kTag / 2 - 1);
    QFont font = p.font();
    font.setPixelSize(6);
    font.setBold(true);
    p.setFont(font);
    for (const Tag& t : tags) {
        const QRectF tag =
            Around(t.at + QPointF(std::min<qreal>(0, -over), -kPersonHeight - 5.5), kTag, kTag);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.4));
        p.setBrush(QColor(0xff, 0xff, 0xff, 225));
        p.drawRoundedRect(tag, 1.5, 1.5);
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.drawText(tag, Qt::AlignCenter, QString::number(t.rider->to + 1));
    }
}

void ElevatorView::drawLandings(QPainter& p) const {
    QFont font = p.font();
    font.setPixelSize(6);
    font.setBold(true);
    p.setFont(font);
    for (int f = 0; f < E::kFloors; ++f) {
        // The hall button in its ring lamp.
        const QPointF b = HallButton(f);
        const bool called = outputs_[E::CallLamp1 + f];
        if (called) Glow(p, b, kHallRing * 2, kCallLit);
        p.setPen(Qt::NoPen);
        p.setBrush(called ? kCallLit : QColor(0x6c, 0x70, 0x76));
        p.drawEllipse(b, kHallRing, kHallRing);
        const bool pressed = inputs_[E::HallCall1 + f];
        p.setPen(QPen(QColor(0x40, 0x44, 0x4a), 0.4));
        p.setBrush(pressed ? QColor(0x9a, 0xa0, 0xa8) : QColor(0xe4, 0xe7, 0xeb));
        p.drawEllipse(b, pressed ? kHallButton - 0.4 : kHallButton,
                      pressed ? kHallButton - 0.4 : kHallButton);
        // The indicator above: where the car is and which way it goes.
        for (int g = 0; g < E::kFloors; ++g) {
            const bool lit = outputs_[E::Position1 + g];
            p.setPen(lit ? kAmber : QColor(0x44, 0x46, 0x4a));
            p.drawText(HallDigit(f, g), Qt::AlignCenter, QString::number(g + 1));
        }
        for (bool up : {true, false}) {
            const bool lit = outputs_[up ? E::ArrowUp : E::ArrowDown];
            p.setPen(Qt::NoPen);
            p.setBrush(lit ? kGreen : QColor(0x34, 0x3a, 0x36));
            p.drawPath(Triangle(HallArrow(f, up), up));
        }
        // The level sensor, lit while it sees the car's vane.
        const QRectF s = LevelSensor(f);
        const bool level = inputs_[E::Level1 + f];
        p.setPen(QPen(QColor(0x20, 0x22, 0x26), 0.4));
        p.setBrush(QColor(0x2c, 0x30, 0x36));
        p.drawRect(s);
        Led(p, s.center(), 1.3, kAmber, level);
    }
}

void ElevatorView::drawCarPanel(QPainter& p) const {
    QFont digits = p.font();
    digits.setPixelSize(17);
    digits.setBold(true);
    p.setFont(digits);
    for (int f = 0; f < E::kFloors; ++f) {
        const bool lit = outputs_[E::Position1 + f];
        if (lit) Glow(p, PanelDigit(f).center(), 12, kAmber);
        p.setPen(lit ? kAmber : QColor(0x36, 0x38, 0x3c));
        p.drawText(PanelDigit(f), Qt::AlignCenter, QString::number(f + 1));
    }
    for (bool up : {true, false}) {
        const bool lit = outputs_[up ? E::ArrowUp : E::ArrowDown];
        if (lit) Glow(p, PanelArrow(up).center(), 9, kGreen);
        p.setPen(Qt::NoPen);
        p.setBrush(lit ? kGreen : QColor(0x2a, 0x32, 0x2c));
        p.drawPath(Triangle(PanelArrow(up), up));
    }
    // The chime: a bell, ringing while it sounds.
    const bool chime = outputs_[E::Chime];
    const QColor bell = chime ? QColor(0xff, 0xd8, 0x50) : QColor(0x44, 0x46, 0x4a);
    QPainterPath shape;
    shape.moveTo(kBell + QPointF(-5, 4));
    shape.cubicTo(kBell + QPointF(-4, 1), kBell + QPointF(-4.5, -5), kBell + QPointF(0, -5.5));
    shape.cubicTo(kBell + QPointF(4.5, -5), kBell + QPointF(4, 1), kBell + QPointF(5, 4));
    shape.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(bell);
    p.drawPath(shape);
    p.drawEllipse(kBell + QPointF(0, 5.2), 1.3, 1.3);
    if (chime) {
        p.setPen(QPen(bell, 1));
        p.setBrush(Qt::NoBrush);
        for (qreal r : {8.0, 11.5}) {
            p.drawArc(Around(kBell, 2 * r, 2 * r), -35 * 16, 70 * 16);
            p.drawArc(Around(kBell, 2 * r, 2 * r), 145 * 16, 70 * 16);
        }
    }

    // The buttons, each in the ring lamp that shows its call registered.
    QFont number = p.font();
    number.setPixelSize(13);
    number.setBold(true);
    p.setFont(number);
    for (int f = 0; f < E::kFloors; ++f) {
        const QPointF c = CarButton(f);
        const bool called = outputs_[E::CallLamp1 + f];
        if (called) Glow(p, c, kRingRadius + 7, kCallLit);
        p.setPen(QPen(QColor(0x50, 0x54, 0x5a), 0.6));
        p.setBrush(called ? kCallLit : QColor(0x8c, 0x92, 0x9a));
        p.drawEllipse(c, kRingRadius, kRingRadius);
        const bool pressed = inputs_[E::CarButton1 + f];
        QRadialGradient face(c + QPointF(-3, -4), kButtonRadius * 1.6);
        face.setColorAt(0, pressed ? QColor(0xb0, 0xb6, 0xbe) : QColor(0xfa, 0xfb, 0xfc));
        face.setColorAt(1, pressed ? QColor(0x80, 0x86, 0x8e) : QColor(0xc4, 0xca, 0xd2));
        p.setPen(QPen(QColor(0x50, 0x54, 0x5a), 0.8));
        p.setBrush(face);
        const qreal r = pressed ? kButtonRadius - 1 : kButtonRadius;
        p.drawEllipse(c, r, r);
        p.setPen(QColor(0x30, 0x34, 0x3a));
        p.drawText(Around(c, 20, 20), Qt::AlignCenter, QString::number(f + 1));
    }
}

void ElevatorView::drawStop(QPainter& p, qreal car) const {
    // Ring what made the plant stop.
    const qreal y = CarY(car), top = y - kCarHeight;
    p.setPen(QPen(QColor(0xff, 0x20, 0x20), 1.4));
    p.setBrush(Qt::NoBrush);
    switch (cause_) {
        case E::StopCause::UpAndDown:
            p.drawEllipse(kMotor.center(), kMotor.width() / 2 + 4, kMotor.height() / 2 + 4);
            break;
        case E::StopCause::MovingDoorOpen:
        case E::StopCause::DoorOnPassenger:
            p.drawEllipse(QPointF(kDoorX, top + kCarHeight / 2), kOpeningHalf + 8,
                          kCarHeight / 2 + 6);
            break;
        case E::StopCause::Overtravel:
            // Kept within the picture: past floor 4 the car is at its top edge.
            p.drawRect(QRectF(kDoorX - kCarHalf - 4, top - kOperator - 4, 2 * kCarHalf + 8,
                              kCarHeight + kOperator + 8)
                           .intersected(QRectF(QPointF(1, 1), sizeHint() - QSizeF(2, 2))));
            break;
        case E::StopCause::None:
            break;
    }
    // Over the roof, clear of the landings.
    const QRectF band(6, 2, kShaft.left() - 12, FloorY(E::kFloors) - 6);
    p.setPen(QPen(QColor(0x80, 0, 0), 0.6));
    p.setBrush(QColor(0xc0, 0x10, 0x10, 230));
    p.drawRoundedRect(band, 3, 3);
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(band.adjusted(3, 0, -3, 0), Qt::AlignCenter | Qt::TextWordWrap,
               tr("Stopped: %1").arg(stopText_));
}

}  // namespace torvex

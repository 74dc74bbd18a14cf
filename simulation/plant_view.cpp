#include "simulation/plant_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "simulation/annunciator_view.h"
#include "simulation/car_park_view.h"
#include "simulation/elevator_view.h"
#include "simulation/plants/annunciator.h"
#include "simulation/plants/car_park.h"
#include "simulation/plants/traffic_light.h"
#include "simulation/traffic_light_view.h"

namespace torvex {

PlantView::PlantView(Plant& plant, bool finnish, QWidget* parent)
    : QWidget(parent), plant_(plant), finnish_(finnish), tmrAnimate_(new QTimer(this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    tmrAnimate_->setObjectName(QStringLiteral("tmrAnimate"));
    tmrAnimate_->setTimerType(Qt::PreciseTimer);
    connect(tmrAnimate_, &QTimer::timeout, this, [this] { animationFrame(); });
}

QSize PlantView::sizeHint() const {
    return {plant_.description().width, plant_.description().height};
}

QString PlantView::pointText(bool input, int k) const {
    const auto& points = input ? plant_.description().inputs : plant_.description().outputs;
    if (k < 0 || k >= kPoints) return {};
    return QString::fromStdString(PointName(input, k)) + QStringLiteral(" \u2014 ") +
           QString::fromStdString(points[k].meaning.in(finnish_));
}

QTransform PlantView::designTransform() const {
    const QSize design = sizeHint();
    return QTransform::fromScale(width() / qreal(design.width()),
                                 height() / qreal(design.height()));
}

void PlantView::animate(bool moving, int frames) {
    if (!moving) {
        tmrAnimate_->stop();
        return;
    }
    const QScreen* s = screen();
    const qreal hz = s && s->refreshRate() >= 20 ? s->refreshRate() : 60;
    const int interval = std::max(1, qRound(1000 * frames / hz));
    if (!tmrAnimate_->isActive() || tmrAnimate_->interval() != interval)
        tmrAnimate_->start(interval);
}

const QPixmap& PlantView::background(const std::function<void(QPainter&)>& draw) {
    const qreal dpr = devicePixelRatioF();
    if (background_.size() != size() * dpr || background_.devicePixelRatio() != dpr) {
        background_ = QPixmap(size() * dpr);
        background_.setDevicePixelRatio(dpr);
        QPainter p(&background_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setTransform(designTransform());
        draw(p);
    }
    return background_;
}

PlantView::PointRef PlantView::controlAt(QPointF widgetPos) const {
    const PointRef p = pointAt(designTransform().inverted().map(widgetPos));
    if (!p.input || p.k < 0 || !IsOperatorControl(plant_.description().inputs[p.k].kind)) return {};
    return p;
}

QString PlantView::toolTipAt(QPointF pos) const {
    const PointRef p = pointAt(designTransform().inverted().map(pos));
    if (p.k < 0 || p.k >= kPoints) return {};
    const auto& points = p.input ? plant_.description().inputs : plant_.description().outputs;
    return points[p.k].kind == PointKind::Unused ? QString() : pointText(p.input, p.k);
}

bool PlantView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        if (!text.isEmpty()) {
            QToolTip::showText(help->globalPos(), text, this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void PlantView::work(int input, bool on) {
    if (!plant_.operate(input, on)) return;
    controlsWorked();
    emit operated(input, on);
}

void PlantView::mousePressEvent(QMouseEvent* event) {
    const PointRef p =
        event->button() == Qt::LeftButton ? controlAt(event->position()) : PointRef{};
    if (p.k < 0) return QWidget::mousePressEvent(event);
    if (plant_.description().inputs[p.k].kind == PointKind::Switch) {
        work(p.k, !plant_.Input(p.k));
    } else {
        held_ = p.k;
        work(p.k, true);
    }
}

void PlantView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) releaseHeld();
    QWidget::mouseReleaseEvent(event);
}

void PlantView::mouseMoveEvent(QMouseEvent* event) {
    setCursor(controlAt(event->position()).k >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void PlantView::hideEvent(QHideEvent* event) {
    releaseHeld();  // a button is not left pressed behind a closed window
    QWidget::hideEvent(event);
}

void PlantView::releaseHeld() {
    if (held_ < 0) return;
    const int input = held_;
    held_ = -1;
    work(input, false);
}

void PlantText(QPainter& p, const QRectF& r, int flags, const QString& text, qreal pixels,
               const QColor& colour, bool bold) {
    constexpr int kLarge = 40;
    const qreal k = pixels / kLarge;
    QFont font = p.font();
    font.setPixelSize(kLarge);
    font.setBold(bold);
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.translate(r.topLeft());
    p.scale(k, k);
    p.drawText(QRectF(0, 0, r.width() / k, r.height() / k), flags, text);
    p.restore();
}

PlantView* MakePlantView(Plant& plant, QWidget* parent, bool finnish) {
    switch (plant.description().number) {
        case 1:
            if (auto* traffic = dynamic_cast<TrafficLight*>(&plant))
                return new TrafficLightView(*traffic, finnish, parent);
            break;
        case 2:
            if (auto* annunciator = dynamic_cast<Annunciator*>(&plant))
                return new AnnunciatorView(*annunciator, finnish, parent);
            break;
        case 3:
            if (auto* carPark = dynamic_cast<CarPark*>(&plant))
                return new CarParkView(*carPark, finnish, parent);
            break;
        case 4:
            if (auto* lift = dynamic_cast<Elevator*>(&plant))
                return new ElevatorView(*lift, finnish, parent);
            break;
        default:
            break;
    }
    return nullptr;
}

}  // namespace torvex

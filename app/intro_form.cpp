#include "app/intro_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <cmath>

namespace torvex {

namespace {
constexpr int kLogoTop = 157;
constexpr int kLargeFontLogoTop = 170;
}  // namespace

TfrmIntro::TfrmIntro(Hooks hooks, qreal logicalDpi, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmIntro"));
    setAttribute(Qt::WA_DeleteOnClose);
    imgIntro_ = new QLabel(this);
    imgIntro_->setObjectName(QStringLiteral("imgIntro"));
    imgIntro_->setPixmap(QPixmap(QStringLiteral(":/pictures/intro.png")));
    imgIntro_->setGeometry(0, 0, 514, 394);
    imgQuendale_ = new QLabel(this);
    imgQuendale_->setObjectName(QStringLiteral("imgQuendale"));
    imgQuendale_->setPixmap(QPixmap(QStringLiteral(":/pictures/maker.png")));
    imgQuendale_->setGeometry(121, kLogoTop, 263, 92);
    for (QLabel* image : {imgIntro_, imgQuendale_}) {
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
    }
    // The form takes the picture's size.
    setFixedSize(imgIntro_->size());

    // A screen with large fonts scales the form's design positions; the logo's scaled top
    // tells which kind of screen this is.
    const int scaledTop = static_cast<int>(std::lround(kLogoTop * logicalDpi / 96.0));
    largeFonts_ = scaledTop > kLargeFontLogoTop;
    imgQuendale_->show();
    if (largeFonts_) {
        imgQuendale_->move(120, 154);
        if (hooks_.useLargeLogo) hooks_.useLargeLogo();
    }

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.x() + (desk.width() - width()) / 2, desk.y() + (desk.height() - height()) / 2);
    }

    tmrStart_.setObjectName(QStringLiteral("tmrStart"));
    tmrStart_.setParent(this);
    tmrStart_.setInterval(250);
    connect(&tmrStart_, &QTimer::timeout, this, &TfrmIntro::tmrStartTimer);
    tmrStart_.start();
    Timing_.setObjectName(QStringLiteral("Timing"));
    Timing_.setParent(this);
    Timing_.setInterval(6000);
    connect(&Timing_, &QTimer::timeout, this, &TfrmIntro::TimingTimer);
    Timing_.start();
}

void TfrmIntro::tmrStartTimer() {
    if (hooks_.initialise) hooks_.initialise();
    tmrStart_.setInterval(4000);
    if (hooks_.continueStartUp) hooks_.continueStartUp();
    tmrStart_.stop();
}

void TfrmIntro::TimingTimer() {
    // The initialisation must have started before the form may go.
    if (tmrStart_.isActive()) return;
    Timing_.stop();
    close();
}

void TfrmIntro::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    TimingTimer();
}

bool TfrmIntro::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == imgIntro_ || watched == imgQuendale_)) {
        TimingTimer();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmIntro::closeEvent(QCloseEvent* event) {
    tmrStart_.stop();
    Timing_.stop();
    if (hooks_.closed) hooks_.closed();
    QDialog::closeEvent(event);
}

}  // namespace torvex

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
    imgIntro = new QLabel(this);
    imgIntro->setObjectName(QStringLiteral("imgIntro"));
    imgIntro->setPixmap(QPixmap(QStringLiteral(":/pictures/intro.png")));
    imgIntro->setGeometry(0, 0, 514, 394);
    imgQuendale = new QLabel(this);
    imgQuendale->setObjectName(QStringLiteral("imgQuendale"));
    imgQuendale->setPixmap(QPixmap(QStringLiteral(":/pictures/maker.png")));
    imgQuendale->setGeometry(121, kLogoTop, 263, 92);
    for (QLabel* image : {imgIntro, imgQuendale}) {
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
    }
    // The form takes the picture's size.
    setFixedSize(imgIntro->size());

    // A screen with large fonts scales the form's design positions; the logo's scaled top
    // tells which kind of screen this is.
    const int scaledTop = static_cast<int>(std::lround(kLogoTop * logicalDpi / 96.0));
    largeFonts_ = scaledTop > kLargeFontLogoTop;
    imgQuendale->show();
    if (largeFonts_) {
        imgQuendale->move(120, 154);
        if (hooks_.useLargeLogo) hooks_.useLargeLogo();
    }

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.x() + (desk.width() - width()) / 2, desk.y() + (desk.height() - height()) / 2);
    }

    tmrStart.setInterval(250);
    connect(&tmrStart, &QTimer::timeout, this, &TfrmIntro::tmrStartTimer);
    tmrStart.start();
    Timing.setInterval(6000);
    connect(&Timing, &QTimer::timeout, this, &TfrmIntro::TimingTimer);
    Timing.start();
}

void TfrmIntro::tmrStartTimer() {
    if (hooks_.initialise) hooks_.initialise();
    tmrStart.setInterval(4000);
    if (hooks_.continueStartUp) hooks_.continueStartUp();
    tmrStart.stop();
}

void TfrmIntro::TimingTimer() {
    // The initialisation must have started before the form may go.
    if (tmrStart.isActive()) return;
    Timing.stop();
    close();
}

void TfrmIntro::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    TimingTimer();
}

bool TfrmIntro::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && (watched == imgIntro || watched == imgQuendale)) {
        TimingTimer();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmIntro::closeEvent(QCloseEvent* event) {
    tmrStart.stop();
    Timing.stop();
    if (hooks_.closed) hooks_.closed();
    QDialog::closeEvent(event);
}

}  // namespace torvex

#include "app/about_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "app/clickable_label.h"
#include "app/maker.h"

namespace torvex {

namespace {

void CentreOnScreen(QWidget* w) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        w->move(s.x() + (s.width() - w->width()) / 2, s.y() + (s.height() - w->height()) / 2);
    }
}

}  // namespace

TfrmAbout::TfrmAbout(bool largeFonts, std::function<void(const QString&)> openLink,
                     std::function<void()> closed, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      openLink_(std::move(openLink)),
      closed_(std::move(closed)) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("About"));
    const int width = largeFonts ? 560 : 458;
    const int column = 322;  // left of the text column beside the picture
    const int columnWidth = width - column - 8;

    lblTitle = new QLabel(QStringLiteral("TORVEX"), this);
    QFont title = lblTitle->font();
    title.setPixelSize(24);
    title.setBold(true);
    lblTitle->setFont(title);
    lblTitle->setGeometry(7, 6, width - 14, 30);

    Piccy = new QLabel(this);
    Piccy->setObjectName(QStringLiteral("Piccy"));
    // The picture takes the size of its frame, 306 x 213.
    Piccy->setGeometry(7, 40, 306, 213);
    Piccy->setFrameShape(QFrame::Box);
    Piccy->setPixmap(QPixmap(QStringLiteral(":/pictures/about.jpg")));
    Piccy->setScaledContents(true);

    lblVersion = new QLabel(tr("Version"), this);
    lblVersion->setGeometry(column, 48, columnWidth, 18);
    lblVersion->setAlignment(Qt::AlignHCenter);
    lblVersionNumber = new ClickableLabel(QStringLiteral("3.0"), this);
    lblVersionNumber->setObjectName(QStringLiteral("lblVersionNumber"));
    QFont number = lblVersionNumber->font();
    number.setPixelSize(16);
    number.setBold(true);
    lblVersionNumber->setFont(number);
    lblVersionNumber->adjustSize();
    lblVersionNumber->move(column + (columnWidth - lblVersionNumber->width()) / 2, 68);
    connect(lblVersionNumber, &ClickableLabel::doubleClicked, this,
            &TfrmAbout::lblVersionNumberDblClick);

    auto link = [&](const QString& text, const QString& target, int top) {
        auto* label = new ClickableLabel(text, this);
        label->setToolTip(target);
        label->setCursor(Qt::PointingHandCursor);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 200));
        label->setPalette(pal);
        QFont f = label->font();
        f.setUnderline(true);
        label->setFont(f);
        label->setGeometry(column, top, columnWidth, 18);
        label->setAlignment(Qt::AlignHCenter);
        connect(label, &ClickableLabel::clicked, this, [this, label] {
            if (openLink_) openLink_(label->toolTip());
        });
        label->show();
        return label;
    };
    const QString web = QString::fromLatin1(kMakerWebAddress);
    const QString email = QString::fromLatin1(kMakerEmail);
    lblWebLink = link(QUrl(web).host(), web, 120);
    lblWebLink->setObjectName(QStringLiteral("lblWebLink"));
    lblEmailLink = link(email, QStringLiteral("mailto: ") + email, 144);
    lblEmailLink->setObjectName(QStringLiteral("lblEmailLink"));

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(column + (columnWidth - 75) / 2, 230, 75, 23);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::close);

    setFixedSize(width, btnOK->geometry().bottom() + 1 + 10);
    CentreOnScreen(this);
}

void TfrmAbout::lblVersionNumberDblClick() {
    const QString full = QStringLiteral("3.0.20");
    if (lblVersionNumber->text() == full) return;
    const int before = lblVersionNumber->width();
    lblVersionNumber->setText(full);
    lblVersionNumber->adjustSize();
    // Stay centred: move left by half of what the label grew.
    lblVersionNumber->move(lblVersionNumber->x() - (lblVersionNumber->width() - before) / 2,
                           lblVersionNumber->y());
}

void TfrmAbout::closeEvent(QCloseEvent* event) {
    if (closed_) closed_();
    QDialog::closeEvent(event);
}

}  // namespace torvex

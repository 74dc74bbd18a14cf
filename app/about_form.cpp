#include "app/about_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/clickable_label.h"
#include "app/maker.h"
#include "torvex_version.h"

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
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      openLink_(std::move(openLink)),
      closed_(std::move(closed)) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("About"));
    // The design's width; a larger face widens the form rather than cut a text.
    const int designWidth = largeFonts ? 560 : 458;

    lblTitle_ = new QLabel(QStringLiteral("TORVEX"), this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    QFont title = lblTitle_->font();
    title.setPixelSize(24);
    title.setBold(true);
    lblTitle_->setFont(title);

    Piccy_ = new QLabel(this);
    Piccy_->setObjectName(QStringLiteral("Piccy"));
    // The picture takes the size of its frame, 306 x 213.
    Piccy_->setFixedSize(306, 213);
    Piccy_->setFrameShape(QFrame::Box);
    Piccy_->setPixmap(QPixmap(QStringLiteral(":/pictures/about.jpg")));
    Piccy_->setScaledContents(true);

    lblVersion_ = new QLabel(tr("Version"), this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblVersion_->setAlignment(Qt::AlignHCenter);
    lblVersionNumber_ = new ClickableLabel(QString::fromLatin1(kTorvexMajorMinor), this);
    lblVersionNumber_->setObjectName(QStringLiteral("lblVersionNumber"));
    QFont number = lblVersionNumber_->font();
    number.setPixelSize(16);
    number.setBold(true);
    lblVersionNumber_->setFont(number);
    // As wide as its column with the text centred, so that the longer number stays centred.
    lblVersionNumber_->setAlignment(Qt::AlignHCenter);
    connect(lblVersionNumber_, &ClickableLabel::doubleClicked, this,
            &TfrmAbout::lblVersionNumberDblClick);

    auto link = [&](const char* name, const QString& text, const QString& target) {
        auto* label = new ClickableLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setToolTip(target);
        label->setCursor(Qt::PointingHandCursor);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 200));
        label->setPalette(pal);
        QFont f = label->font();
        f.setUnderline(true);
        label->setFont(f);
        connect(label, &ClickableLabel::clicked, this, [this, label] {
            if (openLink_) openLink_(label->toolTip());
        });
        return label;
    };
    const QString web = QString::fromLatin1(kMakerWebAddress);
    const QString email = QString::fromLatin1(kMakerEmail);
    lblWebLink_ = link("lblWebLink", QUrl(web).host(), web);
    lblEmailLink_ = link("lblEmailLink", email, QStringLiteral("mailto: ") + email);

    btnOK_ = new QPushButton(tr("OK"), this);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnOK_->setMinimumSize(75, 23);
    btnOK_->setDefault(true);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::close);

    // The version beside the picture; the addresses, which are long, under it where they
    // have its width; OK at the bottom of the version's column.
    auto* grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("layAbout"));
    grid->setContentsMargins(7, 6, 7, 10);
    grid->setHorizontalSpacing(9);
    grid->setVerticalSpacing(4);
    grid->addWidget(lblTitle_, 0, 0, 1, 2);
    grid->addWidget(Piccy_, 1, 0);
    auto* version = new QVBoxLayout;
    version->setContentsMargins(0, 8, 0, 0);
    version->addWidget(lblVersion_);
    version->addWidget(lblVersionNumber_);
    version->addStretch();
    grid->addLayout(version, 1, 1);
    auto* links = new QVBoxLayout;
    links->setSpacing(2);
    links->addWidget(lblWebLink_, 0, Qt::AlignHCenter);
    links->addWidget(lblEmailLink_, 0, Qt::AlignHCenter);
    grid->addLayout(links, 2, 0);
    grid->addWidget(btnOK_, 2, 1, Qt::AlignHCenter | Qt::AlignBottom);
    grid->setColumnStretch(1, 1);

    const QSize needed = grid->totalSizeHint();
    setFixedSize(qMax(designWidth, needed.width()), needed.height());
    CentreOnScreen(this);
}

void TfrmAbout::lblVersionNumberDblClick() {
    const QString full = QString::fromLatin1(kTorvexVersion);
    if (lblVersionNumber_->text() != full) lblVersionNumber_->setText(full);
}

void TfrmAbout::closeEvent(QCloseEvent* event) {
    if (closed_) closed_();
    QDialog::closeEvent(event);
}

}  // namespace torvex

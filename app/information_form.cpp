#include "app/information_form.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/clickable_label.h"
#include "app/maker.h"

namespace torvex {

TfrmInformation::TfrmInformation(std::function<void(const QString&)> openLink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmInformation"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Contact Details..."));

    imgLogo_ = new QLabel(this);
    imgLogo_->setObjectName(QStringLiteral("imgLogo"));
    imgLogo_->setFixedSize(433, 69);
    imgLogo_->setPixmap(QPixmap(QStringLiteral(":/pictures/contact.png")));

    lblInstruction_ = new QLabel(
        tr("For further information on TORVEX or other Quendale products please contact your "
           "local supplier, or click the link"),
        this);
    lblInstruction_->setObjectName(QStringLiteral("lblInstruction"));
    QFont instruction = lblInstruction_->font();
    instruction.setPixelSize(15);
    lblInstruction_->setFont(instruction);
    lblInstruction_->setWordWrap(true);
    lblInstruction_->setAlignment(Qt::AlignCenter);

    const QString page = QString::fromLatin1(kMakerContactPage);
    lblLink_ = new ClickableLabel(tr("Web: ") + QUrl(page).host(), this);
    lblLink_->setObjectName(QStringLiteral("lblLink"));
    lblLink_->setToolTip(page);
    QFont linkFont = lblLink_->font();
    linkFont.setPixelSize(11);
    linkFont.setUnderline(true);
    lblLink_->setFont(linkFont);
    QPalette pal = lblLink_->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 200));
    lblLink_->setPalette(pal);
    lblLink_->setCursor(Qt::PointingHandCursor);
    connect(lblLink_, &ClickableLabel::clicked, this, [openLink, page] {
        if (openLink) openLink(page);
    });

    btnOK_ = new QPushButton(tr("OK"), this);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnOK_->setMinimumSize(75, 23);
    btnOK_->setDefault(true);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::close);

    // The logo's width; the instruction takes as many lines as its words need there.
    auto* column = new QVBoxLayout(this);
    column->setObjectName(QStringLiteral("layInformation"));
    column->setContentsMargins(0, 0, 0, 10);
    column->setSpacing(0);
    column->addWidget(imgLogo_);
    column->addSpacing(13);
    auto* text = new QVBoxLayout;
    text->setContentsMargins(40, 0, 40, 0);
    text->addWidget(lblInstruction_);
    column->addLayout(text);
    column->addSpacing(9);
    column->addWidget(lblLink_, 0, Qt::AlignHCenter);
    column->addSpacing(13);
    column->addWidget(btnOK_, 0, Qt::AlignHCenter);

    setFixedSize(imgLogo_->width(), column->totalHeightForWidth(imgLogo_->width()));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
    }
}

}  // namespace torvex

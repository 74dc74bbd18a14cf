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

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(433, 69);
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/pictures/contact.png")));

    lblInstruction = new QLabel(
        tr("For further information on TORVEX or other Quendale products please contact your "
           "local supplier, or click the link"),
        this);
    lblInstruction->setObjectName(QStringLiteral("lblInstruction"));
    QFont instruction = lblInstruction->font();
    instruction.setPixelSize(15);
    lblInstruction->setFont(instruction);
    lblInstruction->setWordWrap(true);
    lblInstruction->setAlignment(Qt::AlignCenter);

    const QString page = QString::fromLatin1(kMakerContactPage);
    lblLink = new ClickableLabel(tr("Web: ") + QUrl(page).host(), this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    lblLink->setToolTip(page);
    QFont linkFont = lblLink->font();
    linkFont.setPixelSize(11);
    linkFont.setUnderline(true);
    lblLink->setFont(linkFont);
    QPalette pal = lblLink->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 200));
    lblLink->setPalette(pal);
    lblLink->setCursor(Qt::PointingHandCursor);
    connect(lblLink, &ClickableLabel::clicked, this, [openLink, page] {
        if (openLink) openLink(page);
    });

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setMinimumSize(75, 23);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::close);

    // The logo's width; the instruction takes as many lines as its words need there.
    auto* column = new QVBoxLayout(this);
    column->setObjectName(QStringLiteral("layInformation"));
    column->setContentsMargins(0, 0, 0, 10);
    column->setSpacing(0);
    column->addWidget(imgLogo);
    column->addSpacing(13);
    auto* text = new QVBoxLayout;
    text->setContentsMargins(40, 0, 40, 0);
    text->addWidget(lblInstruction);
    column->addLayout(text);
    column->addSpacing(9);
    column->addWidget(lblLink, 0, Qt::AlignHCenter);
    column->addSpacing(13);
    column->addWidget(btnOK, 0, Qt::AlignHCenter);

    setFixedSize(imgLogo->width(), column->totalHeightForWidth(imgLogo->width()));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
    }
}

}  // namespace torvex

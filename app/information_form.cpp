#include "app/information_form.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

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
    imgLogo->setGeometry(0, 0, 433, 69);
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
    // The design box is 337 x 31; a wider face than the original's may need a third line.
    lblInstruction->setGeometry(40, 82, 337, 31);
    const int needed = lblInstruction->heightForWidth(337);

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
    lblLink->setAlignment(Qt::AlignCenter);
    lblLink->setCursor(Qt::PointingHandCursor);
    connect(lblLink, &ClickableLabel::clicked, this, [openLink, page] {
        if (openLink) openLink(page);
    });

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::close);

    const int extra = qMax(0, needed - 31);
    lblInstruction->setFixedHeight(31 + extra);
    lblLink->setGeometry(128 - 40, 122 + extra, 174 + 80, 15);
    btnOK->setGeometry(180, 148 + extra, 75, 23);
    setFixedSize(433, btnOK->geometry().bottom() + 1 + 10);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
    }
}

}  // namespace torvex

#include "app/help_window.h"

#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "simulation/plant_help.h"

namespace torvex {

namespace {

// Serves the plants' pages, qrc:/help/plants/traffic.html and its picture, from the plants'
// descriptions; every other page comes from the resources.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(bool finnish, QWidget* parent)
        : QTextBrowser(parent), plants_(StandardPlants()), finnish_(finnish) {}

    QVariant loadResource(int type, const QUrl& name) override {
        static const QString kFolder = QStringLiteral("/help/plants/");
        if (name.scheme() == QLatin1String("qrc") && name.path().startsWith(kFolder)) {
            const QVariant plant =
                PlantHelpResource(plants_, name.path().mid(kFolder.size()), finnish_);
            if (plant.isValid()) return plant;
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    const PlantRegistry plants_;
    const bool finnish_;
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent, bool finnish) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("TORVEX Help"));
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QHBoxLayout;
    auto* contents = new QToolButton(this);
    contents->setText(tr("Contents"));
    auto* back = new QToolButton(this);
    back->setText(tr("Back"));
    auto* forward = new QToolButton(this);
    forward->setText(tr("Forward"));
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch(1);
    layout->addLayout(bar);
    browser_ = new HelpBrowser(finnish, this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QStringLiteral(":/help")});
    // The rich-text engine takes no linked style sheets: the pages' style is its default.
    QFile style(QStringLiteral(":/help/style.css"));
    if (style.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));
    layout->addWidget(browser_, 1);
    connect(contents, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
}

void HelpWindow::showContents() {
    showPage(QStringLiteral("index.html"));
}

void HelpWindow::showPage(const QString& page) {
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    show();
    raise();
    activateWindow();
}

}  // namespace torvex

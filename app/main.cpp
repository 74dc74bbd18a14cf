// TORVEX: a ladder logic trainer.

#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "files/settings_store.h"
#include "torvex_version.h"
#include "ui/language.h"
#include "ui/prompter.h"

namespace {

// Without a display Qt's platform plugin aborts with a long trace; say it in one line.
bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "torvex: no display to show the window on (DISPLAY is not set)\n");
        return 1;
    }
    // Setup > Display Size: Qt takes its scale factor only before the application is made.
    // A factor the user's environment already sets is multiplied, not overridden.
    if (const int percent = torvex::SettingsStore().displaySize(); percent != 100) {
        bool given = false;
        const double outer = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
        const double factor = (given && outer > 0 ? outer : 1.0) * percent / 100.0;
        qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TORVEX"));
    QApplication::setApplicationDisplayName(QStringLiteral("TORVEX"));
    QApplication::setApplicationVersion(QString::fromLatin1(torvex::kTorvexVersion));

    // The language is decided once: Finnish texts on a Finnish system.
    torvex::FinnishTranslation finnishTexts;
    const bool finnish = torvex::SystemWantsFinnish() && finnishTexts.install();

    torvex::WidgetPrompter prompter;
    torvex::TfrmMain::Options options;
    options.prompter = &prompter;
    options.finnishTexts = finnish;
    options.programFolder = QApplication::applicationDirPath();
    // One optional argument: a diagram to open, as a file manager passes it.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) options.openAtStart = arguments.at(1);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        options.logicalDpi = screen->logicalDotsPerInchY();
    torvex::TfrmMain window(options);
    // Maximised; without a window manager to do it, the window takes the screen itself.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}

#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace torvex {

namespace {

// The translators must outlive their installation; the application owns them through
// these two, which change only at start-up (and in tests).
struct Translators {
    std::unique_ptr<QTranslator> ours;
    std::unique_ptr<QTranslator> qt;
};
Translators& Installed() {
    static Translators t;
    return t;
}

}  // namespace

bool SystemWantsFinnish() { return QLocale::system().language() == QLocale::Finnish; }

bool InstallFinnishTexts() {
    RemoveFinnishTexts();
    Translators& t = Installed();
    t.ours = std::make_unique<QTranslator>();
    if (!t.ours->load(QStringLiteral(":/i18n/torvex_fi.qm"))) {
        t.ours.reset();
        return false;
    }
    QCoreApplication::installTranslator(t.ours.get());
    t.qt = std::make_unique<QTranslator>();
    if (t.qt->load(QLocale(QLocale::Finnish), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(t.qt.get());
    else
        t.qt.reset();
    return true;
}

void RemoveFinnishTexts() {
    Translators& t = Installed();
    if (t.ours) QCoreApplication::removeTranslator(t.ours.get());
    if (t.qt) QCoreApplication::removeTranslator(t.qt.get());
    t.ours.reset();
    t.qt.reset();
}

}  // namespace torvex

#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace torvex {

bool SystemWantsFinnish() {
    return QLocale::system().language() == QLocale::Finnish;
}

bool FinnishTranslation::install() {
    remove();
    if (!ours_.load(QStringLiteral(":/i18n/torvex_fi.qm"))) return false;
    oursInstalled_ = QCoreApplication::installTranslator(&ours_);
    if (qt_.load(QLocale(QLocale::Finnish), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qtInstalled_ = QCoreApplication::installTranslator(&qt_);
    return oursInstalled_;
}

void FinnishTranslation::remove() {
    if (oursInstalled_) QCoreApplication::removeTranslator(&ours_);
    if (qtInstalled_) QCoreApplication::removeTranslator(&qt_);
    oursInstalled_ = qtInstalled_ = false;
}

}  // namespace torvex

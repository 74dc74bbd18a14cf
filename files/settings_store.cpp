#include "files/settings_store.h"

#include "files/recent_files.h"
#include "files/text_file.h"

namespace torvex {

namespace {
QString Key(const QString& section, const QString& name) {
    return section + QLatin1Char('/') + name;
}
}  // namespace

SettingsStore::SettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Torvex")) {}

SettingsStore::SettingsStore(const QString& iniFile) : settings_(iniFile, QSettings::IniFormat) {}

QString SettingsStore::value(const QString& section, const QString& name,
                             const QString& fallback) const {
    return settings_.value(Key(section, name), fallback).toString();
}

void SettingsStore::setValue(const QString& section, const QString& name, const QString& value) {
    settings_.setValue(Key(section, name), value);
}

int SettingsStore::readInt(const QString& section, const QString& name, QString& error) const {
    const QString text = value(section, name, QStringLiteral("0"));
    if (const auto n = StrictInt(text.toStdString())) return *n;
    if (error.isEmpty()) error = QString::fromStdString(NotAnInteger(text.toStdString()));
    return 0;
}

SettingsStore::Place SettingsStore::readPlace(const QString& section) const {
    Place place;
    place.moved =
        value(section, QStringLiteral("Moved"), QStringLiteral("False")) != QLatin1String("False");
    place.left = readInt(section, QStringLiteral("Left"), place.error);
    place.top = readInt(section, QStringLiteral("Top"), place.error);
    place.height = readInt(section, QStringLiteral("Height"), place.error);
    return place;
}

void SettingsStore::writeMoved(const QString& section, bool moved) {
    setValue(section, QStringLiteral("Moved"),
             moved ? QStringLiteral("True") : QStringLiteral("False"));
}

void SettingsStore::writePlace(const QString& section, int left, int top) {
    writeMoved(section, true);
    setValue(section, QStringLiteral("Left"), QString::number(left));
    setValue(section, QStringLiteral("Top"), QString::number(top));
}

void SettingsStore::writeHeight(const QString& section, int height) {
    setValue(section, QStringLiteral("Height"), QString::number(height));
}

void SettingsStore::writeInterface(int index) {
    setValue(QStringLiteral("Setup"), QStringLiteral("Interface"), QString::number(index));
}

int SettingsStore::displaySize() const {
    const int percent = value(QStringLiteral("Setup"), QStringLiteral("DisplaySize"), {}).toInt();
    for (int size : kDisplaySizes)
        if (size == percent) return size;
    return 100;
}

void SettingsStore::writeDisplaySize(int percent) {
    setValue(QStringLiteral("Setup"), QStringLiteral("DisplaySize"), QString::number(percent));
}

QString SettingsStore::diagramFolder() const {
    return value(QStringLiteral("Setup"), QStringLiteral("DiagramFolder"), {});
}

void SettingsStore::writeDiagramFolder(const QString& folder) {
    setValue(QStringLiteral("Setup"), QStringLiteral("DiagramFolder"), folder);
}

int SettingsStore::readInterface() const {
    const QString text = value(QStringLiteral("Setup"), QStringLiteral("Interface"), QString());
    const auto n = StrictInt(text.toStdString());
    return n && *n >= 0 ? *n : -1;
}

void SettingsStore::resetWindowPlaces() {
    for (const char* section : {"Debugger", "Rungs", "Simulator", "TimingChart"})
        writeMoved(QString::fromLatin1(section), false);
    for (int k = 1; k <= 25; ++k) writeMoved(simulationSection(k), false);
}

void SettingsStore::loadRecentFiles(RecentFiles& recent) const {
    std::array<std::string, RecentFiles::kCount> shortNames, longNames;
    for (int n = 1; n <= RecentFiles::kCount; ++n) {
        shortNames[n - 1] =
            value(QStringLiteral("Setup"), QStringLiteral("ShortName%1").arg(n), {}).toStdString();
        longNames[n - 1] =
            value(QStringLiteral("Setup"), QStringLiteral("LongName%1").arg(n), {}).toStdString();
    }
    recent.load(shortNames, longNames);
}

void SettingsStore::saveRecentFiles(const RecentFiles& recent) {
    for (int n = 1; n <= RecentFiles::kCount; ++n) {
        setValue(QStringLiteral("Setup"), QStringLiteral("ShortName%1").arg(n),
                 QString::fromStdString(recent.shortName(n)));
        setValue(QStringLiteral("Setup"), QStringLiteral("LongName%1").arg(n),
                 QString::fromStdString(recent.path(n)));
    }
}

void SettingsStore::writeRunningFalse() {
    setValue(QStringLiteral("Setup"), QStringLiteral("Running"), QStringLiteral("False"));
}

void SettingsStore::sync() {
    settings_.sync();
}

}  // namespace torvex

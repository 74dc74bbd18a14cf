// The per-user settings: an INI file with the sections and values the windows keep
// (recent files, window places, the chosen I/O interface). Every value is a string;
// numbers in decimal, flags "True" or "False"; a missing value reads as its default.
#pragma once

#include <QSettings>
#include <QString>
#include <array>
#include <string>

namespace torvex {

class RecentFiles;

class SettingsStore {
public:
    // The user's own store ("Torvex" in the user's configuration folder).
    SettingsStore();
    // A store in the given INI file (tests).
    explicit SettingsStore(const QString& iniFile);

    QString value(const QString& section, const QString& name, const QString& fallback) const;
    void setValue(const QString& section, const QString& name, const QString& value);

    // A window's place. A Moved value counts as true unless it is exactly "False".
    struct Place {
        bool moved = false;
        int left = 0;
        int top = 0;
        int height = 0;
        QString error;  // "'x' is not a valid integer value" when a stored number is not one
    };
    Place readPlace(const QString& section) const;
    // Moved = "True" together with Left and Top.
    void writePlace(const QString& section, int left, int top);
    void writeHeight(const QString& section, int height);
    void writeMoved(const QString& section, bool moved);

    // Sections of the windows that keep their place.
    static QString simulationSection(int k) { return QStringLiteral("Simulation%1").arg(k); }

    void writeInterface(int index);

    // The whole program's size on screen, in percent: one of kDisplaySizes (100 when the
    // stored value is none of them). Applied when the program starts.
    static constexpr std::array<int, 4> kDisplaySizes = {100, 125, 150, 200};
    int displaySize() const;
    void writeDisplaySize(int percent);
    // The folder a diagram was last opened from or saved to; empty before the first.
    QString diagramFolder() const;
    void writeDiagramFolder(const QString& folder);
    // The interface stored by writeInterface; -1 when none is, or it is not a number.
    int readInterface() const;
    // Restore Screen Layout to Default, at exit: Moved = "False" for the debugger, the rung
    // view, the I/O monitor and simulation windows 1 ... 25.
    void resetWindowPlaces();
    void loadRecentFiles(RecentFiles& recent) const;
    void saveRecentFiles(const RecentFiles& recent);
    void writeRunningFalse();

    void sync();
    QString fileName() const { return settings_.fileName(); }

private:
    int readInt(const QString& section, const QString& name, QString& error) const;

    mutable QSettings settings_;
};

}  // namespace torvex

// The settings store: sections, values, defaults and the window-place rules.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "files/recent_files.h"
#include "files/settings_store.h"

namespace torvex::test {
namespace {

class Settings : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Torvex.ini"));
    SettingsStore store{path};

    QString Raw(const QString& key) {
        store.sync();
        QSettings ini(path, QSettings::IniFormat);
        return ini.value(key).toString();
    }
};

TEST_F(Settings, MissingValuesReadAsTheirDefaults) {
    const SettingsStore::Place place = store.readPlace(QStringLiteral("Rungs"));
    EXPECT_FALSE(place.moved);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.height, 0);
    EXPECT_TRUE(place.error.isEmpty());
}

TEST_F(Settings, APlaceIsWrittenWithItsMovedFlag) {
    store.writePlace(QStringLiteral("Debugger"), 412, -7);
    EXPECT_EQ(Raw(QStringLiteral("Debugger/Moved")), QStringLiteral("True"));
    EXPECT_EQ(Raw(QStringLiteral("Debugger/Left")), QStringLiteral("412"));
    EXPECT_EQ(Raw(QStringLiteral("Debugger/Top")), QStringLiteral("-7"));
    const auto place = store.readPlace(QStringLiteral("Debugger"));
    EXPECT_TRUE(place.moved);
    EXPECT_EQ(place.left, 412);
    EXPECT_EQ(place.top, -7);
}

TEST_F(Settings, AnythingButFalseCountsAsMoved) {
    for (const char* text : {"True", "yes", "", "false"}) {
        store.setValue(QStringLiteral("Simulator"), QStringLiteral("Moved"),
                       QString::fromLatin1(text));
        EXPECT_TRUE(store.readPlace(QStringLiteral("Simulator")).moved) << text;
    }
    store.writeMoved(QStringLiteral("Simulator"), false);
    EXPECT_FALSE(store.readPlace(QStringLiteral("Simulator")).moved);
}

TEST_F(Settings, AStoredPlaceThatIsNotANumberIsReported) {
    store.writePlace(QStringLiteral("Rungs"), 10, 20);
    store.setValue(QStringLiteral("Rungs"), QStringLiteral("Top"), QStringLiteral("12px"));
    const auto place = store.readPlace(QStringLiteral("Rungs"));
    EXPECT_EQ(place.error, QStringLiteral("'12px' is not a valid integer value"));
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 0);
}

TEST_F(Settings, RestoringTheLayoutForgetsEveryPlace) {
    for (const char* s : {"Debugger", "Rungs", "Simulator", "TimingChart", "Simulation3"})
        store.writePlace(QString::fromLatin1(s), 5, 5);
    store.resetWindowPlaces();
    for (const char* s : {"Debugger", "Rungs", "Simulator", "TimingChart", "Simulation3"})
        EXPECT_FALSE(store.readPlace(QString::fromLatin1(s)).moved) << s;
    EXPECT_EQ(Raw(QStringLiteral("Simulation25/Moved")), QStringLiteral("False"));
    EXPECT_EQ(Raw(QStringLiteral("Simulation25/Left")), QString());
}

TEST_F(Settings, TheRecentFilesSurviveARestart) {
    RecentFiles recent;
    store.loadRecentFiles(recent);
    recent.AddFileCaption("/home/ann/motor.llg");
    recent.AddFileCaption("/home/ann/lights.llg");
    store.saveRecentFiles(recent);
    store.writeInterface(3);
    store.writeRunningFalse();
    EXPECT_EQ(Raw(QStringLiteral("Setup/ShortName1")), QStringLiteral("lights.llg"));
    EXPECT_EQ(Raw(QStringLiteral("Setup/LongName2")), QStringLiteral("/home/ann/motor.llg"));
    EXPECT_EQ(Raw(QStringLiteral("Setup/Interface")), QStringLiteral("3"));
    EXPECT_EQ(Raw(QStringLiteral("Setup/Running")), QStringLiteral("False"));

    SettingsStore again(path);
    RecentFiles next;
    again.loadRecentFiles(next);
    EXPECT_TRUE(next.visible(1));
    EXPECT_TRUE(next.visible(2));
    EXPECT_FALSE(next.visible(3));
    EXPECT_EQ(next.caption(1), "&1 lights.llg");
    EXPECT_EQ(next.path(2), "/home/ann/motor.llg");
}

// Only the offered display sizes take effect; anything else stored reads as 100 %.
TEST_F(Settings, ADisplaySizeIsOneOfTheOfferedSizes) {
    const struct {
        const char* stored;
        int size;
    } cases[] = {{"150", 150}, {"200", 200}, {"100", 100}, {"175", 100},
                 {"-5", 100},  {"2e3", 100}, {"", 100}};
    for (const auto& c : cases) {
        store.setValue(QStringLiteral("Setup"), QStringLiteral("DisplaySize"),
                       QString::fromLatin1(c.stored));
        EXPECT_EQ(store.displaySize(), c.size) << c.stored;
    }
    store.writeDisplaySize(125);
    EXPECT_EQ(Raw(QStringLiteral("Setup/DisplaySize")), QStringLiteral("125"));
}

}  // namespace
}  // namespace torvex::test

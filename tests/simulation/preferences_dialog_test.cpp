// The Configure I/O dialog over a table of test interfaces with differing address lists.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "engine/io_interface.h"
#include "files/settings_store.h"
#include "simulation/preferences_dialog.h"
#include "tests/support/qstring_print.h"
#include "ui/language.h"

namespace torvex::test {
namespace {

struct Choice {
    int32_t value;
    std::string text;
};

// An interface with a given address list that logs the routines the dialog calls.
class TestInterface final : public IoInterface {
public:
    TestInterface(std::vector<std::string>& log, std::string name, int32_t defaultAddress,
                  std::vector<Choice> choices, std::string routineCaption = {})
        : log_(log),
          name_(std::move(name)),
          default_(defaultAddress),
          choices_(std::move(choices)),
          routineCaption_(std::move(routineCaption)) {}

    std::string Name() override { return name_; }
    int32_t DefaultAddress() override { return default_; }
    int32_t AddressCount() override { return static_cast<int32_t>(choices_.size()); }
    int32_t AddressValue(int32_t choice) override { return choices_.at(choice).value; }
    std::string AddressText(int32_t choice) override { return choices_.at(choice).text; }
    bool HasRoutine() override { return !routineCaption_.empty(); }
    std::string RoutineCaption() override { return routineCaption_; }
    int32_t Routine() override {
        log_.push_back(name_ + " Routine");
        return routineResult;
    }
    void Open() override { log_.push_back(name_ + " Open"); }
    void Close() override { log_.push_back(name_ + " Close"); }
    void SetAddress(int32_t address) override {
        log_.push_back(name_ + " SetAddress " + std::to_string(address));
    }
    int32_t ReadInputs(int32_t) override { return 0; }
    void WriteOutputs(int32_t, int32_t) override {}

    int32_t routineResult = 0;

private:
    std::vector<std::string>& log_;
    std::string name_;
    int32_t default_;
    std::vector<Choice> choices_;
    std::string routineCaption_;
};

constexpr int kNull = 0, kCard = 1, kSerial = 2, kEmpty = 3;

class PreferencesTest : public ::testing::Test {
protected:
    PreferencesTest() {
        std::vector<std::unique_ptr<IoInterface>> extra;
        // Two choices share 0x300, so the highest of them is the one shown.
        extra.push_back(std::make_unique<TestInterface>(
            log, "Card", 0x300,
            std::vector<Choice>{
                {0x200, "200h"}, {0x300, "300h"}, {0x300, "300h (alias)"}, {0x310, "310h"}}));
        auto serial = std::make_unique<TestInterface>(
            log, "Serial", 2, std::vector<Choice>{{1, "COM1"}, {2, "COM2"}, {3, "COM3"}},
            "Find Port");
        serialPort = serial.get();
        extra.push_back(std::move(serial));
        extra.push_back(std::make_unique<TestInterface>(log, "Empty", 0, std::vector<Choice>{}));
        interfaces.RegisterInterfaces(std::move(extra));
        log.clear();
    }

    // The dialog, shown as the main window shows it.
    TfrmPreferences* Open() {
        dialog = new TfrmPreferences(interfaces, settings, preferencesOpen);
        dialog->show();
        return dialog;
    }
    // The dialog's widgets, by the names the dialog gives them.
    template <class Widget>
    Widget* Child(const char* name) const {
        auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* Interfaces() const { return Child<QComboBox>("Interfaces"); }
    QComboBox* Addresses() const { return Child<QComboBox>("Addresses"); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
    QStringList AddressTexts() const {
        QStringList texts;
        for (int i = 0; i < Addresses()->count(); ++i) texts << Addresses()->itemText(i);
        return texts;
    }
    // Runs the deferred deletion of a closed dialog.
    bool Gone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.isNull();
    }
    QString StoredInterface() {
        return settings.value(QStringLiteral("Setup"), QStringLiteral("Interface"),
                              QStringLiteral("none"));
    }

    QTemporaryDir folder;
    SettingsStore settings{folder.filePath(QStringLiteral("settings.ini"))};
    std::vector<std::string> log;
    InterfaceTable interfaces;
    TestInterface* serialPort = nullptr;
    bool preferencesOpen = false;
    QPointer<TfrmPreferences> dialog;
};

TEST_F(PreferencesTest, OpensOnTheCurrentInterfaceWithItsAddressInUse) {
    interfaces.Select(kSerial);
    interfaces.BaseAddresses[kSerial] = 3;
    log.clear();
    Open();
    EXPECT_TRUE(preferencesOpen);
    EXPECT_EQ(dialog->windowTitle(), "Configure I/O");
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(Child<QGroupBox>("grpInterface")->title(), "Interface");
    EXPECT_EQ(Child<QLabel>("lblBaseAddress")->text(), "Base Address");
    EXPECT_EQ(Button("btnOK")->text(), "OK");
    EXPECT_EQ(Button("btnCancel")->text(), "Cancel");
    ASSERT_EQ(Interfaces()->count(), 4);
    EXPECT_EQ(Interfaces()->itemText(kNull), "Non-active Demo interface");
    EXPECT_EQ(Interfaces()->itemText(kEmpty), "Empty");
    EXPECT_EQ(Interfaces()->currentIndex(), kSerial);
    EXPECT_EQ(AddressTexts(), QStringList({"COM1", "COM2", "COM3"}));
    EXPECT_EQ(Addresses()->currentIndex(), 2);
    EXPECT_TRUE(log.empty()) << log.front();
}

TEST_F(PreferencesTest, ChoosingAnInterfaceShowsItsOptions) {
    struct Case {
        int interface;
        QStringList addresses;
        int selected;
        bool routine;
        QString caption;
    };
    const std::vector<Case> cases = {
        {kCard, {"200h", "300h", "300h (alias)", "310h"}, 2, false, ""},
        {kSerial, {"COM1", "COM2", "COM3"}, 1, true, "Find Port"},
        {kEmpty, {}, -1, false, ""},
        {kNull, {"0 - 0*"}, 0, false, ""},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interface);
        Interfaces()->setCurrentIndex(c.interface);
        EXPECT_EQ(AddressTexts(), c.addresses);
        EXPECT_EQ(Addresses()->currentIndex(), c.selected);
        const bool any = !c.addresses.isEmpty();
        EXPECT_EQ(Addresses()->isEnabled(), any);
        EXPECT_EQ(Button("btnOK")->isEnabled(), any);
        EXPECT_EQ(Button("btnRoutine")->isVisible(), c.routine);
        if (c.routine) {
            EXPECT_EQ(Button("btnRoutine")->text(), c.caption);
        }
    }
}

TEST_F(PreferencesTest, TheAddressInUseShowsAsTheHighestMatchingChoiceOrTheFirst) {
    struct Case {
        int interface;
        int32_t address;
        int index;
    };
    const std::vector<Case> cases = {
        {kCard, 0x200, 0}, {kCard, 0x300, 2}, {kCard, 0x310, 3}, {kCard, 0x999, 0},
        {kSerial, 3, 2},   {kSerial, -1, 0},  {kNull, 0, 0},     {kEmpty, 0, -1},  // no choice
    };
    for (const Case& c : cases) {
        interfaces.BaseAddresses[c.interface] = c.address;
        Open();
        Interfaces()->setCurrentIndex(c.interface);
        EXPECT_EQ(Addresses()->currentIndex(), c.index)
            << "interface " << c.interface << " address " << c.address;
        dialog->close();
        ASSERT_TRUE(Gone());
    }
}

TEST_F(PreferencesTest, AnAddressMatchingNoChoiceIsShownAsTheFirst) {
    interfaces.BaseAddresses[kCard] = 0x3f8;
    Open();
    Interfaces()->setCurrentIndex(kCard);
    EXPECT_EQ(Addresses()->currentIndex(), 0);
    EXPECT_EQ(Addresses()->currentText(), "200h");
}

TEST_F(PreferencesTest, TheRoutineButtonSelectsThePositiveChoiceItReturns) {
    struct Case {
        int32_t result;
        int selected;  // starting from choice 1 (the default address 2)
    };
    // 0 and negative answers select nothing; neither does a choice the list does not have.
    const std::vector<Case> cases = {{2, 2}, {1, 1}, {0, 1}, {-4, 1}, {3, 1}, {99, 1}};
    Open();
    Interfaces()->setCurrentIndex(kSerial);
    for (const Case& c : cases) {
        Addresses()->setCurrentIndex(1);
        serialPort->routineResult = c.result;
        log.clear();
        QTest::mouseClick(Button("btnRoutine"), Qt::LeftButton);
        EXPECT_EQ(log, std::vector<std::string>{"Serial Routine"});
        EXPECT_EQ(Addresses()->currentIndex(), c.selected) << "routine answered " << c.result;
    }
}

TEST_F(PreferencesTest, OkOnTheSameInterfaceSetsTheAddressWithoutReopening) {
    interfaces.Select(kCard);
    log.clear();
    Open();
    Addresses()->setCurrentIndex(3);
    QTest::mouseClick(Button("btnOK"), Qt::LeftButton);
    EXPECT_EQ(log, std::vector<std::string>{"Card SetAddress 784"});
    EXPECT_EQ(interfaces.CurrentInterface(), kCard);
    EXPECT_EQ(interfaces.BaseAddresses[kCard], 0x310);
    EXPECT_EQ(StoredInterface(), "1");
    EXPECT_FALSE(preferencesOpen);
    EXPECT_TRUE(Gone());
}

TEST_F(PreferencesTest, OkOnAnotherInterfaceClosesTheOldAndOpensTheNew) {
    interfaces.Select(kCard);
    log.clear();
    Open();
    Interfaces()->setCurrentIndex(kSerial);
    Addresses()->setCurrentIndex(0);
    QTest::mouseClick(Button("btnOK"), Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"Card Close", "Serial Open", "Serial SetAddress 1"}));
    EXPECT_EQ(interfaces.CurrentInterface(), kSerial);
    EXPECT_EQ(interfaces.BaseAddresses[kSerial], 1);
    EXPECT_EQ(interfaces.BaseAddresses[kCard], 0x300);  // the old one keeps its address
    EXPECT_EQ(StoredInterface(), "2");
    EXPECT_FALSE(preferencesOpen);
    EXPECT_TRUE(Gone());
}

TEST_F(PreferencesTest, CancelChangesNothing) {
    interfaces.Select(kCard);
    log.clear();
    const auto addresses = interfaces.BaseAddresses;
    for (auto cancel : {+[](TfrmPreferences* d) {
                            QTest::mouseClick(d->findChild<QPushButton*>("btnCancel"),
                                              Qt::LeftButton);
                        },
                        +[](TfrmPreferences* d) { QTest::keyClick(d, Qt::Key_Escape); },
                        +[](TfrmPreferences* d) { d->close(); }}) {
        Open();
        Interfaces()->setCurrentIndex(kSerial);
        Addresses()->setCurrentIndex(2);
        cancel(dialog);
        EXPECT_FALSE(preferencesOpen);
        EXPECT_TRUE(Gone());
    }
    EXPECT_TRUE(log.empty()) << log.front();
    EXPECT_EQ(interfaces.CurrentInterface(), kCard);
    EXPECT_EQ(interfaces.BaseAddresses, addresses);
    EXPECT_EQ(StoredInterface(), "none");
}

TEST_F(PreferencesTest, AnInterfaceWithoutChoicesCannotBeConfirmed) {
    Open();
    Interfaces()->setCurrentIndex(kEmpty);
    EXPECT_FALSE(Button("btnOK")->isEnabled());
    QTest::keyClick(dialog, Qt::Key_Return);  // nor with the dialog's own key
    EXPECT_TRUE(log.empty()) << log.front();
    EXPECT_EQ(interfaces.CurrentInterface(), kNull);
    EXPECT_TRUE(preferencesOpen);
    EXPECT_FALSE(Gone());
    dialog->close();
}

TEST_F(PreferencesTest, TheAddressListSwallowsEveryKey) {
    Open();
    Interfaces()->setCurrentIndex(kCard);
    QComboBox* addresses = Addresses();
    addresses->setFocus();
    ASSERT_EQ(addresses->currentIndex(), 2);
    const std::vector<std::pair<int, Qt::KeyboardModifiers>> keys = {
        {Qt::Key_Down, Qt::NoModifier},     {Qt::Key_Up, Qt::NoModifier},
        {Qt::Key_End, Qt::NoModifier},      {Qt::Key_Home, Qt::NoModifier},
        {Qt::Key_PageDown, Qt::NoModifier}, {Qt::Key_PageUp, Qt::NoModifier},
        {Qt::Key_3, Qt::NoModifier},        {Qt::Key_2, Qt::NoModifier},
        {Qt::Key_Space, Qt::NoModifier},    {Qt::Key_F4, Qt::NoModifier},
        {Qt::Key_Down, Qt::AltModifier},    {Qt::Key_Backspace, Qt::NoModifier},
    };
    for (const auto& [key, modifiers] : keys) {
        QTest::keyClick(addresses, static_cast<Qt::Key>(key), modifiers);
        EXPECT_EQ(addresses->currentIndex(), 2) << "key " << key;
        EXPECT_FALSE(addresses->view()->isVisible()) << "key " << key << " opened the list";
    }
    QTest::keyClicks(addresses, "310h");
    EXPECT_EQ(addresses->currentIndex(), 2);

    // The interface list is an ordinary one: the same key moves it.
    QTest::keyClick(Interfaces(), Qt::Key_Down);
    EXPECT_EQ(Interfaces()->currentIndex(), kSerial);

    // Escape still cancels the dialog from the address list.
    addresses = Addresses();
    addresses->setFocus();
    QTest::keyClick(addresses, Qt::Key_Escape);
    EXPECT_FALSE(preferencesOpen);
    EXPECT_TRUE(Gone());
}

TEST_F(PreferencesTest, FinnishTexts) {
    FinnishTranslation finnishTexts;
    ASSERT_TRUE(finnishTexts.install());
    Open();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("I/O-asettelu"));
    EXPECT_EQ(Child<QGroupBox>("grpInterface")->title(), QString::fromUtf8("Liitäntä"));
    EXPECT_EQ(Child<QLabel>("lblBaseAddress")->text(), "Perusosoite");
    EXPECT_EQ(Button("btnCancel")->text(), "Peruuta");
    dialog->close();
}

}  // namespace
}  // namespace torvex::test

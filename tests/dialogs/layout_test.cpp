// How the dialogs sit on the screen, and that every text fits its box in both languages,
// on normal screens and on screens with large fonts.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOption>
#include <functional>

#include "dialogs/bit_shift_dialog.h"
#include "dialogs/counter_dialog.h"
#include "dialogs/function_dialog.h"
#include "dialogs/input_dialog.h"
#include "dialogs/output_dialog.h"
#include "dialogs/reset_dialog.h"
#include "dialogs/timer_dialog.h"
#include "tests/dialogs/editor_side.h"
#include "tests/support/layout_faults.h"

namespace torvex::test {
namespace {

struct Form {
    const char* name;
    std::function<QDialog*(EditorSide&, FunctionDialogContext&, bool largeFonts)> make;
    QSize size;           // client size on a normal screen
    int largeFontsWidth;  // client width with large fonts; 0 where the form grows by a quarter
};

template <class Dialog>
auto Maker(int tool) {
    return [tool](EditorSide& side, FunctionDialogContext&, bool largeFonts) -> QDialog* {
        side.PrepareNew(tool);
        side.context.largeFonts = largeFonts;
        return side.Open<Dialog>();
    };
}

const Form kForms[] = {
    {"TfrmInput", Maker<TfrmInput>(1), {548, 341}, 0},
    {"TfrmOutput", Maker<TfrmOutput>(3), {322, 291}, 0},
    {"TfrmReset", Maker<TfrmReset>(4), {221, 341}, 0},
    {"TfrmTimer", Maker<TfrmTimer>(7), {182, 255}, 231},
    {"TfrmCounter", Maker<TfrmCounter>(8), {263, 209}, 327},
    {"TfrmBitShift", Maker<TfrmBitShift>(9), {265, 323}, 321},
    {"TfrmFunction",
     [](EditorSide&, FunctionDialogContext& context, bool largeFonts) -> QDialog* {
         context.largeFonts = largeFonts;
         auto* dialog = new TfrmFunction(context, Control::NOC, 0, 3);
         dialog->show();
         return dialog;
     },
     {329, 124},
     0},
};

class Layout : public EditorSide {
protected:
    IOComments comments;
    bool functionOpen = false;
    bool controlDialogOpen = false;
    FunctionDialogContext functionContext{comments, functionOpen, controlDialogOpen};
};

TEST_F(Layout, EveryFormIsAFixedModelessWindowOnTopWithoutBorderIcons) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.name);
        QDialog* dialog = form.make(*this, functionContext, false);
        EXPECT_EQ(dialog->size(), form.size);
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(dialog->pos(), QPoint(screen.width() / 2 - form.size.width() / 2,
                                        screen.height() / 2 - form.size.height() / 2));
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
        EXPECT_FALSE(dialog->isModal());
        EXPECT_TRUE(dialog->testAttribute(Qt::WA_DeleteOnClose));
        dialog->close();
    }
}

TEST_F(Layout, LargeFontsWidenTheForms) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.name);
        QDialog* dialog = form.make(*this, functionContext, true);
        if (form.largeFontsWidth) {
            EXPECT_EQ(dialog->width(), form.largeFontsWidth);
        } else {
            EXPECT_NEAR(dialog->width(), form.size.width() * 1.25, 1);
            EXPECT_NEAR(dialog->height(), form.size.height() * 1.25, 2);
        }
        EXPECT_GT(dialog->height(), form.size.height());
        dialog->close();
    }
}

// Large fonts draw the system font a quarter larger, as a 120-dpi screen does.
TEST_F(Layout, EveryTextFitsInBothLanguagesAndWithLargeFonts) {
    const QFont normal = QApplication::font();
    for (bool finnish : {false, true}) {
        std::unique_ptr<FinnishTexts> texts;
        if (finnish) texts = std::make_unique<FinnishTexts>();
        for (bool largeFonts : {false, true}) {
            QFont font = normal;
            font.setPointSizeF(normal.pointSizeF() * (largeFonts ? kLargeFontScale : 1.0));
            QApplication::setFont(font);
            for (const Form& form : kForms) {
                SCOPED_TRACE(std::string(form.name) + (finnish ? " fi" : " en") +
                             (largeFonts ? " large fonts" : ""));
                QDialog* dialog = form.make(*this, functionContext, largeFonts);
                EXPECT_EQ(LayoutFaults(dialog), std::vector<std::string>{});
                dialog->close();
            }
        }
    }
    QApplication::setFont(normal);
}

// Where the text of each radio button, check box and label of `window` needs more room
// than it has: its indicator and text must fit its own width and, with the air that a
// layout leaves between two widgets, the distance to the next control on its right in the
// same row and to the right edge of its box.
std::vector<std::string> CrowdedTexts(QWidget* window) {
    std::vector<std::string> faults;
    QList<QWidget*> named;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && w->isVisibleTo(window)) named << w;
    for (QWidget* w : named) {
        const QFontMetrics fm = w->fontMetrics();
        QStyle* style = w->style();
        int needed = 0;
        if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w) +
                     fm.horizontalAdvance(radio->text());
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            needed = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                     style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w) +
                     fm.horizontalAdvance(check->text());
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            // A wrapped label needs room for its longest word.
            const QStringList words = label->wordWrap() ? label->text().split(QLatin1Char(' '))
                                                        : QStringList{label->text()};
            for (const QString& word : words) needed = std::max(needed, fm.horizontalAdvance(word));
            needed += label->width() - label->contentsRect().width();
        } else {
            continue;
        }
        const int air = style->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, w);
        const QRect box = w->geometry();
        int room = box.width();
        std::string against = "its width";
        auto limit = [&](int right, const std::string& what) {
            if (right - air - box.x() < room) {
                room = right - air - box.x();
                against = what;
            }
        };
        limit(w->parentWidget()->width(),
              "the edge of " + w->parentWidget()->objectName().toStdString());
        for (QWidget* other : named) {
            const QRect o = other->geometry();
            if (other != w && other->parentWidget() == w->parentWidget() && o.x() > box.x() &&
                o.top() <= box.bottom() && box.top() <= o.bottom())
                limit(o.x(), other->objectName().toStdString());
        }
        if (needed > room)
            faults.push_back(w->objectName().toStdString() + " needs " + std::to_string(needed) +
                             ", has " + std::to_string(room) + " (" + against + ")");
    }
    return faults;
}

// A screen's scale is fixed when the application starts, so each scale's checks run in a
// child process of this program.
TEST_F(Layout, EveryTextHasRoomBeforeTheNextControlAtEveryScale) {
    if (qEnvironmentVariableIsSet("TORVEX_LAYOUT_SCALE")) {
        const QFont normal = QApplication::font();
        for (bool finnish : {false, true}) {
            std::unique_ptr<FinnishTexts> texts;
            if (finnish) texts = std::make_unique<FinnishTexts>();
            for (bool largeFonts : {false, true}) {
                QFont font = normal;
                font.setPointSizeF(normal.pointSizeF() * (largeFonts ? kLargeFontScale : 1.0));
                QApplication::setFont(font);
                for (const Form& form : kForms) {
                    SCOPED_TRACE(std::string(form.name) + (finnish ? " fi" : " en") +
                                 (largeFonts ? " large fonts" : "") + " at scale " +
                                 qgetenv("QT_SCALE_FACTOR").toStdString());
                    QDialog* dialog = form.make(*this, functionContext, largeFonts);
                    EXPECT_EQ(CrowdedTexts(dialog), std::vector<std::string>{});
                    dialog->close();
                }
            }
        }
        QApplication::setFont(normal);
        return;
    }
    for (const char* scale : {"1", "1.5", "2"}) {
        SCOPED_TRACE(std::string("QT_SCALE_FACTOR=") + scale);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(scale));
        environment.insert(QStringLiteral("TORVEX_LAYOUT_SCALE"), QLatin1String(scale));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=%1.%2")
                 .arg(QLatin1String(test->test_suite_name()), QLatin1String(test->name()))});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
    }
}

}  // namespace
}  // namespace torvex::test

// How the dialogs sit on the screen, and that every text fits its box in both languages,
// on normal screens and on screens with large fonts.

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
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

namespace torvex::test {
namespace {

// What is wrong with the layout of `window`: named widgets outside their parent, over a
// sibling, or too small for their text.
std::vector<std::string> LayoutFaults(QWidget* window) {
    std::vector<std::string> faults;
    auto fault = [&](QWidget* w, const std::string& what) {
        faults.push_back(w->objectName().toStdString() + ": " + what);
    };
    QList<QWidget*> named;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && w->isVisibleTo(window)) named << w;

    for (QWidget* w : named) {
        const QFontMetrics fm = w->fontMetrics();
        if (!w->parentWidget()->rect().contains(w->geometry())) fault(w, "outside its parent");
        for (QWidget* other : named)
            if (other != w && other->parentWidget() == w->parentWidget() &&
                other->geometry().intersects(w->geometry()) && w < other)
                fault(w, "overlaps " + other->objectName().toStdString());
        if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(radio);
            opt.text = radio->text();
            const QRect text =
                radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, radio);
            if (fm.horizontalAdvance(radio->text()) > text.width()) fault(w, "text cut");
            if (fm.height() > radio->height()) fault(w, "too low");
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            const QRect inside = label->contentsRect();
            if (label->wordWrap()) {
                if (label->heightForWidth(inside.width()) > inside.height()) fault(w, "lines cut");
                for (const QString& word : label->text().split(QLatin1Char(' ')))
                    if (fm.horizontalAdvance(word) > inside.width()) fault(w, "word cut");
            } else {
                if (fm.horizontalAdvance(label->text()) > inside.width()) fault(w, "text cut");
                if (fm.height() > inside.height()) fault(w, "too low");
            }
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (fm.horizontalAdvance(group->title()) + 12 > group->width()) fault(w, "title cut");
            for (QWidget* child : named)
                if (child->parentWidget() == group && child->y() < fm.height())
                    fault(child, "over the title of " + group->objectName().toStdString());
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox opt;
            opt.initFrom(list);
            opt.editable = false;
            opt.frame = true;
            const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                              QStyle::SC_ComboBoxEditField, list);
            for (int i = 0; i < list->count(); ++i)
                if (fm.horizontalAdvance(list->itemText(i)) + 2 > field.width())
                    fault(w, "item cut: " + list->itemText(i).toStdString());
            if (fm.height() > field.height()) fault(w, "too low");
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int margin =
                button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            if (fm.horizontalAdvance(button->text()) + 2 * margin > button->width())
                fault(w, "text cut");
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (fm.height() + 4 > edit->height()) fault(w, "too low");
        }
    }
    return faults;
}

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

}  // namespace
}  // namespace torvex::test

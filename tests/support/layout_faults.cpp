#include "tests/support/layout_faults.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>

namespace torvex::test {

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

}  // namespace torvex::test

#include "dialogs/dialog_frame.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cmath>

namespace torvex {

namespace {

class ReturnKeyFilter final : public QObject {
public:
    ReturnKeyFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

}  // namespace

int DesignScale::operator()(int designPixels) const {
    return static_cast<int>(std::lround(designPixels * factor_));
}

QRect DesignScale::operator()(int x, int y, int width, int height) const {
    const int left = (*this)(x), top = (*this)(y);
    return QRect(left, top, (*this)(x + width) - left, (*this)(y + height) - top);
}

void ScaleDesign(QWidget* form, const DesignScale& at) {
    if (at.factor() == 1.0) return;
    // The form names every widget it makes; widgets that Qt makes inside them have no name.
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->isWindow() || w->objectName().isEmpty()) continue;
        const QRect g = w->geometry();
        w->setGeometry(at(g.x(), g.y(), g.width(), g.height()));
    }
}

void SetUpDialogWindow(QDialog* dialog) {
    // A title bar without the system menu, the minimise, maximise or close boxes.
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog->setModal(false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
}

void CentreOnScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        window->move(s.x() + s.width() / 2 - window->width() / 2,
                     s.y() + s.height() / 2 - window->height() / 2);
    }
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& title, QRect geometry) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(geometry);
    return group;
}

QRadioButton* MakeRadio(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(name);
    radio->setGeometry(geometry);
    return radio;
}

QComboBox* MakeList(QWidget* parent, const QString& name, const QStringList& items,
                    QRect geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    list->addItems(items);
    list->setMaxVisibleItems(16);
    list->setGeometry(geometry);
    return list;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(geometry);
    return button;
}

}  // namespace torvex

namespace torvex {

void OnReturnKey(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new ReturnKeyFilter(widget, std::move(action)));
}

}  // namespace torvex

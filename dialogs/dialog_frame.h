// How every dialog of this layer sits on the screen: a modeless window with a single fixed
// border and no border icons, on top of the others, laid out in the design pixels of the
// forms it follows and centred on the screen.
#pragma once

#include <QDialog>
#include <QRect>
#include <QStringList>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace torvex {

// The forms' outer widths were made for a single border of 3 pixels on each side; the client
// area, which is what Qt sizes, is the outer width less those two.
constexpr int kFrameWidth = 3;
constexpr int ClientWidth(int outerWidth) {
    return outerWidth - 2 * kFrameWidth;
}

// A screen with large fonts (the start-up flag) draws text a quarter larger; forms that have
// no wider size of their own grow by as much, so their texts still fit their boxes.
constexpr double kLargeFontScale = 1.25;

// Design pixels to widget pixels.
class DesignScale {
public:
    explicit DesignScale(double factor = 1.0) : factor_(factor) {}
    double factor() const { return factor_; }
    int operator()(int designPixels) const;
    // Edges are scaled rather than sizes, so boxes that touch in the design still touch.
    QRect operator()(int x, int y, int width, int height) const;

private:
    double factor_;
};

// Widgets that a Designer form placed at design pixels, moved and sized by `at`.
void ScaleDesign(QWidget* form, const DesignScale& at);

// Window flags, modeless, frees itself when closed.
void SetUpDialogWindow(QDialog* dialog);

// Left and top = half the screen's width and height less half the window's.
void CentreOnScreen(QWidget* window);

// Widgets at design geometry, named after the components they stand for.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry);
QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& title, QRect geometry);
QRadioButton* MakeRadio(QWidget* parent, const QString& name, const QString& text, QRect geometry);
// A drop-down list that takes no typed text.
QComboBox* MakeList(QWidget* parent, const QString& name, const QStringList& items, QRect geometry);
// No button is a default one: Return means only what the edit box it is typed in says.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect geometry);

// Return and Enter in `widget` are swallowed and run `action` instead.
void OnReturnKey(QWidget* widget, std::function<void()> action);

}  // namespace torvex

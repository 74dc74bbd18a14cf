// The splash form shown at start-up; its first timer tick runs the first half of the
// program's initialisation.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class QLabel;

namespace torvex {

class TfrmIntro : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        // Builds the interface table and the simulation menus, selects interface 0.
        std::function<void()> initialise;
        // Enables the main window's start-up timer for its second tick.
        std::function<void()> continueStartUp;
        // Large fonts were detected: the main window's logo menu takes the larger images.
        std::function<void()> useLargeLogo;
        // Whether the main window is on screen.
        std::function<bool()> mainWindowVisible;
        // The form closed.
        std::function<void()> closed;
    };

    // `logicalDpi` is the screen's font resolution (96 for normal fonts).
    TfrmIntro(Hooks hooks, qreal logicalDpi, QWidget* parent = nullptr);

    bool LargeFonts() const { return largeFonts_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tmrStartTimer();
    void TimingTimer();

    QTimer tmrStart_;
    QTimer Timing_;
    QLabel* imgIntro_;
    QLabel* imgQuendale_;
    Hooks hooks_;
    bool largeFonts_ = false;
};

}  // namespace torvex

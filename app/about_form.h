// Help > About TORVEX.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace torvex {

class ClickableLabel;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    // `openLink` opens a web or mail address; `closed` runs when the form closes.
    TfrmAbout(bool largeFonts, std::function<void(const QString&)> openLink,
              std::function<void()> closed, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void lblVersionNumberDblClick();

    QLabel* lblTitle_;
    QLabel* Piccy_;
    QLabel* lblVersion_;
    ClickableLabel* lblVersionNumber_;
    ClickableLabel* lblWebLink_;
    ClickableLabel* lblEmailLink_;
    QPushButton* btnOK_;
    std::function<void(const QString&)> openLink_;
    std::function<void()> closed_;
};

}  // namespace torvex

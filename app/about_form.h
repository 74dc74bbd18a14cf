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

    QLabel* lblTitle;
    QLabel* Piccy;
    QLabel* lblVersion;
    ClickableLabel* lblVersionNumber;
    ClickableLabel* lblWebLink;
    ClickableLabel* lblEmailLink;
    QPushButton* btnOK;

    void lblVersionNumberDblClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void(const QString&)> openLink_;
    std::function<void()> closed_;
};

}  // namespace torvex

// Help > Contact Details.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace torvex {

class ClickableLabel;

class TfrmInformation : public QDialog {
    Q_OBJECT
public:
    TfrmInformation(std::function<void(const QString&)> openLink, QWidget* parent = nullptr);

private:
    QLabel* imgLogo_;
    QLabel* lblInstruction_;
    ClickableLabel* lblLink_;
    QPushButton* btnOK_;
};

}  // namespace torvex

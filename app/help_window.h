// The help viewer: our HTML pages, bundled with the program, in a browser window.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace torvex {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContents();
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace torvex

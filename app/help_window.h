// The help viewer: our HTML pages, bundled with the program, in a browser window. The
// plants' pages are made from their descriptions when they are opened.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace torvex {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The plants' pages are in Finnish when `finnish`.
    explicit HelpWindow(QWidget* parent = nullptr, bool finnish = false);

    void showContents();
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace torvex

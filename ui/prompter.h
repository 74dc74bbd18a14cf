// The one way the windows ask the user something: message boxes and file dialogs go
// through a Prompter, so that tests can answer them without a person.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace torvex {

class Prompter {
public:
    enum class Icon { Information, Warning, Question, Error };
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    virtual ~Prompter() = default;

    // A modal message box with the given buttons; returns the button chosen (Cancel when
    // the box was closed without a choice and Cancel is among the buttons, else No or Ok).
    virtual Button message(QWidget* parent, Icon icon, const QString& text, int buttons) = 0;

    // Open and save dialogs; an empty result means cancelled. `filter` uses Qt's
    // "Name (*.ext);;Other (*)" form.
    struct FileRequest {
        QString title;
        QString folder;
        QString filter;
        QString defaultSuffix;
    };
    virtual QString openFileName(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const FileRequest& request) = 0;
    // The print dialog: true when the user chose to print, with `printer` set up.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;

    // Shorthands for the common boxes.
    void inform(QWidget* parent, const QString& text) {
        message(parent, Icon::Information, text, Ok);
    }
    void warn(QWidget* parent, const QString& text) { message(parent, Icon::Warning, text, Ok); }
    void error(QWidget* parent, const QString& text) { message(parent, Icon::Error, text, Ok); }
    bool confirm(QWidget* parent, const QString& text) {
        return message(parent, Icon::Question, text, Yes | No) == Yes;
    }
};

// The real dialogs: QMessageBox and QFileDialog, captioned with the application's title.
class WidgetPrompter final : public Prompter {
public:
    Button message(QWidget* parent, Icon icon, const QString& text, int buttons) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};

}  // namespace torvex

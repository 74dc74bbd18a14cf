// A Prompter for tests: records every box and dialog, and answers from a script.
#pragma once

#include <deque>
#include <vector>

#include <QPrinter>

#include "ui/prompter.h"

namespace torvex::test {

class ScriptedPrompter final : public Prompter {
public:
    struct Shown {
        Icon icon;
        QString text;
        int buttons;
    };
    std::vector<Shown> shown;
    std::deque<Button> answers;  // taken in order; when empty, OK or Yes (the proceeding answer)
    std::vector<FileRequest> requests;
    std::deque<QString> files;  // answers of file dialogs; when empty, cancelled

    Button message(QWidget*, Icon icon, const QString& text, int buttons) override {
        shown.push_back({icon, text, buttons});
        if (!answers.empty()) {
            const Button b = answers.front();
            answers.pop_front();
            return b;
        }
        if (buttons & Ok) return Ok;
        if (buttons & Yes) return Yes;
        return Cancel;
    }
    QString openFileName(QWidget*, const FileRequest& request) override {
        return nextFile(request);
    }
    QString saveFileName(QWidget*, const FileRequest& request) override {
        return nextFile(request);
    }

    // Print requests: each answered by `printTo`, a PDF file; cancelled when it is empty.
    QString printTo;
    int printRequests = 0;
    bool choosePrinter(QWidget*, QPrinter& printer) override;

    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }

private:
    QString nextFile(const FileRequest& request) {
        requests.push_back(request);
        if (files.empty()) return {};
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

inline bool ScriptedPrompter::choosePrinter(QWidget*, QPrinter& printer) {
    ++printRequests;
    if (printTo.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printTo);
    return true;
}

}  // namespace torvex::test

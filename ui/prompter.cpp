#include "ui/prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace torvex {

namespace {

QMessageBox::Icon ToQt(Prompter::Icon icon) {
    switch (icon) {
        case Prompter::Icon::Information:
            return QMessageBox::Information;
        case Prompter::Icon::Warning:
            return QMessageBox::Warning;
        case Prompter::Icon::Question:
            return QMessageBox::Question;
        case Prompter::Icon::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString Caption() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("TORVEX") : name;
}

}  // namespace

Prompter::Button WidgetPrompter::message(QWidget* parent, Icon icon, const QString& text,
                                         int buttons) {
    QMessageBox box(ToQt(icon), Caption(), text, QMessageBox::NoButton, parent);
    struct Pair {
        Button ours;
        QMessageBox::StandardButton qt;
    };
    const Pair pairs[] = {{Yes, QMessageBox::Yes},
                          {No, QMessageBox::No},
                          {Ok, QMessageBox::Ok},
                          {Cancel, QMessageBox::Cancel}};
    for (const Pair& p : pairs)
        if (buttons & p.ours) box.addButton(p.qt);
    if (buttons & Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons & No)
        box.setEscapeButton(QMessageBox::No);
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Pair& p : pairs)
        if (chosen == p.qt) return p.ours;
    if (buttons & Cancel) return Cancel;
    return (buttons & No) ? No : Ok;
}

QString WidgetPrompter::openFileName(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString WidgetPrompter::saveFileName(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The overwrite question is the dialog's own (it is on unless DontConfirmOverwrite).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

bool WidgetPrompter::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace torvex

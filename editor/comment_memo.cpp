#include "editor/comment_memo.h"

#include <QKeyEvent>
#include <QMimeData>

namespace torvex {

QString CleanComment(const QString& text, int max) {
    QString clean;
    clean.reserve(text.size());
    for (QChar ch : text) {
        const bool control = ch.category() == QChar::Other_Control || ch == QChar::LineSeparator ||
                             ch == QChar::ParagraphSeparator;
        clean.append(control ? QChar(u' ') : ch);
    }
    return clean.left(max);
}

CommentMemo::CommentMemo(int number, QWidget* parent) : QPlainTextEdit(parent), number_(number) {
    setFixedSize(433, 49);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CommentMemo::setComment(const QString& text) {
    const QSignalBlocker quiet(this);
    setPlainText(CleanComment(text, kMaxLength));
}

void CommentMemo::insertClean(const QString& text) {
    const int room = kMaxLength - (toPlainText().size() - textCursor().selectedText().size());
    if (room <= 0) return;
    insertPlainText(CleanComment(text, room));
}

void CommentMemo::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(number_);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // no line breaks
    const QString text = event->text();
    const bool shortcut =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcut && !text.isEmpty() && text.at(0).category() != QChar::Other_Control) {
        insertClean(text);  // typed text, within the length limit
        return;
    }
    // Shortcuts (paste is cleaned on its way in), moving and deleting keys work as usual.
    QPlainTextEdit::keyPressEvent(event);
}

bool CommentMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void CommentMemo::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) insertClean(source->text());
}

void CommentMemo::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit entered(number_);
}

void CommentMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    emit exited(number_);
}

}  // namespace torvex

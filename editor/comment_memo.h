// A rung comment's edit box: at most 210 characters on one line of text, no line breaks
// and no control characters, wrapped to the width of the rung above it.
#pragma once

#include <QPlainTextEdit>

namespace torvex {

class CommentMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    CommentMemo(int number, QWidget* parent = nullptr);

    static constexpr int kMaxLength = 210;
    int number() const { return number_; }  // 1 = MemoA ... 5 = MemoE
    void setComment(const QString& text);

signals:
    void entered(int number);
    void keyPressed(int number);
    void exited(int number);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    void insertClean(const QString& text);
    int number_;
};

// `text` without line breaks and control characters (each becomes a space, so words stay
// apart), cut to `max` characters.
QString CleanComment(const QString& text, int max);

}  // namespace torvex

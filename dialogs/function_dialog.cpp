#include "dialogs/function_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/ladder.h"
#include "ui/ansi_text.h"

namespace torvex {

namespace {

enum Table { kNone = -1, kInput = 0, kOutput, kFlag, kTimer, kCounter, kRegister };

// The words of the caption, by table; they read the same in both languages.
const char* const kTableNames[] = {"Input ", "Output ",  "Flags ",
                                   "Timer ", "Counter ", "Shift Register "};

// A comment is one line of plain text in the diagram file: no control characters.
QString Printable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text)
        if (ch.category() != QChar::Other_Control) out.append(ch);
    return out;
}

// The comment memo: at most kIOCommentMax characters, Enter stores.
class CommentMemo final : public QPlainTextEdit {
public:
    CommentMemo(QWidget* parent, std::function<void()> enter)
        : QPlainTextEdit(parent), enter_(std::move(enter)) {
        setTabChangesFocus(true);
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // The last guard, for input that comes neither as keys nor as pasted text.
        connect(this, &QPlainTextEdit::textChanged, this, [this] { Enforce(); });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // TheTextKeyPress: Enter is swallowed and acts as Store.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            enter_();
            return;
        }
        const QString typed = event->text();
        if (!typed.isEmpty() && typed.at(0).category() != QChar::Other_Control &&
            Room() < typed.size())
            return;
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (!source->hasText()) return;
        insertPlainText(Printable(source->text()).left(std::max<qsizetype>(0, Room())));
    }

private:
    // Characters that may still be added in place of the selection.
    qsizetype Room() const {
        const QTextCursor cursor = textCursor();
        return kIOCommentMax - (document()->characterCount() - 1) +
               (cursor.selectionEnd() - cursor.selectionStart());
    }

    void Enforce() {
        const QString text = toPlainText();
        const QString kept = Printable(text).left(kIOCommentMax);
        if (kept == text) return;
        const int position = std::min<int>(textCursor().position(), kept.size());
        setPlainText(kept);
        QTextCursor cursor = textCursor();
        cursor.setPosition(position);
        setTextCursor(cursor);
    }

    std::function<void()> enter_;
};

}  // namespace

TfrmFunction::TfrmFunction(const FunctionDialogContext& context, int32_t code, int32_t kind,
                           int32_t index, QWidget* parent)
    : QDialog(parent), context_(context) {
    SetUpDialogWindow(this);
    setObjectName(QStringLiteral("frmFunction"));
    const DesignScale at(context.largeFonts ? kLargeFontScale : 1.0);
    TheText = new CommentMemo(this, [this] { btnStoreClick(); });
    TheText->setObjectName(QStringLiteral("TheText"));
    TheText->setGeometry(at(0, 0, 329, 89));
    btnStore =
        MakeButton(this, QStringLiteral("btnStore"), QStringLiteral("Store"), at(80, 96, 75, 23));
    btnCancel = MakeButton(this, QStringLiteral("btnCancel"), QStringLiteral("Cancel"),
                           at(168, 96, 75, 23));
    connect(btnStore, &QPushButton::clicked, this, &TfrmFunction::btnStoreClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmFunction::btnCancelClick);

    // The memo's width + twice its left, the Store button's bottom + 5.
    const QRect memo = TheText->geometry(), store = btnStore->geometry();
    setFixedSize(memo.width() + 2 * memo.x(), store.y() + store.height() + at(5));
    CentreOnScreen(this);

    FormCreate(code, kind, index);
}

void TfrmFunction::FormCreate(int32_t code, int32_t kind, int32_t index) {
    switch (code) {
        case Control::NOC:
        case Control::NCC:
            if (kind == ContactKind::Input)
                Select(kInput, index);
            else if (kind == ContactKind::Output)
                Select(kOutput, index);
            else if (kind == ContactKind::Flag)
                Select(kFlag, index);
            else if (kind >= ContactKind::Register1 && kind <= ContactKind::Register4)
                Select(kRegister, kind - ContactKind::Register1 + 1);
            else if (kind == ContactKind::CounterUp || kind == ContactKind::CounterDown)
                Select(kCounter, index);
            else if (kind == ContactKind::TimerDone)
                Select(kTimer, index);
            break;
        case Control::RES:
            if (kind == ResetKind::Timer)
                Select(kTimer, index);
            else if (kind == ResetKind::Counter)
                Select(kCounter, index);
            else if (kind >= ResetKind::Register1 && kind <= ResetKind::Register4)
                Select(kRegister, kind - ResetKind::Register1 + 1);
            break;
        case Control::OUT:
        case Control::LAT:
        case Control::UNL:
            if (kind == CoilKind::Output)
                Select(kOutput, index);
            else if (kind == CoilKind::Flag)
                Select(kFlag, index);
            else if (kind >= CoilKind::Register1 && kind <= CoilKind::Register4)
                Select(kRegister, kind - CoilKind::Register1 + 1);
            break;
        case Control::TIM:
        case Control::ODT:
        case Control::TBT:
            Select(kTimer, index);
            break;
        case Control::CUP:
        case Control::CDN:
        case Control::CBT:
            Select(kCounter, index);
            break;
        default:
            if (IsShift(code)) Select(kRegister, ShiftRegisterOf(code));
            break;
    }
    // With nothing selected the caption is the form's own, "Function", and Store stores
    // nothing.
    setWindowTitle((table_ == kNone ? QStringLiteral("Function") : windowTitle()) +
                   QStringLiteral(" Comment"));
    context_.functionOpen = true;
    context_.controlDialogOpen = true;
}

void TfrmFunction::Select(int table, int number) {
    // An operand outside its table names no element.
    const std::string* comment = IOCommentSlot(context_.comments, table, number);
    if (!comment) return;
    table_ = table;
    number_ = number;
    setWindowTitle(QLatin1String(kTableNames[table]) + QString::number(number));
    TheText->setPlainText(FromAnsi(*comment));
}

void TfrmFunction::btnStoreClick() {
    // StoreInput ... StoreShiftRegister.
    if (std::string* comment = IOCommentSlot(context_.comments, table_, number_))
        *comment = IOCommentText(ToAnsi(TheText->toPlainText()));
    close();
}

void TfrmFunction::btnCancelClick() {
    close();
}

void TfrmFunction::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    context_.functionOpen = false;
    context_.controlDialogOpen = false;
}

void TfrmFunction::reject() {
    close();
}

}  // namespace torvex

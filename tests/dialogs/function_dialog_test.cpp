// The I/O comment dialog: which element a control names, and how its comment is edited.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "dialogs/function_dialog.h"
#include "tests/dialogs/editor_side.h"
#include "ui/ansi_text.h"

namespace torvex::test {
namespace {

class FunctionDialog : public ::testing::Test {
protected:
    TfrmFunction* Open(const Cell& cell) {
        const auto [code, kind, index] = cell;
        dialog = new TfrmFunction(context, code, kind, index);
        dialog->show();
        return dialog;
    }
    bool Gone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.isNull();
    }

    IOComments comments;
    bool functionOpen = false;
    bool controlDialogOpen = false;
    FunctionDialogContext context{comments, functionOpen, controlDialogOpen};
    QPointer<TfrmFunction> dialog;
};

TEST_F(FunctionDialog, TheElementComesFromCodeKindAndIndex) {
    const struct {
        const char* token;  // or a raw cell below when empty
        Cell raw;
        const char* caption;
        int table;
        int number;
    } cases[] = {
        {"NOC:F7", {}, "Flags 7 Comment", 2, 7},
        {"NCC:IP3", {}, "Input 3 Comment", 0, 3},
        {"NOC:OP0", {}, "Output 0 Comment", 1, 0},
        {"NOC:R2/9", {}, "Shift Register 2 Comment", 5, 2},
        {"NOC:C4/UP", {}, "Counter 4 Comment", 4, 4},
        {"NCC:C5/DN", {}, "Counter 5 Comment", 4, 5},
        {"NOC:T8/DN", {}, "Timer 8 Comment", 3, 8},
        {"RES:C3", {}, "Counter 3 Comment", 4, 3},
        {"RES:T2", {}, "Timer 2 Comment", 3, 2},
        {"RES:R4/1", {}, "Shift Register 4 Comment", 5, 4},
        {"OUT:OP15", {}, "Output 15 Comment", 1, 15},
        {"LAT:F1", {}, "Flags 1 Comment", 2, 1},
        {"UNL:R1/3", {}, "Shift Register 1 Comment", 5, 1},
        {"TIM:T6", {}, "Timer 6 Comment", 3, 6},
        {"ODT:T1", {}, "Timer 1 Comment", 3, 1},
        {"CUP:C2", {}, "Counter 2 Comment", 4, 2},
        {"CDN:C8", {}, "Counter 8 Comment", 4, 8},
        {"BR4:IP0", {}, "Shift Register 4 Comment", 5, 4},
        {"BL2:C3/UP", {}, "Shift Register 2 Comment", 5, 2},
        {"", {Control::TBT, 0, 3}, "Timer 3 Comment", 3, 3},
        {"", {Control::CBT, 0, 7}, "Counter 7 Comment", 4, 7},
        {"", {Control::NON, 0, 0}, "Function Comment", -1, 0},
        {"", {Control::BBT, 6, 20}, "Function Comment", -1, 0},
        {"", {Control::LNK, 0, 0}, "Function Comment", -1, 0},
        {"", {23, 0, 1}, "Function Comment", -1, 0},
        {"", {Control::NOC, 10, 1}, "Function Comment", -1, 0},
        {"", {Control::RES, 6, 1}, "Function Comment", -1, 0},
        {"", {Control::OUT, 6, 1}, "Function Comment", -1, 0},
        {"", {Control::NOC, 0, 16}, "Function Comment", -1, 0},
        {"", {Control::TIM, 0, 9}, "Function Comment", -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        Open(*c.token ? Token(c.token) : c.raw);
        EXPECT_EQ(dialog->windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(dialog->SelectedTable(), c.table);
        if (c.table >= 0) {
            EXPECT_EQ(dialog->SelectedNumber(), c.number);
        }
        EXPECT_TRUE(functionOpen);
        EXPECT_TRUE(controlDialogOpen);
        Click(Find<QPushButton>(dialog, "btnCancel"));
        EXPECT_FALSE(functionOpen);
        EXPECT_FALSE(controlDialogOpen);
        EXPECT_TRUE(Gone());
    }
}

TEST_F(FunctionDialog, StoreKeepsTheTextAsWindowsBytes) {
    comments.FlagComments[7] = "Start";
    Open(Token("NOC:F7"));
    EXPECT_EQ(Find<QPlainTextEdit>(dialog, "TheText")->toPlainText(), "Start");
    Find<QPlainTextEdit>(dialog, "TheText")->selectAll();
    TypeText(Find<QPlainTextEdit>(dialog, "TheText"), QString::fromUtf8("Pääkytkin €"));
    QTest::mouseClick(Find<QPushButton>(dialog, "btnStore"), Qt::LeftButton);
    EXPECT_EQ(comments.FlagComments[7], "P\xE4\xE4kytkin \x80");
    EXPECT_FALSE(functionOpen);
    EXPECT_TRUE(Gone());
}

TEST_F(FunctionDialog, EnterStoresAndCloses) {
    Open(Token("RES:C3"));
    QTest::keyClicks(Find<QPlainTextEdit>(dialog, "TheText"), "Parts counted");
    QTest::keyClick(Find<QPlainTextEdit>(dialog, "TheText"), Qt::Key_Return);
    EXPECT_EQ(comments.CounterComments[3], "Parts counted");
    EXPECT_TRUE(Gone());
}

TEST_F(FunctionDialog, CancelLeavesTheCommentUnchanged) {
    comments.RegisterComments[4] = "Reject gate";
    Open(Token("BR4:IP0"));
    QTest::keyClicks(Find<QPlainTextEdit>(dialog, "TheText"), " and more");
    QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    EXPECT_EQ(comments.RegisterComments[4], "Reject gate");
    EXPECT_FALSE(controlDialogOpen);
    EXPECT_TRUE(Gone());
}

TEST_F(FunctionDialog, StoreWithNothingSelectedStoresNothing) {
    Open({Control::LNK, 0, 0});
    QTest::keyClicks(Find<QPlainTextEdit>(dialog, "TheText"), "lost");
    Click(Find<QPushButton>(dialog, "btnStore"));
    EXPECT_EQ(comments.InputComments[0], "");
    EXPECT_TRUE(Gone());
}

TEST_F(FunctionDialog, NoMoreThan200CharactersAndNoControlCharacters) {
    Open(Token("NOC:IP1"));
    QTest::keyClicks(Find<QPlainTextEdit>(dialog, "TheText"), QString(250, QLatin1Char('a')));
    EXPECT_EQ(Find<QPlainTextEdit>(dialog, "TheText")->toPlainText().size(), kIOCommentMax);

    // Pasted text loses its line breaks and tabs, and only what fits goes in.
    Find<QPlainTextEdit>(dialog, "TheText")->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("line one\r\nline\ttwo"));
    QTest::keyClick(Find<QPlainTextEdit>(dialog, "TheText"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Find<QPlainTextEdit>(dialog, "TheText")->toPlainText(), "line onelinetwo");
    Find<QPlainTextEdit>(dialog, "TheText")->setPlainText(QString(195, QLatin1Char('b')));
    Find<QPlainTextEdit>(dialog, "TheText")->moveCursor(QTextCursor::End);
    QTest::keyClick(Find<QPlainTextEdit>(dialog, "TheText"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Find<QPlainTextEdit>(dialog, "TheText")->toPlainText(),
              QString(195, QLatin1Char('b')) + "line ");

    // Text set another way is held to the same rules.
    Find<QPlainTextEdit>(dialog, "TheText")
        ->setPlainText(QStringLiteral("a\nb") + QString(300, QLatin1Char('c')));
    EXPECT_EQ(Find<QPlainTextEdit>(dialog, "TheText")->toPlainText(),
              QStringLiteral("ab") + QString(198, QLatin1Char('c')));
    Click(Find<QPushButton>(dialog, "btnStore"));
    EXPECT_EQ(comments.InputComments[1].size(), size_t(kIOCommentMax));
    EXPECT_EQ(comments.InputComments[1].find('\n'), std::string::npos);
}

}  // namespace
}  // namespace torvex::test

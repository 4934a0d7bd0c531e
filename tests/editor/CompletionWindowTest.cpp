#include "editor/CompletionWindow.h"
#include "editor/SourceEditor.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

TEST(CompletionWindow, WordsAreSortedWithoutRegardToCase) {
    EXPECT_EQ(completionWords(),
              QStringList({"caption", "deleteSelection", "findThis", "getItems", "getMovement", "getName",
                           "height", "left", "Name", "removeItems", "top", "useItems", "weight"}));
}

TEST(CompletionWindow, TypedTextPicksTheFirstWordBeginningWithIt) {
    const struct {
        QString typed;
        int expected;
    } cases[] = {
        {"g", 3},  {"getn", 5}, {"GETM", 4},   {"n", 8}, {"NAME", 8},
        {"w", 12}, {"x", -1},   {"namex", -1}, {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(completionIndex(completionWords(), c.typed), c.expected) << c.typed.toStdString();
}

namespace {

struct Completion {
    SourceEditor editor;
    CompletionWindow window{editor};

    Completion() {
        editor.setLines({"x.ab", "y"});
        editor.resize(400, 200);
        editor.show();
        editor.setFocus();
        editor.setSelectionStart(2);
    }
    void open() {
        QTest::keyClick(&editor, Qt::Key_Space, Qt::ControlModifier);
        ASSERT_TRUE(window.isVisible());
    }
    QString selected() const {
        const auto items = window.m_wordList->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    }
};

} // namespace

TEST(CompletionWindow, OpensUnderTheCaretWithAnEmptyField) {
    Completion c;
    c.window.m_typed->setText("left");
    c.open();
    EXPECT_EQ(c.window.m_typed->text(), "");
    EXPECT_EQ(c.selected(), "");
    EXPECT_EQ(c.window.pos(), c.window.placeUnderCaret());
    const QPoint caretTop = c.editor.viewport()->mapToGlobal(
        QPoint(0, int(c.editor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0ul, 2l))));
    EXPECT_GT(c.window.pos().y(), caretTop.y());
    EXPECT_TRUE(c.window.windowFlags() & Qt::FramelessWindowHint);
}

TEST(CompletionWindow, TypingSelectsAndEnterInsertsTheWord) {
    Completion c;
    c.open();
    QTest::keyClicks(c.window.m_typed, "ge");
    EXPECT_EQ(c.selected(), "getItems");
    QTest::keyClick(c.window.m_typed, Qt::Key_Down);
    EXPECT_EQ(c.selected(), "getMovement");
    EXPECT_EQ(c.window.m_typed->text(), "getMovement");
    QTest::keyClick(c.window.m_typed, Qt::Key_Return);
    EXPECT_FALSE(c.window.isVisible());
    EXPECT_EQ(c.editor.lines(), QStringList({"x.getMovementab", "y"}));
    EXPECT_EQ(c.editor.selectionStart(), 13);
    EXPECT_EQ(c.window.m_typed->text(), "");
    EXPECT_EQ(c.selected(), "");
    // Emptying the field selects nothing.
    c.open();
    QTest::keyClicks(c.window.m_typed, "t");
    EXPECT_EQ(c.selected(), "top");
    QTest::keyClick(c.window.m_typed, Qt::Key_Backspace);
    EXPECT_FALSE(c.window.isVisible());
}

TEST(CompletionWindow, UpAndDownStopAtTheEnds) {
    Completion c;
    c.open();
    QTest::keyClick(c.window.m_typed, Qt::Key_Up);
    EXPECT_EQ(c.selected(), "caption");
    QTest::keyClick(c.window.m_typed, Qt::Key_Up);
    EXPECT_EQ(c.selected(), "caption");
    QTest::keyClicks(c.window.m_typed, "");
    c.window.m_typed->setText("w");
    EXPECT_EQ(c.selected(), "weight");
    QTest::keyClick(c.window.m_typed, Qt::Key_Down);
    EXPECT_EQ(c.selected(), "weight");
    EXPECT_EQ(c.window.m_typed->text(), "weight");
    // Enter without a selected word does nothing.
    c.window.m_wordList->clearSelection();
    QTest::keyClick(c.window.m_typed, Qt::Key_Return);
    EXPECT_TRUE(c.window.isVisible());
    EXPECT_EQ(c.editor.lines(), QStringList({"x.ab", "y"}));
}

TEST(CompletionWindow, KeysThatHandBackToTheEditor) {
    const struct {
        const char* name;
        Qt::Key key;
        QString typed;
        QStringList expected;
        int caret;
    } cases[] = {
        {"unknown text goes into the editor", Qt::Key_unknown, "z", {"x.zab", "y"}, 3},
        {"Left moves the caret", Qt::Key_Left, "", {"x.ab", "y"}, 1},
        {"Backspace deletes before the caret", Qt::Key_Backspace, "", {"xab", "y"}, 1},
        {"Escape only closes", Qt::Key_Escape, "", {"x.ab", "y"}, 2},
    };
    for (const auto& k : cases) {
        Completion c;
        c.open();
        if (!k.typed.isEmpty())
            QTest::keyClicks(c.window.m_typed, k.typed);
        else
            QTest::keyClick(c.window.m_typed, k.key);
        EXPECT_FALSE(c.window.isVisible()) << k.name;
        EXPECT_EQ(c.editor.lines(), k.expected) << k.name;
        EXPECT_EQ(c.editor.selectionStart(), k.caret) << k.name;
        EXPECT_EQ(c.window.m_typed->text(), "") << k.name;
    }
}

TEST(CompletionWindow, TheListTakesClicksAndEnter) {
    Completion c;
    c.open();
    QListWidget* list = c.window.m_wordList;
    const QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(c.window.m_typed->text(), "deleteSelection");
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_FALSE(c.window.isVisible());
    EXPECT_EQ(c.editor.line(0), "x.deleteSelectionab");

    c.open();
    list->setCurrentRow(10);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(c.window.m_typed->text(), "useItems");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(c.window.isVisible());
    EXPECT_EQ(c.editor.line(0), "x.deleteSelectionuseItemsab");
}

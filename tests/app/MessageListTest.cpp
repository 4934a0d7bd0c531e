#include "MainWindowFixture.h"

#include "app/MainWindowUi.h"
#include "editor/SourceEditor.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

class MessageListTest : public MainWindowTest {
protected:
    // A project with a second class to jump to, in a shown window.
    MainWindow& startShown() {
        writeSource(projectDir + "Demo.java", {"public class Demo {}"});
        writeSource(projectDir + "Util.java", {"class Util {", "  int a;", "  int b", "}"});
        MainWindow& w = start({writeProject("Demo", {"Demo.java", "Util.java"})});
        w.resize(900, 650);
        w.show();
        QApplication::processEvents();
        return w;
    }
};

TEST_F(MessageListTest, ApplicationOutputScrollsOncePerBatchAndOnlyItsLinesSelect) {
    MainWindow& w = startShown();
    auto* list = w.ui().messageList;
    QScrollBar* bar = list->verticalScrollBar();
    for (int i = 0; i < 50; ++i)
        w.addMessage(QString("Compiler line %1").arg(i));
    QApplication::processEvents();
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(bar->value(), 0);

    // One hand-over of a running application's lines.
    QSignalSpy scrolled(bar, &QScrollBar::valueChanged);
    for (int i = 0; i < 500; ++i)
        w.addMessage(QString("Application line %1").arg(i), true);
    EXPECT_EQ(w.messages().size(), 550); // listed at once, shown with the batch
    QApplication::processEvents();
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_EQ(list->currentRow(), 549);
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(w.messages().last(), "Application line 499");
}

// Enter on an error line jumps to it as a double-click does.
TEST_F(MessageListTest, EnterAndDoubleClickJumpToTheErrorLine) {
    for (const char* how : {"Return", "Enter", "double-click"}) {
        MainWindow& w = startShown();
        auto* list = w.ui().messageList;
        w.addMessage("Compiling...");
        w.addMessage("Util.java:3: error: ';' expected");
        w.ui().sourceList->setCurrentRow(0);
        ASSERT_EQ(w.files().currentFile()->Name, "Demo.java");
        list->setCurrentRow(1);
        list->setFocus();
        if (QByteArray(how) == "double-click") {
            const QRect line = list->visualRect(list->model()->index(1, 0));
            // A double-click follows a click: the view acts only on a line that was pressed.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center());
        } else {
            QTest::keyClick(list, QByteArray(how) == "Enter" ? Qt::Key_Enter : Qt::Key_Return);
        }
        EXPECT_EQ(w.files().currentFile()->Name, "Util.java") << how;
        EXPECT_EQ(w.editor()->caretLine(), 2) << how;
        window.reset();
    }
}

// A running application's stack trace leads into the project's sources; frames of the class library and
// lines naming no place lead nowhere.
TEST_F(MessageListTest, StackFramesAndMentionsLeadToTheProjectsSources) {
    MainWindow& w = startShown();
    auto* list = w.ui().messageList;
    const struct {
        const char* line;
        const char* file; // current afterwards
        int caretLine;
    } rows[] = {
        {"\tat Util.run(Util.java:3)", "Util.java", 2},
        {"\tat com.example.Demo.main(Demo.java:1)", "Demo.java", 0},
        {"Exception in thread \"main\" java.lang.IllegalStateException: see Util.java:2", "Util.java", 1},
        {"\tat java.base/java.lang.Thread.run(Thread.java:833)", "Demo.java", 0},
        {"\tat Util.run(Native Method)", "Demo.java", 0},
    };
    for (const auto& row : rows) {
        w.ui().sourceList->setCurrentRow(0);
        QTest::mouseClick(w.ui().sourceList->viewport(), Qt::LeftButton, {},
                          w.ui().sourceList->visualItemRect(w.ui().sourceList->item(0)).center());
        ASSERT_EQ(w.files().currentFile()->Name, "Demo.java");
        w.editor()->setCaretLine(0);
        list->clear();
        w.addMessage(row.line);
        list->flush();
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(w.files().currentFile()->Name, row.file) << row.line;
        EXPECT_EQ(w.editor()->caretLine(), row.caretLine) << row.line;
    }
}

// F4 and Shift+F4 walk the lines that lead to a source line, each jump as a double-click on it; past the
// last one in either direction nothing moves.
TEST_F(MessageListTest, NextAndPreviousErrorWalkTheErrorLines) {
    MainWindow& w = startShown();
    for (const char* line : {"Compiling...", "Util.java:3: error: ';' expected", "  int b", "1 error",
                             "Demo.java:1: error: class expected", "\tat Demo.main(Demo.java:1)"})
        w.addMessage(line);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const struct {
        Qt::KeyboardModifiers modifiers;
        int row;
        const char* file;
        int caretLine;
    } steps[] = {{Qt::NoModifier, 1, "Util.java", 2},
                 {Qt::NoModifier, 4, "Demo.java", 0},
                 {Qt::NoModifier, 4, "Demo.java", 0},
                 {Qt::ShiftModifier, 1, "Util.java", 2},
                 {Qt::ShiftModifier, 1, "Util.java", 2}};
    int step = 0;
    for (const auto& expected : steps) {
        SCOPED_TRACE(step++);
        w.ui().sourceList->setFocus(); // the keys work wherever the focus is
        QTest::keyClick(&w, Qt::Key_F4, expected.modifiers);
        EXPECT_EQ(w.ui().messageList->currentRow(), expected.row);
        EXPECT_EQ(w.files().currentFile()->Name, expected.file);
        EXPECT_EQ(w.editor()->caretLine(), expected.caretLine);
    }
}

TEST(ErrorRows, FromAnyRowInEitherDirection) {
    const QStringList lines{"Compiling...", "A.java:2: error: x", "2 errors", "B.java:7: warning: y",
                            "java.lang.Error at B.run(B.java:7): z"};
    const struct {
        int from, step, row;
    } rows[] = {{-1, 1, 1},  {1, 1, 3},  {3, 1, -1},  {4, 1, -1},
                {-1, -1, 3}, {3, -1, 1}, {1, -1, -1}, {0, -1, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(errorRowFrom(lines, row.from, row.step), row.row) << row.from << " " << row.step;
    EXPECT_EQ(errorRowFrom({}, -1, 1), -1);
    EXPECT_EQ(errorRowFrom({"Successful."}, -1, -1), -1);
}

TEST_F(MessageListTest, DrawnInTheTooltipColours) {
    MainWindow& w = startShown();
    auto* list = w.ui().messageList;
    w.addMessage("one line");
    QApplication::processEvents();
    const QImage shot = list->viewport()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // Below the only line the list shows its background.
    const QPoint empty(shot.width() / 2, shot.height() - 3);
    EXPECT_EQ(shot.pixelColor(empty), QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(list->palette().color(QPalette::Text), QApplication::palette().color(QPalette::ToolTipText));
}

// All lines share one height, but the longest line still sets how far the list scrolls sideways, wherever
// it stands.
TEST_F(MessageListTest, LongestLineIsReachableSideways) {
    MainWindow& w = startShown();
    auto* list = w.ui().messageList;
    const QString longLine = QString(400, u'W');
    for (int i = 0; i < 30; ++i)
        w.addMessage(i == 10 ? longLine : QString("short %1").arg(i));
    QApplication::processEvents();
    const QRect shown = list->visualRect(list->model()->index(10, 0));
    EXPECT_GE(shown.width(), list->fontMetrics().horizontalAdvance(longLine));
    EXPECT_GE(list->horizontalScrollBar()->maximum(), shown.width() - list->viewport()->width());
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
    // Cleared, the list forgets it.
    w.clearMessages();
    w.addMessage("short again");
    QApplication::processEvents();
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(w.messages(), QStringList{"short again"});
}

TEST(MessageModel, ShowsAppendedLinesAtFlushAndKnowsTheLongest) {
    MessageModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (const char* line : {"ab", "abcd", "abc"})
        model.append(line);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.lines(), (QStringList{"ab", "abcd", "abc"}));
    EXPECT_EQ(model.longestRow(), -1);
    EXPECT_TRUE(model.flush());
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(inserted.count(), 1); // one announcement for the whole batch
    EXPECT_EQ(model.longestRow(), 1);
    EXPECT_FALSE(model.flush());
    EXPECT_EQ(inserted.count(), 1);
    model.append("a");
    model.append("abcdef");
    model.flush();
    EXPECT_EQ(model.longestRow(), 4);
    EXPECT_EQ(model.data(model.index(4)).toString(), "abcdef");
    EXPECT_FALSE(model.data(model.index(4), Qt::DecorationRole).isValid());
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.longestRow(), -1);
    EXPECT_TRUE(model.lines().isEmpty());
}

} // namespace

namespace {

TEST(MessageModel, CompilerErrorsAndWarningsHaveTheirColours) {
    MessageModel model;
    const QColor error(200, 0, 0), warning(150, 90, 0);
    const struct {
        const char* line;
        QVariant colour;
    } rows[] = {
        {"Hello.java:3: error: ';' expected", error},
        {"Util.java:12: warning: [removal] Integer(int) in Integer has been deprecated", warning},
        {"\tat Hello.main(Hello.java:5)", {}}, // a running application's trace
        {"Compiling...", {}},
        {"1 error", {}},
    };
    for (const auto& row : rows)
        model.append(row.line);
    model.flush();
    // Without colours set, nothing is coloured.
    EXPECT_FALSE(model.data(model.index(0), Qt::ForegroundRole).isValid());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setMarkColours(error, warning);
    EXPECT_EQ(changed.count(), 1);
    for (int i = 0; i < int(std::size(rows)); ++i)
        EXPECT_EQ(model.data(model.index(i), Qt::ForegroundRole), rows[i].colour) << rows[i].line;
}

} // namespace

#include "MainWindowFixture.h"

#include "app/ClassBrowserRun.h"
#include "app/MainWindowAdapters.h"
#include "build/ConsoleRunner.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace {

// Labels of the tree, children indented after their parent.
QStringList treeLabels(QTreeWidget* tree) {
    QStringList result;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree->topLevelItem(i);
        result << top->text(0);
        for (int j = 0; j < top->childCount(); ++j)
            result << "  " + top->child(j)->text(0);
    }
    return result;
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& label) {
    const QList<QTreeWidgetItem*> found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

} // namespace

class ClassBrowserWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(m_parsers.isValid());
    }

    // The real outline program, built beside the program.
    static QString realParserFolder() {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../bin");
    }
    // A stand-in outline program: prints `output` (printf format), after counting its run in a log and
    // copying the input it found in its working folder.
    QString fakeParser(const QString& output, const QString& then = {}) {
        const QString folder = m_parsers.filePath(QString::number(++m_fakes));
        QDir().mkpath(folder);
        const QString script = "#!/bin/sh\n"
                               "echo run >> '" +
                               folder +
                               "/runs.log'\n"
                               "cp temp.java '" +
                               folder +
                               "/seen.java' 2>/dev/null\n"
                               "pwd > '" +
                               folder +
                               "/where'\n"
                               "printf '" +
                               output + "'\n" + then + "\n";
        writeBytes(folder + "/parse", script.toUtf8());
        QFile::setPermissions(folder + "/parse", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder;
    }
    static int runs(const QString& folder) { return readBytes(folder + "/runs.log").count("run\n"); }
    // A window on a project with one source, its browser using the given outline program; returns once
    // the start-up refreshes are over.
    MainWindow& startWith(const QStringList& source, const QString& parserFolder, int parseTimeLimitMs = 0) {
        writeSource(projectDir + "Point.java", source);
        setStoreText(kProductKey, "LastProject", writeProject("P", {"Point.java"}));
        window = std::make_unique<MainWindow>(storeRef());
        window->classBrowserRun().setParserFolder(parserFolder);
        if (parseTimeLimitMs > 0)
            window->classBrowserRun().setParseTimeLimit(parseTimeLimitMs);
        window->runner(RunnerRole::ClassParser)->setStartedHandler([this](ConsoleRunner*, const QString&) {
            ++starts;
        });
        window->startUp({});
        window->resize(900, 650);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(settle());
        return *window;
    }
    bool settle() {
        return QTest::qWaitFor(
            [&] {
                return !window->classBrowserRun().browser().parsing() &&
                       !window->runner(RunnerRole::ClassParser)->isRunning();
            },
            10000);
    }
    // Settled on these labels: a refresh that follows a replaced text comes a moment later.
    bool settlesTo(const QStringList& labels) {
        return QTest::qWaitFor(
            [&] {
                return !window->classBrowserRun().browser().parsing() &&
                       !window->runner(RunnerRole::ClassParser)->isRunning() && treeLabels(tree()) == labels;
            },
            10000);
    }
    QTreeWidget* tree() { return window->ui().classTree; }
    void clickItem(const QString& label) {
        QTreeWidgetItem* item = findItem(tree(), label);
        ASSERT_NE(item, nullptr) << label.toStdString();
        const QRect rect = tree()->visualItemRect(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    int starts = 0;

private:
    QTemporaryDir m_parsers;
    int m_fakes = 0;
};

void setModificationTime(const QString& path, int secondsFromNow) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(secondsFromNow),
                                 QFileDevice::FileModificationTime));
}

static QStringList manyLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString("// line %1").arg(i);
    return lines;
}

TEST_F(ClassBrowserWindowTest, HeaderToolBarAndTreeAsDesigned) {
    MainWindow& w = startWith({"class Point {}"}, fakeParser(""));
    MainWindowUi& ui = w.ui();
    EXPECT_EQ(ui.BrowserHeader->text(), "Browser");
    const QList<QAction*> actions = ui.browserToolBar->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0], ui.browserSorted);
    EXPECT_EQ(actions[1], ui.browserSourceOrder);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[2]->objectName(), "ToolButton22");
    EXPECT_EQ(actions[3], ui.browserVariables);
    EXPECT_EQ(actions[4], ui.browserMethods);
    EXPECT_EQ(ui.browserSorted->toolTip(), "Sorted");
    EXPECT_EQ(ui.browserSourceOrder->toolTip(), "Like the source file");
    struct State {
        QAction* button;
        bool down;
        int picture;
    };
    for (const State& s : {State{ui.browserSorted, false, 3}, State{ui.browserSourceOrder, true, 4},
                           State{ui.browserVariables, true, 2}, State{ui.browserMethods, true, 1}}) {
        EXPECT_TRUE(s.button->isCheckable()) << s.button->objectName().toStdString();
        EXPECT_EQ(s.button->isChecked(), s.down) << s.button->objectName().toStdString();
        EXPECT_EQ(s.button->icon().cacheKey(), ui.browserIcons[s.picture].cacheKey());
    }
    ASSERT_EQ(ui.browserIcons.size(), 5);
    for (const QIcon& picture : ui.browserIcons)
        EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(ui.classTree->indentation(), 19);
    EXPECT_FALSE(ui.classTree->rootIsDecorated());
    EXPECT_EQ(ui.classTree->height(), 115);
}

// The example lines: one class with its method and variable; a click on the variable puts its line on
// top of the editor while the tree keeps the focus.
TEST_F(ClassBrowserWindowTest, ExampleLinesBuildTheTreeAndAClickLeadsToTheLine) {
    const QString parser = fakeParser(
        "parse: reading temp.java\\nclass Point 3\\nmethod public move 10\\nvariable private count 5\\n");
    MainWindow& w = startWith(manyLines(200), parser);
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  move", "  count"}));
    QTreeWidgetItem* point = tree()->topLevelItem(0);
    EXPECT_TRUE(point->isExpanded());
    EXPECT_EQ(point->icon(0).cacheKey(), w.ui().browserIcons[0].cacheKey());
    EXPECT_EQ(point->child(0)->icon(0).cacheKey(), w.ui().browserIcons[1].cacheKey());
    EXPECT_EQ(point->child(1)->icon(0).cacheKey(), w.ui().browserIcons[2].cacheKey());

    tree()->setFocus();
    w.editor()->setFirstVisibleLine(100);
    clickItem("count");
    EXPECT_EQ(w.editor()->caretLine(), 4);
    EXPECT_EQ(w.editor()->caretColumn(), 0);
    EXPECT_EQ(w.editor()->firstVisibleLine(), 4);
    EXPECT_TRUE(tree()->hasFocus());
    // Selecting alone does not jump; a double click does.
    w.editor()->setFirstVisibleLine(150);
    tree()->setCurrentItem(point->child(0));
    EXPECT_EQ(w.editor()->firstVisibleLine(), 150);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {},
                       tree()->visualItemRect(point->child(0)).center());
    EXPECT_EQ(w.editor()->firstVisibleLine(), 9);
    EXPECT_EQ(w.editor()->caretLine(), 9);
}

TEST_F(ClassBrowserWindowTest, AClickWithoutSelectionOrOnAnEntryWithoutLineLeavesTheEditorAlone) {
    // Two blanks shift the words: the method's label is "public" and its line word "move".
    const QString parser = fakeParser("class Point 3\\nmethod  public move 10\\nclass Other 7\\n");
    MainWindow& w = startWith(manyLines(200), parser);
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  public", "class Other"}));
    w.editor()->setCaretLine(50);
    w.editor()->setFirstVisibleLine(40);
    ASSERT_TRUE(tree()->selectedItems().isEmpty());
    // Below the last entry: nothing is selected, nothing moves.
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, QPoint(10, tree()->viewport()->height() - 3));
    EXPECT_TRUE(tree()->selectedItems().isEmpty());
    EXPECT_EQ(w.editor()->caretLine(), 50);
    EXPECT_EQ(w.editor()->firstVisibleLine(), 40);
    clickItem("public");
    EXPECT_EQ(tree()->selectedItems().value(0)->text(0), "public");
    EXPECT_EQ(w.editor()->caretLine(), 50);
    EXPECT_EQ(w.editor()->firstVisibleLine(), 40);
}

TEST_F(ClassBrowserWindowTest, SortedSortsWithoutAParseAndSourceOrderParsesAgain) {
    const QString parser = fakeParser("class Zed 1\\nvariable int z 2\\nmethod void a() 3\\nclass Alpha 5\\n"
                                      "variable private count 6\\nmethod public move 7\\n");
    MainWindow& w = startWith(manyLines(20), parser);
    const QStringList sourceOrder = {"class Zed", "  z", "  a()", "class Alpha", "  count", "  move"};
    EXPECT_EQ(treeLabels(tree()), sourceOrder);
    const int before = runs(parser);
    tree()->topLevelItem(0)->setExpanded(false);
    clickItem("count");

    w.ui().browserSorted->trigger();
    EXPECT_TRUE(w.ui().browserSorted->isChecked());
    EXPECT_FALSE(w.ui().browserSourceOrder->isChecked());
    EXPECT_FALSE(w.runner(RunnerRole::ClassParser)->isRunning());
    EXPECT_EQ(treeLabels(tree()),
              (QStringList{"class Alpha", "  count", "  move", "class Zed", "  a()", "  z"}));
    // Entries moved as they were: Zed still folded, count still selected.
    EXPECT_FALSE(findItem(tree(), "class Zed")->isExpanded());
    EXPECT_TRUE(findItem(tree(), "class Alpha")->isExpanded());
    EXPECT_EQ(tree()->selectedItems().value(0)->text(0), "count");
    // Pressed again it stays down.
    w.ui().browserSorted->trigger();
    EXPECT_TRUE(w.ui().browserSorted->isChecked());
    ASSERT_TRUE(settle());
    EXPECT_EQ(runs(parser), before);

    // A refresh while sorted keeps every line sorted as it arrives.
    w.updateBrowser(w.files().currentFile()->Path);
    ASSERT_TRUE(settle());
    EXPECT_EQ(treeLabels(tree()),
              (QStringList{"class Alpha", "  count", "  move", "class Zed", "  a()", "  z"}));
    EXPECT_EQ(runs(parser), before + 1);

    w.ui().browserSourceOrder->trigger();
    EXPECT_TRUE(w.ui().browserSourceOrder->isChecked());
    EXPECT_FALSE(w.ui().browserSorted->isChecked());
    ASSERT_TRUE(settle());
    EXPECT_EQ(runs(parser), before + 2);
    EXPECT_EQ(treeLabels(tree()), sourceOrder);
    // Pressed again it stays down and parses again.
    w.ui().browserSourceOrder->trigger();
    EXPECT_TRUE(w.ui().browserSourceOrder->isChecked());
    ASSERT_TRUE(settle());
    EXPECT_EQ(runs(parser), before + 3);
}

TEST_F(ClassBrowserWindowTest, MemberButtonsFlipAndRefresh) {
    const QString parser = fakeParser("class Point 3\\nmethod public move 10\\nvariable private count 5\\n");
    MainWindow& w = startWith(manyLines(20), parser);
    w.ui().browserVariables->trigger();
    EXPECT_FALSE(w.ui().browserVariables->isChecked());
    ASSERT_TRUE(settle());
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  move"}));
    w.ui().browserMethods->trigger();
    EXPECT_FALSE(w.ui().browserMethods->isChecked());
    ASSERT_TRUE(settle());
    EXPECT_EQ(treeLabels(tree()), QStringList{"class Point"});
    w.ui().browserVariables->trigger();
    EXPECT_TRUE(w.ui().browserVariables->isChecked());
    ASSERT_TRUE(settle());
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  count"}));
}

// The real outline program over the editor's text: typing within a line does not parse, Enter does, and
// the tree shows the unsaved text.
TEST_F(ClassBrowserWindowTest, TypingWithinALineDoesNotParseAndEnterDoes) {
    MainWindow& w = startWith({"class Point {", "    int x;", "}", "class Other {", "}"}, realParserFolder());
    ASSERT_EQ(treeLabels(tree()), (QStringList{"class Point", "  x", "class Other"}))
        << "the outline program should be at " << realParserFolder().toStdString();
    const int before = starts;

    SourceEditor* editor = w.editor();
    editor->setFocus();
    editor->setCaretLine(1);
    editor->setCaretColumn(10);
    QTest::keyClicks(editor, " int y;");
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before);
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  x", "class Other"}));

    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "void go() {}");
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before + 1);
    // The parse ran on the text as it was at Enter; the next line count change brings in the method.
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  x", "  y", "class Other"}));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before + 2);
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Point", "  x", "  y", "  go()", "class Other"}));
    // Nothing of this reached the file.
    EXPECT_EQ(readBytes(projectDir + "Point.java"),
              QByteArray("class Point {\r\n    int x;\r\n}\r\nclass Other {\r\n}\r\n"));
    // Saving does not parse.
    w.saveFile();
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before + 2);
}

TEST_F(ClassBrowserWindowTest, TheInputLiesInAPrivateFolderAndTheProcessFolderStays) {
    const QString parser = fakeParser("class Point 1\\n");
    MainWindow& w = startWith({"class Point {", "}"}, parser);
    // The fake program copied the temp.java it found in the folder it ran in.
    EXPECT_EQ(readBytes(parser + "/seen.java"), QByteArray("class Point {\r\n}\r\n"));
    EXPECT_FALSE(QFileInfo::exists(parser + "/temp.java"));
    EXPECT_FALSE(QFileInfo::exists(projectDir + "temp.java"));
    EXPECT_FALSE(QFileInfo::exists(QCoreApplication::applicationDirPath() + "/temp.java"));
    const QString folder = QDir::currentPath();
    w.editor()->setLines({"class Point {", "", "}"});
    w.updateBrowser(w.files().currentFile()->Path);
    EXPECT_EQ(QDir::currentPath(), folder);
    ASSERT_TRUE(settle());
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_EQ(readBytes(parser + "/seen.java"), QByteArray("class Point {\r\n\r\n}\r\n"));
}

TEST_F(ClassBrowserWindowTest, AParserThatCannotStartLeavesTheTreeEmpty) {
    const QString nowhere = dirPath("no-parser");
    QDir().mkpath(nowhere);
    MainWindow& w = startWith({"class Point {", "}"}, nowhere);
    EXPECT_GE(starts, 1);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    // The browser is usable again: the next refresh starts.
    const int before = starts;
    w.updateBrowser(w.files().currentFile()->Path);
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before + 1);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
}

// Refreshes asked for while a parse runs are not lost: once it ends, one more parse reads the editor's
// text as it is then, and the tree shows that outline alone.
TEST_F(ClassBrowserWindowTest, RefreshesDuringAParseCoalesceIntoOneOnTheLatestText) {
    MainWindow& w = startWith({"class First {", "}"}, realParserFolder());
    ASSERT_EQ(treeLabels(tree()), QStringList{"class First"});
    const int before = starts;
    const QString path = w.files().currentFile()->Path;
    w.updateBrowser(path);
    ASSERT_TRUE(w.runner(RunnerRole::ClassParser)->isRunning());
    w.editorBuffer().replaceLines({"class Second {", "}"}, BufferReplace::Fresh);
    w.updateBrowser(path);
    w.editorBuffer().replaceLines({"class Third {", "    int t;", "}"}, BufferReplace::Fresh);
    w.updateBrowser(path);
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before + 2);
    EXPECT_EQ(treeLabels(tree()), (QStringList{"class Third", "  t"}));
    EXPECT_TRUE(tree()->topLevelItem(0)->isExpanded());
}

TEST_F(ClassBrowserWindowTest, ANewProjectClearsTheTreeAndDropsARunningParse) {
    MainWindow& w = startWith({"class First {", "    int a;", "}"}, realParserFolder());
    ASSERT_EQ(treeLabels(tree()), (QStringList{"class First", "  a"}));
    const int before = starts;
    w.updateBrowser(w.files().currentFile()->Path);
    ASSERT_TRUE(w.runner(RunnerRole::ClassParser)->isRunning());
    w.clearClassBrowser();
    ASSERT_TRUE(settle());
    EXPECT_EQ(starts, before + 1);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
}

// Every replacement of the editor's text brings a tree of the new text: a reload from disk, Open File,
// and removing the last file (which leaves no outline at all).
TEST_F(ClassBrowserWindowTest, ReplacingTheEditorsTextRefreshesTheTree) {
    MainWindow& w = startWith({"class Point {", "    int x;", "}"}, realParserFolder());
    ASSERT_EQ(treeLabels(tree()), (QStringList{"class Point", "  x"}));

    writeSource(projectDir + "Point.java", {"class Moved {", "    int y;", "}"});
    setModificationTime(projectDir + "Point.java", 120);
    dialogs.answer(mrYes);
    w.checkFilesChanged();
    EXPECT_TRUE(settlesTo({"class Moved", "  y"})) << treeLabels(tree()).join('|').toStdString();

    writeSource(dirPath("Ext.java"), manyLines(30) + QStringList{"class Ext {", "    void go() {}", "}"});
    fileDialogs.choose(QStringList{dirPath("Ext.java")});
    dialogs.answer(mrNo);
    w.openFiles();
    ASSERT_EQ(w.files().currentFile()->Path, dirPath("Ext.java"));
    EXPECT_TRUE(settlesTo({"class Ext", "  go()"})) << treeLabels(tree()).join('|').toStdString();
    // A click leads into the file shown.
    clickItem("go()");
    EXPECT_EQ(w.editor()->caretLine(), 31);

    for (int row : {1, 0}) {
        w.ui().sourceList->setCurrentRow(row);
        dialogs.answer(mrOk);
        w.removeSourceFromProject();
    }
    ASSERT_EQ(w.files().currentFile(), nullptr);
    EXPECT_TRUE(settlesTo({})) << treeLabels(tree()).join('|').toStdString();
}

// A parse that crashes or hangs leaves what it gave, marked as incomplete, and the browser goes on.
TEST_F(ClassBrowserWindowTest, ACrashOrAHangIsNotedAndTheNextParseRuns) {
    const struct {
        const char* name;
        const char* then;
        const char* note;
    } cases[] = {
        {"crash", "kill -SEGV $$", "parse ended abnormally (signal 11): the outline may be incomplete"},
        {"failure", "exit 3", "parse ended with exit code 3: the outline may be incomplete"},
        {"hang", "sleep 60", "parse was stopped after 0.3 s: the outline is incomplete"},
        {"normal end", "exit 0", nullptr},
    };
    for (const auto& c : cases) {
        const QString parser = fakeParser("class Zed 3\\nmethod public move 10\\nclass Alpha 12\\n", c.then);
        MainWindow& w = startWith({"class Point {", "}"}, parser, 300);
        QStringList expected = {"class Zed", "  move", "class Alpha"};
        if (c.note)
            expected << c.note;
        EXPECT_TRUE(settlesTo(expected)) << c.name << ": " << treeLabels(tree()).join('|').toStdString();
        // Sorted, the note stays last.
        w.ui().browserSorted->trigger();
        QTreeWidgetItem* last = tree()->topLevelItem(tree()->topLevelItemCount() - 1);
        ASSERT_NE(last, nullptr) << c.name;
        if (c.note) {
            EXPECT_EQ(last->text(0), c.note) << c.name;
            EXPECT_EQ(last->toolTip(0), c.note) << c.name;
        }
        const int before = runs(parser);
        w.updateBrowser(w.files().currentFile()->Path);
        QStringList sorted = {"class Alpha", "class Zed", "  move"};
        if (c.note)
            sorted << c.note;
        EXPECT_TRUE(settlesTo(sorted)) << c.name << ": " << treeLabels(tree()).join('|').toStdString();
        EXPECT_EQ(runs(parser), before + 1) << c.name;
        window.reset();
    }
}

// The parser's input lies in the user's runtime folder; folders that killed runs left there go at start.
TEST_F(ClassBrowserWindowTest, TheInputLiesInTheRuntimeFolderAndStaleCopiesGoAtStart) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    ASSERT_FALSE(runtime.isEmpty());
    QDir().mkpath(runtime);
    const QString outside = dirPath("outside");
    QDir().mkpath(outside);
    writeBytes(outside + "/keep.java", "kept");
    struct Entry {
        QString name;
        bool stays;
    };
    const QString own = QString::number(QCoreApplication::applicationPid());
    const Entry entries[] = {
        {"handwright-browser-2147483647-abc123", false}, // no such process
        {"handwright-browser-" + own + "-def456", true}, // a process that runs
        {"handwright-browser-x-ghi789", true},           // not one of ours
        {"other-2147483647-abc123", true},
    };
    for (const Entry& e : entries) {
        QDir().mkpath(runtime + "/" + e.name);
        writeBytes(runtime + "/" + e.name + "/temp.java", "class Old {}");
    }
    const QString link = runtime + "/handwright-browser-2147483646-lnk000";
    ASSERT_TRUE(QFile::link(outside, link));
    writeBytes(runtime + "/handwright-browser-2147483647-abc123/inner", "x");
    ASSERT_TRUE(
        QFile::link(outside + "/keep.java", runtime + "/handwright-browser-2147483647-abc123/l.java"));

    const QString parser = fakeParser("class Point 1\\n");
    startWith({"class Point {", "}"}, parser);
    for (const Entry& e : entries)
        EXPECT_EQ(QFileInfo::exists(runtime + "/" + e.name), e.stays) << e.name.toStdString();
    // A link is never followed.
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(outside + "/keep.java"), QByteArray("kept"));
    const QString where = QString::fromUtf8(readBytes(parser + "/where")).trimmed();
    EXPECT_EQ(QFileInfo(where).absolutePath(), QFileInfo(runtime).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(where).fileName().startsWith("handwright-browser-" + own + "-"))
        << where.toStdString();
    QFile::remove(link);
}

// A parse of the old text that is still running when the text is replaced adds nothing to the new tree.
TEST_F(ClassBrowserWindowTest, AParseOfTheReplacedTextShowsNothing) {
    const QString parser =
        fakeParser("", "sleep 0.4; sed -n 's/^class \\([A-Za-z]*\\).*/class \\1 1/p' temp.java");
    MainWindow& w = startWith({"class Old {", "}"}, parser);
    ASSERT_EQ(treeLabels(tree()), QStringList{"class Old"});
    w.updateBrowser(w.files().currentFile()->Path);
    ASSERT_TRUE(w.runner(RunnerRole::ClassParser)->isRunning());
    QStringList inserted;
    QObject::connect(tree()->model(), &QAbstractItemModel::rowsInserted, tree(),
                     [&](const QModelIndex& parent, int first, int last) {
                         for (int row = first; row <= last; ++row)
                             inserted << tree()->model()->index(row, 0, parent).data().toString();
                     });
    writeSource(dirPath("New.java"), {"class New {", "}"});
    fileDialogs.choose(QStringList{dirPath("New.java")});
    dialogs.answer(mrNo);
    w.openFiles();
    EXPECT_TRUE(settlesTo({"class New"})) << treeLabels(tree()).join('|').toStdString();
    EXPECT_EQ(inserted, QStringList{"class New"});
}

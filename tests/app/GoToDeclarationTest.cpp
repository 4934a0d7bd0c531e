#include "MainWindowFixture.h"

#include "app/DeclarationLookup.h"
#include "app/DeclarationScan.h"
#include "editor/SourceEditor.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

namespace {

// The real outline program, built beside the program.
QString realParserFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../bin");
}

QStringList described(const std::vector<Declaration>& found) {
    QStringList result;
    for (const Declaration& d : found)
        result << QStringLiteral("%1:%2 %3").arg(d.fileName).arg(d.line).arg(d.label);
    return result;
}

bool scanned(DeclarationScan& scan, std::vector<DeclarationSource> sources) {
    QSignalSpy done(&scan, &DeclarationScan::updated);
    scan.update(std::move(sources));
    return done.wait(20000) && !scan.busy();
}

void writeLines(const QString& path, const QStringList& lines) {
    writeBytes(path, (lines.join("\r\n") + "\r\n").toUtf8());
}

TEST(DeclarationScan, EachSourceIsReadOnceForItsStamp) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    writeLines(folder + "A.java",
               {"class A {", "    int count;", "    class Inner {", "        void go() {}", "    }", "}"});
    writeLines(folder + "B.java", {"class B {", "    void go() {}", "}"});
    QDir(dir.path()).mkdir("Folder.java");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    DeclarationScan scan;
    scan.setParserFolder(realParserFolder());
    // B's buffer holds an edit that is not saved: its text counts, not the file's.
    const QStringList bufferB{"class B {", "", "    void go(int times) {}", "    long count;", "}"};
    std::vector<DeclarationSource> sources = {{"A.java", folder + "A.java", std::nullopt},
                                              {"B.java", folder + "B.java", bufferB},
                                              {"Folder.java", folder + "Folder.java", std::nullopt}};
    ASSERT_TRUE(scanned(scan, sources));
    EXPECT_EQ(scan.runs(), 2);
    EXPECT_EQ(described(scan.index().find("go", true)),
              QStringList({"A.java:4 A.Inner.go()", "B.java:3 B.go(int)"}));
    EXPECT_EQ(described(scan.index().find("count", false)),
              QStringList({"A.java:2 A.count", "B.java:4 B.count"}));
    EXPECT_EQ(described(scan.index().find("Inner", false)), QStringList({"A.java:3 class A.Inner"}));
    EXPECT_EQ(scan.index().problems(), QStringList({"Folder.java: not a regular file"}));
    // Nothing was written beside the sources.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);

    // Nothing changed: nothing is read again.
    ASSERT_TRUE(scanned(scan, sources));
    EXPECT_EQ(scan.runs(), 2);

    // A file written since is read again, and only that one.
    writeLines(folder + "A.java", {"class A {", "", "    void go(String s) {}", "}"});
    QFile file(folder + "A.java");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(scanned(scan, sources));
    EXPECT_EQ(scan.runs(), 3);
    EXPECT_EQ(described(scan.index().find("go", true)),
              QStringList({"A.java:3 A.go(String)", "B.java:3 B.go(int)"}));
    EXPECT_TRUE(scan.index().find("Inner", false).empty());

    // A file that left the project is forgotten.
    sources.erase(sources.begin());
    ASSERT_TRUE(scanned(scan, sources));
    EXPECT_EQ(scan.runs(), 3);
    EXPECT_EQ(described(scan.index().find("go", true)), QStringList({"B.java:3 B.go(int)"}));
}

// An outline program that fails keeps what it printed, and says so; one that cannot start leaves the
// file to be read again at the next request.
TEST(DeclarationScan, AFailedParseIsSaid) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    writeLines(folder + "A.java", {"class Half {", "}"});
    const struct {
        const char* name;
        QString script; // empty: no program at all
        QStringList found;
        QString problem;
        int runsOfASecondRequest;
    } cases[] = {
        {"a crash after part of the outline",
         "echo 'class Half 1'\nkill -SEGV $$\n",
         {"A.java:1 class Half"},
         "A.java: parse ended abnormally (signal 11): the outline may be incomplete",
         1},
        {"an exit code",
         "echo 'parse: cannot read it'\nexit 1\n",
         {},
         "A.java: parse ended with exit code 1: the outline may be incomplete",
         1},
        {"no program", "", {}, "A.java: ", 2},
    };
    int number = 0;
    for (const auto& c : cases) {
        const QString parser = folder + "parser" + QString::number(++number);
        QDir().mkpath(parser);
        if (!c.script.isEmpty()) {
            writeBytes(parser + "/parse", ("#!/bin/sh\n" + c.script).toUtf8());
            QFile::setPermissions(parser + "/parse", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        DeclarationScan scan;
        scan.setParserFolder(parser);
        const std::vector<DeclarationSource> sources = {{"A.java", folder + "A.java", std::nullopt}};
        ASSERT_TRUE(scanned(scan, sources)) << c.name;
        EXPECT_EQ(described(scan.index().find("Half", false)), c.found) << c.name;
        ASSERT_EQ(scan.index().problems().size(), 1) << c.name;
        EXPECT_TRUE(scan.index().problems().first().startsWith(c.problem))
            << c.name << ": " << scan.index().problems().first().toStdString();
        ASSERT_TRUE(scanned(scan, sources)) << c.name;
        EXPECT_EQ(scan.runs(), c.runsOfASecondRequest) << c.name;
    }
}

// The sources change while one is read: it is not kept when the project no longer has it.
TEST(DeclarationScan, ASourceThatLeavesWhileReadIsNotKept) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    writeLines(folder + "A.java", {"class A {}"});
    writeBytes(folder + "parse", "#!/bin/sh\nsleep 0.5\necho 'class A 1'\n");
    QFile::setPermissions(folder + "parse", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    DeclarationScan scan;
    scan.setParserFolder(dir.path());
    scan.update({{"A.java", folder + "A.java", std::nullopt}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return scan.runs() == 1; }, 5000));
    ASSERT_TRUE(scanned(scan, {}));
    EXPECT_TRUE(scan.index().find("A", false).empty());
    EXPECT_EQ(scan.index().fileCount(), 0);
}

class GoToDeclarationTest : public MainWindowTest {
protected:
    MainWindow& startProject() {
        writeSource(projectDir + "A.java",
                    {"class A {", "    void run() {", "        B b = new B();", "        b.count = 1;",
                     "        b.go();", "        missing();", "    }", "}"});
        writeSource(projectDir + "B.java",
                    {"class B {", "    int count;", "    void go() {}", "    void go(int times) {}", "}"});
        MainWindow& w = start({writeProject("P", {"A.java", "B.java"})});
        w.declarationLookup().scan().setParserFolder(realParserFolder());
        w.resize(900, 650);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    void caretOn(MainWindow& w, const QString& file, int line, int column) {
        ASSERT_TRUE(w.session().showSource(w.files().indexOfKind(recordOf(w, file))).ok());
        w.editor()->setCaretLine(line);
        w.editor()->setCaretColumn(column);
    }
    static ProjectRecord* recordOf(MainWindow& w, const QString& name) {
        for (ProjectRecord& record : w.files().records())
            if (record.Name == name)
                return &record;
        return nullptr;
    }
    bool settled(MainWindow& w) {
        return QTest::qWaitFor([&] { return !w.declarationLookup().scan().busy(); }, 20000);
    }
};

TEST_F(GoToDeclarationTest, F12GoesToTheOneDeclarationOrListsSeveral) {
    MainWindow& w = startProject();
    // One declaration, in another file: that file is shown with the caret on the name.
    caretOn(w, "A.java", 3, 12);
    QTest::keyClick(w.editor(), Qt::Key_F12);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.files().currentFile()->Name == "B.java"; }, 20000));
    EXPECT_EQ(w.editor()->caretLine(), 1);
    EXPECT_EQ(w.editor()->caretColumn(), 8);
    EXPECT_EQ(w.ui().sourceList->currentItem()->text(), "B.java");

    // Two overloads: a list under the caret, and Enter on the second goes there.
    caretOn(w, "A.java", 4, 11);
    QTest::keyClick(w.editor(), Qt::Key_F12);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.declarationLookup().candidateList() != nullptr; }, 20000));
    QListWidget* list = w.declarationLookup().candidateList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "B.go()  (B.java:3)");
    EXPECT_EQ(list->item(1)->text(), "B.go(int)  (B.java:4)");
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(w.declarationLookup().candidateList(), nullptr);
    EXPECT_EQ(w.files().currentFile()->Name, "B.java");
    EXPECT_EQ(w.editor()->caretLine(), 3);

    // No declaration: the status bar says so, and the file stays.
    caretOn(w, "A.java", 5, 10);
    w.ui().menuActions.value("GotoDeclaration1")->trigger();
    ASSERT_TRUE(settled(w));
    EXPECT_EQ(w.statusBar()->currentMessage(), "No declaration of \"missing\" found.");
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_EQ(w.editor()->caretLine(), 5);
}

// The buffer's unsaved text is what is searched, and a declaration in the file on screen keeps its undo.
TEST_F(GoToDeclarationTest, CtrlClickFindsWhatTheUnsavedBufferDeclares) {
    MainWindow& w = startProject();
    caretOn(w, "A.java", 0, 0);
    SourceEditor* editor = w.editor();
    editor->setCaretLine(7);
    editor->insertText("    void missing() {}\r\n");
    ASSERT_TRUE(w.files().currentFile()->Modified);
    // A Ctrl+click on "missing" in line 6.
    const long position = editor->position({5, 10});
    const int x = int(editor->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0UL, position));
    const int y = int(editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, position));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(x + 2, y + 4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->caretLine() == 7; }, 20000));
    EXPECT_EQ(editor->caretColumn(), 9);
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_TRUE(editor->isUndoAvailable());
    EXPECT_EQ(readBytes(projectDir + "A.java").count("missing"), 1);
}

} // namespace

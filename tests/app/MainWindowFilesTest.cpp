#include "MainWindowFixture.h"

#include "app/BitmapViewer.h"
#include "editor/SourceEditor.h"
#include "workspace/FileTime.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {
void setModificationTime(const QString& path, int secondsFromNow) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(secondsFromNow),
                                 QFileDevice::FileModificationTime));
}

QStringList numbered(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString("int v%1;").arg(i);
    return lines;
}
} // namespace

TEST_F(MainWindowTest, TypingMarksTheFileOnce) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.editor()->setFocus();
    QTest::keyClicks(w.editor(), "ab");
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)"}));
    EXPECT_TRUE(w.files().currentFile()->Modified);
    QTest::keyClicks(w.editor(), "cd");
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)"}));

    w.saveFile();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java"}));
    EXPECT_EQ(readBytes(projectDir + "A.java"), "abcdclass A {}\r\n");
}

TEST_F(MainWindowTest, SwitchingRestoresCaretAndScrollOfEachBuffer) {
    writeSource(projectDir + "A.java", numbered(400));
    writeSource(projectDir + "B.java", numbered(300));
    MainWindow& w = start({writeProject("AB", {"A.java", "B.java"})});
    w.resize(800, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    w.ui().sourceList->setCurrentRow(0); // A
    w.editor()->setFirstVisibleLine(150);
    w.editor()->setCaretLine(160);
    w.editor()->setCaretColumn(4);
    w.ui().sourceList->setCurrentRow(1); // B
    EXPECT_EQ(w.editor()->lineCount(), 300);
    w.editor()->setFirstVisibleLine(40);
    w.editor()->setCaretLine(45);
    w.editor()->setCaretColumn(2);

    w.ui().sourceList->setCurrentRow(0);
    EXPECT_EQ(w.editor()->lineCount(), 400);
    EXPECT_EQ(w.editor()->caretLine(), 160);
    EXPECT_EQ(w.editor()->caretColumn(), 4);
    EXPECT_EQ(w.editor()->firstVisibleLine(), 150);
    w.ui().sourceList->setCurrentRow(1);
    EXPECT_EQ(w.editor()->caretLine(), 45);
    EXPECT_EQ(w.editor()->caretColumn(), 2);
    EXPECT_EQ(w.editor()->firstVisibleLine(), 40);
    // Switching is no edit.
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java", "B.java"}));
}

TEST_F(MainWindowTest, OpeningFilesInsideAndOutsideTheProject) {
    writeSource(projectDir + "A.java", {"class A {}"});
    const QString project = writeProject("A", {"A.java"});
    MainWindow& w = start({project});
    writeSource(dirPath("Ext.java"), {"class Ext {}"});

    // Cancel skips, No edits in place, Yes joins the project folder; the same file twice gives two entries.
    fileDialogs.choose(QStringList{dirPath("Ext.java"), dirPath("Ext.java"), dirPath("Ext.java")});
    dialogs.answer(mrCancel).answer(mrNo).answer(mrYes);
    w.openFiles();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java", "Ext.java", "Ext.java"}));
    EXPECT_EQ(fileDialogs.requests().value(0).title, "Open Java File");
    EXPECT_EQ(dialogs.asked().value(0).text,
              "Should the file " + dirPath("Ext.java") + " be added to the actual project?");
    EXPECT_EQ(w.files().nthOfKind(FileKind::Java, 1)->Path, dirPath("Ext.java"));
    EXPECT_FALSE(w.files().nthOfKind(FileKind::Java, 1)->InProject);
    EXPECT_EQ(w.files().nthOfKind(FileKind::Java, 2)->Path, projectDir + "Ext.java");
    EXPECT_TRUE(w.project().ProjectModified);

    // Save all writes the Java buffers that are changed or have no file yet, inside or outside the project;
    // a file whose buffer holds no edit is left as it is.
    writeSource(projectDir + "A.java", {"changed on disk"});
    writeSource(dirPath("Ext.java"), {"changed on disk"});
    w.saveAllFiles();
    EXPECT_EQ(readBytes(projectDir + "A.java"), "changed on disk\r\n");
    EXPECT_EQ(readBytes(dirPath("Ext.java")), "changed on disk\r\n");
    EXPECT_EQ(readBytes(projectDir + "Ext.java"), "class Ext {}\r\n");
    EXPECT_EQ(readBytes(project), "A\r\n\r\n\r\nHeLo\r\nA.java\r\nExt.java\r\n");
    EXPECT_FALSE(w.project().ProjectModified);
}

TEST_F(MainWindowTest, SaveAsRenamesTheEntryInPlace) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "C.java", {"class C {}"});
    MainWindow& w = start({writeProject("A", {"A.java", "C.java"})});
    w.ui().sourceList->setCurrentRow(0);
    w.editor()->insert("// x\r\n");
    fileDialogs.choose(projectDir + "Z.java");
    w.saveFileAs();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"Z.java", "C.java"}));
    EXPECT_EQ(readBytes(projectDir + "Z.java"), "// x\r\nclass A {}\r\n");
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A {}\r\n");
}

// Saving under the name of another open buffer's file asks, and leaves one record with the text saved.
TEST_F(MainWindowTest, SaveAsOntoAnotherOpenBufferMergesTheRecords) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "C.java", {"class C {}"});
    const QString project = writeProject("A", {"A.java", "C.java"});
    MainWindow& w = start({project});
    w.ui().sourceList->setCurrentRow(0);
    w.editor()->insert("// newest ");

    fileDialogs.choose(projectDir + "C.java");
    dialogs.answer(mrNo, "The file C.java is open in another buffer. Replace it with this text");
    w.saveFileAs();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)", "C.java"}));
    EXPECT_EQ(readBytes(projectDir + "C.java"), "class C {}\r\n");

    fileDialogs.choose(projectDir + "C.java");
    dialogs.answer(mrYes, "The file C.java is open in another buffer.");
    w.saveFileAs();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"C.java"}));
    EXPECT_EQ(w.files().count(), 1);
    w.editor()->insert("// more ");
    w.saveAllFiles();
    EXPECT_EQ(readBytes(projectDir + "C.java"), "// more // newest class A {}\r\n");
    EXPECT_EQ(readBytes(project), "A\r\n\r\n\r\nHeLo\r\nC.java\r\n");
}

// A file in a sub-folder is opened, saved and listed there; a name with a line break cannot be listed.
TEST_F(MainWindowTest, SubFolderFilesStayInTheirFolderAndLineBreaksInNamesAreRefused) {
    QDir().mkpath(projectDir + "sub");
    writeSource(projectDir + "sub/x.java", {"class x {}"});
    writeSource(projectDir + "sub/y.java", {"class y {}"});
    writeSource(projectDir + "A.java", {"class A {}"});
    const QString project = writeProject("A", {"A.java", "sub/x.java"});
    MainWindow& w = start({project});
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java", "sub/x.java"}));
    fileDialogs.choose(projectDir + "sub/y.java");
    dialogs.answer(mrYes, "be added to the actual project?");
    w.openFiles();
    EXPECT_EQ(w.files().currentFile()->Path, projectDir + "sub/y.java");
    w.editor()->insert("// y ");
    w.ui().sourceList->setCurrentRow(1);
    ASSERT_EQ(w.files().currentFile()->Name, "sub/x.java");
    w.editor()->insert("// x ");
    w.saveAllFiles();
    EXPECT_EQ(readBytes(projectDir + "sub/x.java"), "// x class x {}\r\n");
    EXPECT_EQ(readBytes(projectDir + "sub/y.java"), "// y class y {}\r\n");
    EXPECT_FALSE(QFileInfo::exists(projectDir + "x.java"));
    EXPECT_FALSE(QFileInfo::exists(projectDir + "y.java"));
    EXPECT_EQ(readBytes(project), "A\r\n\r\n\r\nHeLo\r\nA.java\r\nsub/x.java\r\nsub/y.java\r\n");

    writeSource(dirPath("Two\nLines.java"), {"class Two {}"});
    fileDialogs.choose(dirPath("Two\nLines.java"));
    dialogs.answer(mrYes, "be added to the actual project?").answer(mrOk, "holds a line break");
    w.openFiles();
    EXPECT_EQ(w.files().count(), 3);
    w.saveAllFiles();
    EXPECT_EQ(readBytes(project), "A\r\n\r\n\r\nHeLo\r\nA.java\r\nsub/x.java\r\nsub/y.java\r\n");
}

TEST_F(MainWindowTest, WriteErrorsAreShownAndLoseNothing) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.editor()->insert("edit ");
    fileDialogs.choose(dirPath("missing/folder/Z.java"));
    dialogs.answer(mrOk, "Cannot write");
    w.saveFileAs();
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_EQ(w.files().currentFile()->Path, projectDir + "A.java");
    EXPECT_EQ(dialogs.asked().value(0).type, mtError);
    EXPECT_EQ(w.editor()->lines(), QStringList({"edit class A {}"}));
}

TEST_F(MainWindowTest, ChangedFilesAreOfferedForReloadUntilAccepted) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    MainWindow& w = start({writeProject("AB", {"A.java", "B.java"})});
    w.ui().sourceList->setCurrentRow(0);

    // Equal text is not reported, whatever the time stamp.
    QFile::remove(projectDir + "B.java");
    writeSource(projectDir + "B.java", {"class B {}"});
    setModificationTime(projectDir + "B.java", 60);
    w.checkFilesChanged();
    EXPECT_TRUE(dialogs.asked().isEmpty());

    writeSource(projectDir + "A.java", {"class A { int changed; }"});
    setModificationTime(projectDir + "A.java", 120);
    dialogs.answer(mrNo, "The file A.java has changed. Reload it?");
    w.checkFilesChanged();
    // Leaving the buffer reads and writes nothing, so the change on disk is still news.
    w.ui().sourceList->setCurrentRow(1);
    w.ui().sourceList->setCurrentRow(0);
    dialogs.answer(mrNo, "The file A.java has changed. Reload it?");
    w.checkFilesChanged();
    dialogs.answer(mrYes, "The file A.java has changed. Reload it?");
    w.checkFilesChanged();
    EXPECT_EQ(w.editor()->lines(), QStringList({"class A { int changed; }"}));
    EXPECT_EQ(dialogs.asked().size(), 3);
    w.checkFilesChanged();
    EXPECT_EQ(dialogs.asked().size(), 3);
}

// A save that fails reads nothing from the file either: the change made there is asked about later.
TEST_F(MainWindowTest, AFailedSaveAllTakesNoFileTime) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "Big.java", {"class Big {", QString(200, u'x'), "}"});
    MainWindow& w = start({writeProject("A", {"A.java", "Big.java"})});
    // Only an edited buffer is written.
    w.ui().sourceList->setCurrentRow(1); // Big
    w.editor()->insert("// edited ");
    w.ui().sourceList->setCurrentRow(0); // A
    writeSource(projectDir + "Big.java", {"class Big { /* changed elsewhere */", QString(200, u'y'), "}"});
    setModificationTime(projectDir + "Big.java", 60);
    // The file-size limit makes writes past 100 bytes fail, whoever runs the test.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    dialogs.answer(mrOk, "Cannot write");
    const bool allSaved = w.saveAll();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(allSaved);
    dialogs.answer(mrNo, "The file Big.java has changed");
    w.checkFilesChanged();
    EXPECT_EQ(dialogs.asked().size(), 2) << dialogs.askedTexts().join('\n').toStdString();
}

TEST_F(MainWindowTest, ClosingAsksOnlyWithUnsavedWork) {
    writeSource(projectDir + "A.java", {"class A {}"});
    const QString project = writeProject("A", {"A.java"});
    MainWindow& w = start({project});
    EXPECT_TRUE(w.mayClose());
    EXPECT_EQ(storeText(kProductKey, "LastProject"), project);

    w.editor()->insert("keep me ");
    dialogs.answer(mrCancel, "Do you want to save all files? Click Cancel to go back to Kovrin Handwright.");
    EXPECT_FALSE(w.close());
    EXPECT_EQ(w.files().count(), 1);
    EXPECT_EQ(w.editor()->lines(), QStringList({"keep me class A {}"}));
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A {}\r\n");

    dialogs.answer(mrYes);
    EXPECT_TRUE(w.mayClose());
    EXPECT_EQ(readBytes(projectDir + "A.java"), "keep me class A {}\r\n");
    EXPECT_EQ(w.files().count(), 0);
}

TEST_F(MainWindowTest, TextSurvivesOpenAndSaveByteForByte) {
    const QByteArray utf8 = "// Gr\xc3\xbc\xc3\x9f"
                            "e \xe2\x82\xac\r\nclass U {}\r\n";
    const QByteArray cp1252 = "// Gr\xfc\xdf"
                              "e \x80 \x93quoted\x94\r\nclass W {}\r\n";
    const QByteArray nul("class N {\0 int a;\0}\r\n\0\r\n", 24);
    const QByteArray twoMarks = "\xEF\xBB\xBF\xEF\xBB\xBF"
                                "class D {}\r\n";
    // "class L {\n// \u00E9 \U0001F600\n}" in UTF-16 little-endian, without a final line break.
    const QByteArray utf16("\xFF\xFE"
                           "c\0l\0a\0s\0s\0 \0L\0 \0{\0\n\0/\0/\0 \0\xE9\0 \0\x3D\xD8\x00\xDE\n\0}\0",
                           40);
    const std::pair<QString, QByteArray> files[] = {
        {"U.java", utf8},
        {"W.java", cp1252},
        {"N.java", nul},
        {"D.java", twoMarks},
        {"L.java", "class L {\n\tint lf;\n}\n"},
        {"M.java", "class M {\r\n}"},
        {"R.java", "class R {\r}\r"},
        {"X.java", utf16},
    };
    QStringList names;
    for (const auto& [name, bytes] : files) {
        writeBytes(projectDir + name, bytes);
        names << name;
    }
    MainWindow& w = start({writeProject("E", names)});
    // Every buffer passes through the editor once.
    for (const QString& name : names) {
        w.ui().sourceList->setCurrentRow(labels(w.ui().sourceList).indexOf(name));
        ASSERT_EQ(w.files().currentFile()->Name, name);
        if (name == "W.java") {
            EXPECT_EQ(w.editor()->lines().value(0),
                      QString::fromUtf8("// Grüße \u201cquoted\u201d").replace("Grüße ", "Grüße € "));
        }
        if (name == "X.java") {
            EXPECT_EQ(w.editor()->lines().value(1), QString::fromUtf8("// \u00E9 \U0001F600"));
        }
    }
    EXPECT_EQ(labels(w.ui().sourceList),
              QStringList({"D.java", "L.java", "M.java", "N.java", "R.java", "U.java", "W.java", "X.java"}));
    w.saveAllFiles();
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(readBytes(projectDir + name), bytes) << name.toStdString();
}

// A question about a file nothing touched would throw the buffer's edits away on Yes.
TEST_F(MainWindowTest, NoReloadQuestionForFilesThatDidNotChange) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    writeSource(projectDir + "AB.hwp", {"AB", "", "", "", "A.java", "B.java"});
    writeSource(dirPath("X.java"), {"class X {}"});
    writeSource(dirPath("Y.java"), {"class Y {}"});
    MainWindow& w = start();
    fileDialogs.choose(projectDir + "AB.hwp");
    w.openProject();
    ASSERT_EQ(w.files().currentFile()->Name, "B.java");
    // Edits reach the records when Open File takes the editor's text.
    w.editor()->insert("// b ");
    fileDialogs.choose(dirPath("X.java")).choose(dirPath("Y.java"));
    dialogs.answer(mrNo).answer(mrNo);
    w.openFiles();
    w.editor()->insert("// x ");
    w.openFiles();
    w.ui().sourceList->setCurrentRow(0); // A
    w.checkFilesChanged();
    EXPECT_EQ(dialogs.asked().size(), 2) << dialogs.askedTexts().join('\n').toStdString();

    // Saving records the time of what it wrote.
    w.ui().sourceList->setCurrentRow(1); // B
    w.saveFile();
    EXPECT_EQ(w.files().currentFile()->FileTime, fileTimeText(projectDir + "B.java"));

    // A real change is asked about; after the reload the buffer is the file and carries no marker.
    w.editor()->insert("// lost on reload ");
    w.ui().sourceList->setCurrentRow(0);
    w.ui().sourceList->setCurrentRow(1);
    ASSERT_TRUE(labels(w.ui().sourceList).contains("B.java (*)"));
    writeSource(projectDir + "B.java", {"class B { int changed; }"});
    setModificationTime(projectDir + "B.java", 120);
    // The buffer holds edits: the question names them, and Enter answers No.
    const QString withEdits = "The file B.java has changed on disk, and its buffer holds unsaved edits. "
                              "Reload it and discard the edits?";
    dialogs.answer(mrNo, withEdits).answer(mrYes, withEdits);
    w.checkFilesChanged();
    EXPECT_EQ(dialogs.asked().last().variant, DialogVariant::DefaultNo);
    EXPECT_EQ(w.editor()->lines(), QStringList({"// lost on reload // b class B {}"}));
    EXPECT_TRUE(w.files().currentFile()->Modified);
    w.checkFilesChanged();
    EXPECT_TRUE(labels(w.ui().sourceList).contains("B.java"));
    EXPECT_FALSE(w.files().currentFile()->Modified);
    EXPECT_EQ(w.files().currentFile()->FileTime, fileTimeText(projectDir + "B.java"));
    EXPECT_EQ(w.editor()->lines(), QStringList({"class B { int changed; }"}));
    // The reload is one step that undo takes back, edits and marker included.
    w.editor()->undo();
    EXPECT_EQ(w.editor()->lines(), QStringList({"// lost on reload // b class B {}"}));
    EXPECT_TRUE(labels(w.ui().sourceList).contains("B.java (*)"));
    w.editor()->redo();
    EXPECT_EQ(w.editor()->lines(), QStringList({"class B { int changed; }"}));
}

TEST_F(MainWindowTest, OpeningANameTheProjectHasAsksBeforeOverwriting) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "Loose.java", {"class Loose { /* not listed */ }"});
    const QString project = writeProject("A", {"A.java"});
    MainWindow& w = start({project});
    w.editor()->insert("// mine ");
    writeSource(dirPath("A.java"), {"class A { /* other */ }"});
    writeSource(dirPath("Loose.java"), {"class Loose { /* other */ }"});

    // No to either question changes nothing.
    fileDialogs.choose(QStringList{dirPath("A.java"), dirPath("Loose.java")});
    dialogs.answer(mrYes, "be added to the actual project?")
        .answer(mrNo, "The file already exists. Overwrite it?")
        .answer(mrYes, "be added to the actual project?")
        .answer(mrNo, "The file already exists. Overwrite it?");
    w.openFiles();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)"}));
    EXPECT_EQ(w.editor()->lines(), QStringList({"// mine class A {}"}));
    EXPECT_FALSE(w.project().ProjectModified);

    // The project's own file opened again shows its buffer: no question, no second record.
    fileDialogs.choose(QStringList{projectDir + "A.java", projectDir + "A.java"});
    dialogs.answer(mrYes).answer(mrNo);
    w.openFiles();
    EXPECT_EQ(w.files().count(), 1);
    EXPECT_EQ(w.editor()->lines(), QStringList({"// mine class A {}"}));

    // Yes replaces the project's buffer, which is then unsaved work; one record, listed once.
    fileDialogs.choose(dirPath("A.java"));
    dialogs.answer(mrYes, "be added").answer(mrYes, "Overwrite it?");
    w.openFiles();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)"}));
    EXPECT_EQ(w.editor()->lines(), QStringList({"class A { /* other */ }"}));
    w.saveAllFiles();
    EXPECT_EQ(readBytes(project), "A\r\n\r\n\r\nHeLo\r\nA.java\r\n");
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A { /* other */ }\r\n");
    EXPECT_EQ(readBytes(projectDir + "Loose.java"), "class Loose { /* not listed */ }\r\n");
}

TEST_F(MainWindowTest, OtherFilesLoadTheBitmapViewer) {
    writeSource(projectDir + "A.java", {"class A {}"});
    QImage(30, 20, QImage::Format_RGB32).save(projectDir + "small.bmp");
    QImage(100, 60, QImage::Format_RGB32).save(projectDir + "LARGE.BMP");
    QImage(40, 40, QImage::Format_RGB32).save(projectDir + "photo.png");
    MainWindow& w = start({writeProject("A", {"A.java", "small.bmp", "LARGE.BMP", "photo.png"})});
    BitmapViewer viewer;
    w.setBitmapViewer(&viewer);

    ASSERT_EQ(labels(w.ui().otherFileList), QStringList({"LARGE.BMP", "photo.png", "small.bmp"}));
    w.ui().otherFileList->setCurrentRow(2);
    EXPECT_EQ(viewer.size(), QSize(64, 70));
    EXPECT_TRUE(w.ui().showPictureItem->isEnabled());
    w.ui().otherFileList->setCurrentRow(0);
    EXPECT_EQ(viewer.size(), QSize(105, 80));
    w.ui().otherFileList->setCurrentRow(1);
    EXPECT_FALSE(w.ui().showPictureItem->isEnabled());
    EXPECT_EQ(viewer.size(), QSize(105, 80));
    w.showPicture();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), "Bitmap");
}

TEST_F(MainWindowTest, ActivationAfterSavingAndEditingAsksNothingAndKeepsTheEdits) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.editor()->insert("// saved\r\n");
    w.saveFile();
    setModificationTime(projectDir + "A.java", 30); // the save gave the file a time the record never saw
    w.editor()->insert("// typed after saving ");
    w.checkFilesChanged();
    EXPECT_TRUE(dialogs.asked().isEmpty());
    EXPECT_EQ(w.editor()->lines().value(0), "// typed after saving // saved");
}

TEST_F(MainWindowTest, AMouseClickOnAnotherSourceSwitchesOnce) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    MainWindow& w = start({writeProject("AB", {"A.java", "B.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ProjectRecord* a = w.files().nthOfKind(FileKind::Java, 0);
    const QString recorded = a->FileTime;
    setModificationTime(projectDir + "A.java", 90);
    QListWidget* list = w.ui().sourceList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(w.files().currentFile(), a);
    // Only the file left behind gets its time taken; A keeps the time it was loaded with.
    EXPECT_EQ(a->FileTime, recorded);
}

#include "MainWindowFixture.h"

#include "app/NewProjectWindow.h"
#include "app/SettingsWindow.h"
#include "build/ConsoleRunner.h"
#include "editor/SourceEditor.h"
#include "workspace/FileTime.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

TEST_F(MainWindowTest, LoadingSortsByNameAndSaveAllWritesTheListOrder) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    writeBytes(projectDir + "A.bmp", "BM");
    const QString project = writeProject("Order", {"B.java", "A.bmp", "A.java"});
    MainWindow& w = start({project});

    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java", "B.java"}));
    EXPECT_EQ(labels(w.ui().otherFileList), QStringList({"A.bmp"}));
    EXPECT_EQ(w.windowTitle(), "Kovrin Handwright 1.8 for SuperWaba <" + project + ">");
    // The last Java file inserted is the current one, and the editor shows it.
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_EQ(w.editor()->lines(), QStringList({"class A {}"}));
    EXPECT_EQ(w.ui().sourceList->currentRow(), 0);
    EXPECT_FALSE(w.files().currentFile()->FileTime.isEmpty());

    w.saveAllFiles();
    EXPECT_EQ(readBytes(project), "Order\r\n\r\n\r\nHeLo\r\nA.bmp\r\nA.java\r\nB.java\r\n");
}

TEST_F(MainWindowTest, CommandLineProjectNeedsTheExactExtension) {
    writeSource(projectDir + "Last.java", {"class Last {}"});
    const QString last = writeProject("Last", {"Last.java"});
    writeSource(projectDir + "Other.java", {"class Other {}"});
    const QString other = writeProject("Other", {"Other.java"});
    setStoreText(kProductKey, "LastProject", last);

    QFile::copy(other, projectDir + "Upper.HWP");
    QDir(projectDir).mkpath("Folder.hwp");
    // A named project that is not opened is reported (here and on standard error), never passed over.
    struct Row {
        QString argument;
        QString opened;
        QString message;
    } rows[] = {
        {other, "Other", {}},
        {projectDir + "Upper.HWP", "Last",
         projectDir + "Upper.HWP is not a project file: only a file ending in \".hwp\" opens as a project."},
        {projectDir + "Other.java", "Last",
         projectDir + "Other.java is not a project file: only a file ending in \".hwp\" opens as a project."},
        {projectDir + "Gone.hwp", "unknown", "The project file " + projectDir + "Gone.hwp does not exist."},
        {projectDir + "Folder.hwp", "unknown",
         "The project file " + projectDir + "Folder.hwp is not a regular file."},
    };
    for (const Row& row : rows) {
        if (!row.message.isEmpty())
            dialogs.answer(mrOk, row.message);
        const int asked = int(dialogs.asked().size());
        EXPECT_EQ(start({row.argument}).project().ProjectName, row.opened) << row.argument.toStdString();
        // An empty window says where work starts.
        EXPECT_EQ(window->ui().mainStatusBar->currentMessage(),
                  row.opened == "unknown" ? "Project > New... or Load Project..." : "");
        ASSERT_EQ(dialogs.asked().size(), asked + (row.message.isEmpty() ? 0 : 1))
            << row.argument.toStdString();
        if (!row.message.isEmpty()) {
            EXPECT_EQ(dialogs.asked().last().text, row.message);
            EXPECT_EQ(dialogs.asked().last().type, mtError);
        }
    }
}

TEST_F(MainWindowTest, FourLineProjectOpensEmptyAndMissingFilesAreReported) {
    const QString empty = writeProject("Empty", {});
    MainWindow& w = start({empty});
    EXPECT_EQ(w.project().ProjectName, "Empty");
    EXPECT_EQ(w.project().CreatorID, "HeLo");
    EXPECT_EQ(w.ui().sourceList->count(), 0);
    // An open project takes files, however few it has; building needs a source.
    EXPECT_TRUE(w.ui().addFileAction->isEnabled());
    EXPECT_TRUE(w.ui().menus.value("File1")->menuAction()->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton1")->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton2")->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton4")->isEnabled());
    EXPECT_TRUE(w.ui().menuActions.value("Save1")->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton3")->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton19")->isEnabled());
    EXPECT_FALSE(w.editor()->isEnabled());

    writeSource(projectDir + "Here.java", {"class Here {}"});
    const QString gaps = writeProject("Gaps", {"Gone.java", "Here.java"});
    dialogs.answer(mrOk, "The file Gone.java does not exist. It is removed from the project. To avoid this, "
                         "save the project after removing a file.");
    MainWindow& w2 = start({gaps});
    EXPECT_EQ(labels(w2.ui().sourceList), QStringList({"Here.java"}));
    EXPECT_TRUE(w2.ui().menus.value("File1")->menuAction()->isEnabled());
    EXPECT_EQ(dialogs.asked().value(0).type, mtConfirmation);
    // Loading leaves the project file as it was.
    EXPECT_TRUE(readBytes(gaps).contains("Gone.java"));
}

TEST_F(MainWindowTest, SaveProjectAsCopyKeepsTheProjectIdentity) {
    writeSource(projectDir + "Hello.java", {"class Hello {}"});
    const QString project = writeProject("Hello", {"Hello.java"});
    MainWindow& w = start({project});
    const QString caption = w.windowTitle();

    fileDialogs.choose(projectDir + "Copy");
    w.saveProject();
    EXPECT_EQ(readBytes(projectDir + "Copy.hwp"), readBytes(project));
    EXPECT_EQ(w.windowTitle(), caption);
    EXPECT_EQ(w.project().ProjectFileName, "Hello.hwp");
    ASSERT_EQ(fileDialogs.requests().size(), 1);
    EXPECT_EQ(fileDialogs.requests()[0].proposedName, "Hello.hwp");
    EXPECT_EQ(fileDialogs.requests()[0].folder, projectDir);

    EXPECT_TRUE(w.mayClose());
    EXPECT_EQ(storeText(kProductKey, "LastProject"), project);
}

TEST_F(MainWindowTest, RemovingAddingAndRemovingAgainRenamesAsideTwice) {
    writeSource(projectDir + "Main.java", {"class Main {}"});
    writeSource(projectDir + "Util.java", {"class Util {}"});
    MainWindow& w = start({writeProject("Main", {"Main.java", "Util.java"})});

    const auto removeMain = [&] {
        w.ui().sourceList->setCurrentRow(labels(w.ui().sourceList).indexOf("Main.java"));
        dialogs.answer(mrOk, "renamed to <filename>.java.old.");
        w.removeSourceFromProject();
    };
    removeMain();
    EXPECT_TRUE(QFileInfo::exists(projectDir + "Main.java.old(1)"));
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"Util.java"}));
    EXPECT_EQ(w.files().currentFile()->Name, "Util.java");
    EXPECT_TRUE(w.project().ProjectModified);

    // Bring it back from elsewhere into the project, save, and remove it again.
    writeSource(dirPath("Main.java"), {"class Main { int again; }"});
    fileDialogs.choose(dirPath("Main.java"));
    dialogs.answer(mrYes, "be added to the actual project?");
    w.openFiles();
    w.saveFile();
    removeMain();
    EXPECT_TRUE(QFileInfo::exists(projectDir + "Main.java.old(1)"));
    EXPECT_EQ(readBytes(projectDir + "Main.java.old(2)"), "class Main { int again; }\r\n");
    EXPECT_FALSE(QFileInfo::exists(projectDir + "Main.java"));

    // Cancel keeps the file.
    w.ui().sourceList->setCurrentRow(0);
    dialogs.answer(mrCancel);
    w.removeSourceFromProject();
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"Util.java"}));
}

TEST_F(MainWindowTest, RemovingAnotherFileKeepsUnsavedEditsOfTheShownOne) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    MainWindow& w = start({writeProject("P", {"A.java", "B.java"})});
    ASSERT_EQ(w.files().currentFile()->Name, "B.java");
    w.editor()->setCaretLine(0);
    w.editor()->insert("// edited ");
    w.ui().sourceList->setCurrentRow(0); // switches to A.java, keeping B's edit in its buffer
    w.ui().sourceList->setCurrentRow(1);
    w.editor()->insert("/* more */ ");
    // Remove A while B is shown: B's newest edit must survive the editor refill.
    w.ui().sourceList->blockSignals(true);
    w.ui().sourceList->setCurrentRow(0);
    w.ui().sourceList->blockSignals(false);
    dialogs.answer(mrOk);
    w.removeSourceFromProject();
    EXPECT_EQ(w.editor()->lines(), QStringList({"/* more */ // edited class B {}"}));
    EXPECT_TRUE(w.files().currentFile()->Modified);
}

TEST_F(MainWindowTest, AddingOtherFiles) {
    writeSource(projectDir + "Main.java", {"class Main {}"});
    writeBytes(projectDir + "inside.bmp", "inside");
    QDir().mkpath(projectDir + "img");
    writeBytes(projectDir + "img/deep.bmp", "deep");
    writeBytes(dirPath("pic.bmp"), "first");
    const QString project = writeProject("Main", {"Main.java"});
    MainWindow& w = start({project});

    // A file of a sub-folder stays there and is listed with it.
    fileDialogs.choose(
        QStringList{dirPath("pic.bmp"), projectDir + "inside.bmp", projectDir + "img/deep.bmp"});
    w.addOtherFile();
    EXPECT_EQ(labels(w.ui().otherFileList), QStringList({"img/deep.bmp", "inside.bmp", "pic.bmp"}));
    EXPECT_FALSE(QFileInfo::exists(projectDir + "deep.bmp"));
    w.saveAllFiles();
    EXPECT_EQ(readBytes(project),
              "Main\r\n\r\n\r\nHeLo\r\nMain.java\r\nimg/deep.bmp\r\ninside.bmp\r\npic.bmp\r\n");
    w.ui().otherFileList->setCurrentRow(0);
    dialogs.answer(mrOk, "renamed to <filename>.<ext>.old.");
    w.removeOtherFile();
    EXPECT_TRUE(QFileInfo::exists(projectDir + "img/deep.bmp.old(1)"));
    EXPECT_EQ(labels(w.ui().otherFileList), QStringList({"inside.bmp", "pic.bmp"}));
    EXPECT_EQ(readBytes(projectDir + "pic.bmp"), "first");
    EXPECT_EQ(readBytes(projectDir + "inside.bmp"), "inside");
    EXPECT_TRUE(w.project().ProjectModified);
    EXPECT_TRUE(w.ui().removeFileAction->isEnabled());
    EXPECT_EQ(fileDialogs.requests().value(0).title, "Add Bitmaps or Sounds");

    // The same name again: asked before overwriting, and No keeps the project's copy.
    writeBytes(dirPath("pic.bmp"), "second");
    fileDialogs.choose(dirPath("pic.bmp")).choose(dirPath("pic.bmp"));
    dialogs.answer(mrNo, "The file already exists. Overwrite it?").answer(mrYes);
    w.addOtherFile();
    EXPECT_EQ(readBytes(projectDir + "pic.bmp"), "first");
    w.addOtherFile();
    EXPECT_EQ(readBytes(projectDir + "pic.bmp"), "second");
    EXPECT_EQ(labels(w.ui().otherFileList), QStringList({"inside.bmp", "pic.bmp"}));

    // "Remove file" with nothing selected does nothing; with a selection it removes.
    w.removeOtherFile();
    EXPECT_EQ(w.ui().otherFileList->count(), 2);
    w.ui().otherFileList->setCurrentRow(1);
    dialogs.answer(mrOk, "renamed to <filename>.<ext>.old.");
    w.removeOtherFile();
    EXPECT_EQ(labels(w.ui().otherFileList), QStringList({"inside.bmp"}));
    EXPECT_EQ(w.ui().otherFileList->currentRow(), 0);
    EXPECT_TRUE(QFileInfo::exists(projectDir + "pic.bmp.old(1)"));
}

TEST_F(MainWindowTest, LoadProjectAsksToSaveFirst) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.editor()->insert("x");
    writeSource(dirPath("B.java"), {"class B {}"});
    writeSource(dirPath("B.hwp"), {"B", "", "", "", "B.java"});
    // Cancel goes back to the open project: nothing saved, no project chosen, no new project started.
    NewProjectWindow form(w, &w, dirPath("templates"));
    w.setNewProjectWindow(&form);
    dialogs.answer(mrCancel, "Do you want to save the current project first?")
        .answer(mrCancel, "Do you want to save the current project first?");
    bool opened = false;
    QTimer::singleShot(0, &form, [&] {
        opened = form.isVisible();
        form.reject();
    });
    w.openProject();
    w.newProject();
    EXPECT_EQ(dialogs.asked().value(0).buttons, MsgDlgButtons(mbYesNoCancel));
    EXPECT_TRUE(fileDialogs.requests().isEmpty());
    EXPECT_FALSE(opened);
    EXPECT_EQ(w.project().ProjectName, "A");
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A {}\r\n");
    EXPECT_EQ(w.editor()->lines(), QStringList({"xclass A {}"}));

    dialogs.answer(mrYes, "Do you want to save the current project first?")
        .answer(mrOk, "Project has been saved. Open the project now.");
    fileDialogs.choose(dirPath("B.hwp"));
    w.openProject();
    EXPECT_EQ(readBytes(projectDir + "A.java"), "xclass A {}\r\n");
    EXPECT_EQ(w.project().ProjectName, "B");
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"B.java"}));

    // Cancelling the chooser keeps the project.
    fileDialogs.cancel();
    w.openProject();
    EXPECT_EQ(w.project().ProjectName, "B");
}

TEST_F(MainWindowTest, BuildingNeedsTheMainClassOpen) {
    writeSource(projectDir + "Main.java", {"class Main {}"});
    writeSource(projectDir + "calc.java", {"class calc {}"});
    MainWindow& w = start({writeProject("Calc", {"Main.java", "calc.java"})});
    const QString text =
        "MainWindow not found. The MainWindow class name and the project name must be the same.";
    dialogs.answer(mrOk, text).answer(mrOk, text);
    w.saveAllCompileAndStart();
    w.compileAndStart();
    ASSERT_EQ(dialogs.asked().size(), 2);
    EXPECT_EQ(dialogs.asked()[0].type, mtConfirmation);
    EXPECT_EQ(dialogs.asked()[0].buttons, MsgDlgButtons(mbOK));
    EXPECT_TRUE(w.messages().isEmpty());
    EXPECT_FALSE(w.runner(RunnerRole::Compiler)->isRunning());
}

TEST_F(MainWindowTest, ADamagedProjectFileGivesOneMessage) {
    writeSource(projectDir + "Here.java", {"class Here {}"});
    QStringList garbage;
    for (int i = 0; i < 300; ++i)
        garbage << QString("%1 garbage line %2").arg(QChar(u'#')).arg(i);
    garbage.insert(150, "Here.java");
    dialogs.answer(mrOk, "and 290 more do not exist");
    MainWindow& w = start({writeProject("Junk", garbage)});
    EXPECT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"Here.java"}));
}

TEST_F(MainWindowTest, RemovingEveryFileKeepsTheProjectUsableAndClosingAsks) {
    writeSource(projectDir + "A.java", {"class A {}"});
    const QString project = writeProject("A", {"A.java"});
    MainWindow& w = start({project});
    w.ui().sourceList->setCurrentRow(0);
    dialogs.answer(mrOk, "renamed to <filename>.java.old.");
    w.removeSourceFromProject();
    ASSERT_EQ(w.files().count(), 0);
    EXPECT_TRUE(w.ui().addFileAction->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton4")->isEnabled());

    // The changed membership is asked about at close, and Yes writes it.
    dialogs.answer(mrYes, "Do you want to save all files?");
    EXPECT_TRUE(w.mayClose());
    EXPECT_EQ(readBytes(project), "A\r\n\r\n\r\nHeLo\r\n");
    EXPECT_EQ(storeText(kProductKey, "LastProject"), project);
}

TEST_F(MainWindowTest, LoadStopsWhenSavingTheOpenProjectFails) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.editor()->insert("unsaved ");
    // A folder where the source should go: no write can replace it, whoever runs the test.
    QFile::remove(projectDir + "A.java");
    QDir(projectDir).mkdir("A.java");
    writeSource(dirPath("B.hwp"), {"B", "", "", ""});
    dialogs.answer(mrYes, "Do you want to save the current project first?").answer(mrOk, "Cannot write");
    w.openProject();
    EXPECT_EQ(dialogs.asked().last().type, mtError);
    EXPECT_TRUE(fileDialogs.requests().isEmpty()) << "no project is chosen after a failed save";
    EXPECT_EQ(w.project().ProjectName, "A");
    EXPECT_EQ(w.editor()->lines(), QStringList({"unsaved class A {}"}));
}

TEST_F(MainWindowTest, NewProjectAsksToSaveFirstAndStopsWhenThatFails) {
    writeSource(projectDir + "A.java", {"class A {}"});
    const QString project = writeProject("A", {"A.java"});
    MainWindow& w = start({project});
    NewProjectWindow form(w, &w, dirPath("templates"));
    w.setNewProjectWindow(&form);
    w.editor()->insert("unsaved ");

    // Yes saves before the window opens.
    bool shown = false;
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, &form, [&] {
            if (!form.isVisible())
                return;
            shown = true;
            form.reject();
        });
    };
    closeWhenShown();
    dialogs.answer(mrYes, "Do you want to save the current project first?");
    w.newProject();
    EXPECT_TRUE(shown);
    EXPECT_EQ(readBytes(projectDir + "A.java"), "unsaved class A {}\r\n");

    // A save that fails keeps the window shut and the work in place.
    w.editor()->insert("more ");
    QFile::remove(projectDir + "A.java");
    QDir(projectDir).mkdir("A.java");
    shown = false;
    closeWhenShown();
    dialogs.answer(mrYes, "Do you want to save the current project first?").answer(mrOk, "Cannot write");
    w.newProject();
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(w.files().count(), 1);
    EXPECT_EQ(w.editor()->lines(), QStringList({"more unsaved class A {}"}));
}

TEST_F(MainWindowTest, ProjectNamesLeadingOutOfTheFolderAreRefused) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    writeSource(projectDir + "evil.hwp", {"../../x", "", "", "", "A.java"});
    dialogs.answer(mrOk, "A project name must not hold");
    fileDialogs.choose(projectDir + "evil.hwp");
    w.openProject();
    EXPECT_EQ(dialogs.asked().value(0).type, mtError);
    EXPECT_EQ(w.project().ProjectName, "A");
    EXPECT_EQ(w.files().count(), 1);
    w.saveAllFiles();
    EXPECT_FALSE(QFileInfo::exists(QDir::cleanPath(projectDir + "../../x.hwp")));
}

// A project is untrusted: no link in it makes a save write elsewhere, and what was not edited is not
// written at all.
TEST_F(MainWindowTest, SavesNeverReachOutOfTheProjectThroughLinks) {
    QDir().mkpath(dirPath("outside"));
    writeSource(dirPath("outside/x.java"), {"class x {}"});
    writeSource(dirPath("outside/y.java"), {"class y {}"});
    ASSERT_TRUE(QFile::link(dirPath("outside/x.java"), projectDir + "Link.java"));
    ASSERT_TRUE(QFile::link(dirPath("outside"), projectDir + "linked"));
    ASSERT_TRUE(QFile::link(dirPath("bashrc"), projectDir + "Hello.hwp"));
    writeSource(projectDir + "Hello.java", {"class Hello {}"});
    writeSource(projectDir + "start.hwp", {"Hello", "", "", "", "Hello.java", "Link.java", "linked/y.java"});
    MainWindow& w = start({projectDir + "start.hwp"});
    ASSERT_EQ(w.files().count(), 3);
    writeSource(dirPath("outside/x.java"), {"changed elsewhere"});
    writeSource(dirPath("outside/y.java"), {"changed elsewhere"});

    // Save all (as F10 runs it) writes neither the linked project file nor the unedited linked sources.
    dialogs.answer(mrOk, "Hello.hwp: it is a link to " + dirPath("bashrc") + ", which does not exist");
    EXPECT_FALSE(w.saveAll());
    EXPECT_EQ(dialogs.asked().value(0).type, mtError);
    EXPECT_FALSE(QFileInfo::exists(dirPath("bashrc")));
    EXPECT_EQ(readBytes(dirPath("outside/x.java")), "changed elsewhere\r\n");
    EXPECT_EQ(readBytes(dirPath("outside/y.java")), "changed elsewhere\r\n");

    // An edited buffer whose file leads out of the project is refused and stays unsaved.
    for (int row : {1, 2}) {
        w.ui().sourceList->setCurrentRow(row);
        w.editor()->insert("// edit ");
        dialogs.answer(mrOk, ": it leads to " + dirPath(row == 1 ? "outside/x.java" : "outside/y.java") +
                                 ", outside the project folder");
        w.saveFile();
        EXPECT_TRUE(w.files().currentFile()->Modified) << row;
    }
    EXPECT_EQ(readBytes(dirPath("outside/x.java")), "changed elsewhere\r\n");
    EXPECT_EQ(readBytes(dirPath("outside/y.java")), "changed elsewhere\r\n");

    // A class generated into a name the project holds as a link to nothing is refused before it is made.
    ASSERT_TRUE(QFile::link(dirPath("Calc.java"), projectDir + "Calc.java"));
    EXPECT_EQ(w.createFileFromTemplate(dirPath("outside/x.java"), "Calc").error,
              "Cannot write " + projectDir + "Calc.java: it is a link to " + dirPath("Calc.java") +
                  ", which does not exist");
    EXPECT_EQ(w.files().count(), 3);
}

// The file Save all writes is the project file from then on.
TEST_F(MainWindowTest, SaveAllMakesTheWrittenFileTheProjectFile) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "old.hwp", {"Named", "", "", "", "A.java"});
    MainWindow& w = start({projectDir + "old.hwp"});
    w.saveAllFiles();
    EXPECT_EQ(w.project().ProjectFileName, "Named.hwp");
    EXPECT_EQ(w.windowTitle(), "Kovrin Handwright 1.8 for SuperWaba <" + projectDir + "Named.hwp>");
    EXPECT_EQ(storeText(kProductKey, "LastProject"), projectDir + "Named.hwp");
    EXPECT_TRUE(w.mayClose());
    EXPECT_EQ(storeText(kProductKey, "LastProject"), projectDir + "Named.hwp");
}

TEST_F(MainWindowTest, SaveAllWritesTheProjectFileInItsOwnEncoding) {
    writeSource(projectDir + "A.java", {"class A {}"});
    const QByteArray cases[] = {
        "P\r\n/icons/caf\xE9.bmp\r\n\r\nCAFE\r\nA.java\r\n",
        "\xEF\xBB\xBFP\r\n\r\n\r\nBOM!\r\nA.java\r\n",
    };
    for (const QByteArray& bytes : cases) {
        writeBytes(projectDir + "P.hwp", bytes);
        MainWindow& w = start({projectDir + "P.hwp"});
        w.saveAllFiles();
        EXPECT_EQ(readBytes(projectDir + "P.hwp"), bytes) << bytes.toHex().constData();
    }
}

TEST_F(MainWindowTest, ACommandLineProjectIsFoundFromAnyFolder) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeProject("A", {"A.java"});
    const QString savedCurrent = QDir::currentPath();
    const QByteArray savedHome = qgetenv("HOME");
    QDir::setCurrent(projectDir);
    MainWindow& w = start({"./sub/../A.hwp"});
    EXPECT_EQ(w.project().ProjectDir, projectDir);
    EXPECT_TRUE(w.mayClose());
    EXPECT_EQ(storeText(kProductKey, "LastProject"), projectDir + "A.hwp");

    qputenv("HOME", QFileInfo(projectDir).absolutePath().toUtf8());
    QDir::setCurrent(dirPath(""));
    EXPECT_EQ(start({"~/A.hwp"}).project().ProjectDir, projectDir);
    QDir::setCurrent(savedCurrent);
    qputenv("HOME", savedHome);
}

TEST_F(MainWindowTest, TheEditorHasTheKeysOnceAProjectIsOpen) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.editor());
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_EQ(w.ui().runTargetBox->currentText(), "Java");
    EXPECT_EQ(w.editor()->lines(), QStringList({"xclass A {}"}));
}

// The example as a newcomer meets it: it opens on the source the manual names, and building it (Save all,
// with the Settings window made as the program makes it) leaves its project file as it came.
TEST_F(MainWindowTest, TheExampleOpensAsTheManualSaysAndSavingLeavesItsProjectFile) {
    const QString example = QStringLiteral(HW_SOURCE_DIR) + "/examples/Hello/";
    for (const QFileInfo& info : QDir(example).entryInfoList(QDir::Files))
        ASSERT_TRUE(QFile::copy(info.filePath(), projectDir + info.fileName()));
    const QByteArray before = readBytes(projectDir + "Hello.hwp");
    MainWindow& w = start({projectDir + "Hello.hwp"});
    SettingsWindow settings(w, w.liveSettings(), &w);
    w.setSettingsWindow(&settings);
    const QString manual =
        QString::fromUtf8(readBytes(QStringLiteral(HW_SOURCE_DIR) + "/help/getting-started.html"));
    ASSERT_NE(w.files().currentFile(), nullptr);
    EXPECT_TRUE(manual.contains("opens with <code>" + w.files().currentFile()->Name + "</code>"))
        << w.files().currentFile()->Name.toStdString();
    w.saveAllFiles();
    EXPECT_EQ(readBytes(projectDir + "Hello.hwp"), before);
}

// A first start on a machine without a JDK says which one to install (a headless JDK cannot open the
// applet viewer); once a JDK folder is set, nothing is said.
TEST_F(MainWindowTest, AStartWithoutAnyJdkSaysWhatToInstall) {
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", dirPath("no-programs").toUtf8());
    dialogs.answer(mrOk, "install a JDK (on Debian: sudo apt-get install openjdk-17-jdk)");
    start();
    EXPECT_EQ(storeText(kProductKey + "Paths", "JDKPath"), "<no key>");
    setStoreText(kProductKey + "Paths", "JDKPath", "/opt/jdk/");
    start();
    qputenv("PATH", savedPath);
    ASSERT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(dialogs.asked()[0].type, mtInformation);
}

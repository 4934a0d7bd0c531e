#include "MainWindowFixture.h"

#include "app/CommandMap.h"
#include "app/HeaderPanel.h"
#include "build/OutputWindow.h"
#include "editor/SourceEditor.h"

#include <QTreeWidget>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

// Each entry's handler is checked by the compiler; the window must still give every entry its item.
TEST_F(MainWindowTest, EveryCommandHasItsItemAndCaption) {
    MainWindow& w = start();
    for (const MenuCommand& command : menuCommands()) {
        QAction* action = w.ui().menuActions.value(command.objectName);
        ASSERT_NE(action, nullptr) << command.objectName.toStdString();
        EXPECT_EQ(action->text(), command.caption);
    }
    for (const ToolCommand& tool : toolCommands()) {
        QAction* action = w.ui().toolActions.value(tool.objectName);
        ASSERT_NE(action, nullptr) << tool.objectName.toStdString();
        EXPECT_EQ(action->toolTip(), tool.hint);
    }

    EXPECT_EQ(w.ui().menuActions.value("ToolButton19"), nullptr);
    EXPECT_TRUE(w.ui().menuActions.value("StartRemoteDebugging1")->isVisible());
    const std::pair<const char*, QKeySequence> keys[] = {
        {"SaveallCompileandStart1", QKeySequence(Qt::Key_F10)},
        {"DeleteSelection1", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"Manager1", QKeySequence(Qt::CTRL | Qt::Key_F12)},
        {"GotoDeclaration1", QKeySequence(Qt::Key_F12)},
        {"StartRemoteDebugging1", QKeySequence(Qt::Key_F8)},
        {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"NextError1", QKeySequence(Qt::Key_F4)},
        {"PreviousError1", QKeySequence(Qt::SHIFT | Qt::Key_F4)},
    };
    for (const auto& [name, key] : keys) {
        QAction* action = w.ui().menuActions.value(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(action->shortcuts().contains(key)) << name;
    }
}

TEST_F(MainWindowTest, MenusOpenWithAltAndTheCompileMenuKeepsItsGroups) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    for (const MenuTitle& title : menuTitles()) {
        const QString shown = w.ui().menus.value(title.objectName)->title();
        EXPECT_FALSE(QKeySequence::mnemonic(shown).isEmpty()) << shown.toStdString();
    }
    // The debugger's items and the message-list items each form a group of their own.
    const QList<QAction*> items = w.ui().menus.value("Compile1")->actions();
    for (const char* name : {"StartDebugger1", "NextError1"}) {
        const qsizetype at = items.indexOf(w.ui().menuActions.value(name));
        ASSERT_GT(at, 0) << name;
        EXPECT_TRUE(items[at - 1]->isSeparator()) << name;
    }
    // The panel under the editor is the message list; the log has a window of its own, opened from here.
    EXPECT_EQ(w.ui().messageHeader->text(), "Messages");
    OutputWindow output;
    w.setOutputWindow(&output);
    QAction* item = w.ui().menuActions.value("OutputWindow1");
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_TRUE(output.isVisible());
}

TEST_F(MainWindowTest, StatusBarShowsCaretAndTypingModeBesideOthersMessages) {
    writeSource(projectDir + "A.java", {"class A {", "\tint x;", "}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* caret = w.statusBar()->findChild<QLabel*>("caretPosition");
    auto* mode = w.statusBar()->findChild<QLabel*>("typingMode");
    ASSERT_NE(caret, nullptr);
    ASSERT_NE(mode, nullptr);
    const struct {
        int line, column;
        const char* shown;
    } places[] = {{1, 3, "2:4"}, {2, 1, "3:2"}, {0, 0, "1:1"}};
    for (const auto& place : places) {
        w.editor()->setCursorPosition(place.line, place.column);
        // The editor reports a moved caret once it has drawn it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return caret->text() == place.shown; }, 2000))
            << caret->text().toStdString() << " for " << place.shown;
    }
    w.editor()->setFocus();
    for (const char* shown : {"OVR", "INS"}) {
        QTest::keyClick(w.editor(), Qt::Key_Insert);
        EXPECT_EQ(mode->text(), shown);
        EXPECT_EQ(w.editor()->overwriteMode(), QByteArray(shown) == "OVR");
    }
    // A passing message of another command shows while the fields stay.
    w.statusBar()->showMessage("3 replaced", 2000);
    EXPECT_EQ(w.statusBar()->currentMessage(), "3 replaced");
    EXPECT_TRUE(caret->isVisible());
    EXPECT_TRUE(mode->isVisible());
}

// The Settings window rebuilds the list after the box was first shown; every target still shows whole.
TEST_F(MainWindowTest, RunTargetBoxIsAsWideAsItsLongestItem) {
    MainWindow& w = start();
    QComboBox* box = w.ui().runTargetBox;
    box->clear();
    box->addItem("Java");
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    box->addItems({"Palm Emulator", "Palm Simulator"});
    for (int i = 0; i < box->count(); ++i) {
        box->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QLineEdit* edit = box->lineEdit();
        // QLineEdit keeps two pixels free on either side of its text.
        EXPECT_GE(edit->contentsRect().width() - 4, edit->fontMetrics().horizontalAdvance(box->itemText(i)))
            << box->itemText(i).toStdString();
    }
}

TEST_F(MainWindowTest, StartsWithoutAProjectAndTheProjectCommandsOff) {
    MainWindow& w = start();
    EXPECT_EQ(w.windowTitle(), "Kovrin Handwright 1.8 for SuperWaba");
    EXPECT_EQ(w.project().ProjectName, "unknown");
    for (const char* menu : {"File1", "Edit1", "Compile1"})
        EXPECT_FALSE(w.ui().menus.value(menu)->menuAction()->isEnabled()) << menu;
    EXPECT_TRUE(w.ui().menus.value("Project1")->menuAction()->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton1")->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton2")->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton5")->isEnabled());
    EXPECT_FALSE(w.editor()->isEnabled());
    EXPECT_EQ(w.ui().runTargetBox->currentText(), "Java");
    EXPECT_FALSE(w.ui().palmTargetToggle->isChecked());
    w.ui().runTargetBox->setCurrentText("Palm Emulator");
    EXPECT_TRUE(w.ui().palmTargetToggle->isChecked());
    // With no project the window closes without a question.
    EXPECT_TRUE(w.mayClose());
}

TEST_F(MainWindowTest, PaneSizesAreRestoredSavedAndSurviveDamage) {
    setStoreText(kProductKey, "Splitter1", "200");
    setStoreText(kProductKey, "Splitter2", "250");
    setStoreText(kProductKey, "Splitter3", "abc");
    setStoreText(kProductKey, "Splitter4", "");
    writeSource(projectDir + "A.java", {"class A {}"});
    setStoreText(kProductKey, "LastProject", writeProject("A", {"A.java"}));
    dialogs.answer(mrOk, "'abc' ist kein gültiger Integerwert");
    MainWindow& w = start();
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.ui().leftPane->width(), 250);
    EXPECT_EQ(w.ui().sourceList->height(), 200);
    EXPECT_EQ(w.ui().messagePanel->height(), 125); // damaged value skipped, designed size kept
    EXPECT_EQ(w.ui().classTree->height(), 115);
    // Start-up went on and reopened the last project.
    EXPECT_EQ(w.project().ProjectName, "A");

    w.saveScreenSettings();
    EXPECT_EQ(storeText(kProductKey, "Splitter3"), "125");
    EXPECT_EQ(storeText(kProductKey, "Splitter4"), "115");

    // The Output header collapses the panel to 15 pixels and brings back the remembered height.
    QTest::mouseDClick(w.ui().messageHeader, Qt::LeftButton);
    EXPECT_EQ(w.ui().messagePanel->height(), 15);
    QTest::mouseDClick(w.ui().messageHeader, Qt::LeftButton);
    EXPECT_EQ(w.ui().messagePanel->height(), 125);
    EXPECT_EQ(w.ui().messageHeader->toolTip(), "Double click to resize.");
}

TEST_F(MainWindowTest, FileListRowsAreEighteenPixelsAndAlternate) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    MainWindow& w = start({writeProject("AB", {"A.java", "B.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (QListWidget* list : {w.ui().sourceList, w.ui().otherFileList}) {
        EXPECT_TRUE(list->alternatingRowColors());
    }
    EXPECT_EQ(w.ui().sourceList->visualItemRect(w.ui().sourceList->item(0)).height(), 18);
}

#include "MainWindowFixture.h"

#include "app/CommandMap.h"
#include "app/HeaderPanel.h"
#include "editor/SourceEditor.h"

#include <QTreeWidget>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMetaMethod>
#include <QTest>
#include <QToolButton>

TEST_F(MainWindowTest, EveryCommandReachesAnExistingHandler) {
    TForm1& w = start();
    const QMetaObject* meta = w.metaObject();
    for (const MenuCommand& command : menuCommands()) {
        const QByteArray slot = QMetaObject::normalizedSignature((command.handler + "()").toLatin1());
        EXPECT_GE(meta->indexOfSlot(slot), 0) << command.handler.toStdString();
        QAction* action = w.ui().menuActions.value(command.objectName);
        ASSERT_NE(action, nullptr) << command.objectName.toStdString();
        EXPECT_EQ(action->text(), command.caption);
    }
    for (const ToolCommand& tool : toolCommands()) {
        if (!tool.handler.isEmpty()) {
            EXPECT_GE(meta->indexOfSlot((tool.handler + "()").toLatin1()), 0) << tool.handler.toStdString();
        }
    }

    EXPECT_EQ(w.ui().menuActions.value("ToolButton19"), nullptr);
    EXPECT_EQ(w.ui().menuActions.value("SaveallCompileandStart1")->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(w.ui().menuActions.value("DeleteSelection1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(w.ui().menuActions.value("Manager1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    EXPECT_TRUE(w.ui().menuActions.value("StartRemoteDebugging1")->isVisible());
    EXPECT_EQ(w.ui().menuActions.value("StartRemoteDebugging1")->shortcut(), QKeySequence(Qt::Key_F8));
}

TEST_F(MainWindowTest, StartsWithoutAProjectAndTheProjectCommandsOff) {
    TForm1& w = start();
    EXPECT_EQ(w.windowTitle(), "Kovrin Handwright 1.8 for SuperWaba");
    EXPECT_EQ(w.project().ProjectName, "unknown");
    for (const char* menu : {"File1", "Edit1", "Compile1"})
        EXPECT_FALSE(w.ui().menus.value(menu)->menuAction()->isEnabled()) << menu;
    EXPECT_TRUE(w.ui().menus.value("Project1")->menuAction()->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton1")->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton2")->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton5")->isEnabled());
    EXPECT_FALSE(w.editor()->isEnabled());
    EXPECT_EQ(w.ui().ComboBox1->currentText(), "Java");
    EXPECT_FALSE(w.ui().ToolButton14->isChecked());
    w.ui().ComboBox1->setCurrentText("Palm Emulator");
    EXPECT_TRUE(w.ui().ToolButton14->isChecked());
    // With no project the window closes without a question.
    EXPECT_TRUE(w.FormCloseQuery());
}

TEST_F(MainWindowTest, PaneSizesAreRestoredSavedAndSurviveDamage) {
    setStoreText(kProductKey, "Splitter1", "200");
    setStoreText(kProductKey, "Splitter2", "250");
    setStoreText(kProductKey, "Splitter3", "abc");
    setStoreText(kProductKey, "Splitter4", "");
    writeSource(projectDir + "A.java", {"class A {}"});
    setStoreText(kProductKey, "LastProject", writeProject("A", {"A.java"}));
    dialogs.answer(mrOk, "'abc' ist kein gültiger Integerwert");
    TForm1& w = start();
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.ui().Panel1->width(), 250);
    EXPECT_EQ(w.ui().ListBox1->height(), 200);
    EXPECT_EQ(w.ui().Panel3->height(), 125); // damaged value skipped, designed size kept
    EXPECT_EQ(w.ui().TreeView1->height(), 115);
    // Start-up went on and reopened the last project.
    EXPECT_EQ(w.project().ProjectName, "A");

    w.saveScreenSettings();
    EXPECT_EQ(storeText(kProductKey, "Splitter3"), "125");
    EXPECT_EQ(storeText(kProductKey, "Splitter4"), "115");

    // The Output header collapses the panel to 15 pixels and brings back the remembered height.
    QTest::mouseDClick(w.ui().Panel4, Qt::LeftButton);
    EXPECT_EQ(w.ui().Panel3->height(), 15);
    QTest::mouseDClick(w.ui().Panel4, Qt::LeftButton);
    EXPECT_EQ(w.ui().Panel3->height(), 125);
    EXPECT_EQ(w.ui().Panel4->toolTip(), "Double click to resize.");
}

TEST_F(MainWindowTest, FileListRowsAreEighteenPixelsAndAlternate) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    TForm1& w = start({writeProject("AB", {"A.java", "B.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (QListWidget* list : {w.ui().ListBox1, w.ui().ListBox2}) {
        EXPECT_TRUE(list->alternatingRowColors());
    }
    EXPECT_EQ(w.ui().ListBox1->visualItemRect(w.ui().ListBox1->item(0)).height(), 18);
}

#include "debug/DebuggerOptions.h"
#include "debug/DebugInterface.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "ui/FileDialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DebuggerOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<RegistryStore>(dir.filePath("registry.sqlite"));
    }
    // Presses the button once the modal window runs.
    void pressWhileModal(DebuggerOptions& window, QPushButton* button) {
        QTimer::singleShot(0, button, [button] { button->click(); });
        window.runModal();
    }
    QTemporaryDir dir;
    std::unique_ptr<RegistryStore> store;
};

TEST_F(DebuggerOptionsTest, StartsWithItsDesignedTextsAndValues) {
    DebuggerOptions window(nullptr, store.get());
    EXPECT_EQ(window.windowTitle(), "Debugger Options");
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(),
              "Select the debugger you want to start by using the  menu\ncommand or F8");
    EXPECT_EQ(window.findChild<QGroupBox*>("GroupBox1")->title(), "Select Debugger ");
    EXPECT_EQ(window.findChild<QGroupBox*>("GroupBox2")->title(), "Remote Debugging Options ");
    EXPECT_EQ(window.RadioButton1->text(), "Use JDB");
    EXPECT_EQ(window.RadioButton2->text(), "Other (Remote Debugger)");
    EXPECT_TRUE(window.RadioButton1->isChecked());
    EXPECT_EQ(window.Edit1->text(), "");
    EXPECT_EQ(window.Edit4->text(), "");
    EXPECT_EQ(window.port(), "5000");
    EXPECT_EQ(window.Button1->text(), "OK");
    EXPECT_EQ(window.Button2->text(), "Cancel");
    EXPECT_EQ(window.Button3->text(), "...");
    EXPECT_TRUE(window.choice().useJdb);

    DebugInterface debugInterface;
    EXPECT_EQ(debugInterface.windowTitle(), "Debug Interface");
    EXPECT_FALSE(debugInterface.isVisible());
}

TEST_F(DebuggerOptionsTest, CancelAndOkBothKeepWhatTheFieldsHold) {
    DebuggerOptions window(nullptr, store.get());
    window.Edit3->setText("6001");
    window.RadioButton2->setChecked(true);
    window.Edit4->setText("-attach 6001");
    pressWhileModal(window, window.Button2);
    EXPECT_EQ(window.port(), "6001");
    EXPECT_FALSE(window.choice().useJdb);
    EXPECT_EQ(window.choice().parameters, "-attach 6001");
    window.Edit3->setText("6002");
    pressWhileModal(window, window.Button1);
    EXPECT_EQ(window.port(), "6002");
}

TEST_F(DebuggerOptionsTest, DotsButtonFillsTheDebuggerField) {
    DebuggerOptions window(nullptr, store.get());
    ScriptedFileDialogs dialogs;
    dialogs.choose("/opt/dbg/bin/dbg").cancel();
    window.Button3->click();
    EXPECT_EQ(window.Edit1->text(), "/opt/dbg/bin/dbg");
    window.Button3->click();
    EXPECT_EQ(window.Edit1->text(), "/opt/dbg/bin/dbg"); // cancelled: unchanged
    ASSERT_EQ(dialogs.requests().size(), 2);
    EXPECT_EQ(dialogs.requests()[0].title, "Select a debugger");
    EXPECT_EQ(dialogs.requests()[0].filter, "All files (*.*)|*.*");
    EXPECT_EQ(window.choice().program, "/opt/dbg/bin/dbg");
}

TEST_F(DebuggerOptionsTest, PlacementIsSavedOnCloseAndRestoredAtCreation) {
    {
        DebuggerOptions window(nullptr, store.get());
        window.move(123, 77);
        pressWhileModal(window, window.Button1);
    }
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("\\SOFTWARE\\Kovrin\\Orrery 1.0\\position", false));
    EXPECT_EQ(key.readInteger("Form15.Left"), 123);
    DebuggerOptions again(nullptr, store.get());
    EXPECT_EQ(again.pos().x(), 123);
}

} // namespace

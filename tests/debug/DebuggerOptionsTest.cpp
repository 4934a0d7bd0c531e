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
    EXPECT_EQ(window.m_useJdb->text(), "Use JDB");
    EXPECT_EQ(window.m_useOther->text(), "Other (Remote Debugger)");
    EXPECT_TRUE(window.m_useJdb->isChecked());
    EXPECT_EQ(window.m_debuggerProgram->text(), "");
    EXPECT_EQ(window.m_debuggerParameters->text(), "");
    EXPECT_EQ(window.port(), "5000");
    EXPECT_EQ(window.m_okButton->text(), "OK");
    EXPECT_EQ(window.m_cancelButton->text(), "Cancel");
    EXPECT_EQ(window.m_browseButton->text(), "...");
    EXPECT_TRUE(window.choice().useJdb);

    DebugInterface debugInterface;
    EXPECT_EQ(debugInterface.windowTitle(), "Debug Interface");
    EXPECT_FALSE(debugInterface.isVisible());
}

TEST_F(DebuggerOptionsTest, CancelAndOkBothKeepWhatTheFieldsHold) {
    DebuggerOptions window(nullptr, store.get());
    window.m_port->setText("6001");
    window.m_useOther->setChecked(true);
    window.m_debuggerParameters->setText("-attach 6001");
    pressWhileModal(window, window.m_cancelButton);
    EXPECT_EQ(window.port(), "6001");
    EXPECT_FALSE(window.choice().useJdb);
    EXPECT_EQ(window.choice().parameters, "-attach 6001");
    window.m_port->setText("6002");
    pressWhileModal(window, window.m_okButton);
    EXPECT_EQ(window.port(), "6002");
}

TEST_F(DebuggerOptionsTest, DotsButtonFillsTheDebuggerField) {
    DebuggerOptions window(nullptr, store.get());
    ScriptedFileDialogs dialogs;
    dialogs.choose("/opt/dbg/bin/dbg").cancel();
    window.m_browseButton->click();
    EXPECT_EQ(window.m_debuggerProgram->text(), "/opt/dbg/bin/dbg");
    window.m_browseButton->click();
    EXPECT_EQ(window.m_debuggerProgram->text(), "/opt/dbg/bin/dbg"); // cancelled: unchanged
    ASSERT_EQ(dialogs.requests().size(), 2);
    EXPECT_EQ(dialogs.requests()[0].title, "Select a debugger");
    EXPECT_EQ(dialogs.requests()[0].filter, "All files (*.*)|*.*");
    EXPECT_EQ(window.choice().program, "/opt/dbg/bin/dbg");
}

TEST_F(DebuggerOptionsTest, PlacementIsSavedOnCloseAndRestoredAtCreation) {
    {
        DebuggerOptions window(nullptr, store.get());
        window.move(123, 77);
        pressWhileModal(window, window.m_okButton);
    }
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("\\SOFTWARE\\Kovrin\\Orrery 1.0\\position", false));
    EXPECT_EQ(key.readInteger("Form15.Left"), 123);
    DebuggerOptions again(nullptr, store.get());
    EXPECT_EQ(again.pos().x(), 123);
}

} // namespace

#include "ui/ScriptedDialogs.h"
#include "ModalDriver.h"
#include "ui/MessageDialog.h"
#include "ui/StopBox.h"

#include <QMessageBox>
#include <gtest/gtest.h>

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEachQuestion) {
    ScriptedDialogs dialogs;
    dialogs.answer(mrYes, "save").answer(mrNo).answer(mrOk);
    EXPECT_EQ(messageDialog("Do you want to save?", mtConfirmation, mbYesNoCancel), mrYes);
    EXPECT_EQ(messageDialogWithAccessKeys("Exists. Proceed?", mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(stopBox("Bad name"), mrOk);
    EXPECT_EQ(dialogs.problems(), "");

    const QList<AskedDialog>& asked = dialogs.asked();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[0].title, "Confirm");
    EXPECT_EQ(asked[0].buttons, 11u);
    EXPECT_EQ(asked[0].variant, DialogVariant::Standard);
    EXPECT_EQ(asked[1].variant, DialogVariant::AccessKeys);
    EXPECT_EQ(asked[2].title, "STOP");
    EXPECT_EQ(asked[2].type, -1);
    EXPECT_EQ(asked[2].variant, DialogVariant::StopBox);
    EXPECT_EQ(dialogs.askedTexts(), QStringList({"Do you want to save?", "Exists. Proceed?", "Bad name"}));
}

TEST(ScriptedDialogs, FaultsAreRecordedAndAnsweredAsClosing) {
    ScriptedDialogs dialogs;
    dialogs.answer(mrYes).answer(mrOk, "missing").answer(mrCancel);
    // Yes is no button of an OK notice: answered as if closed.
    EXPECT_EQ(messageDialog("Notice", mtConfirmation, mbOK), mrOk);
    // Wrong question: the scripted answer still comes back.
    EXPECT_EQ(messageDialog("Another", mtConfirmation, mbOKCancel), mrOk);
    EXPECT_EQ(messageDialog("Cancel me", mtConfirmation, mbOKCancel), mrCancel);
    // Script exhausted.
    EXPECT_EQ(messageDialog("Unscripted", mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(messageDialog("Unscripted too", mtWarning, mbOKCancel), mrCancel);

    QStringList faults;
    for (const AskedDialog& q : dialogs.asked())
        faults << q.problem;
    EXPECT_TRUE(faults[0].contains("answer 6"));
    EXPECT_TRUE(faults[1].contains("\"missing\""));
    EXPECT_EQ(faults[2], "");
    EXPECT_TRUE(faults[3].contains("unscripted"));
    EXPECT_EQ(dialogs.problems().count('\n'), 3);
    EXPECT_TRUE(dialogs.problems().contains("Unscripted too"));
}

TEST(ScriptedDialogs, LeftoverAnswersAndNesting) {
    EXPECT_EQ(ScriptedDialogs::current(), nullptr);
    {
        ScriptedDialogs outer;
        outer.answer(mrNo).answer(mrYes);
        EXPECT_EQ(messageDialog("first", mtConfirmation, mbYesNo), mrNo);
        {
            ScriptedDialogs inner;
            inner.answer(mrCancel);
            EXPECT_EQ(ScriptedDialogs::current(), &inner);
            EXPECT_EQ(messageDialog("inner", mtConfirmation, mbYesNoCancel), mrCancel);
            EXPECT_EQ(inner.problems(), "");
        }
        EXPECT_EQ(ScriptedDialogs::current(), &outer);
        EXPECT_EQ(outer.remainingAnswers(), 1);
        EXPECT_EQ(outer.problems(), "1 scripted answer(s) never asked for");
        EXPECT_EQ(messageDialog("second", mtConfirmation, mbYesNo), mrYes);
        EXPECT_EQ(outer.askedTexts(), QStringList({"first", "second"}));
    }
    EXPECT_EQ(ScriptedDialogs::current(), nullptr);
}

TEST(StopBox, ShowsPlainBoxAndAnswersOk) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QString title, text;
        int buttonCount = 0;
        ModalDriver driver([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            title = box->windowTitle();
            text = box->text();
            buttonCount = int(box->buttons().size());
            pressKey(box, key);
        });
        EXPECT_EQ(stopBox("Invalid project name"), mrOk);
        EXPECT_FALSE(driver.timedOut());
        EXPECT_EQ(title, "STOP");
        EXPECT_EQ(text, "Invalid project name");
        EXPECT_EQ(buttonCount, 1);
    }
}

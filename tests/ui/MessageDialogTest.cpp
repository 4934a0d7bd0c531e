#include "ui/MessageDialog.h"
#include "ModalDriver.h"
#include "ui/ApplicationTitle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QList<QPushButton*> buttonsLeftToRight(const QWidget* dialog) {
    QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    return buttons;
}

// Shows the dialog for real, acts on it when it is up, and returns its answer.
int answerWith(MsgDlgButtons buttons, std::function<void(QWidget*)> action,
               DialogVariant variant = DialogVariant::Standard) {
    ModalDriver driver(std::move(action));
    const int result = variant == DialogVariant::AccessKeys
                           ? messageDialogWithAccessKeys("Proceed?", mtConfirmation, buttons)
                       : variant == DialogVariant::DefaultNo
                           ? messageDialogDefaultNo("Proceed?", mtConfirmation, buttons)
                           : messageDialog("Proceed?", mtConfirmation, buttons);
    EXPECT_TRUE(driver.acted());
    EXPECT_FALSE(driver.timedOut());
    return result;
}

} // namespace

TEST(MessageDialog, KeysAndCloseBoxAnswerByButtonSet) {
    struct Case {
        MsgDlgButtons buttons;
        int enter, escape, closeBox;
        DialogVariant variant = DialogVariant::Standard;
    };
    const Case cases[] = {
        {mbYesNoCancel, mrYes, mrCancel, mrCancel},
        {mbOK, mrOk, mrOk, mrOk},
        {mbOKCancel, mrOk, mrCancel, mrCancel},
        {mbYesNo, mrYes, mrNo, mrNo},
        {mbAbortRetryIgnore, mrRetry, mrCancel, mrCancel},
        // A question whose Yes throws work away: Enter answers No.
        {mbYesNo, mrNo, mrNo, mrNo, DialogVariant::DefaultNo},
        {mbYesNoCancel, mrNo, mrCancel, mrCancel, DialogVariant::DefaultNo},
        {mbOK, mrOk, mrOk, mrOk, DialogVariant::DefaultNo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttons);
        SCOPED_TRACE(int(c.variant));
        EXPECT_EQ(answerWith(
                      c.buttons, [](QWidget* d) { pressKey(d, Qt::Key_Return); }, c.variant),
                  c.enter);
        EXPECT_EQ(answerWith(
                      c.buttons, [](QWidget* d) { pressKey(d, Qt::Key_Enter); }, c.variant),
                  c.enter);
        EXPECT_EQ(answerWith(
                      c.buttons, [](QWidget* d) { pressKey(d, Qt::Key_Escape); }, c.variant),
                  c.escape);
        EXPECT_EQ(answerWith(
                      c.buttons, [](QWidget* d) { d->close(); }, c.variant),
                  c.closeBox);
    }
}

TEST(MessageDialog, ClickedButtonAndAccessKeysAnswer) {
    EXPECT_EQ(
        answerWith(mbYesNoCancel,
                   [](QWidget* d) { QTest::mouseClick(d->findChild<QPushButton*>("No"), Qt::LeftButton); }),
        mrNo);
    // Tab moves the focus, and Enter then presses the focused button, not the default one.
    EXPECT_EQ(answerWith(mbOKCancel,
                         [](QWidget* d) {
                             pressKey(d, Qt::Key_Tab);
                             pressKey(d, Qt::Key_Return);
                         }),
              mrCancel);
    EXPECT_EQ(answerWith(
                  mbYesNo, [](QWidget* d) { QTest::keyClick(d, Qt::Key_N, Qt::AltModifier); },
                  DialogVariant::AccessKeys),
              mrNo);
    EXPECT_EQ(answerWith(
                  mbYesNo, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Y, Qt::AltModifier); },
                  DialogVariant::AccessKeys),
              mrYes);
}

TEST(MessageDialog, HelpKeepsTheQuestionOpen) {
    QList<int> topics;
    MessageDialog::setHelpHandler([&](int context) { topics.append(context); });
    bool stillOpen = false;
    ModalDriver driver([&](QWidget* d) {
        QTest::mouseClick(d->findChild<QPushButton*>("Help"), Qt::LeftButton);
        stillOpen = d->isVisible();
        pressKey(d, Qt::Key_Escape);
    });
    const int result = messageDialog("Proceed?", mtConfirmation, mbYesNo | mbHelp, 42);
    MessageDialog::setHelpHandler({});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(topics, QList<int>{42});
    EXPECT_EQ(result, mrNo);
}

TEST(MessageDialog, ButtonsInTableOrderWithCaptionsAndNames) {
    MessageDialog dialog("Everything", mtInformation, 0x7FF);
    QStringList names, captions;
    int y = -1;
    for (QPushButton* b : buttonsLeftToRight(&dialog)) {
        names << b->objectName();
        captions << b->text();
        EXPECT_TRUE(y == -1 || y == b->y());
        y = b->y();
        EXPECT_EQ(b->isDefault(), b->objectName() == "OK");
    }
    EXPECT_EQ(names, QStringList({"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll",
                                  "YesToAll", "Help"}));
    EXPECT_EQ(captions, QStringList({"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All",
                                     "No to all", "Yes to all", "Help"}));

    MessageDialog keys("Overwrite?", mtConfirmation, mbYesNo, 0, DialogVariant::AccessKeys);
    EXPECT_EQ(keys.findChild<QPushButton*>("Yes")->text(), "&Yes");
    EXPECT_EQ(keys.findChild<QPushButton*>("No")->text(), "&No");
}

TEST(MessageDialog, TitleAndIconFollowType) {
    struct Case {
        int type;
        QString title;
        bool icon;
    };
    const Case cases[] = {{mtWarning, "Warning", true},          {mtError, "Error", true},
                          {mtInformation, "Information", true},  {mtConfirmation, "Confirm", true},
                          {mtCustom, applicationTitle(), false}, {9, applicationTitle(), false}};
    for (const Case& c : cases) {
        MessageDialog dialog("Text", MsgDlgType(c.type), mbOK);
        EXPECT_EQ(dialog.windowTitle(), c.title);
        auto* image = dialog.findChild<QLabel*>("Image");
        ASSERT_EQ(image != nullptr, c.icon) << c.type;
        auto* message = dialog.findChild<QLabel*>("Message");
        ASSERT_TRUE(message);
        EXPECT_EQ(message->text(), "Text");
        if (image) {
            EXPECT_EQ(image->size(), QSize(32, 32));
            EXPECT_FALSE(image->pixmap().isNull());
            EXPECT_GT(message->x(), image->geometry().right());
        }
    }
    EXPECT_EQ(applicationTitle(), "Handwright 1.8");
}

TEST(MessageDialog, LongTextWrapsAtHalfTheScreen) {
    const int half = QGuiApplication::primaryScreen()->geometry().width() / 2;
    QString text;
    for (int i = 0; i < 120; ++i)
        text += QStringLiteral("word%1 ").arg(i);
    MessageDialog dialog(text.trimmed(), mtWarning, mbOK);
    auto* message = dialog.findChild<QLabel*>("Message");
    EXPECT_LE(message->width(), half);
    EXPECT_GT(message->width(), half * 3 / 4);
    EXPECT_GE(message->height(), 3 * message->fontMetrics().height());
    // The label must show every line of the text it was sized for.
    EXPECT_LE(message->heightForWidth(message->width()), message->height());
    EXPECT_LT(dialog.width(), half + 32 + 10 * message->fontMetrics().averageCharWidth());
    EXPECT_GT(buttonsLeftToRight(&dialog).front()->y(), message->geometry().bottom());
}

TEST(MessageDialog, LongPathWrapsWithinHalfTheScreenWithEveryCharacterShown) {
    const int half = QGuiApplication::primaryScreen()->geometry().width() / 2;
    // One folder name longer than the wrap width: no blank or slash to break at.
    const QString path = "/home/user/" + QString("Handwright").repeated(60) + "/Hello.java";
    const QString text = "The file " + path + " does not exist.\nIt was removed.";
    MessageDialog dialog(text, mtError, mbOK);
    auto* message = dialog.findChild<QLabel*>("Message");
    EXPECT_LE(message->width(), half);
    EXPECT_LT(dialog.width(), half + 32 + 10 * message->fontMetrics().averageCharWidth());
    // Drawn as the label draws it, the text keeps within the label, and all of it is there.
    const QRect drawn = message->fontMetrics().boundingRect(
        QRect(0, 0, message->width(), 0), Qt::AlignLeft | Qt::TextWordWrap, message->text());
    EXPECT_LE(drawn.width(), message->width());
    EXPECT_LE(drawn.height(), message->height());
    EXPECT_EQ(message->text().remove('\n'), QString(text).remove('\n'));
}

TEST(MessageDialog, OneWordStillFitsItsButtons) {
    MessageDialog dialog("Done", mtCustom, mbYesNoCancel);
    const QList<QPushButton*> buttons = buttonsLeftToRight(&dialog);
    ASSERT_EQ(buttons.size(), 3);
    const int left = buttons.front()->x();
    const int right = dialog.width() - 1 - buttons.back()->geometry().right();
    EXPECT_GT(left, 0);
    EXPECT_LE(std::abs(left - right), 1); // the row is centred
    auto* message = dialog.findChild<QLabel*>("Message");
    EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance("Done"));
    EXPECT_LT(message->width(), buttons.back()->geometry().right() - left);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

#pragma once

#include "MessageDialogVocabulary.h"

#include <QList>
#include <QString>
#include <QStringList>

// A question as it would have been shown, and what it was answered.
struct AskedDialog {
    QString text;
    int type = mtCustom; // -1 for the STOP box, which has no message type
    MsgDlgButtons buttons = 0;
    QString title;
    DialogVariant variant = DialogVariant::Standard;
    int answer = mrNone;
    QString problem; // empty when the question was scripted and its answer fits the dialog
};

// While one exists, messageDialog() and stopBox() show no window: each question is recorded and gets the
// next scripted answer. A question with no answer left, or whose answer the dialog could not give, is
// recorded with a problem, warned about at once, and answered as if the user had closed the window.
// Instances nest (the innermost answers); user-interface thread only.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Queues the answer to the next question; with a fragment, that question must contain it.
    ScriptedDialogs& answer(int result, const QString& textFragment = {});

    const QList<AskedDialog>& asked() const { return m_asked; }
    QStringList askedTexts() const;
    int remainingAnswers() const { return int(m_script.size()); }
    // One line per fault (unscripted or misfitting question, answers never asked for); empty when none.
    QString problems() const;

    static ScriptedDialogs* current();
    // Used by the dialogs in place of showing a window.
    int respond(const QString& text, int type, MsgDlgButtons buttons, const QString& title,
                DialogVariant variant);

private:
    struct Scripted {
        int result;
        QString textFragment;
    };
    QList<Scripted> m_script;
    QList<AskedDialog> m_asked;
    ScriptedDialogs* m_previous;
};

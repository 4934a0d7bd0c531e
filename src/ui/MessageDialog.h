#pragma once

#include "MessageDialogVocabulary.h"

#include <QDialog>
#include <functional>

// The dialog behind messageDialog(), built for one message. Callers use messageDialog(); the class is
// public so tests can look at its controls.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    MessageDialog(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext = 0,
                  DialogVariant variant = DialogVariant::Standard, QWidget* parent = nullptr);

    int helpContext() const { return m_helpContext; }

    // What the Help button does with the help context; until one is set it does nothing but stay open.
    static void setHelpHandler(std::function<void(int helpContext)> handler);

public slots:
    // Escape and the close box: the cancel button's answer.
    void reject() override;

private:
    void addButtons(const QList<QRect>& rects, DialogVariant variant);

    MsgDlgButtons m_buttons;
    int m_helpContext;
};

// Shows `text` modally and returns the result of the button pressed (ModalResult).
int messageDialog(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext = 0);

// The same with No as the button Enter presses, when the set holds No.
int messageDialogDefaultNo(const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext = 0);

// Once the program is ending on a termination signal nobody may be there to answer, and a modal box would
// keep the process alive: from then on every message goes to standard error, answered as the dialog's
// close box would answer it.
void sendMessagesToStandardError();

// The same with the captions "&Yes" and "&No", so Alt+Y and Alt+N answer.
int messageDialogWithAccessKeys(const QString& text, MsgDlgType type, MsgDlgButtons buttons,
                                int helpContext = 0);

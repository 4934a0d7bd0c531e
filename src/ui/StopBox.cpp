#include "StopBox.h"

#include "MessageDialogVocabulary.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QMessageBox>

int stopBox(const QString& text) {
    const QString title = QStringLiteral("STOP");
    if (ScriptedDialogs* script = ScriptedDialogs::current())
        return script->respond(text, -1, mbOK, title, DialogVariant::StopBox);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return mrOk;
}

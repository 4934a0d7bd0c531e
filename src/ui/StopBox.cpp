#include "StopBox.h"

#include "MessageDialogVocabulary.h"
#include "ScriptedDialogs.h"

#include <QApplication>

int plainMessageBox(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    if (ScriptedDialogs* script = ScriptedDialogs::current())
        return script->respond(text, -1, mbOK, caption, DialogVariant::StopBox);
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return mrOk;
}

int stopBox(const QString& text) {
    return plainMessageBox(text, QStringLiteral("STOP"));
}

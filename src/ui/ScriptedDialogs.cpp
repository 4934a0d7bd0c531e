#include "ScriptedDialogs.h"

#include <QDebug>

namespace {
ScriptedDialogs* s_current = nullptr;
}

ScriptedDialogs::ScriptedDialogs() : m_previous(s_current) {
    s_current = this;
}

ScriptedDialogs::~ScriptedDialogs() {
    s_current = m_previous;
    const QString faults = problems();
    if (!faults.isEmpty())
        qWarning().noquote() << "Scripted dialogs ended with problems:\n" + faults;
}

ScriptedDialogs* ScriptedDialogs::current() {
    return s_current;
}

ScriptedDialogs& ScriptedDialogs::answer(int result, const QString& textFragment) {
    m_script.append({result, textFragment});
    return *this;
}

QStringList ScriptedDialogs::askedTexts() const {
    QStringList texts;
    for (const AskedDialog& q : m_asked)
        texts.append(q.text);
    return texts;
}

int ScriptedDialogs::respond(const QString& text, int type, MsgDlgButtons buttons, const QString& title,
                             DialogVariant variant) {
    AskedDialog question;
    question.text = text;
    question.type = type;
    question.buttons = buttons;
    question.title = title;
    question.variant = variant;
    QStringList faults;
    question.answer = closeResult(question.buttons);
    if (m_script.isEmpty()) {
        faults.append(QStringLiteral("unscripted question"));
    } else {
        const Scripted next = m_script.takeFirst();
        if (isPossibleResult(question.buttons, next.result))
            question.answer = next.result;
        else
            faults.append(
                QStringLiteral("scripted answer %1 is not one this dialog can give").arg(next.result));
        if (!next.textFragment.isEmpty() && !question.text.contains(next.textFragment))
            faults.append(QStringLiteral("expected a question containing \"%1\"").arg(next.textFragment));
    }
    if (!faults.isEmpty()) {
        question.problem = faults.join(QStringLiteral("; "));
        qWarning().noquote() << "Scripted dialogs:" << question.problem << "-" << question.title << "-"
                             << question.text;
    }
    m_asked.append(question);
    return question.answer;
}

QString ScriptedDialogs::problems() const {
    QStringList lines;
    for (const AskedDialog& q : m_asked) {
        if (!q.problem.isEmpty())
            lines.append(QStringLiteral("%1: [%2] %3").arg(q.problem, q.title, q.text));
    }
    if (!m_script.isEmpty())
        lines.append(QStringLiteral("%1 scripted answer(s) never asked for").arg(m_script.size()));
    return lines.join(QLatin1Char('\n'));
}

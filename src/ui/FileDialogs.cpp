#include "FileDialogs.h"

#include <QDebug>
#include <QFileDialog>

namespace {
ScriptedFileDialogs* s_current = nullptr;
}

QString qtNameFilters(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file on Windows, with a dot in its name or not; here it would hide the
            // names without one.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(' '));
    }
    return filters.join(QStringLiteral(";;"));
}

QStringList chooseFiles(QWidget* parent, const FileDialogRequest& request) {
    if (ScriptedFileDialogs* script = ScriptedFileDialogs::current())
        return script->respond(request);

    QFileDialog dialog(parent, request.title, request.folder, qtNameFilters(request.filter));
    // Our descriptions already name their patterns, as in "All files (*.bmp,*.png)".
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    switch (request.kind) {
    case FileDialogKind::Open:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogKind::OpenMany:
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case FileDialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.proposedName.isEmpty())
            dialog.selectFile(request.proposedName);
        break;
    case FileDialogKind::Folder:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

ScriptedFileDialogs::ScriptedFileDialogs() : m_previous(s_current) {
    s_current = this;
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    s_current = m_previous;
    const QString faults = problems();
    if (!faults.isEmpty())
        qWarning().noquote() << "Scripted file dialogs ended with problems:\n" + faults;
}

ScriptedFileDialogs* ScriptedFileDialogs::current() {
    return s_current;
}

ScriptedFileDialogs& ScriptedFileDialogs::choose(const QStringList& paths) {
    m_script.append(paths);
    return *this;
}

QStringList ScriptedFileDialogs::respond(const FileDialogRequest& request) {
    m_requests.append(request);
    if (m_script.isEmpty()) {
        m_problems << QStringLiteral("unscripted file dialog \"%1\"").arg(request.title);
        qWarning().noquote() << "Scripted file dialogs:" << m_problems.last();
        return {};
    }
    return m_script.takeFirst();
}

QString ScriptedFileDialogs::problems() const {
    QStringList lines = m_problems;
    if (!m_script.isEmpty())
        lines << QStringLiteral("%1 scripted choice(s) never asked for").arg(m_script.size());
    return lines.join('\n');
}

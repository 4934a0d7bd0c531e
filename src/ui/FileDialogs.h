#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// File choosers of the program. Filters are written as pairs "description|patterns|..." with patterns
// separated by ';', the form the program's texts use.
enum class FileDialogKind { Open, OpenMany, Save, Folder };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QString folder;        // where the chooser starts
    QString filter;        // "description|patterns|..."
    QString proposedName;  // Save only
    QString defaultSuffix; // without the dot; empty for none
};

// Empty list: the user cancelled. Open, Save and Folder give at most one name.
QStringList chooseFiles(QWidget* parent, const FileDialogRequest& request);

// "Java Source|*.java|All Files|*.*" -> "Java Source (*.java);;All Files (*)": "*.*" stands for every file.
QString qtNameFilters(const QString& pairs);

// While one exists, chooseFiles() shows no window: each request is recorded and gets the next scripted
// answer (an empty list when none is left, which reads as Cancel and is recorded as a problem).
class ScriptedFileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    ScriptedFileDialogs& choose(const QStringList& paths);
    ScriptedFileDialogs& choose(const QString& path) { return choose(QStringList{path}); }
    ScriptedFileDialogs& cancel() { return choose(QStringList{}); }

    const QList<FileDialogRequest>& requests() const { return m_requests; }
    QString problems() const;

    static ScriptedFileDialogs* current();
    QStringList respond(const FileDialogRequest& request);

private:
    QList<QStringList> m_script;
    QList<FileDialogRequest> m_requests;
    QStringList m_problems;
    ScriptedFileDialogs* m_previous;
};

#pragma once

#include "workspace/FileList.h"
#include "workspace/TextFile.h"

#include <QString>
#include <QStringList>

// Class templates: "<name>.orw" files in the program folder in which "<name>" stands for the class name.
namespace ClassTemplate {

inline const QString kPlaceholder = QStringLiteral("<name>");
inline const QString kExtension = QStringLiteral(".orw");
inline const QString kMainWindowTemplate = QStringLiteral("MainWindow.orw");

// Every "<name>" of every line replaced by the class name. The inserted text is not examined again, so a
// class name that itself holds "<name>" is inserted as it is.
QStringList substituteTemplate(const QStringList& lines, const QString& className);

// The templates of a folder: regular files whose name ends in ".orw" (exactly, as file names compare),
// each shown as its name without the last four characters, sorted case-blind like the list that shows
// them. A file named just ".orw" has no name to show and is left out.
QStringList templateDisplayNames(const QString& folder);

// folder + "/" + displayName + ".orw".
QString templatePath(const QString& folder, const QString& displayName);

// The template read as lines with the placeholder replaced; `error` names the file when it cannot be read.
TextReadResult generateFromTemplate(const QString& templatePath, const QString& className);

} // namespace ClassTemplate

// The project can be built only when its main class is open: a record named exactly ProjectName + ".java"
// (letter case counts).
bool MainWindowOK(const FileList& files, const QString& projectName);

// Why the name cannot be a Java class name (and so a project or class name, which become file and class
// names); empty when it can. A Java identifier that is not a keyword or literal: a letter, "_" or "$",
// then letters, digits, "_" and "$".
QString javaClassNameProblem(const QString& name);

// The folder a new project goes into: withBackslash(withBackslash(path) + name), with the separator of the
// path convention ('/' here, '\' for the Windows form).
QString newProjectDir(const QString& path, const QString& name, QChar separator = u'/');

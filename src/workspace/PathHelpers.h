#pragma once

#include "FileResult.h"

#include <QString>

// Folders are held with a trailing separator. The separator is a parameter so that the Windows form
// can be produced too; the program itself uses '/'.
QString withBackslash(const QString& text, QChar separator = u'/');

// The program's folder without trailing separator: templates, help pages and default icons lie there.
QString programFolder();

// The part after the last separator.
QString fileNamePart(const QString& path, QChar separator = u'/');

// From the last '.' of the file-name part, dot included; empty when there is none.
QString fileExtension(const QString& path, QChar separator = u'/');

// Creates the folder with every missing parent. An empty name fails with the framework's text
// "Das Verzeichnis kann nicht erstellt werden"; a folder that cannot be created names the reason.
FileResult forceDirectories(const QString& folder);

// A name that stays in the folder it is joined to: no "/", no "\\" and no "..".
bool isPlainName(const QString& name);

// A folder or file as the user typed it, made absolute: a leading "~" or "~/" is the home folder and a
// relative path is taken from the current folder. Empty stays empty.
QString absoluteUserPath(const QString& path);

// Renames the file to path + ".old(N)" with the smallest N for which no such file exists and returns
// the new name; empty when nothing was renamed.
QString renameAside(const QString& path);

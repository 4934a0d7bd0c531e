#pragma once

#include "ui/MessageDialogVocabulary.h"

#include <QFileInfo>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

// Printing as the program sees it. Qt's print support behind it lives in a library of its own, loaded at
// the first print, so that a run which never prints does not map it. Only virtual calls and plain data
// cross between the two.
struct PrintJob {
    QStringList lines;
    QFont font;
    int tabWidth = 4;
    bool lineNumbers = false;
    QString header;
    // The source file: a print without a printer goes to a PDF file beside it.
    QString sourcePath;

    // The header the print command sets: "Project: " name, nine blanks, "File: " file name.
    static QString projectHeader(const QString& projectName, const QString& fileName) {
        return QStringLiteral("Project: ") + projectName + QStringLiteral("         File: ") +
               QFileInfo(fileName).fileName();
    }
};

class PrintBackend {
public:
    virtual ~PrintBackend() = default;
    // Shows the preview of `job` modally over `parent`; it prints from there. The margins and the printer
    // chosen stay for the next job.
    virtual void preview(QWidget* parent, const PrintJob& job) = 0;
};

// How the library asks its questions: through the program's own message dialog, so that a question asked
// while printing behaves as every other question of the program does.
using PrintQuestionFunction = int (*)(const QString& text, MsgDlgType type, MsgDlgButtons buttons);

// The library's one entry point, resolved by this name.
using CreatePrintFunction = PrintBackend* (*)(PrintQuestionFunction ask);
inline constexpr char kCreatePrintSymbol[] = "handwrightCreatePrinter";
// The library's place in the program folder.
inline constexpr char kPrintLibraryName[] = "plugins/handwright-print.so";

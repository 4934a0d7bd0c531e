#pragma once

#include <QString>

// Outcome of a file operation: empty error on success, else a sentence naming the file and the reason,
// ready for the message dialog.
struct FileResult {
    QString error;

    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }

    static FileResult success() { return {}; }
    static FileResult cannotRead(const QString& path, const QString& reason) {
        return {QStringLiteral("Cannot read %1: %2").arg(path, reason)};
    }
    static FileResult cannotWrite(const QString& path, const QString& reason) {
        return {QStringLiteral("Cannot write %1: %2").arg(path, reason)};
    }
};

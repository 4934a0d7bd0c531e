#pragma once

#include <QString>

// Outcome of an operation on the store or on the settings: an empty error means success.
struct RegistryStatus {
    QString error;

    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }

    static RegistryStatus success() { return {}; }
    static RegistryStatus failure(const QString& message) { return {message}; }
};

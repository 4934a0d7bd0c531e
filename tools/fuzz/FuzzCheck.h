// Shared by the fuzz targets: a property that fails stops the run like a crash, so libFuzzer keeps the
// input that broke it.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <sanitizer/common_interface_defs.h>

// The text goes to stderr and to the sanitizers' report file, since libFuzzer may have closed stderr.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fuzz::fail(#condition, __FILE__, __LINE__);                                                      \
    } while (0)

namespace fuzz {

[[noreturn]] inline void fail(const char* condition, const char* file, int line) {
    char text[1024];
    std::snprintf(text, sizeof text, "property failed: %s (%s:%d)", condition, file, line);
    std::fprintf(stderr, "%s\n", text);
    __sanitizer_report_error_summary(text);
    __builtin_trap();
}

// One private folder per process for the readers that only take file names; removed at exit.
inline QString scratchDir() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/hw-fuzz-XXXXXX"));
    return dir.path();
}

inline QString writeScratch(const QString& name, const QByteArray& bytes) {
    const QString path = scratchDir() + u'/' + name;
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f)
        __builtin_trap();
    if (!bytes.isEmpty())
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
    std::fclose(f);
    return path;
}

inline QByteArray readScratch(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace fuzz

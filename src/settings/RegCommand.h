#pragma once

#include "RegistryPath.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

class RegistryStore;

// The verbs of handwright-reg, shaped after Windows' reg.exe:
//   query KEY [/v NAME | /ve] [/s]
//   add KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] [/f]
//   export KEY FILE [/y]
//   import FILE
// Results go to `out`, "ERROR: ..." lines to `err`; questions are asked on `out` and answered from `in`,
// where the end of input answers No. run() returns the exit code: 0 done, 1 failed or declined.
// `interactive`: `in` is a terminal, which echoes the answers itself.
class RegCommand {
public:
    RegCommand(const QString& storePath, QTextStream& in, QTextStream& out, QTextStream& err,
               bool interactive);
    ~RegCommand();

    int run(const QStringList& arguments);

private:
    struct Parsed {
        QString verb;
        QStringList positional;
        QHash<QString, QString> options; // "/v" -> argument, "/f" -> ""
    };

    std::optional<Parsed> parse(const QStringList& arguments);
    int query(const Parsed& args);
    int add(const Parsed& args);
    int remove(const Parsed& args);
    int exportKey(const Parsed& args);
    int importFile(const Parsed& args);

    RegistryStore* store();
    std::optional<RegistryPath> keyArgument(const Parsed& args);
    // The value name of /v NAME or /ve; nullopt without either (or, reported, with both).
    std::optional<QString> valueArgument(const Parsed& args, bool& conflict);
    bool confirm(const QString& question);
    int fail(const QString& message);
    int syntaxError(const QString& verb, const QString& detail = QString());
    int succeeded();
    int usage(const QString& verb);

    QString m_storePath;
    std::unique_ptr<RegistryStore> m_store;
    QTextStream& m_in;
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_interactive;
};

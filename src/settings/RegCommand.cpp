#include "RegCommand.h"

#include "RegFile.h"
#include "RegTransfer.h"
#include "RegistryStore.h"
#include "workspace/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString notFound = QStringLiteral("The system was unable to find the specified registry key or value.");

// Switches each verb knows and whether they take an argument.
const QHash<QString, QHash<QString, bool>>& verbSwitches() {
    static const QHash<QString, QHash<QString, bool>> switches{
        {QStringLiteral("query"), {{"/v", true}, {"/ve", false}, {"/s", false}}},
        {QStringLiteral("add"), {{"/v", true}, {"/ve", false}, {"/t", true}, {"/d", true}, {"/f", false}}},
        {QStringLiteral("delete"), {{"/v", true}, {"/ve", false}, {"/va", false}, {"/f", false}}},
        {QStringLiteral("export"), {{"/y", false}}},
        {QStringLiteral("import"), {}},
    };
    return switches;
}

QString displayData(const RegistryValue& value) {
    return value.type == RegistryType::DWord ? QStringLiteral("0x") + QString::number(value.number, 16)
                                             : value.text;
}

QString valueLine(const RegistryEntry& entry) {
    const QString name = entry.name.isEmpty() ? QStringLiteral("(Default)") : entry.name;
    return QStringLiteral("    %1    %2    %3\n")
        .arg(name, registryTypeName(entry.value.type), displayData(entry.value));
}

// reg.exe takes REG_DWORD data in decimal or with a 0x prefix in hexadecimal.
std::optional<quint32> dwordData(const QString& text) {
    bool ok = false;
    qulonglong number = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = text.mid(2).toULongLong(&ok, 16);
    else if (!text.isEmpty() && text.front().isDigit())
        number = text.toULongLong(&ok, 10);
    if (!ok || number > 0xFFFFFFFFull)
        return std::nullopt;
    return quint32(number);
}

QString nothingImported(const QString& fileName, const QString& error) {
    return QStringLiteral("%1: %2%3 Nothing was imported.")
        .arg(fileName, error, error.endsWith(u'.') ? QString() : QStringLiteral("."));
}

} // namespace

RegCommand::RegCommand(const QString& storePath, QTextStream& in, QTextStream& out, QTextStream& err,
                       bool interactive)
    : m_storePath(storePath), m_in(in), m_out(out), m_err(err), m_interactive(interactive) {}

RegCommand::~RegCommand() = default;

int RegCommand::run(const QStringList& arguments) {
    const std::optional<Parsed> args = parse(arguments);
    if (!args)
        return 1;
    if (args->options.contains(QStringLiteral("/?")))
        return usage(args->verb);
    if (args->verb == u"query")
        return query(*args);
    if (args->verb == u"add")
        return add(*args);
    if (args->verb == u"delete")
        return remove(*args);
    if (args->verb == u"export")
        return exportKey(*args);
    return importFile(*args);
}

std::optional<RegCommand::Parsed> RegCommand::parse(const QStringList& arguments) {
    Parsed parsed;
    if (arguments.isEmpty()) {
        syntaxError(QString());
        return std::nullopt;
    }
    parsed.verb = arguments.first().toLower();
    if (parsed.verb == u"/?" || parsed.verb == u"-?" || parsed.verb == u"--help") {
        parsed.verb.clear();
        parsed.options.insert(QStringLiteral("/?"), QString());
        return parsed;
    }
    if (!verbSwitches().contains(parsed.verb)) {
        syntaxError(QString(), QStringLiteral("Unknown operation \"%1\".").arg(arguments.first()));
        return std::nullopt;
    }
    const QHash<QString, bool>& known = verbSwitches()[parsed.verb];
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i].toLower();
        if (name.startsWith(u'-'))
            name[0] = u'/';
        // Anything that is not one of the verb's switches is an operand, so "/tmp/out.reg" stays a file name.
        if (name == u"/?") {
            parsed.options.insert(name, QString());
            continue;
        }
        if (!known.contains(name)) {
            parsed.positional << arguments[i];
            continue;
        }
        if (parsed.options.contains(name)) {
            syntaxError(parsed.verb, QStringLiteral("%1 is given twice.").arg(arguments[i]));
            return std::nullopt;
        }
        QString value;
        if (known[name]) {
            if (++i >= arguments.size()) {
                syntaxError(parsed.verb, QStringLiteral("%1 needs a value.").arg(arguments[i - 1]));
                return std::nullopt;
            }
            value = arguments[i];
        }
        parsed.options.insert(name, value);
    }
    return parsed;
}

RegistryStore* RegCommand::store() {
    if (!m_store)
        m_store = std::make_unique<RegistryStore>(m_storePath);
    if (!m_store->isOpen()) {
        fail(m_store->openError());
        return nullptr;
    }
    return m_store.get();
}

std::optional<RegistryPath> RegCommand::keyArgument(const Parsed& args) {
    const QString text = args.positional.value(0);
    if (text.startsWith(QLatin1String("\\\\"))) {
        fail(QStringLiteral("Invalid key name \"%1\": remote machines are not supported.").arg(text));
        return std::nullopt;
    }
    std::optional<RegistryPath> path = RegistryPath::parse(text);
    if (!path)
        fail(QStringLiteral("Invalid key name \"%1\": a key starts with HKLM, HKCU, HKEY_LOCAL_MACHINE or "
                            "HKEY_CURRENT_USER.")
                 .arg(text));
    return path;
}

std::optional<QString> RegCommand::valueArgument(const Parsed& args, bool& conflict) {
    const bool named = args.options.contains(QStringLiteral("/v"));
    const bool unnamed = args.options.contains(QStringLiteral("/ve"));
    conflict = named && unnamed;
    if (conflict) {
        syntaxError(args.verb, QStringLiteral("/v and /ve cannot be used together."));
        return std::nullopt;
    }
    if (named)
        return args.options.value(QStringLiteral("/v"));
    if (unnamed)
        return QString();
    return std::nullopt;
}

bool RegCommand::confirm(const QString& question) {
    for (;;) {
        m_out << question << Qt::flush;
        const QString answer = m_in.readLine();
        // A terminal echoes the answer and its line end; piped answers are not echoed.
        if (answer.isNull() || !m_interactive)
            m_out << '\n';
        if (answer.isNull())
            return false;
        const QString word = answer.trimmed().toLower();
        if (word == u"y" || word == u"yes")
            return true;
        if (word == u"n" || word == u"no")
            return false;
    }
}

int RegCommand::fail(const QString& message) {
    m_err << "ERROR: " << message << '\n' << Qt::flush;
    return 1;
}

int RegCommand::syntaxError(const QString& verb, const QString& detail) {
    m_err << "ERROR: Invalid syntax." << (detail.isEmpty() ? QString() : u' ' + detail) << '\n'
          << "Type \"handwright-reg " << (verb.isEmpty() ? QString() : verb + u' ') << "/?\" for usage.\n"
          << Qt::flush;
    return 1;
}

int RegCommand::succeeded() {
    m_out << "The operation completed successfully.\n" << Qt::flush;
    return 0;
}

int RegCommand::usage(const QString& verb) {
    static const QHash<QString, QString> lines{
        {QStringLiteral("query"), QStringLiteral("handwright-reg query KeyName [/v ValueName | /ve] [/s]")},
        {QStringLiteral("add"),
         QStringLiteral("handwright-reg add KeyName [/v ValueName | /ve] [/t Type] [/d Data] [/f]")},
        {QStringLiteral("delete"),
         QStringLiteral("handwright-reg delete KeyName [/v ValueName | /ve | /va] [/f]")},
        {QStringLiteral("export"), QStringLiteral("handwright-reg export KeyName FileName [/y]")},
        {QStringLiteral("import"), QStringLiteral("handwright-reg import FileName")},
    };
    for (const char* each : {"query", "add", "delete", "export", "import"}) {
        if (verb.isEmpty() || verb == QLatin1String(each))
            m_out << lines[QLatin1String(each)] << '\n';
    }
    m_out
        << "\n"
           "  KeyName    HIVE\\SubKey\\..., HIVE being HKLM, HKCU, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER\n"
           "  /v, /ve    the value named ValueName, or the default value\n"
           "  /va        every value of the key\n"
           "  /s         the key's subkeys as well\n"
           "  /t         REG_SZ (the default) or REG_DWORD, whose data is decimal or 0x hexadecimal\n"
           "  /f, /y     overwrite or delete without asking\n"
           "\n"
           "The store is the file $HANDWRIGHT_REGISTRY, else $XDG_CONFIG_HOME/kovrin/registry.sqlite.\n"
        << Qt::flush;
    return 0;
}

int RegCommand::query(const Parsed& args) {
    if (args.positional.size() != 1)
        return syntaxError(args.verb, QStringLiteral("Give exactly one key."));
    bool conflict = false;
    const std::optional<QString> name = valueArgument(args, conflict);
    if (conflict)
        return 1;
    const std::optional<RegistryPath> path = keyArgument(args);
    RegistryStore* s = path ? store() : nullptr;
    if (!s)
        return 1;
    const std::optional<RegTransfer::FoundKey> key = RegTransfer::findKey(*s, *path);
    if (!key)
        return fail(s->lastError().isEmpty() ? notFound : s->lastError());

    if (name) {
        const std::optional<RegistryEntry> entry = s->entry(key->id, *name);
        if (!entry)
            return fail(notFound);
        m_out << '\n' << key->path.toString() << '\n' << valueLine(*entry) << '\n' << Qt::flush;
        return 0;
    }
    const bool recurse = args.options.contains(QStringLiteral("/s"));
    const RegistryStatus walked = RegTransfer::walk(*s, *key, recurse, [&](const RegFileKey& section) {
        m_out << '\n' << section.path.toString() << '\n';
        for (const RegFileValue& value : section.values)
            m_out << valueLine({value.name, *value.value});
        return true;
    });
    if (!walked) {
        m_out << Qt::flush;
        return fail(walked.error);
    }
    if (!recurse) {
        m_out << '\n';
        for (const RegistryStore::SubKey& sub : s->subKeys(key->id))
            m_out << key->path.child(sub.name).toString() << '\n';
    }
    m_out << Qt::flush;
    return 0;
}

int RegCommand::add(const Parsed& args) {
    if (args.positional.size() != 1)
        return syntaxError(args.verb, QStringLiteral("Give exactly one key."));
    bool conflict = false;
    const std::optional<QString> name = valueArgument(args, conflict);
    if (conflict)
        return 1;
    const QString typeName = args.options.value(QStringLiteral("/t"), QStringLiteral("REG_SZ")).toUpper();
    const QString data = args.options.value(QStringLiteral("/d"));
    if (!name && (args.options.contains(QStringLiteral("/t")) || args.options.contains(QStringLiteral("/d"))))
        return syntaxError(args.verb, QStringLiteral("/t and /d need /v ValueName or /ve."));
    RegistryValue value = RegistryValue::string(data);
    if (typeName == u"REG_DWORD") {
        const std::optional<quint32> number = dwordData(data);
        if (!number)
            return fail(QStringLiteral("Invalid REG_DWORD data \"%1\": give a number from 0 to 4294967295, "
                                       "decimal or 0x hexadecimal.")
                            .arg(data));
        value = RegistryValue::dword(*number);
    } else if (typeName != u"REG_SZ") {
        return fail(QStringLiteral("Unsupported type \"%1\": the store holds REG_SZ and REG_DWORD values.")
                        .arg(args.options.value(QStringLiteral("/t"))));
    }
    const std::optional<RegistryPath> path = keyArgument(args);
    RegistryStore* s = path ? store() : nullptr;
    if (!s)
        return 1;

    if (name && !args.options.contains(QStringLiteral("/f"))) {
        const std::optional<RegistryStore::KeyId> existing = s->findKey(path->hive, path->keys);
        const std::optional<RegistryEntry> entry = existing ? s->entry(*existing, *name) : std::nullopt;
        if (entry) {
            const QString shown = name->isEmpty() ? QStringLiteral("(Default)") : entry->name;
            if (!confirm(QStringLiteral("Value %1 exists, overwrite(Yes/No)? ").arg(shown))) {
                m_out << "The operation was canceled by the user.\n" << Qt::flush;
                return 1;
            }
        }
    }
    RegistryTransaction transaction(*s);
    if (!transaction.isActive())
        return fail(s->lastError());
    const std::optional<RegistryStore::KeyId> key = s->createKey(path->hive, path->keys);
    if (!key || (name && !s->setValue(*key, *name, value)) || !transaction.commit())
        return fail(s->lastError());
    return succeeded();
}

int RegCommand::remove(const Parsed& args) {
    if (args.positional.size() != 1)
        return syntaxError(args.verb, QStringLiteral("Give exactly one key."));
    bool conflict = false;
    const std::optional<QString> name = valueArgument(args, conflict);
    if (conflict)
        return 1;
    const bool allValues = args.options.contains(QStringLiteral("/va"));
    if (allValues && name)
        return syntaxError(args.verb, QStringLiteral("/va cannot be used with /v or /ve."));
    const std::optional<RegistryPath> path = keyArgument(args);
    RegistryStore* s = path ? store() : nullptr;
    if (!s)
        return 1;
    if (!name && !allValues && path->keys.isEmpty())
        return fail(QStringLiteral("A hive cannot be deleted; name a key below it."));
    const std::optional<RegTransfer::FoundKey> key = RegTransfer::findKey(*s, *path);
    const std::optional<RegistryEntry> entry = key && name ? s->entry(key->id, *name) : std::nullopt;
    if (!key || (name && !entry))
        return fail(notFound);

    QString question;
    if (name)
        question = QStringLiteral("Delete the registry value %1 (Yes/No)? ")
                       .arg(name->isEmpty() ? QStringLiteral("(Default)") : entry->name);
    else if (allValues)
        question = QStringLiteral("Delete all values under the registry key %1 (Yes/No)? ")
                       .arg(key->path.toString());
    else
        question =
            QStringLiteral("Permanently delete the registry key %1 (Yes/No)? ").arg(key->path.toString());
    if (!args.options.contains(QStringLiteral("/f")) && !confirm(question)) {
        m_out << "The operation was canceled by the user.\n" << Qt::flush;
        return 1;
    }

    RegistryTransaction transaction(*s);
    bool done = transaction.isActive();
    if (done && name) {
        done = s->deleteValue(key->id, *name);
    } else if (done && allValues) {
        for (const RegistryEntry& entry : s->values(key->id))
            done = done && s->deleteValue(key->id, entry.name);
    } else if (done) {
        done = s->deleteKey(key->id);
    }
    if (!done || !transaction.commit())
        return fail(s->lastError());
    return succeeded();
}

int RegCommand::exportKey(const Parsed& args) {
    if (args.positional.size() != 2)
        return syntaxError(args.verb, QStringLiteral("Give a key and a file name."));
    const QString fileName = args.positional[1];
    const std::optional<RegistryPath> path = keyArgument(args);
    RegistryStore* s = path ? store() : nullptr;
    if (!s)
        return 1;
    const std::optional<RegTransfer::FoundKey> key = RegTransfer::findKey(*s, *path);
    if (!key)
        return fail(s->lastError().isEmpty() ? notFound : s->lastError());
    if (const RegistryStatus depth = RegTransfer::checkDepth(*s, *key); !depth)
        return fail(depth.error);

    if (QFileInfo::exists(fileName) && !args.options.contains(QStringLiteral("/y")) &&
        !confirm(QStringLiteral("File %1 already exists. Overwrite (Yes/No)? ").arg(fileName))) {
        m_out << "The operation was canceled by the user.\n" << Qt::flush;
        return 1;
    }
    // Written section by section; the file is replaced only when all of it was written and synced.
    AtomicFile file(fileName);
    if (const FileResult opened = file.open(); !opened)
        return fail(opened.error);
    const auto put = [&file](const QString& text) { return file.write(RegFile::encode(text)).ok(); };
    bool written = file.write(RegFile::byteOrderMark, 2).ok() && put(RegFile::header());
    QString error;
    const RegistryStatus walked = RegTransfer::walk(*s, *key, true, [&](const RegFileKey& section) {
        const QString text = RegFile::formatSection(section, error);
        written = error.isEmpty() && put(text);
        return written;
    });
    if (!walked || !error.isEmpty()) {
        file.cancel();
        return fail(!walked ? walked.error : error);
    }
    if (const FileResult committed = file.commit(); !committed)
        return fail(committed.error);
    return succeeded();
}

int RegCommand::importFile(const Parsed& args) {
    if (args.positional.size() != 1)
        return syntaxError(args.verb, QStringLiteral("Give exactly one file name."));
    const QString fileName = args.positional[0];
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    // The whole file is parsed before anything is written, so a bad line changes nothing.
    const RegFileParse parsed = RegFile::parse(file.readAll());
    if (!parsed.ok())
        return fail(nothingImported(fileName, parsed.error));
    RegistryStore* s = store();
    if (!s)
        return 1;
    const RegistryStatus status = RegTransfer::apply(*s, parsed.keys);
    if (!status)
        return fail(nothingImported(fileName, status.error));
    for (const QString& warning : parsed.warnings)
        m_err << "WARNING: " << fileName << ": " << warning << '\n';
    m_err << Qt::flush;
    return succeeded();
}

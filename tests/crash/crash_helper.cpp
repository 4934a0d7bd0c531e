// The child the crash and fault tests start: it saves sources, settings and notes the way the program
// does, and is killed, starved of disk space or stripped of its rights while it does.
//
//   save <file> <bytes>          saves two contents in turn, for ever
//   store <file> <values>        writes generation after generation of <values> settings, each in one go
//   once <file> [scratch]        one save of a few bytes, then exits (for the sync log)
//   once-store <file>            one setting written, then exits (for the sync log)
//   full <tmpfs|fsize> <save|store|notes> <folder>
//                                one write that does not fit; reports the message and what is on disk
//   full <tmpfs|fsize> reopen <folder>
//                                a closed store opened again on a full disk: reads and writes as read-only
//   read-only <store file>       opens the store as another user and tries to read and write it
//   shutdown-notes <folder>      shows the Bugs and Notes window on <folder>'s register, makes it
//                                unwritable, reports READY and ends as the program does on a signal
//
// Reports go to stdout one per line: "WORD text". Exit code 77: the test cannot run here.

#include "build/ShutdownSignals.h"
#include "crash/CrashChild.h"
#include "notes/BugsAndNotesWindow.h"
#include "notes/NotesRegister.h"
#include "settings/RegistryStore.h"
#include "workspace/AtomicWrite.h"
#include "workspace/ProjectRecord.h"
#include "workspace/TextFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void report(const char* word, const QString& text) {
    std::printf("%s %s\n", word, text.toUtf8().constData());
    std::fflush(stdout);
}

using crash::generationValue;
using crash::sourceLines;
using crash::storeKey;

// Marks in the sync log (see sync_log.cpp) when the call under test returned.
void markReturn(const QString& error) {
    const QByteArray log = qgetenv("HW_SYNC_LOG");
    const int fd = ::open(log.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    const QByteArray line = "returned " + error.toUtf8() + '\n';
    if (fd < 0)
        return;
    if (::write(fd, line.constData(), size_t(line.size())) != line.size())
        std::perror("sync log");
    ::close(fd);
}

int saveForEver(const QString& path, qint64 bytes) {
    const QStringList contents[] = {sourceLines('a', bytes), sourceLines('b', bytes + 7777)};
    report("READY", path);
    for (int turn = 1;; ++turn) {
        TextFile file{contents[turn % 2], {}};
        if (const FileResult r = file.write(path); !r) {
            report("ERROR", r.error);
            return 1;
        }
    }
}

// Every generation rewrites all values in one transaction: after a crash they must all agree.
int storeForEver(const QString& path, int values) {
    RegistryStore store(path);
    const std::optional<RegistryStore::KeyId> key = store.createKey(RegistryHive::CurrentUser, storeKey);
    if (!key) {
        report("ERROR", store.lastError());
        return 1;
    }
    report("READY", path);
    for (int generation = 1;; ++generation) {
        RegistryTransaction transaction(store);
        for (int i = 0; i < values; ++i)
            store.setValue(*key, QStringLiteral("v%1").arg(i),
                           RegistryValue::string(generationValue(generation)));
        if (!transaction.commit()) {
            report("ERROR", store.lastError());
            return 1;
        }
    }
}

// Mounts a small tmpfs over `folder` in a mount namespace of our own, so nothing outside this process
// sees it and it goes away with us.
QString mountSmallDisk(const QString& folder) {
    if (const uid_t uid = ::geteuid(), gid = ::getegid(); uid != 0) {
        if (::unshare(CLONE_NEWUSER) != 0)
            return QStringLiteral("no user namespace: %1").arg(qt_error_string(errno));
        // Root inside the namespace is this user outside, so the files made on the tmpfs have an owner.
        const auto put = [](const char* file, const QByteArray& text) {
            QFile map(QString::fromLatin1(file));
            return map.open(QIODevice::WriteOnly) && map.write(text) == text.size();
        };
        if (!put("/proc/self/setgroups", "deny") ||
            !put("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
            !put("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return QStringLiteral("the user namespace cannot be mapped");
    }
    if (::unshare(CLONE_NEWNS) != 0)
        return QStringLiteral("no mount namespace: %1").arg(qt_error_string(errno));
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("mounts cannot be made private: %1").arg(qt_error_string(errno));
    if (::mount("hw-full", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=1m") != 0)
        return QStringLiteral("tmpfs cannot be mounted: %1").arg(qt_error_string(errno));
    return {};
}

// Fills the disk, then frees `room` bytes, so the next write starts and fails halfway.
void fillDisk(const QString& folder, qint64 room) {
    const QByteArray filler = QFile::encodeName(folder + "/filler");
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const QByteArray block(4096, 'f');
    qint64 size = 0;
    while (::write(fd, block.constData(), block.size()) == block.size())
        size += block.size();
    ::ftruncate(fd, qMax<qint64>(0, size - room));
    ::close(fd);
}

void limitFileSize(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

QString yesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QStringList notesIds(const NotesRegister& notes) {
    QStringList ids;
    for (const NoteEntry& entry : notes.entries())
        ids << entry.id;
    return ids;
}

// What the values under the test key hold: "all <value>" when they agree.
QString storeState(RegistryStore& store, int values) {
    const std::optional<RegistryStore::KeyId> key = store.findKey(RegistryHive::CurrentUser, storeKey);
    if (!key)
        return QStringLiteral("no key: ") + store.lastError();
    QSet<QString> seen;
    for (int i = 0; i < values; ++i) {
        const std::optional<RegistryValue> value = store.value(*key, QStringLiteral("v%1").arg(i));
        seen.insert(value ? value->text.left(8) : QStringLiteral("<missing>"));
    }
    return seen.size() == 1 ? QStringLiteral("all ") + *seen.begin() : QStringLiteral("mixed");
}

// Opens the store as the program does and tries to read and write the 20 values under the test key.
void reportStoreUse(RegistryStore& store) {
    report("OPEN", yesNo(store.isOpen()) + ' ' + store.openError());
    report("READONLY", yesNo(store.isReadOnly()));
    report("NOTICE", store.readOnlyNotice());
    // Opening with create is how the program reads: an existing key opens, a new one is refused.
    const std::optional<RegistryStore::KeyId> key = store.createKey(RegistryHive::CurrentUser, storeKey);
    report("KEY", yesNo(key.has_value()) + ' ' + store.lastError());
    report("STATE", key ? storeState(store, 20) : QString());
    const bool created = store.createKey(RegistryHive::CurrentUser, {"Software", "New"}).has_value();
    report("NEWKEY", yesNo(created) + ' ' + store.lastError());
    const bool wrote = key && store.setValue(*key, "v0", RegistryValue::string("changed"));
    report("WRITE", yesNo(wrote) + ' ' + store.lastError());
    report("AFTER", key ? storeState(store, 20) : QString());
}

void writeOldValues(const QString& path) {
    RegistryStore store(path);
    const std::optional<RegistryStore::KeyId> key = store.createKey(RegistryHive::CurrentUser, storeKey);
    RegistryTransaction transaction(store);
    for (int i = 0; i < 20; ++i)
        store.setValue(*key, QStringLiteral("v%1").arg(i), RegistryValue::string("old"));
    transaction.commit();
}

int fullDisk(const QString& how, const QString& what, const QString& folder) {
    if (how == "tmpfs") {
        if (const QString why = mountSmallDisk(folder); !why.isEmpty()) {
            report("SKIP", why);
            return 77;
        }
    }
    const qint64 room = 48 * 1024;
    const auto fill = [&] {
        if (how == "tmpfs")
            fillDisk(folder, room);
        else
            limitFileSize(room);
    };
    if (what == "save") {
        const QString path = folder + "/Big.java";
        writeFileAtomically(path, joinTextLines(sourceLines('o', 20000)).toUtf8());
        fill();
        ProjectRecord record;
        record.Path = path;
        record.Name = "Big.java";
        record.Kind = FileKind::Java;
        record.Lines = sourceLines('n', 300000);
        record.Modified = true;
        report("ERROR", saveFile(record).error);
        report("MODIFIED", yesNo(record.Modified));
        QByteArray bytes;
        readWholeFile(path, bytes);
        report("INTACT", yesNo(bytes == joinTextLines(sourceLines('o', 20000)).toUtf8()));
    } else if (what == "reopen") {
        // Closed, the store has no write-ahead files left; opening it again must create them.
        const QString path = folder + "/registry.sqlite";
        writeOldValues(path);
        if (how == "tmpfs")
            fillDisk(folder, 0);
        else
            limitFileSize(0);
        RegistryStore store(path);
        reportStoreUse(store);
    } else if (what == "store") {
        const QString path = folder + "/registry.sqlite";
        writeOldValues(path);
        RegistryStore store(path);
        fill();
        const std::optional<RegistryStore::KeyId> key = store.findKey(RegistryHive::CurrentUser, storeKey);
        {
            RegistryTransaction transaction(store);
            for (int i = 0; i < 200 && store.lastError().isEmpty(); ++i)
                store.setValue(*key, QStringLiteral("v%1").arg(i),
                               RegistryValue::string(QString(2000, u'n')));
            if (transaction.commit())
                report("ERROR", QString());
            else
                report("ERROR", store.lastError());
        }
        report("VALUES", storeState(store, 20));
        RegistryStore again(path);
        report("REOPENED", storeState(again, 20));
    } else if (what == "notes") {
        const QString path = folder + "/Notes.ini";
        NotesRegister notes;
        notes.load(path);
        notes.add({"0", "old", "kept", "Low", "Open", ""});
        notes.add({"1", "old", "kept", "Low", "Open", ""});
        notes.save();
        fill();
        for (int i = 2; i < 300; ++i)
            notes.add({QString::number(i), "new", QString(1000, u'd'), "High", "Open", ""});
        report("ERROR", notes.save().error);
        NotesRegister reread;
        reread.load(path);
        report("IDS", notesIds(reread).join(u','));
        report("HELD", QString::number(notes.count()));
    } else {
        return 2;
    }
    report("FILES", QDir(folder).entryList(QDir::Files | QDir::Hidden).join(u','));
    return 0;
}

int readOnly(const QString& path) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        report("SKIP", QStringLiteral("cannot become uid 65534: %1").arg(qt_error_string(errno)));
        return 77;
    }
    RegistryStore store(path);
    reportStoreUse(store);
    return 0;
}

// The register window open when a termination signal arrives, its file no longer writable: the shutdown
// after the event loop closes the window as the program's main does, and nobody is there to answer.
int shutdownWithNotes(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ShutdownSignals::install();
    const QString folder = app.arguments().value(2);
    RegistryStore store(folder + "/registry.sqlite");
    BugsAndNotesWindow notes(nullptr, &store);
    notes.openFor(folder + u'/');
    limitFileSize(16);
    QTimer::singleShot(0, &app,
                       [&] { report("READY", QString::number(notes.listView()->topLevelItemCount())); });
    const int code = app.exec();
    notes.close();
    report("SHOWN", yesNo(notes.isVisible()));
    return code;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "shutdown-notes") == 0)
        return shutdownWithNotes(argc, argv);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == "save" && args.size() == 3)
        return saveForEver(args[1], args[2].toLongLong());
    if (mode == "store" && args.size() == 3)
        return storeForEver(args[1], args[2].toInt());
    if (mode == "once" && (args.size() == 2 || (args.size() == 3 && args[2] == "scratch"))) {
        const FileResult r = writeFileAtomically(args[1], "class A {}\r\n",
                                                 args.size() == 3 ? Durability::Scratch : Durability::Synced);
        markReturn(r.error);
        return r ? 0 : 1;
    }
    if (mode == "once-store" && args.size() == 2) {
        // Two writes: the first one opens the journal, whose creation is synced whatever the setting;
        // what the second one syncs is the commit alone.
        RegistryStore store(args[1]);
        const std::optional<RegistryStore::KeyId> key = store.createKey(RegistryHive::CurrentUser, storeKey);
        const bool first = key && store.setValue(*key, "v0", RegistryValue::string("first"));
        markReturn(QStringLiteral("first"));
        const bool ok = first && store.setValue(*key, "v0", RegistryValue::string("once"));
        markReturn(store.lastError());
        return ok ? 0 : 1;
    }
    if (mode == "full" && args.size() == 4)
        return fullDisk(args[1], args[2], args[3]);
    if (mode == "read-only" && args.size() == 2)
        return readOnly(args[1]);
    std::fprintf(stderr, "crash_helper: unknown command\n");
    return 2;
}

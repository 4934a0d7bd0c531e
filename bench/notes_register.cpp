// The register of bugs and notes at 50,000 entries (a Notes.ini of about 7 MB): reading and writing it, and
// the Bugs and Notes window opening on it and closing (which writes it), beside a plain read and atomic
// write of the same bytes.
//   FIGURE notes_plain_read_write_50k <ms> ms
//   FIGURE notes_register_load_50k <ms> ms
//   FIGURE notes_register_save_50k <ms> ms
//   FIGURE notes_window_open_50k <ms> ms
//   FIGURE notes_window_close_50k <ms> ms
#include "notes/BugsAndNotesWindow.h"
#include "notes/NotesRegister.h"
#include "settings/RegistryStore.h"
#include "workspace/AtomicWrite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kEntries = 50000;

QByteArray registerText() {
    QByteArray text;
    for (int i = 0; i < kEntries; ++i) {
        text += "[" + QByteArray::number(i) + "]\r\nDate=24.05.2024\r\nDescription=The button " +
                QByteArray::number(i) +
                " does nothing when pressed twice in a row on the second page of the dialog\r\n"
                "Priority=Medium\r\nStatus=Open\r\nFile and Line=Hello.java:" +
                QByteArray::number(i % 4000) + "\r\n\r\n";
    }
    return text;
}

void figure(const char* name, qint64 ms) {
    std::printf("FIGURE %s %lld ms\n", name, static_cast<long long>(ms));
    std::fflush(stdout);
}

void fail(const char* what, const QString& why) {
    std::fprintf(stderr, "notes_register: %s: %s\n", what, qPrintable(why));
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    const QString path = NotesRegister::fileName(folder);
    RegistryStore store(folder + "registry.sqlite");
    const QByteArray text = registerText();
    if (const FileResult written = writeFileAtomically(path, text); !written)
        fail("write", written.error);

    QElapsedTimer clock;
    clock.start();
    QByteArray bytes;
    if (const FileResult read = readWholeFile(path, bytes); !read)
        fail("read", read.error);
    if (const FileResult written = writeFileAtomically(folder + "copy.ini", bytes); !written)
        fail("write", written.error);
    figure("notes_plain_read_write_50k", clock.elapsed());

    NotesRegister notes;
    clock.restart();
    if (const FileResult loaded = notes.load(path); !loaded)
        fail("load", loaded.error);
    figure("notes_register_load_50k", clock.elapsed());
    if (notes.count() != kEntries)
        fail("load", QStringLiteral("%1 entries read").arg(notes.count()));
    clock.restart();
    if (const FileResult saved = notes.save(); !saved)
        fail("save", saved.error);
    figure("notes_register_save_50k", clock.elapsed());

    BugsAndNotesWindow window(nullptr, &store);
    clock.restart();
    window.openFor(folder);
    QApplication::processEvents();
    figure("notes_window_open_50k", clock.elapsed());
    if (window.listView()->topLevelItemCount() != kEntries)
        fail("open", QStringLiteral("%1 rows shown").arg(window.listView()->topLevelItemCount()));
    clock.restart();
    window.close();
    QApplication::processEvents();
    figure("notes_window_close_50k", clock.elapsed());
    if (window.isVisible())
        fail("close", QStringLiteral("the window stayed open"));
    return 0;
}

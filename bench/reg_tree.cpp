// handwright-reg over large and deep key trees: export and query /s of trees of 20,000 and 80,000 keys
// (chains 100 levels deep under one key, a value on every key), which should take four times as long for
// four times the keys, and deleting a chain 200,000 levels deep, which the store refuses to list.
//   FIGURE reg_export_20k_keys <ms> ms
//   FIGURE reg_export_80k_keys <ms> ms
//   FIGURE reg_query_s_80k_keys <ms> ms
//   FIGURE reg_query_s_200k_levels_refused <ms> ms
//   FIGURE reg_delete_200k_levels <ms> ms
#include "settings/RegCommand.h"
#include "settings/RegistryStore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <sqlite3.h>

namespace {

// `chains` chains of `depth` keys below HKLM\Tree, written straight into the store's tables.
void fill(const QString& path, int chains, int depth) {
    RegistryStore(path).createKey(RegistryHive::LocalMachine, {"Tree"});
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    const QByteArray sql = QStringLiteral(R"(
        BEGIN;
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1 * %2 - 1),
             base(top, tree) AS (SELECT MAX(id), (SELECT id FROM keys WHERE name = 'Tree') FROM keys)
        INSERT INTO keys(id, parent, name, fold)
            SELECT top + 1 + i, CASE WHEN i % %2 = 0 THEN tree ELSE top + i END,
                   CASE WHEN i % %2 = 0 THEN 'c' || (i / %2) ELSE 'k' END,
                   CASE WHEN i % %2 = 0 THEN 'c' || (i / %2) ELSE 'k' END
            FROM n, base;
        INSERT INTO entries(key_id, name, fold, type, data, seq)
            SELECT id, 'value', 'value', 1, 'text ' || id, id FROM keys WHERE name IN ('k') OR name LIKE 'c%';
        COMMIT;)")
                               .arg(chains)
                               .arg(depth)
                               .toUtf8();
    char* error = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "reg_tree: %s\n", error);
        std::exit(1);
    }
    sqlite3_close(db);
}

qint64 run(const QString& store, const QStringList& args, int expected) {
    QByteArray outBytes, errBytes;
    QTextStream in(stdin), out(&outBytes), err(&errBytes);
    QElapsedTimer clock;
    clock.start();
    const int code = RegCommand(store, in, out, err, false).run(args);
    const qint64 ms = clock.elapsed();
    if (code != expected) {
        std::fprintf(stderr, "reg_tree: %s gave %d: %s\n", qPrintable(args.join(' ')), code,
                     errBytes.constData());
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    for (const int chains : {200, 800}) {
        const QString store = dir.filePath(QStringLiteral("tree%1.sqlite").arg(chains));
        fill(store, chains, 100);
        const QString file = dir.filePath("tree.reg");
        const qint64 exported = run(store, {"export", "HKLM\\Tree", file, "/y"}, 0);
        std::printf("FIGURE reg_export_%dk_keys %lld ms\n", chains / 10, exported);
        if (chains == 800)
            std::printf("FIGURE reg_query_s_80k_keys %lld ms\n",
                        run(store, {"query", "HKLM\\Tree", "/s"}, 0));
    }
    const QString deep = dir.filePath("deep.sqlite");
    fill(deep, 1, 200000);
    std::printf("FIGURE reg_query_s_200k_levels_refused %lld ms\n",
                run(deep, {"query", "HKLM\\Tree", "/s"}, 1));
    std::printf("FIGURE reg_delete_200k_levels %lld ms\n", run(deep, {"delete", "HKLM\\Tree", "/f"}, 0));
    return 0;
}

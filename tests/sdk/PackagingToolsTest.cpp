#include "PalmDatabaseReader.h"
#include "SdkToolchain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>

using namespace sdktest;

namespace {

constexpr qint64 palmEpochOffset = 2082844800; // 1904-01-01 to 1970-01-01, in seconds

struct Invocation {
    const char* tool;
    QStringList args;
    const char* expected; // a line the tool must print
};

} // namespace

// Warp and Exegen run in a copy of the compiled example, with CLASSPATH naming the tools, as the IDE
// runs them.
class PackagingTools : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_compiled = std::make_unique<QTemporaryDir>();
        s_compileResult = compileExample(QStringLiteral("Hello"), s_compiled->path(), 8);
    }
    static void TearDownTestSuite() { s_compiled.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_compileResult.finished && s_compileResult.exitCode == 0)
            << s_compileResult.lines.join(QLatin1Char('\n')).toStdString();
        for (const QString& file : QDir(s_compiled->path()).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(s_compiled->filePath(file), m_work.filePath(file)));
    }

    ToolResult tool(const char* name, const QStringList& args) {
        return run(jdkHome() + QStringLiteral("/bin/java"),
                   QStringList{QStringLiteral("superwaba.tools.") + name} + args, m_work.path(),
                   classPathEnvironment({toolsJar()}));
    }

    QByteArray fileBytes(const QString& name) {
        QFile file(m_work.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static inline std::unique_ptr<QTemporaryDir> s_compiled;
    static inline ToolResult s_compileResult;
    QTemporaryDir m_work;
};

TEST_F(PackagingTools, WarpPacksEachListedFileAsANamedRecord) {
    // A stale database from an earlier build must be replaced whole.
    QFile stale(m_work.filePath(QStringLiteral("Hello.pdb")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(5000, 'x'));
    stale.close();

    const QStringList files{QStringLiteral("Hello.class"), QStringLiteral("Util.class"),
                            QStringLiteral("icon.bmp")};
    const ToolResult warp = tool("Warp", QStringList{QStringLiteral("c"), QStringLiteral("/c"),
                                                     QStringLiteral("HeLo"), QStringLiteral("Hello")} +
                                             files);
    ASSERT_TRUE(warp.finished);
    EXPECT_EQ(warp.exitCode, 0);
    for (const QString& line : warp.lines)
        EXPECT_FALSE(containsMarker(line)) << line.toStdString();

    const PalmDatabaseResult read = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hello.pdb")));
    ASSERT_TRUE(read.database) << read.error.toStdString();
    const PalmDatabase& pdb = *read.database;
    EXPECT_EQ(pdb.name, QStringLiteral("Hello"));
    EXPECT_EQ(pdb.type, "Wrp1");
    EXPECT_EQ(pdb.creator, "HeLo");
    EXPECT_FALSE(pdb.isResourceDatabase());
    const qint64 now = QDateTime::currentSecsSinceEpoch() + palmEpochOffset;
    EXPECT_LT(qAbs(qint64(pdb.created) - now), 86400) << "creation date not in Palm epoch seconds";

    ASSERT_EQ(pdb.entries.size(), files.size());
    QList<quint32> uniqueIds;
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray record = pdb.entries[i].data;
        ASSERT_GE(record.size(), 2);
        const int nameLength = qFromBigEndian<quint16>(record.constData());
        EXPECT_EQ(record.mid(2, nameLength), files[i].toLatin1());
        EXPECT_EQ(record.mid(2 + nameLength), fileBytes(files[i])) << files[i].toStdString();
        EXPECT_NE(pdb.entries[i].uniqueId, 0u);
        EXPECT_FALSE(uniqueIds.contains(pdb.entries[i].uniqueId));
        uniqueIds << pdb.entries[i].uniqueId;
    }
}

TEST_F(PackagingTools, WarpWarnsOfAMissingFileAndPacksTheRest) {
    const ToolResult warp =
        tool("Warp", {QStringLiteral("c"), QStringLiteral("Hello"), QStringLiteral("Hello.class"),
                      QStringLiteral("Gone.class"), QStringLiteral("icon.bmp")});
    ASSERT_TRUE(warp.finished);
    EXPECT_EQ(warp.exitCode, 0);
    EXPECT_TRUE(warp.lines.contains(QStringLiteral("Warning! File Gone.class not found")))
        << warp.lines.join(QLatin1Char('\n')).toStdString();

    const PalmDatabaseResult read = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hello.pdb")));
    ASSERT_TRUE(read.database) << read.error.toStdString();
    ASSERT_EQ(read.database->entries.size(), 2);
    EXPECT_EQ(read.database->entries[0].data.mid(2, 11), "Hello.class");
    EXPECT_EQ(read.database->entries[1].data.mid(2, 8), "icon.bmp");
}

// The IDE passes a file named like an option as ./name; its record keeps the name itself.
TEST_F(PackagingTools, WarpNamesARecordWithoutTheLeadingDotSlash) {
    QFile odd(m_work.filePath(QStringLiteral("-odd.bmp")));
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    odd.write("pixels");
    odd.close();
    const ToolResult warp = tool("Warp", {QStringLiteral("c"), QStringLiteral("Hello"),
                                          QStringLiteral("./-odd.bmp"), QStringLiteral("./icon.bmp")});
    ASSERT_TRUE(warp.finished);
    EXPECT_EQ(warp.exitCode, 0) << warp.lines.join(QLatin1Char('\n')).toStdString();
    const PalmDatabaseResult read = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hello.pdb")));
    ASSERT_TRUE(read.database) << read.error.toStdString();
    ASSERT_EQ(read.database->entries.size(), 2);
    EXPECT_EQ(read.database->entries[0].data.mid(2), "-odd.bmppixels");
    EXPECT_EQ(read.database->entries[1].data.mid(2, 8), "icon.bmp");
}

TEST_F(PackagingTools, ExegenWritesAnApplicationResourceDatabase) {
    const ToolResult exegen =
        tool("Exegen", {QStringLiteral("/$"), QStringLiteral("/c"), QStringLiteral("HeLo"),
                        QStringLiteral("/v"), QStringLiteral("1.2"), QStringLiteral("Hello"),
                        QStringLiteral("Hello"), QStringLiteral("Hello")});
    ASSERT_TRUE(exegen.finished);
    EXPECT_EQ(exegen.exitCode, 0);
    for (const QString& line : exegen.lines)
        EXPECT_FALSE(containsMarker(line)) << line.toStdString();

    const PalmDatabaseResult read = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hello.prc")));
    ASSERT_TRUE(read.database) << read.error.toStdString();
    const PalmDatabase& prc = *read.database;
    EXPECT_TRUE(prc.isResourceDatabase());
    EXPECT_TRUE(prc.attributes & 0x0040) << "/$ asks for copy prevention";
    EXPECT_EQ(prc.name, QStringLiteral("Hello"));
    EXPECT_EQ(prc.type, "appl");
    EXPECT_EQ(prc.creator, "HeLo");
    QMap<QByteArray, QByteArray> resources;
    for (const PalmDatabaseEntry& entry : prc.entries)
        resources.insert(entry.resourceType, entry.data);
    EXPECT_EQ(resources.value("tAIN"), QByteArray("Hello", 6));
    EXPECT_EQ(resources.value("tver"), QByteArray("1.2", 4));
}

// Without /c each tool derives the creator from the name; the launcher only finds its classes if they agree.
TEST_F(PackagingTools, WarpAndExegenDeriveTheSameCreatorFromTheName) {
    ASSERT_EQ(
        tool("Warp", {QStringLiteral("c"), QStringLiteral("Hello"), QStringLiteral("Hello.class")}).exitCode,
        0);
    ASSERT_EQ(
        tool("Exegen", {QStringLiteral("Hello"), QStringLiteral("Hello"), QStringLiteral("Hello")}).exitCode,
        0);
    ASSERT_EQ(tool("Exegen", {QStringLiteral("Hallo")}).exitCode, 0);
    const PalmDatabaseResult pdb = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hello.pdb")));
    const PalmDatabaseResult prc = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hello.prc")));
    const PalmDatabaseResult other = readPalmDatabaseFile(m_work.filePath(QStringLiteral("Hallo.prc")));
    ASSERT_TRUE(pdb.database && prc.database && other.database);
    EXPECT_EQ(pdb.database->creator, prc.database->creator);
    EXPECT_NE(other.database->creator, prc.database->creator);
    EXPECT_NE(prc.database->creator, prc.database->creator.toLower()) << "all lower case is reserved by Palm";
}

TEST_F(PackagingTools, UnimplementedOptionsAreNamedOnOnePlainLine) {
    const Invocation cases[] = {
        {"Warp",
         {"c", "/r", "/ll", "/lg", "/x", "Foo", "Hello", "Hello.class"},
         "Options not implemented here: /r /ll /lg /x"},
        {"Exegen",
         {"/e", "/P", "Apps", "/Z", "/T", "Title", "/M", "/16", "/t", "/0x", "1234", "/F", "/INST", "/LNK",
          "/SH", "/SIS", "Hello", "Hello", "Hello"},
         "Options not implemented here: /e /P /Z /T /M /16 /t /0x /F /INST /LNK /SH /SIS"},
    };
    for (const Invocation& c : cases) {
        SCOPED_TRACE(c.tool);
        const ToolResult result = tool(c.tool, c.args);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.lines.filter(QStringLiteral("not implemented")),
                  QStringList{QLatin1String(c.expected)});
        for (const QString& line : result.lines)
            EXPECT_FALSE(containsMarker(line)) << line.toStdString();
        const char* output = QLatin1String(c.tool) == QLatin1String("Warp") ? "Hello.pdb" : "Hello.prc";
        EXPECT_TRUE(readPalmDatabaseFile(m_work.filePath(QLatin1String(output))).database) << output;
    }
}

TEST_F(PackagingTools, BadUsageGivesAnErrorLineAndWritesNothing) {
    const Invocation cases[] = {
        {"Warp", {}, "no command"},
        {"Warp", {"c"}, "no database name"},
        {"Warp", {"l", "Hello"}, "unknown command l"},
        {"Warp", {"c", "/q", "Hello", "Hello.class"}, "unknown option /q"},
        {"Warp", {"c", "/c", "TooLong", "Hello", "Hello.class"}, "four ASCII characters"},
        {"Warp", {"c", "Hello", "/x"}, "/x needs a value"},
        {"Exegen", {}, "no application name"},
        {"Exegen", {"/e", "/v"}, "/v needs a value"},
        {"Exegen", {"/c", "abc", "Hello"}, "four ASCII characters"},
        {"Exegen", {"One", "Two", "Three", "Four"}, "too many names"},
    };
    for (const Invocation& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 %2").arg(QLatin1String(c.tool), c.args.join(QLatin1Char(' '))).toStdString());
        const ToolResult result = tool(c.tool, c.args);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        const QStringList errors = result.lines.filter(QStringLiteral("ERROR:"));
        ASSERT_EQ(errors.size(), 1) << result.lines.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(errors.first().contains(QLatin1String(c.expected))) << errors.first().toStdString();
        EXPECT_TRUE(
            QDir(m_work.path()).entryList({QStringLiteral("*.pdb"), QStringLiteral("*.prc")}).isEmpty());
    }
}

// The reader above must itself notice a broken layout, or the checks built on it prove nothing.
TEST_F(PackagingTools, DatabaseReaderRejectsBrokenLayouts) {
    ASSERT_EQ(tool("Warp", {QStringLiteral("c"), QStringLiteral("Hello"), QStringLiteral("Hello.class"),
                            QStringLiteral("Util.class")})
                  .exitCode,
              0);
    const QByteArray good = fileBytes(QStringLiteral("Hello.pdb"));
    ASSERT_TRUE(readPalmDatabase(good).database);

    QByteArray swapped = good; // the two record offsets exchanged
    for (int i = 0; i < 4; ++i)
        std::swap(swapped[78 + i], swapped[86 + i]);
    QByteArray outside = good; // the second offset past the end of the file
    qToBigEndian<quint32>(quint32(good.size() + 1), outside.data() + 86);
    QByteArray overlapping = good; // the first record starting inside the entry list
    qToBigEndian<quint32>(quint32(80), overlapping.data() + 78);

    EXPECT_FALSE(readPalmDatabase(good.left(77)).database);
    EXPECT_FALSE(readPalmDatabase(good.left(90)).database) << "entry list cut short";
    EXPECT_FALSE(readPalmDatabase(swapped).database);
    EXPECT_FALSE(readPalmDatabase(outside).database);
    EXPECT_FALSE(readPalmDatabase(overlapping).database);
}

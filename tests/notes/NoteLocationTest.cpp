#include "notes/NoteLocation.h"
#include "NotesTestFiles.h"
#include "workspace/FileList.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

TEST(NoteLocation, TheFileAndLineTextsThatNameALine) {
    using At = std::optional<NoteLocation>;
    const struct {
        QString text;
        At at;
    } cases[] = {
        {"File.java:12", NoteLocation{"File.java", 12}},
        {"File.java, 12", NoteLocation{"File.java", 12}},
        {"File.java (12)", NoteLocation{"File.java", 12}},
        {"File.java(12)", NoteLocation{"File.java", 12}},
        {"  File.java : 7  ", NoteLocation{"File.java", 7}},
        {"File.java", NoteLocation{"File.java", 1}},
        {"sub\\deep\\File.java:3", NoteLocation{"sub/deep/File.java", 3}},
        {"My File.java, 4", NoteLocation{"My File.java", 4}},
        {"Version2.java", NoteLocation{"Version2.java", 1}},
        {"File.java (12", NoteLocation{"File.java (12", 1}},
        {"File.java:12)", NoteLocation{"File.java:12)", 1}},
        {"File.java:0", std::nullopt},
        {"(12)", std::nullopt},
        {"File.java:99999999999", std::nullopt},
        {":12", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNoteLocation(c.text), c.at) << c.text.toStdString();
}

class NoteSourceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        projectDir = m_dir.filePath("proj") + "/";
        ASSERT_TRUE(QDir().mkpath(projectDir + "sub"));
        for (const QString name : {"A.java", "sub/B.java", "notes.txt"}) {
            writeBytes(projectDir + name, "class X {}\r\n");
            files.insertFile({.Path = projectDir + name,
                              .Name = name,
                              .Kind = kindOfFileName(name),
                              .InProject = true,
                              .Lines = {"class X {}"}});
        }
        // Not yet saved: no file on disk.
        files.insertFile({.Path = projectDir + "New.java", .Name = "New.java", .Kind = FileKind::Java});
        writeBytes(m_dir.filePath("Outside.java"), "class O {}\r\n");
    }
    QString named(const QString& file) {
        const ProjectRecord* record = noteSource(files, projectDir, {file, 1});
        return record ? record->Name : QStringLiteral("<none>");
    }

    QTemporaryDir m_dir;
    QString projectDir;
    FileList files;
};

TEST_F(NoteSourceTest, APathNamesASourceByWhereItLeads) {
    ASSERT_TRUE(QFile::link(projectDir + "A.java", projectDir + "LinkToA.java"));
    ASSERT_TRUE(QFile::link(m_dir.filePath("Outside.java"), projectDir + "Out.java"));
    files.insertFile({.Path = projectDir + "Out.java", .Name = "Out.java", .Kind = FileKind::Java});
    const struct {
        QString file;
        QString source;
    } cases[] = {
        {"A.java", "A.java"},
        {"sub/B.java", "sub/B.java"},
        {"B.java", "sub/B.java"},
        {"./sub/../A.java", "A.java"},
        {projectDir + "A.java", "A.java"},
        {"LinkToA.java", "A.java"},
        {"New.java", "New.java"},
        // A link out of the folder, a way out of it, a file outside it: none, whatever is open there.
        {"Out.java", "<none>"},
        {"../Outside.java", "<none>"},
        {m_dir.filePath("Outside.java"), "<none>"},
        {"notes.txt", "<none>"},
        {"sub/A.java", "<none>"},
        {"Missing.java", "<none>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(named(c.file), c.source) << c.file.toStdString();
    EXPECT_EQ(noteSource(files, QString(), {"A.java", 1}), nullptr);
}

TEST_F(NoteSourceTest, OpenEntriesMarkTheirLines) {
    const QList<NoteEntry> entries = {
        {"0", "d", "Crash in paint", "High", "Open", "A.java:12"},
        {"1", "d", "Fixed long ago", "Low", "Closed", "A.java:3"},
        {"2", "d", "Rename this", "Low", "open", "A.java (3)"},
        {"3", "d", " Second on 12 ", "Low", "Open", "A.java, 12"},
        {"4", "d", "Elsewhere", "Low", "Open", "sub/B.java:5"},
        {"5", "d", "No place", "Low", "Open", "somewhere"},
        {"6", "d", "No status", "Low", " ", "A.java:8"},
    };
    ProjectRecord* a = files.findByPath(projectDir + "A.java");
    ProjectRecord* b = files.findByPath(projectDir + "sub/B.java");
    EXPECT_EQ(noteMarks(entries, files, projectDir, a),
              (std::vector<NoteMark>{{3, "2: Rename this"}, {12, "0: Crash in paint\n3: Second on 12"}}));
    EXPECT_EQ(noteMarks(entries, files, projectDir, b), (std::vector<NoteMark>{{5, "4: Elsewhere"}}));
    EXPECT_TRUE(noteMarks(entries, files, projectDir, nullptr).empty());
}

} // namespace

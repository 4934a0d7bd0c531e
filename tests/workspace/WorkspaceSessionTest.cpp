#include "workspace/WorkspaceSession.h"
#include "TestFiles.h"
#include "workspace/RecoveryWriter.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <map>

namespace {

using A = SessionAnswer;
using Files = std::map<QString, QByteArray>; // path below the temporary root -> bytes ("<missing>": none)

// Answers from a script and writes down every question and message in order, with the temporary root as "$".
class ScriptedPrompts : public SessionPrompts {
public:
    std::deque<SessionAnswer> answers;
    QStringList log;
    QString root;

    bool confirm(const SessionQuestion& q) override {
        note(QString(q.buttons == SessionButtons::OkCancel ? "ok/cancel" : "yes/no") +
                 (q.defaultNo ? " default no" : "") + (q.accessKeys ? " keys" : ""),
             q.text);
        return next(A::No) == A::Yes;
    }
    SessionAnswer confirmOrCancel(const QString& text) override {
        note("yes/no/cancel", text);
        return next(A::Cancel);
    }
    void error(const QString& text) override { note("error", text); }
    void notice(const QString& text) override { note("notice", text); }
    void note(const QString& kind, QString text) { log << kind + ": " + text.replace(root, "$"); }

private:
    SessionAnswer next(SessionAnswer closeBox) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << log.last().toStdString();
            return closeBox;
        }
        const SessionAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The text on screen, and the texts kept for records shown before, as the editor keeps one per record.
class MemoryBuffer : public SessionBuffer {
public:
    QStringList text;
    int line = 0, column = 0, top = 0, undoSteps = 0;
    quint64 shown = 0; // the record whose text is on screen; 0 for none
    std::map<quint64, QStringList> kept;

    QStringList lines() const override { return text; }
    void replaceLines(const QStringList& lines, BufferReplace how) override {
        text = lines;
        undoSteps += how == BufferReplace::UndoStep;
    }
    bool showRecord(quint64 id, const QStringList& lines, bool reread) override {
        leave();
        shown = id;
        const auto it = kept.find(id);
        if (it == kept.end()) {
            text = lines;
            return false;
        }
        text = reread ? lines : it->second;
        undoSteps += reread;
        return true;
    }
    void forgetRecord(quint64 id) override {
        kept.erase(id);
        if (shown == id)
            shown = 0, text.clear();
    }
    void forgetAllRecords() override {
        kept.clear();
        if (shown)
            shown = 0, text.clear();
    }
    int caretLine() const override { return line; }
    int caretColumn() const override { return column; }
    int topLine() const override { return top; }
    void setCaret(int l, int c) override { line = l, column = c; }
    void setTopLine(int l) override { top = l; }

private:
    void leave() {
        if (shown)
            kept[shown] = text;
        shown = 0;
    }
};

// Every case starts from project P with A.java and B.java loaded from P/P.hwp.
const QByteArray kHwp = "P\r\n\r\n\r\nPRID\r\nA.java\r\nB.java\r\n";
const Files kProject = {{"P/P.hwp", kHwp}, {"P/A.java", "class A {}\n"}, {"P/B.java", "class B {}\n"}};

struct Context {
    QString root;
    WorkspaceSession& session;
    MemoryBuffer& buffer;

    QString p(const QString& below) const { return root + below; }
    // The user switches to the Source entry and types.
    void edit(const QString& name, const QString& text) {
        int row = 0;
        while (session.files().nthOfKind(FileKind::Java, row)->Name != name)
            ++row;
        session.showSource(row);
        buffer.text = {text};
        session.markCurrentModified();
    }
    // Another program writes the file, an hour later than anything the session saw.
    void changeOnDisk(const QString& below, const QByteArray& bytes) {
        writeBytes(p(below), bytes);
        QFile file(p(below));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFile::FileModificationTime));
    }
};

struct Row {
    const char* name;
    std::vector<SessionAnswer> answers;
    SessionOutcome outcome;
    QStringList asked;
    QStringList records; // "path name flags": o other file, + in the project, * modified
    QString current;
    Files after;
    QString shown; // the editor's text, lines joined by "|", when the row says ({} skips it)
    std::function<SessionResult(Context&)> act;
};

using O = SessionOutcome;
QString addQuestion(const char* below) {
    return QString("yes/no/cancel: Should the file $/%1 be added to the actual project?").arg(below);
}
const QString kOverwrite = "yes/no: The file already exists. Overwrite it?";
const QString kRemoveJava = "ok/cancel: This will remove the file from the project. The file will be renamed "
                            "to <filename>.java.old.";
const QString kClose = "yes/no/cancel: Do you want to save all files? Click Cancel to go back to Kovrin "
                       "Handwright.";
const QString kReloadEdited = "yes/no default no: The file B.java has changed on disk, and its buffer holds "
                              "unsaved edits. Reload it and discard the edits?";
const QString kOpen = "P/A.java A.java +";
const QString kOpenB = "P/B.java B.java +";

// One row a line group: name, answers, outcome; questions; records, current, files, editor; the steps.
// clang-format off
const Row kRows[] = {
    // Open
    {"OpenIntoProjectReadsIntoTheProjectFolder", {A::Yes}, O::Done,
     {addQuestion("out/C.java")},
     {kOpen, kOpenB, "P/C.java C.java +"}, "C.java", {{"P/C.java", "<missing>"}}, "class C {}",
     [](Context& c) { return c.session.openFiles({c.p("out/C.java")}); }},
    {"OpenIntoProjectOverAFileOnDiskAsksAndMarksTheBuffer", {A::Yes}, O::Done,
     {kOverwrite},
     {kOpen, kOpenB, "P/C.java C.java +*"}, "C.java", {{"P/C.java", "old C\n"}}, "class C {}",
     [](Context& c) {
         writeBytes(c.p("P/C.java"), "old C\n");
         return c.session.openFile(c.p("out/C.java"), true);
     }},
    {"OpenOverAnOpenBufferRefusedKeepsIt", {A::No}, O::Cancelled,
     {kOverwrite},
     {kOpen, "P/B.java B.java +*"}, "B.java", {}, "edited B",
     [](Context& c) {
         c.edit("B.java", "edited B");
         return c.session.openFile(c.p("out/B.java"), true);
     }},
    {"OpenTheOpenFileShowsItsEditsAndAsksNothingMore", {A::Yes}, O::Done,
     {addQuestion("P/A.java")},
     {"P/A.java A.java +*", kOpenB}, "A.java", {}, "edited A",
     [](Context& c) {
         c.edit("A.java", "edited A");
         c.session.showSource(1);
         return c.session.openFiles({c.p("P/A.java")});
     }},
    {"CancelSkipsOneFileAndNoOpensWhereItLies", {A::Cancel, A::No}, O::Done,
     {addQuestion("out/B.java"), addQuestion("out/C.java")},
     {kOpen, kOpenB, "out/C.java C.java "}, "C.java", {}, "class C {}",
     [](Context& c) {
         return c.session.openFiles({c.p("out/B.java"), c.p("out/C.java")});
     }},
    {"OpenOverAnOtherFileRefused", {}, O::Failed,
     {"error: The file i.bmp is already in the project as an other file."},
     {kOpen, kOpenB, "P/i.bmp i.bmp o+"}, "B.java", {{"P/i.bmp", "BM1"}}, "class B {}",
     [](Context& c) {
         writeBytes(c.p("out/i.bmp"), "BM1");
         c.session.addOtherFiles({c.p("out/i.bmp")});
         return c.session.openFile(c.p("out/i.bmp"), true);
     }},
    {"OpenIntoAnOpenBufferYesIsOneUndoStep", {A::Yes}, O::Done,
     {kOverwrite},
     {kOpen, "P/B.java B.java +*"}, "B.java", {}, "class B {}",
     [](Context& c) {
         c.edit("B.java", "edited B");
         c.session.showSource(0);
         const SessionResult result = c.session.openFile(c.p("out/B.java"), true);
         EXPECT_EQ(c.buffer.undoSteps, 1) << "the edits are one Undo away";
         return result;
     }},
    {"ErrorLineShowsTheNamedFileAndKeepsTheEditsLeft", {}, O::Done,
     {},
     {kOpen, "P/B.java B.java +*"}, "B.java", {}, "edited B",
     [](Context& c) {
         c.edit("B.java", "edited B");
         EXPECT_EQ(c.session.showCompiledFile("./A.java").outcome, O::Done);
         EXPECT_EQ(c.buffer.text, QStringList{"class A {}"});
         EXPECT_EQ(c.session.showCompiledFile("C.java").outcome, O::Cancelled);
         return c.session.showSource(1);
     }},
    // Add and remove
    {"AddOtherFileCopiesIt", {}, O::Done,
     {},
     {kOpen, kOpenB, "P/i.bmp i.bmp o+"}, "B.java", {{"P/i.bmp", "BM1"}}, {},
     [](Context& c) {
         writeBytes(c.p("out/i.bmp"), "BM1");
         return c.session.addOtherFiles({c.p("out/i.bmp")});
     }},
    {"AddAgainAsksBeforeReplacing", {A::Yes}, O::Done,
     {kOverwrite},
     {kOpen, kOpenB, "P/i.bmp i.bmp o+"}, "B.java", {{"P/i.bmp", "BM2"}}, {},
     [](Context& c) {
         writeBytes(c.p("out/i.bmp"), "BM1");
         c.session.addOtherFiles({c.p("out/i.bmp")});
         writeBytes(c.p("out/i.bmp"), "BM2");
         return c.session.addOtherFiles({c.p("out/i.bmp")});
     }},
    {"RemoveRenamesAsideAndKeepsTheEditsOnScreen", {A::Yes}, O::Done,
     {kRemoveJava},
     {"P/B.java B.java +*"}, "B.java", {{"P/A.java", "<missing>"}, {"P/A.java.old(1)", "class A {}\n"}},
     "edited B",
     [](Context& c) {
         c.session.showSource(0);
         c.edit("B.java", "edited B");
         return c.session.remove(FileKind::Java, 0);
     }},
    {"RemoveCancelledKeepsAll", {A::No}, O::Cancelled,
     {kRemoveJava},
     {kOpen, kOpenB}, "B.java", {{"P/A.java", "class A {}\n"}}, {},
     [](Context& c) { return c.session.remove(FileKind::Java, 0); }},
    // Save
    {"SaveWritesTheBufferAndClearsTheMarker", {}, O::Done,
     {},
     {kOpen, kOpenB}, "A.java", {{"P/A.java", "class A { int x; }\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "class A { int x; }");
         return c.session.saveCurrent();
     }},
    {"SaveAsRenamesTheBuffer", {}, O::Done,
     {},
     {kOpen, "P/C.java C.java +"}, "C.java", {{"P/B.java", "class B {}\n"}, {"P/C.java", "class B {}\n"}}, {},
     [](Context& c) { return c.session.saveAs(c.p("P/C.java")); }},
    {"SaveAsThroughALinkOutKeepsTheOldName", {}, O::Failed,
     {"error: Cannot write $/P/L.java: it leads to $/out/C.java, outside the project folder $/P"},
     {kOpen, kOpenB}, "B.java", {{"out/C.java", "class C {}\n"}}, {},
     [](Context& c) {
         QFile::link(c.p("out/C.java"), c.p("P/L.java"));
         return c.session.saveAs(c.p("P/L.java"));
     }},
    {"SaveAsOntoAnOpenBufferMergesThem", {A::Yes}, O::Done,
     {"yes/no: The file B.java is open in another buffer. Replace it with this text and close that buffer?"},
     {"P/B.java B.java +"}, "B.java", {{"P/A.java", "class A {}\n"}, {"P/B.java", "A text\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         return c.session.saveAs(c.p("P/B.java"));
     }},
    {"SaveAsOntoAnOpenBufferRefused", {A::No}, O::Cancelled,
     {"yes/no: The file B.java is open in another buffer. Replace it with this text and close that buffer?"},
     {"P/A.java A.java +*", kOpenB}, "A.java", {{"P/B.java", "class B {}\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         return c.session.saveAs(c.p("P/B.java"));
     }},
    {"SaveAllWritesOnlyEditedBuffers", {}, O::Done,
     {},
     {kOpen, kOpenB}, "A.java",
     {{"P/A.java", "A text\n"}, {"P/B.java", "B from elsewhere\n"}, {"P/P.hwp", kHwp}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         writeBytes(c.p("P/B.java"), "B from elsewhere\n");
         return c.session.saveAll();
     }},
    {"SaveAllRefusesALinkOutAndSaysSo", {}, O::Failed,
     {"error: Cannot write $/P/A.java: it leads to $/out/A.java, outside the project folder $/P"},
     {"P/A.java A.java +*", kOpenB}, "B.java", {{"out/A.java", "outside\n"}, {"P/B.java", "B text\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         c.edit("B.java", "B text");
         writeBytes(c.p("out/A.java"), "outside\n");
         QFile::remove(c.p("P/A.java"));
         QFile::link(c.p("out/A.java"), c.p("P/A.java"));
         return c.session.saveAll();
     }},
    {"SaveAllUnderTheProjectNameRemembersThatFile", {}, O::Done,
     {"remember: $/P/P.hwp"},
     {kOpen, kOpenB}, "B.java", {{"P/old.hwp", kHwp}, {"P/P.hwp", kHwp}}, {},
     [](Context& c) {
         QFile::rename(c.p("P/P.hwp"), c.p("P/old.hwp"));
         c.session.loadProject(c.p("P/old.hwp"));
         const SessionResult result = c.session.saveAll();
         EXPECT_TRUE(result.projectFileRenamed);
         return result;
     }},
    // Reload
    {"ReloadCleanBuffer", {A::Yes}, O::Done,
     {"yes/no: The file B.java has changed. Reload it?"},
     {kOpen, kOpenB}, "B.java", {}, "new B",
     [](Context& c) {
         c.changeOnDisk("P/B.java", "new B\n");
         return c.session.reloadChangedFiles();
     }},
    {"ReloadEditedBufferDefaultsToNoAndKeepsEdits", {A::No}, O::Cancelled,
     {kReloadEdited},
     {kOpen, "P/B.java B.java +*"}, "B.java", {}, "edited B",
     [](Context& c) {
         c.edit("B.java", "edited B");
         c.changeOnDisk("P/B.java", "new B\n");
         return c.session.reloadChangedFiles();
     }},
    {"ReloadOfAFileNotOnScreenReplacesItsKeptTextWhenShown", {A::Yes}, O::Done,
     {"yes/no: The file A.java has changed. Reload it?"},
     {kOpen, kOpenB}, "A.java", {}, "new A",
     [](Context& c) {
         c.session.showSource(0);
         c.session.showSource(1);
         c.changeOnDisk("P/A.java", "new A\n");
         EXPECT_EQ(c.session.reloadChangedFiles().outcome, O::Done);
         EXPECT_EQ(c.buffer.text, QStringList{"class B {}"}) << "the file on screen stays";
         const SessionResult shown = c.session.showSource(0);
         EXPECT_EQ(c.buffer.undoSteps, 1) << "one step that Undo takes back";
         c.session.showSource(1);
         c.session.showSource(0);
         EXPECT_EQ(c.buffer.undoSteps, 1) << "replaced once only";
         return shown;
     }},
    {"ReloadEditedBufferYesDiscardsEdits", {A::Yes}, O::Done,
     {kReloadEdited},
     {kOpen, kOpenB}, "B.java", {}, "new B",
     [](Context& c) {
         c.edit("B.java", "edited B");
         c.changeOnDisk("P/B.java", "new B\n");
         const SessionResult result = c.session.reloadChangedFiles();
         EXPECT_EQ(c.buffer.undoSteps, 1) << "one step that Undo takes back";
         EXPECT_EQ(c.session.reloadChangedFiles().outcome, O::Cancelled) << "asked once only";
         return result;
     }},
    // New, load and the question before either
    {"NewProjectResetsTheValuesAndOpensItsMainClass", {}, O::Done,
     {},
     {"W/N/N.java N.java +*"}, "N.java", {{"W/N/N.java", "<missing>"}}, "class N {}",
     [](Context& c) {
         writeBytes(c.p("Main.orw"), "class <name> {}\r\n");
         const SessionResult result = c.session.newProject(c.p("W"), "N", c.p("Main.orw"));
         const ProjectValues& v = c.session.project();
         EXPECT_EQ(QStringList({v.ProjectName, v.ProjectDir, v.ProjectFileName, v.CreatorID}),
                   QStringList({"N", c.p("W/N/"), "N.hwp", ""}));
         return result;
     }},
    {"NewProjectInAnExistingFolderAsks", {A::No}, O::Cancelled,
     {"yes/no keys: This project already exists. Do you really want to proceed?"},
     {kOpen, kOpenB}, "B.java", {}, {},
     [](Context& c) {
         QDir().mkpath(c.p("W/N"));
         return c.session.newProject(c.p("W"), "N", QString());
     }},
    {"LoadLetsGoOfTheOldProjectsTexts", {}, O::Done,
     {},
     {"Q/C.java C.java +"}, "C.java", {}, "class C {}",
     [](Context& c) {
         c.edit("A.java", "edited A");
         c.session.showSource(1);
         QDir().mkpath(c.p("Q"));
         writeBytes(c.p("Q/Q.hwp"), "Q\r\n\r\n\r\n\r\nC.java\r\n");
         writeBytes(c.p("Q/C.java"), "class C {}\n");
         return c.session.loadProject(c.p("Q/Q.hwp"));
     }},
    {"LoadSaysARepeatedLineWasSkipped", {}, O::Done,
     {"notice: The file C.java is listed more than once. The repeated line was skipped."},
     {"Q/C.java C.java +"}, "C.java", {}, "class C {}",
     [](Context& c) {
         QDir().mkpath(c.p("Q"));
         writeBytes(c.p("Q/Q.hwp"), "Q\r\n\r\n\r\n\r\nC.java\r\nC.java\r\n");
         writeBytes(c.p("Q/C.java"), "class C {}\n");
         return c.session.loadProject(c.p("Q/Q.hwp"));
     }},
    {"OfferToSaveSavesAndAnnounces", {A::Yes}, O::Done,
     {
      "yes/no/cancel: Do you want to save the current project first?",
      "notice: Project has been saved. Open the project now."
     },
     {kOpen, kOpenB}, "A.java", {{"P/A.java", "A text\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         return SessionResult{c.session.offerToSave(true) ? O::Done : O::Cancelled};
     }},
    // Close
    {"CloseWithNothingUnsavedAsksNothing", {}, O::Done,
     {"remember: $/P/P.hwp"},
     {kOpen, kOpenB}, "B.java", {}, {},
     [](Context& c) { return c.session.closeQuestion(); }},
    {"CloseYesSavesAndReleases", {A::Yes}, O::Done,
     {"remember: $/P/P.hwp", kClose},
     {}, "", {{"P/A.java", "A text\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         return c.session.closeQuestion();
     }},
    {"CloseNoReleasesWithoutSaving", {A::No}, O::Done,
     {"remember: $/P/P.hwp", kClose, "remember: $/P/P.hwp"},
     {}, "", {{"P/A.java", "class A {}\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         return c.session.closeQuestion();
     }},
    {"CloseCancelStays", {A::Cancel}, O::Cancelled,
     {"remember: $/P/P.hwp", kClose},
     {"P/A.java A.java +*", kOpenB}, "A.java", {{"P/A.java", "class A {}\n"}}, {},
     [](Context& c) {
         c.edit("A.java", "A text");
         return c.session.closeQuestion();
     }},
    // A recovery copy's lines back into a buffer
    {"RestoreIntoTheBufferShownIsOneUndoStepAndWritesNothing", {}, O::Done,
     {},
     {kOpen, "P/B.java B.java +*"}, "B.java", {{"P/B.java", "class B {}\n"}}, "kept B|line 2",
     [](Context& c) {
         const SessionResult result = c.session.restoreLines(c.p("P/B.java"), {"kept B", "line 2"}, {});
         EXPECT_EQ(c.buffer.undoSteps, 1);
         return result;
     }},
    {"RestoreIntoAnotherBufferShowsItAndKeepsTheEditsOnScreen", {}, O::Done,
     {},
     {"P/A.java A.java +*", "P/B.java B.java +*"}, "A.java", {{"P/A.java", "class A {}\n"}}, "kept A",
     [](Context& c) {
         c.edit("B.java", "edited B");
         const SessionResult result = c.session.restoreLines(c.p("P/A.java"), {"kept A"}, {});
         c.session.showSource(1);
         EXPECT_EQ(c.buffer.text, QStringList{"edited B"});
         c.session.showSource(0);
         return result;
     }},
    {"RestoreOfAFileNoBufferHoldsOpensOneOutsideTheList", {}, O::Done,
     {},
     {kOpen, kOpenB, "P/Gone.java Gone.java *"}, "Gone.java", {{"P/Gone.java", "<missing>"}}, "kept",
     [](Context& c) { return c.session.restoreLines(c.p("P/Gone.java"), {"kept"}, {}); }},
    {"RestoreThroughALinkReachesTheOneBufferOfTheFile", {}, O::Done,
     {},
     {"P/A.java A.java +*", kOpenB}, "A.java", {}, "kept A",
     [](Context& c) {
         QFile::link(c.p("P/A.java"), c.p("P/L.java"));
         return c.session.restoreLines(c.p("P/L.java"), {"kept A"}, {});
     }},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class WorkspaceSessionTest : public ::testing::TestWithParam<Row> {};

TEST_P(WorkspaceSessionTest, Case) {
    const Row& row = GetParam();
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath() + "/";
    QDir(root).mkpath("P");
    QDir(root).mkpath("out");
    for (const auto& [below, bytes] : kProject)
        writeBytes(root + below, bytes);
    writeBytes(root + "out/B.java", "class B {}\n");
    writeBytes(root + "out/C.java", "class C {}\n");

    ScriptedPrompts prompts;
    prompts.root = root.chopped(1);
    MemoryBuffer buffer;
    WorkspaceSession session(prompts, buffer);
    session.setRememberProject([&](const QString& file) { prompts.note("remember", file); });
    ASSERT_TRUE(session.loadProject(root + "P/P.hwp").ok());
    Context context{root, session, buffer};
    prompts.answers.assign(row.answers.begin(), row.answers.end());

    EXPECT_EQ(row.act(context).outcome, row.outcome);
    EXPECT_EQ(prompts.log, row.asked);
    EXPECT_TRUE(prompts.answers.empty()) << "answers left over";
    QStringList records;
    for (const ProjectRecord& r : session.files().records())
        records << QString(r.Path).remove(0, root.size()) + " " + r.Name + " " +
                       (r.Kind == FileKind::Other ? "o" : "") + (r.InProject ? "+" : "") +
                       (r.Modified ? "*" : "");
    EXPECT_EQ(records, row.records);
    EXPECT_EQ(session.files().currentFile() ? session.files().currentFile()->Name : QString(), row.current);
    for (const auto& [below, bytes] : row.after)
        EXPECT_EQ(readBytes(root + below), bytes) << below.toStdString();
    if (!row.shown.isNull()) {
        EXPECT_EQ(buffer.text.join('|'), row.shown);
    }
    // Whatever a row did, the editor keeps texts only for records still open.
    QSet<quint64> open;
    for (const ProjectRecord& r : session.files().records())
        open.insert(r.Id);
    for (const auto& [id, text] : buffer.kept)
        EXPECT_TRUE(open.contains(id)) << "a text kept for a record gone: " << text.join('|').toStdString();
    EXPECT_TRUE(buffer.shown == 0 || open.contains(buffer.shown)) << "a record gone is on screen";
}

INSTANTIATE_TEST_SUITE_P(Rows, WorkspaceSessionTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The recovery copies follow the session: a copy for each modified buffer while it is modified, gone after
// a save, a reload, a No at the close question or another project; a copy another run left stays.
class RecoveryWriterTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString root = QFileInfo(tmp.path()).canonicalFilePath() + "/";
    ScriptedPrompts prompts;
    MemoryBuffer buffer;
    WorkspaceSession session{prompts, buffer};
    RecoveryStore store{root + "state/recover"};
    Context context{root, session, buffer};

    void SetUp() override {
        QDir(root).mkpath("P");
        for (const auto& [below, bytes] : kProject)
            writeBytes(root + below, bytes);
        ASSERT_TRUE(session.loadProject(root + "P/P.hwp").ok());
    }
    // The text of the copy of P/<name>, lines joined by "|"; "<none>" when there is none.
    QString copyOf(const QString& name) {
        for (const RecoveryEntry& entry : store.readAll().copies)
            if (entry.copy.path == root + "P/" + name)
                return entry.copy.lines.join('|');
        return "<none>";
    }
};

TEST_F(RecoveryWriterTest, CopiesFollowTheBuffersState) {
    const struct {
        const char* name;
        std::vector<SessionAnswer> answers;
        std::function<void(Context&)> after; // what follows the edits of A and B
        QString copyA, copyB;
    } rows[] = {
        {"edits", {}, [](Context&) {}, "edited A", "typed on"},
        {"save", {}, [](Context& c) { c.session.saveCurrent(); }, "edited A", "<none>"},
        {"save all", {}, [](Context& c) { c.session.saveAll(); }, "<none>", "<none>"},
        {"no at close", {A::No}, [](Context& c) { c.session.closeQuestion(); }, "<none>", "<none>"},
        {"cancel at close",
         {A::Cancel},
         [](Context& c) { c.session.closeQuestion(); },
         "edited A",
         "typed on"},
        {"another project, unsaved",
         {A::No},
         [](Context& c) {
             c.session.offerToSave(false);
             c.session.loadProject(c.p("P/P.hwp"));
         },
         "<none>",
         "<none>"},
        {"reload",
         {A::Yes},
         [](Context& c) {
             c.changeOnDisk("P/B.java", "new B\n");
             c.session.reloadChangedFiles();
         },
         "edited A",
         "<none>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecoveryWriter writer(session, store);
        writer.setDelays(0, 0);
        context.edit("A.java", "edited A");
        writer.edited();
        context.edit("B.java", "edited B");
        // Typed after the last edit signal: the copy is taken from the editor, not the record.
        buffer.text = {"typed on"};
        writer.edited();
        QSignalSpy written(&writer, &RecoveryWriter::written);
        ASSERT_TRUE(written.wait(5000));
        writer.waitForWrites();
        QCoreApplication::processEvents();
        EXPECT_EQ(copyOf("A.java"), "edited A");
        prompts.answers.assign(row.answers.begin(), row.answers.end());
        row.after(context);
        writer.filesChanged();
        writer.waitForWrites();
        EXPECT_EQ(copyOf("A.java"), row.copyA);
        EXPECT_EQ(copyOf("B.java"), row.copyB);
        EXPECT_TRUE(prompts.answers.empty());
        // The next row starts from the project as it is on disk, with no copies.
        QDir(store.folder()).removeRecursively();
        for (const auto& [below, bytes] : kProject)
            writeBytes(root + below, bytes);
        prompts.log.clear();
        ASSERT_TRUE(session.loadProject(root + "P/P.hwp").ok());
    }
}

// A copy left by an earlier run is the user's to restore or discard: this run's saves do not remove it.
TEST_F(RecoveryWriterTest, LeavesCopiesOfEarlierRunsAndWritesAtOnceWhenTold) {
    RecoveryCopy earlier;
    earlier.path = root + "P/B.java";
    earlier.written = QDateTime::currentDateTimeUtc();
    earlier.lines = {"from the last run"};
    ASSERT_TRUE(store.write(earlier));
    RecoveryWriter writer(session, store);
    // Far longer than the test: only writeAllNow() writes.
    writer.setDelays(600000, 600000);
    context.edit("A.java", "edited A");
    writer.edited();
    session.saveAll();
    writer.filesChanged();
    context.edit("A.java", "edited again");
    buffer.text = {"last keys"};
    writer.edited();
    EXPECT_TRUE(writer.writeAllNow());
    EXPECT_EQ(copyOf("A.java"), "last keys");
    EXPECT_EQ(copyOf("B.java"), "from the last run");
    // Nothing modified, nothing written: unmodified buffers and other files get no copy.
    session.saveAll();
    writer.filesChanged();
    writer.waitForWrites();
    EXPECT_TRUE(writer.writeAllNow());
    EXPECT_EQ(copyOf("A.java"), "<none>");
    EXPECT_EQ(store.readAll().copies.size(), 1);
}

// While the user keeps typing, a copy is still written: the latest delay does not move with each key.
TEST_F(RecoveryWriterTest, ContinuousTypingStillGetsCopies) {
    RecoveryWriter writer(session, store);
    writer.setDelays(200, 300);
    QSignalSpy written(&writer, &RecoveryWriter::written);
    context.edit("A.java", "x");
    QElapsedTimer typing;
    typing.start();
    int keys = 0;
    while (typing.elapsed() < 1500) {
        buffer.text = {QString(++keys, u'x')};
        writer.edited();
        QTest::qWait(20);
    }
    // A pure pause of 200 ms never came; the latest delay wrote at least twice meanwhile.
    EXPECT_GE(written.count(), 2);
    writer.waitForWrites();
    EXPECT_TRUE(copyOf("A.java").startsWith("xxxxx"));
}

} // namespace

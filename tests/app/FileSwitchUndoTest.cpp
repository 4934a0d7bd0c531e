// Undo, redo and the modified marker of each open file through the main window's session and editor.
#include "MainWindowFixture.h"

#include "app/MainWindowAdapters.h"
#include "editor/SourceEditor.h"

#include <QDateTime>

namespace {

// One step a string: "A"/"B" clicks that Source entry (by name), "type:x", "undo", "redo", "save",
// "saveAs:Z.java", "changeOnDisk:A.java:text" (an hour later than the file was read), "reload" (the
// check when the program is switched back to, every question answered Yes), "open:A.java" (Open File into
// the project), "remove:A" (that Source entry, OK), "load" (the project again), "close" (answered No),
// "fresh:T" (the program puts the line T on screen as a new start).
// Checks: "=first:T" the editor's first line, "=labels:A.java (*)|B.java", "=undo:U/R", "=docs:N" (the
// editor documents held).
struct Row {
    const char* name;
    QStringList steps;
};

// clang-format off
const Row kRows[] = {
    {"UndoStaysWithEachFileAndSwitchingMarksNothing",
     {"A", "B", "A", "=labels:A.java|B.java", "=undo:0/0", "type:x", "B", "type:y", "A", "=first:xclass A {",
      "undo", "=first:class A {", "=undo:0/1", "B", "=first:yclass B {", "=labels:A.java (*)|B.java (*)",
      "A", "redo", "=first:xclass A {", "=labels:A.java (*)|B.java (*)"}},
    {"SaveAndSaveAsKeepTheHistory",
     {"A", "type:x", "save", "=labels:A.java|B.java", "type:y", "saveAs:Z.java", "=labels:Z.java|B.java",
      "B", "Z.java", "=first:xyclass A {", "undo", "=first:xclass A {", "=labels:Z.java (*)|B.java", "undo",
      "=first:class A {"}},
    {"AReloadOnScreenIsOneUndoStep",
     {"A", "type:x", "save", "changeOnDisk:A.java:class A2 {", "reload", "=first:class A2 {",
      "=labels:A.java|B.java", "undo", "=first:xclass A {", "undo", "=first:class A {"}},
    {"AReloadAsideIsOneUndoStepWhenShown",
     {"A", "type:x", "B", "changeOnDisk:A.java:class A2 {", "reload", "=first:class B {", "A",
      "=first:class A2 {", "=labels:A.java|B.java", "undo", "=first:xclass A {"}},
    {"OpenFileOfAnOpenFileKeepsItsHistory",
     {"A", "type:x", "B", "open:A.java", "=first:xclass A {", "undo", "=first:class A {"}},
    {"RemoveFreesTheDocument",
     {"A", "type:x", "B", "=docs:2", "A", "remove:A", "=docs:1", "undo", "=first:class B {", "=undo:0/0",
      "=labels:B.java"}},
    {"ANewStartOnScreenStaysWithTheFileShown",
     {"A", "type:x", "fresh:restored", "=undo:0/0", "B", "A", "=first:restored", "save", "B", "A",
      "=first:restored"}},
    {"LoadAndCloseFreeEveryDocument",
     {"A", "B", "=docs:2", "load", "=docs:1", "=first:class B {", "=undo:0/0", "type:z", "close",
      "=docs:0"}},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// The row of a Source entry, edited or not.
int sourceRow(const QStringList& entries, const QString& name) {
    return std::max(entries.indexOf(name), entries.indexOf(name + " (*)"));
}

class FileSwitchUndoTest : public MainWindowTest, public ::testing::WithParamInterface<Row> {};

TEST_P(FileSwitchUndoTest, Steps) {
    writeSource(projectDir + "A.java", {"class A {", "  int a;", "}"});
    writeSource(projectDir + "B.java", {"class B {", "  int b;", "}"});
    const QString project = writeProject("AB", {"A.java", "B.java"});
    MainWindow& w = start({project});
    SourceEditor& editor = *w.editor();
    int index = 0;
    for (const QString& step : GetParam().steps) {
        const std::string where = "step " + std::to_string(++index) + " " + step.toStdString();
        const QString arg = step.section(u':', 1, -1);
        if (!step.contains(u':') && step != "undo" && step != "redo" && step != "save" && step != "reload" &&
            step != "load" && step != "close") {
            const QString name = step.contains(u'.') ? step : step + ".java";
            const int row = sourceRow(labels(w.ui().sourceList), name);
            ASSERT_GE(row, 0) << where;
            w.ui().sourceList->setCurrentRow(row);
            ASSERT_EQ(w.files().currentFile()->Name, name) << where;
        } else if (step.startsWith("type:")) {
            editor.insertText(arg);
        } else if (step == "undo") {
            editor.undo();
        } else if (step == "redo") {
            editor.redo();
        } else if (step == "save") {
            w.saveFile();
        } else if (step.startsWith("saveAs:")) {
            fileDialogs.choose(projectDir + arg);
            w.saveFileAs();
        } else if (step.startsWith("changeOnDisk:")) {
            const QString file = projectDir + arg.section(u':', 0, 0);
            writeSource(file, {arg.section(u':', 1)});
            QFile written(file);
            ASSERT_TRUE(written.open(QIODevice::ReadWrite));
            ASSERT_TRUE(written.setFileTime(QDateTime::currentDateTime().addSecs(3600),
                                            QFileDevice::FileModificationTime));
        } else if (step == "reload") {
            dialogs.answer(mrYes, "has changed");
            w.checkFilesChanged();
        } else if (step.startsWith("open:")) {
            fileDialogs.choose(QStringList{projectDir + arg});
            dialogs.answer(mrYes, "Should the file");
            w.openFiles();
        } else if (step.startsWith("remove:")) {
            w.ui().sourceList->setCurrentRow(sourceRow(labels(w.ui().sourceList), arg + ".java"));
            dialogs.answer(mrOk, "This will remove the file from the project.");
            w.removeSourceFromProject();
        } else if (step.startsWith("fresh:")) {
            w.editorBuffer().replaceLines({arg}, BufferReplace::Fresh);
        } else if (step == "load") {
            fileDialogs.choose(project);
            w.openProject();
        } else if (step == "close") {
            dialogs.answer(mrNo, "Do you want to save all files?");
            EXPECT_TRUE(w.mayClose()) << where;
        } else if (step.startsWith("=first:")) {
            EXPECT_EQ(editor.line(0), arg) << where;
        } else if (step.startsWith("=labels:")) {
            EXPECT_EQ(labels(w.ui().sourceList).join(u'|'), arg) << where;
        } else if (step.startsWith("=undo:")) {
            EXPECT_EQ(QString("%1/%2").arg(int(editor.isUndoAvailable())).arg(int(editor.isRedoAvailable())),
                      arg)
                << where;
        } else if (step.startsWith("=docs:")) {
            EXPECT_EQ(w.editorBuffer().documents().count(), arg.toInt()) << where;
        } else {
            FAIL() << "unknown step " << where;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, FileSwitchUndoTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

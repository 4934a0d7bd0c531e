#include "app/NewProjectWindow.h"
#include "FakeWorkspaceHost.h"
#include "TestFiles.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class NewProjectWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<FakeWorkspaceHost>(dir.filePath("registry.sqlite"));
        templates = dir.filePath("templates");
        QDir().mkpath(templates);
        writeBytes(templates + "/MainWindow.orw", "public class <name> extends MainWindow {\r\n}\r\n");
        host->projectValues = {"Old", "/old/", "Old.hwp", "/i22.bmp", "/i15.bmp", "OLDI", false, {}};
        host->live.setCreatorId("OLDI");
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(dialogs.problems(), "");
    }
    NewProjectWindow& open(const QString& name = {}, const QString& path = {}) {
        form = std::make_unique<NewProjectWindow>(*host, nullptr, templates);
        form->show();
        if (!name.isEmpty())
            form->m_projectName->setText(name);
        if (!path.isEmpty())
            form->m_parentFolder->setText(path);
        return *form;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<FakeWorkspaceHost> host;
    std::unique_ptr<NewProjectWindow> form;
    QString templates;
};

} // namespace

// Typed at the first showing, the name replaces the placeholder instead of joining it.
TEST_F(NewProjectWindowTest, TypingAtTheFirstShowingReplacesUnknown) {
    NewProjectWindow& f = open();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "Calc");
    EXPECT_EQ(f.m_projectName->text(), "Calc");
}

TEST_F(NewProjectWindowTest, StartsWithTheStoredProjectsFolder) {
    NewProjectWindow& f = open(); // no product key yet
    EXPECT_EQ(f.m_projectName->text(), "unknown");
    EXPECT_EQ(f.m_parentFolder->text(), "/");
    EXPECT_TRUE(f.m_createMainClass->isChecked());
    EXPECT_FALSE(f.m_okButton->isEnabled());
    // The product key exists, Projects is still absent.
    host->setStoreText(kProductKey, "LastProject", "");
    EXPECT_EQ(open().m_parentFolder->text(), QDir::homePath() + "/Projects/");
    host->setStoreText(kProductKey, "Projects", "/srv/work");
    EXPECT_EQ(open().m_parentFolder->text(), "/srv/work");
}

TEST_F(NewProjectWindowTest, OkWantsANameWithoutBlanksAndAPath) {
    NewProjectWindow& f = open();
    const std::tuple<QString, QString, bool> cases[] = {
        {"Calc", "/w", true}, {"unknown", "/w", false}, {"", "/w", false}, {"Calc", "", false}};
    for (const auto& [name, path, enabled] : cases) {
        f.m_projectName->setText(name);
        f.m_parentFolder->setText(path);
        EXPECT_EQ(f.m_okButton->isEnabled(), enabled) << name.toStdString() << " in " << path.toStdString();
    }

    dialogs.answer(mrOk, "Space characters are not allowed in project names!");
    f.m_projectName->clear();
    QTest::keyClicks(f.m_projectName, "My Calc");
    ASSERT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(dialogs.asked()[0].title, "STOP");
    EXPECT_EQ(f.m_projectName->text(), "MyCalc"); // the blank went, the rest of the name stayed
    EXPECT_FALSE(f.m_okButton->isEnabled());      // the path is still empty

    // A blank typed inside the name leaves the cursor where it was.
    dialogs.answer(mrOk, "Space characters");
    f.m_projectName->setCursorPosition(2);
    QTest::keyClicks(f.m_projectName, " X");
    EXPECT_EQ(f.m_projectName->text(), "MyXCalc");

    dialogs.answer(mrOk, "Space characters");
    QApplication::clipboard()->setText("Big\tCalc ");
    f.m_projectName->selectAll();
    f.m_projectName->paste();
    EXPECT_EQ(dialogs.asked().size(), 3);
    EXPECT_EQ(f.m_projectName->text(), "BigCalc");
}

TEST_F(NewProjectWindowTest, NamesThatAreNoJavaClassNamesAreRefused) {
    NewProjectWindow& f = open({}, dir.filePath("Work"));
    for (const char* name : {"my-app", "../x", "a/b", "Say\"Hi\"", "1st", "class", "a.b"}) {
        f.m_projectName->setText(name);
        ASSERT_TRUE(f.m_okButton->isEnabled()) << name;
        dialogs.answer(mrOk, "Java");
        f.createProject();
        EXPECT_TRUE(f.isVisible()) << name;
        EXPECT_EQ(dialogs.asked().last().type, mtError) << name;
    }
    EXPECT_EQ(dialogs.remainingAnswers(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Work"))) << "nothing is created for a refused name";
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x")));
    EXPECT_EQ(host->projectValues.ProjectName, "Old");
    EXPECT_EQ(host->fileList.count(), 0);
}

// A typed "~" or relative folder would make the project under the current folder, where the next start
// cannot find it again.
TEST_F(NewProjectWindowTest, TypedFoldersAreMadeAbsolute) {
    QTemporaryDir home;
    QTemporaryDir current;
    const QByteArray savedHome = qgetenv("HOME");
    const QString savedCurrent = QDir::currentPath();
    qputenv("HOME", home.path().toUtf8());
    QDir::setCurrent(current.path());
    const struct {
        QString typed, parent;
    } cases[] = {
        {"~/Projects", QDir::homePath() + "/Projects"},
        {"work/../mine/", QDir::currentPath() + "/mine/"},
    };
    for (const auto& c : cases) {
        NewProjectWindow& f = open("Calc", c.typed);
        f.createProject();
        EXPECT_EQ(host->projectValues.ProjectDir, c.parent + (c.parent.endsWith('/') ? "" : "/") + "Calc/");
        EXPECT_TRUE(QFileInfo(host->projectValues.ProjectDir).isDir());
        EXPECT_EQ(host->storeText(kProductKey, "Projects"), c.parent);
    }
    EXPECT_FALSE(QFileInfo::exists(QDir::currentPath() + "/~"));
    QDir::setCurrent(savedCurrent);
    qputenv("HOME", savedHome);
}

TEST_F(NewProjectWindowTest, OkCreatesTheFolderAndTheUnsavedMainClass) {
    ProjectRecord old;
    old.Name = "Old.java";
    old.Path = "/old/Old.java";
    old.Kind = FileKind::Java;
    host->fileList.insertFile(old);
    host->projectValues.ProjectFileFormat = {TextEncoding::Windows1252, false};
    NewProjectWindow& f = open("Calc", dir.filePath("Work"));
    QTest::mouseClick(f.m_okButton, Qt::LeftButton);

    EXPECT_EQ(f.result(), QDialog::Accepted);
    const QString folder = dir.filePath("Work") + "/Calc/";
    EXPECT_TRUE(QFileInfo(folder).isDir());
    const ProjectValues& p = host->projectValues;
    EXPECT_EQ(QStringList(
                  {p.ProjectName, p.ProjectDir, p.ProjectFileName, p.Icon22Path, p.Icon15Path, p.CreatorID}),
              QStringList({"Calc", folder, "Calc.hwp", "", "", ""}));
    EXPECT_EQ(host->projectValues.ProjectFileFormat, TextFormat{});
    EXPECT_EQ(host->live.creatorId(), "");
    EXPECT_EQ(host->browserClears, 1);
    EXPECT_EQ(host->storeText(kProductKey, "Projects"), dir.filePath("Work"));
    EXPECT_EQ(host->bufferText.value(0), "public class Calc extends MainWindow {"); // the editor shows it
    ASSERT_EQ(host->fileList.count(), 1); // the old project's files are gone
    const ProjectRecord* record = host->fileList.currentFile();
    EXPECT_EQ(record->Path, folder + "Calc.java");
    EXPECT_TRUE(record->Modified);
    EXPECT_EQ(record->Lines.first(), "public class Calc extends MainWindow {");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{}); // nothing written yet

    NewProjectWindow& plain = open("Plain", dir.filePath("Work"));
    plain.m_createMainClass->setChecked(false);
    plain.createProject();
    EXPECT_EQ(host->fileList.count(), 0);
    EXPECT_EQ(host->editorClears, 1);
}

TEST_F(NewProjectWindowTest, TheOpenProjectChangesOnlyOnceTheFolderIsThere) {
    QDir().mkpath(dir.filePath("Work/Calc"));
    writeBytes(dir.filePath("file"), "x");
    NewProjectWindow& f = open("Calc", dir.filePath("Work"));
    dialogs.answer(mrNo, "This project already exists. Do you really want to proceed?");
    f.createProject();
    ASSERT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(dialogs.asked()[0].variant, DialogVariant::AccessKeys);
    EXPECT_EQ(dialogs.asked()[0].buttons, mbYesNo);

    f.m_parentFolder->setText(dir.filePath("file")); // a file where the parent folder should be
    dialogs.answer(mrOk, "Cannot create the folder");
    f.createProject();
    EXPECT_EQ(dialogs.asked().size(), 2);

    // After No and after the failure the window is open and the old project untouched.
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(host->projectValues.ProjectDir, "/old/");
    EXPECT_EQ(host->projectValues.CreatorID, "OLDI");
    EXPECT_EQ(host->fileList.count(), 0);

    f.m_parentFolder->setText(dir.filePath("Work"));
    dialogs.answer(mrYes, "already exists");
    f.createProject();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(host->projectValues.ProjectName, "Calc");
}

#include "app/ClassWizard.h"
#include "FakeWorkspaceHost.h"
#include "TestFiles.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class ClassWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<FakeWorkspaceHost>(dir.filePath("registry.sqlite"));
        templates = dir.filePath("templates");
        QDir().mkpath(templates);
        QDir().mkpath(dir.filePath("proj"));
        host->projectValues.ProjectDir = dir.filePath("proj") + "/";
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(dialogs.problems(), "");
    }
    void addTemplate(const QString& name, const QByteArray& text = "public class <name> {\r\n}\r\n") {
        writeBytes(templates + "/" + name, text);
    }
    ClassWizard& open() {
        form = std::make_unique<ClassWizard>(*host, nullptr, templates);
        form->show();
        return *form;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<FakeWorkspaceHost> host;
    std::unique_ptr<ClassWizard> form;
    QString templates;
};

} // namespace

// Typed at the first showing, the name replaces the placeholder instead of joining it.
TEST_F(ClassWizardTest, TypingAtTheFirstShowingReplacesUnknown) {
    addTemplate("Window.orw");
    ClassWizard& f = open();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), "Calc");
    EXPECT_EQ(f.m_className->text(), "Calc");
}

TEST_F(ClassWizardTest, GeneratesTheChosenTemplateUnderTheTypedName) {
    for (const char* name : {"Window.orw", "applet.orw", "readme.txt"})
        addTemplate(name);
    addTemplate("MainWindow.orw", "class <name>Main extends <name> {\r\n}\r\n");
    ClassWizard& f = open();
    QStringList captions;
    for (int i = 0; i < f.m_templateList->count(); ++i)
        captions << f.m_templateList->item(i)->text();
    EXPECT_EQ(captions, (QStringList{"applet", "MainWindow", "Window"}));
    EXPECT_EQ(f.m_templateList->currentItem()->text(), "applet");
    EXPECT_EQ(f.m_className->text(), "unknown");

    f.m_templateList->setCurrentRow(1);
    f.m_className->setText("Engine");
    QTest::mouseClick(f.m_okButton, Qt::LeftButton);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(host->generated, (QList<QStringList>{{templates + "/MainWindow.orw", "Engine"}}));
    ASSERT_NE(host->fileList.currentFile(), nullptr);
    EXPECT_EQ(host->fileList.currentFile()->Lines.first(), "class EngineMain extends Engine {");
}

TEST_F(ClassWizardTest, RefusesNamesThatAreTakenOrNoJavaClassNames) {
    addTemplate("Alpha.orw");
    ProjectRecord record;
    record.Name = "Calc.java";
    record.Path = host->projectValues.ProjectDir + record.Name;
    record.Kind = FileKind::Java;
    host->fileList.insertFile(record);
    writeBytes(host->projectValues.ProjectDir + "Old.java", "class Old {}\r\n"); // saving would overwrite it
    ClassWizard& f = open();

    const QString taken = "This classname already exists. Please use another name.";
    const std::pair<QString, QString> cases[] = {
        {"Calc", taken},
        {"Old", taken},
        {"", "Please enter a name."},
        {"../Evil", "is not a Java class name"},
        {"my-app", "is not a Java class name"},
        {"my class", "is not a Java class name"},
        {"int", "is a Java keyword"},
        {"calc", ""}, // letter case counts
    };
    for (const auto& [name, message] : cases) {
        const qsizetype generated = host->generated.size();
        if (!message.isEmpty())
            dialogs.answer(mrOk, message);
        f.show();
        f.m_className->setText(name);
        f.generateClass();
        EXPECT_EQ(host->generated.size(), generated + (message.isEmpty() ? 1 : 0)) << name.toStdString();
        EXPECT_EQ(f.isVisible(), !message.isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(dialogs.remainingAnswers(), 0);
}

TEST_F(ClassWizardTest, NoTemplateOrAVanishedOneCreatesNothing) {
    ClassWizard& empty = open();
    empty.m_className->setText("Calc2");
    empty.generateClass(); // no template selected: nothing happens
    EXPECT_TRUE(empty.isVisible());
    EXPECT_TRUE(host->generated.isEmpty());

    addTemplate("Gone.orw");
    ClassWizard& f = open();
    QFile::remove(templates + "/Gone.orw");
    f.m_className->setText("Calc2");
    dialogs.answer(mrOk, "Gone.orw");
    f.generateClass();
    EXPECT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(host->fileList.count(), 0);
    EXPECT_TRUE(f.isVisible());
}

#include "workspace/ClassTemplate.h"
#include "TestFiles.h"
#include "app/SettingsRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ClassTemplate;

TEST(ClassTemplate, ReplacesEveryPlaceholderWithoutLookingAtInsertedText) {
    struct Case {
        QString line;
        QString className;
        QString expected;
    };
    const Case cases[] = {
        {"public class <name> extends <name>Base", "Calc", "public class Calc extends CalcBase"},
        {"no placeholder, <nam> or <NAME>", "Calc", "no placeholder, <nam> or <NAME>"},
        {"<<name>>", "X", "<X>"},
        // A class name that holds the placeholder is inserted as it is and the line still ends.
        {"a<name>b<name>", "<name><name>", "a<name><name>b<name><name>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(substituteTemplate({c.line}, c.className), QStringList{c.expected})
            << c.line.toStdString() << " / " << c.className.toStdString();
    }
}

TEST(ClassTemplate, ListsOrwFilesByDisplayNameCaseBlind) {
    QTemporaryDir dir;
    for (const char* name :
         {"b.orw", "MainWindow.orw", "A.orw", "notes.txt", "Upper.ORW", ".orw", "x.orw.bak"})
        writeBytes(dir.filePath(name), "class <name> {}\r\n");
    QDir(dir.path()).mkdir("Folder.orw");
    EXPECT_EQ(templateDisplayNames(dir.path()), (QStringList{"A", "b", "MainWindow"}));
    EXPECT_EQ(templateDisplayNames(dir.filePath("missing")), QStringList{});
    EXPECT_EQ(templatePath("/opt/hw", "MainWindow"), "/opt/hw/MainWindow.orw");
}

// A generated class is a new file: CR LF after every line, whatever breaks the template has.
TEST(ClassTemplate, GeneratedFilesGetCrLfAfterEveryLine) {
    QTemporaryDir dir;
    for (const QByteArray& lines : {QByteArray("class <name> {\n}"), QByteArray("class <name> {\r}\r"),
                                    QByteArray("class <name> {\r\n}\r\n")}) {
        writeBytes(dir.filePath("T.orw"), lines);
        TextReadResult generated = generateFromTemplate(dir.filePath("T.orw"), "Calc");
        ASSERT_TRUE(generated.ok());
        ASSERT_TRUE(generated.file.write(dir.filePath("Calc.java")));
        EXPECT_EQ(readBytes(dir.filePath("Calc.java")), "class Calc {\r\n}\r\n") << lines.toStdString();
    }
}

TEST(ClassTemplate, MainWindowOkNeedsTheExactMainClassName) {
    struct Case {
        QStringList names;
        bool expected;
    };
    const Case cases[] = {
        {{"Calc.java"}, true},
        {{"Main.java", "Calc.java", "icon.bmp"}, true},
        {{"calc.java"}, false},
        {{"Main.java", "Calc.JAVA"}, false},
    };
    for (const Case& c : cases) {
        FileList files;
        for (const QString& name : c.names) {
            ProjectRecord record;
            record.Name = name;
            record.Path = "/p/" + name;
            record.Kind = kindOfFileName(name);
            files.insertFile(record);
        }
        EXPECT_EQ(MainWindowOK(files, "Calc"), c.expected) << c.names.join(",").toStdString();
    }
}

TEST(ClassTemplate, NewProjectFolderGetsBothSeparators) {
    EXPECT_EQ(newProjectDir("D:\\Work", "Calc", u'\\'), "D:\\Work\\Calc\\");
    EXPECT_EQ(newProjectDir("/home/ann/Work", "Calc"), "/home/ann/Work/Calc/");
    EXPECT_EQ(newProjectDir("/", "Calc"), "/Calc/");
}

// The templates the program folder ships, each generated for "Calc", compile against the stand-in SDK at
// the level the IDE compiles user code.
TEST(ClassTemplate, ShippedTemplatesCompileWithTheStandInSdk) {
    const QString build = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/..");
    const QString programFolder = build + "/bin";
    const QString jar = build + "/sdk/lib/superwaba.jar";
    const QString jdk = SettingsRules::detectJdkFolder();
    if (jdk.isEmpty())
        GTEST_SKIP() << "no JDK on PATH";
    ASSERT_TRUE(QFileInfo(jar).isFile()) << jar.toStdString();

    const QStringList names = templateDisplayNames(programFolder);
    for (const char* expected : {"MainWindow", "Dialog", "Container", "Class", "ClassWithMain"})
        EXPECT_TRUE(names.contains(expected)) << expected;

    for (const QString& name : names) {
        const QString path = templatePath(programFolder, name);
        QFile raw(path);
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << name.toStdString() << ": CR LF line ends";

        const TextReadResult generated = generateFromTemplate(path, "Calc");
        ASSERT_TRUE(generated.ok()) << generated.error.toStdString();
        EXPECT_FALSE(generated.file.lines.join('\n').contains(kPlaceholder)) << name.toStdString();

        QTemporaryDir work;
        TextFile source = generated.file;
        ASSERT_TRUE(source.write(work.filePath("Calc.java")));
        QProcess javac;
        javac.setWorkingDirectory(work.path());
        javac.setProcessChannelMode(QProcess::MergedChannels);
        javac.start(jdk + "bin/javac", {"-source", "7", "-target", "7", "-nowarn", "-classpath", jar, "-d",
                                        work.path(), "Calc.java"});
        ASSERT_TRUE(javac.waitForFinished(120000)) << name.toStdString();
        EXPECT_EQ(javac.exitCode(), 0) << name.toStdString() << ":\n" << javac.readAll().toStdString();
        EXPECT_TRUE(QFileInfo(work.filePath("Calc.class")).isFile()) << name.toStdString();
    }
}

// Project and class names become file names and class names: only Java class names are taken.
TEST(ClassTemplate, OnlyJavaClassNamesAreAccepted) {
    for (const char* name : {"Calc", "_x", "$Main", "a1",
                             "Gr\xC3\xBC\xC3\x9F"
                             "e"})
        EXPECT_EQ(javaClassNameProblem(QString::fromUtf8(name)), "") << name;
    const struct {
        const char* name;
        const char* problem;
    } refused[] = {
        {"", "Please enter a name."},
        {"my-app",
         "\"my-app\" is not a Java class name: it must start with a letter, \"_\" or \"$\" and hold "
         "only letters, digits, \"_\" and \"$\"."},
        {"my class", "\"my class\" is not a Java class name"},
        {"1st", "\"1st\" is not a Java class name"},
        {"../Evil", "\"../Evil\" is not a Java class name"},
        {"a/b", "\"a/b\" is not a Java class name"},
        {"Say\"Hi\"", "is not a Java class name"},
        {"a.b", "\"a.b\" is not a Java class name"},
        {"class", "\"class\" is a Java keyword and cannot name a class."},
        {"null", "is a Java keyword"},
        {"_", "is a Java keyword"},
    };
    for (const auto& c : refused) {
        const QString problem = javaClassNameProblem(c.name);
        EXPECT_TRUE(problem.contains(c.problem)) << c.name << ": " << problem.toStdString();
    }
}

#pragma once

#include "TestFiles.h"
#include "app/MainWindow.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "ui/FileDialogs.h"
#include "ui/ScriptedDialogs.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <memory>

// A main window on a store of its own and a project folder of its own, with every question and file
// chooser answered by script.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<RegistryStore>(m_dir.filePath("registry.sqlite"));
        QDir(m_dir.path()).mkpath("proj");
        projectDir = m_dir.filePath("proj") + "/";
        // Recovery copies of one test are no other test's to offer.
        m_stateHome = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir.filePath("state")));
    }
    void TearDown() override {
        window.reset();
        qputenv("XDG_STATE_HOME", m_stateHome);
        EXPECT_EQ(dialogs.problems(), "");
        EXPECT_EQ(fileDialogs.problems(), "");
    }

    // Writes a file with CR LF after every line.
    void writeSource(const QString& path, const QStringList& lines) {
        writeBytes(path, (lines.join("\r\n") + "\r\n").toUtf8());
    }
    QString writeProject(const QString& name, const QStringList& files, const QString& creator = "HeLo") {
        const QString path = projectDir + name + ".hwp";
        writeSource(path, QStringList{name, "", "", creator} + files);
        return path;
    }
    MainWindow& start(const QStringList& arguments = {}) {
        window = std::make_unique<MainWindow>(*m_store);
        window->startUp(arguments);
        return *window;
    }
    void setStoreText(const QString& key, const QString& name, const QString& text) {
        RegistryKey reg(*m_store);
        ASSERT_TRUE(reg.openKey(key, true));
        ASSERT_TRUE(reg.writeString(name, text));
    }
    QString storeText(const QString& key, const QString& name) {
        RegistryKey reg(*m_store);
        if (!reg.openKey(key, false))
            return "<no key>";
        return reg.readString(name).value_or("<absent>");
    }
    static QStringList labels(QListWidget* list) {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }
    RegistryStore& storeRef() { return *m_store; }
    QString dirPath(const QString& name) const { return m_dir.filePath(name); }

    static inline const QString kProductKey = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\");
    ScriptedDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
    QString projectDir;
    std::unique_ptr<MainWindow> window;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RegistryStore> m_store;
    QByteArray m_stateHome;
};

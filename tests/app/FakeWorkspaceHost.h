#pragma once

#include "app/MainWindowAdapters.h"
#include "app/WorkspaceHost.h"
#include "settings/LiveSettings.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "workspace/ClassTemplate.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The main window's side of the workspace windows, with a real session (asking through message dialogs,
// its editor an in-memory text), store and run-target box, recording what the windows ask of it.
// createFileFromTemplate really generates the buffer.
class FakeWorkspaceHost : public WorkspaceHost, public SessionBuffer {
public:
    explicit FakeWorkspaceHost(const QString& storePath) : m_store(storePath) {
        runTargets.addItems({"Java", "Palm Emulator", "Palm Simulator"});
        QObject::connect(&runTargets, &QComboBox::currentTextChanged,
                         [this](const QString& text) { shownTargets << text; });
    }

    WorkspaceSession& session() override { return m_session; }
    RegistryStore& store() override { return m_store; }
    LiveSettings& liveSettings() override { return live; }

    FileResult createFileFromTemplate(const QString& templatePath, const QString& className) override {
        generated << QStringList{templatePath, className};
        TextReadResult read = ClassTemplate::generateFromTemplate(templatePath, className);
        if (!read.ok())
            return {read.error};
        ProjectRecord record;
        record.Path = projectValues.ProjectDir + className + ".java";
        record.Name = className + ".java";
        record.Kind = FileKind::Java;
        record.InProject = true;
        record.Lines = read.file.lines;
        record.Modified = true;
        fileList.insertFile(record);
        return FileResult::success();
    }
    void clearClassBrowser() override { ++browserClears; }

    ToolPaths toolPaths() const override { return paths; }
    void setToolPaths(const ToolPaths& p) override { paths = p; }
    void setEditorTabWidth(int width) override { tabWidths << width; }

    QComboBox* runTargetBox() override { return &runTargets; }
    void setEmulatorToggleEnabled(bool enabled) override { emulatorToggle << enabled; }
    void showDocumentation(const QString& url) override { documentation << url; }
    QStringList readPalmUsers(bool reportProblems) override {
        ++palmReads;
        if (reportProblems && palmUsers.isEmpty())
            ++palmProblemsShown;
        return palmUsers;
    }

    void setStoreText(const QString& key, const QString& name, const QString& text) {
        RegistryKey reg(m_store);
        ASSERT_TRUE(reg.openKey(key, true));
        ASSERT_TRUE(reg.writeString(name, text));
    }
    // "<no key>" or "<absent>" when there is nothing to read.
    QString storeText(const QString& key, const QString& name) {
        RegistryKey reg(m_store);
        return reg.openKey(key, false) ? reg.readString(name).value_or("<absent>") : "<no key>";
    }
    QStringList storeNamesInWriteOrder(const QString& key) {
        RegistryKey reg(m_store);
        return reg.openKey(key, false) ? reg.valueNamesByWriteOrder() : QStringList{"<no key>"};
    }

    QStringList lines() const override { return bufferText; }
    void replaceLines(const QStringList& lines, BufferReplace) override {
        bufferText = lines;
        editorClears += lines.isEmpty();
    }
    // One text, nothing kept between showings.
    bool showRecord(quint64, const QStringList& lines, bool) override {
        replaceLines(lines, BufferReplace::Fresh);
        return false;
    }
    void forgetRecord(quint64) override {}
    void forgetAllRecords() override {}
    int caretLine() const override { return 0; }
    int caretColumn() const override { return 0; }
    int topLine() const override { return 0; }
    void setCaret(int, int) override {}
    void setTopLine(int) override {}

private:
    DialogPrompts m_prompts;
    WorkspaceSession m_session{m_prompts, *this};

public:
    ProjectValues& projectValues = m_session.project();
    FileList& fileList = m_session.files();
    LiveSettings live;
    QComboBox runTargets;
    ToolPaths paths;

    QList<QStringList> generated; // {template path, class name} per call
    QStringList bufferText;       // what the session's editor shows
    int editorClears = 0;         // replacements of the editor's text by nothing
    int browserClears = 0;
    QList<int> tabWidths;
    QList<bool> emulatorToggle;
    QStringList documentation;
    QStringList palmUsers;
    int palmReads = 0;
    int palmProblemsShown = 0; // reads that told the user Palm Desktop or its users are missing
    QStringList shownTargets;  // every text the run-target box showed with signals on

private:
    RegistryStore m_store;
};

inline const QString kProductKey = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\");
inline const QString kPathsKey = kProductKey + "Paths";
inline const QString kSettingsKey = kProductKey + "Settings";
inline const QString kWarpExegenKey = kProductKey + "Settings\\WarpExegen";

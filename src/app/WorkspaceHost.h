#pragma once

#include "settings/ToolPaths.h"
#include "workspace/FileList.h"
#include "workspace/FileResult.h"
#include "workspace/ProjectValues.h"
#include "workspace/WorkspaceSession.h"

#include <QString>
#include <QStringList>

class LiveSettings;
class QComboBox;
class RegistryStore;

// What the New Project window, the Class Wizard and the Settings window need from the main window. The
// main window implements it; tests use a fake with a real session.
class WorkspaceHost {
public:
    virtual ~WorkspaceHost() = default;

    // The open project and its files, and every rule about them.
    virtual WorkspaceSession& session() = 0;
    ProjectValues& project() { return session().project(); }
    FileList& files() { return session().files(); }
    virtual RegistryStore& store() = 0;
    virtual LiveSettings& liveSettings() = 0;

    // Captures the editor into the current record, reads the template with every "<name>" replaced
    // (generateFromTemplate), inserts the new modified Java record named className + ".java" in
    // ProjectDir, shows it and refreshes the lists. Nothing is written to disk; a template that cannot be
    // read creates no buffer and gives its error.
    virtual FileResult createFileFromTemplate(const QString& templatePath, const QString& className) = 0;
    virtual void clearClassBrowser() = 0;

    // The four tool paths held in memory for the whole run.
    virtual ToolPaths toolPaths() const = 0;
    virtual void setToolPaths(const ToolPaths& paths) = 0;
    virtual void setEditorTabWidth(int width) = 0;

    // The run-target list (ComboBox1) the Settings window rebuilds.
    virtual QComboBox* runTargetBox() = 0;
    // ToolButton14, usable only while the emulator program exists.
    virtual void setEmulatorToggleEnabled(bool enabled) = 0;
    virtual void showDocumentation(const QString& url) = 0;

    // Reads Palm Desktop's users afresh (a new current PalmUserData, which packaging then uses) and
    // returns their names in the order of its user table; empty when Palm Desktop or its users are missing,
    // which is shown to the user only when `reportProblems`.
    virtual QStringList readPalmUsers(bool reportProblems) = 0;
};

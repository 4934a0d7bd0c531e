// What the main window offers the other windows: templates, tool paths, the run-target box.
#include "MainWindow.h"

#include "DocumentationTab.h"
#include "LazyWebView.h"
#include "build/PalmUserData.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"
#include "ui/StopBox.h"
#include "workspace/ClassTemplate.h"
#include "workspace/WriteTarget.h"

#include <QToolButton>
#include <QTreeWidget>

FileResult MainWindow::createFileFromTemplate(const QString& templatePath, const QString& className) {
    // The class is saved there later: a link in its place is refused now, before any work goes into it.
    if (FileResult allowed =
            checkWriteTarget(m_project.ProjectDir, m_project.ProjectDir + className + ".java");
        !allowed)
        return allowed;
    captureEditor(true);
    const TextReadResult generated = ClassTemplate::generateFromTemplate(templatePath, className);
    if (!generated.ok())
        return {generated.error};
    TProjectFile fields;
    fields.Name = className + ".java";
    fields.Path = m_project.ProjectDir + fields.Name;
    fields.Kind = FileKind::Java;
    fields.InProject = true;
    fields.Lines = generated.file.lines;
    fields.Format = generated.file.format;
    fields.Modified = true;
    TProjectFile* record = m_files.insertFile(std::move(fields));
    m_ui.sourceEditor->setEnabled(true);
    m_suppressChange = true;
    m_ui.sourceEditor->setLines(record->Lines);
    updateBrowser(record->Path);
    refreshFileLists();
    return FileResult::success();
}

void MainWindow::clearEditor() {
    m_suppressChange = true;
    m_ui.sourceEditor->setLines({});
}

void MainWindow::clearClassBrowser() {
    m_browser->clearWithoutParse();
    m_ui.classTree->clear();
}

void MainWindow::setEditorTabWidth(int width) {
    m_ui.sourceEditor->setTabStops(width);
}

void MainWindow::setEmulatorToggleEnabled(bool enabled) {
    m_ui.palmTargetToggle->setEnabled(enabled);
}

void MainWindow::showDocumentation(const QString& url) {
    m_documentation->WebBrowser1->navigate(url);
}

QStringList MainWindow::readPalmUsers(bool reportProblems) {
    m_palmUsers = std::make_unique<TPalmUserData>(m_store);
    const PalmDataError& error = m_palmUsers->loadError();
    if (reportProblems && error.kind == PalmDataError::DesktopMissing)
        plainMessageBox(error.text, error.caption, QMessageBox::Critical);
    else if (reportProblems && error.isError())
        showError(error.text);
    QStringList names;
    for (int i = 0; i < m_palmUsers->userCount(); ++i)
        names << m_palmUsers->userName(i);
    return names;
}

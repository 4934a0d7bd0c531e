#include "SourceLine.h"

#include "MainWindow.h"
#include "MainWindowUi.h"

#include "editor/SourceEditor.h"
#include "workspace/WorkspaceSession.h"

#include <QTabWidget>

bool showSourceLine(MainWindow& window, ProjectRecord& source, int line, int column) {
    WorkspaceSession& session = window.session();
    if (&source != session.files().currentFile()) {
        if (!session.showSource(session.files().indexOfKind(&source)).ok())
            return false;
        window.refreshFileLists();
        window.updateBrowser(source.Path);
    }
    MainWindowUi& ui = window.ui();
    if (ui.pages->currentWidget() != ui.sourcePage)
        ui.pages->setCurrentWidget(ui.sourcePage);
    SourceEditor* editor = window.editor();
    editor->setCaretLine(line);
    editor->setCaretColumn(column);
    editor->bringCaretIntoView();
    editor->setFocus();
    return true;
}

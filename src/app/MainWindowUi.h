#pragma once

#include "MessageList.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;
class SourceEditor;
class HeaderPanel;

// The widgets of the main window, built in one place. Every widget carries its component name as
// objectName; the main window binds behaviour to them.
struct MainWindowUi {
    QToolBar* mainToolBar = nullptr;
    QComboBox* runTargetBox = nullptr;
    QToolButton* palmTargetToggle = nullptr;

    QSplitter* mainSplitter = nullptr; // left pane | pages
    QWidget* leftPane = nullptr;
    QSplitter* leftSplitter = nullptr; // sources | class tree | other files
    QListWidget* sourceList = nullptr;
    QWidget* sourceSection = nullptr;
    // The class browser: header, tool bar (sorted, like the source file, variables, methods), tree.
    QLabel* BrowserHeader = nullptr;
    QToolBar* browserToolBar = nullptr;
    QAction* browserSorted = nullptr;
    QAction* browserSourceOrder = nullptr;
    QAction* browserSeparator = nullptr; // separator
    QAction* browserVariables = nullptr;
    QAction* browserMethods = nullptr;
    QList<QIcon> browserIcons; // class, method, variable, sorted, source order
    QTreeWidget* classTree = nullptr;
    QWidget* treeSection = nullptr;
    QToolBar* otherFilesToolBar = nullptr;
    QListWidget* otherFileList = nullptr;
    QAction* addFileAction = nullptr;    // "Add file..."
    QAction* removeFileAction = nullptr; // "Remove file"

    QTabWidget* pages = nullptr;
    QWidget* sourcePage = nullptr;
    QWidget* documentationPage = nullptr;
    QSplitter* sourceSplitter = nullptr; // editor | message panel
    SourceEditor* sourceEditor = nullptr;
    QWidget* messagePanel = nullptr;
    HeaderPanel* messageHeader = nullptr;
    MessageList* messageList = nullptr;
    QStatusBar* mainStatusBar = nullptr;
    QLabel* buildResult = nullptr;      // how the last compile ended
    QLabel* compileCounts = nullptr;    // its listed errors and warnings: "2 errors, 3 warnings"
    QLabel* applicationState = nullptr; // "Application running" while the started application runs
    QLabel* caretPosition = nullptr;    // line:column of the caret, from 1
    QLabel* typingMode = nullptr;       // INS or OVR

    // Source list context menu and Other files context menu.
    QMenu* sourceListMenu = nullptr;
    QAction* saveSourceItem = nullptr;
    QAction* removeSourceItem = nullptr;
    QMenu* otherFilesMenu = nullptr;
    QAction* addOtherFileItem = nullptr;
    QAction* showPictureItem = nullptr;
    QAction* removeOtherItem = nullptr;
    // The editor's context menu; its shortcuts work while the editor has the focus.
    QMenu* editorMenu = nullptr;

    QHash<QString, QMenu*> menus;         // by objectName ("File1", ...)
    QHash<QString, QAction*> menuActions; // by objectName ("New1", ...)
    QHash<QString, QAction*> toolActions; // by objectName ("ToolButton3", ...)
    QHash<QString, QAction*> editorMenuActions;

    void setupUi(QMainWindow* window);
    void setupBrowser(QWidget* parent);
    // What the browser's section holds above the tree.
    int browserChromeHeight() const;

    // Persisted pane sizes: the height of the Source list, the width of the left pane, the height of the
    // message panel and the height of the class tree.
    int sourceListHeight() const;
    int leftPaneWidth() const;
    int messagePanelHeight() const;
    int classTreeHeight() const;
    void setSourceListHeight(int height);
    void setLeftPaneWidth(int width);
    void setMessagePanelHeight(int height);
    void setClassTreeHeight(int height);
};

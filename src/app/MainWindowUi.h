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
    QToolBar* ToolBar1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QToolButton* ToolButton14 = nullptr;

    QSplitter* mainSplitter = nullptr; // left pane | pages
    QWidget* Panel1 = nullptr;
    QSplitter* leftSplitter = nullptr; // sources | class tree | other files
    QListWidget* ListBox1 = nullptr;
    QWidget* sourceSection = nullptr;
    // The class browser: header, tool bar (sorted, like the source file, variables, methods), tree.
    QLabel* BrowserHeader = nullptr;
    QToolBar* ToolBar4 = nullptr;
    QAction* ToolButton20 = nullptr;
    QAction* ToolButton21 = nullptr;
    QAction* ToolButton22 = nullptr; // separator
    QAction* ToolButton23 = nullptr;
    QAction* ToolButton24 = nullptr;
    QList<QIcon> ImageList3; // class, method, variable, sorted, source order
    QTreeWidget* TreeView1 = nullptr;
    QWidget* treeSection = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QAction* ToolButton15 = nullptr; // "Add file..."
    QAction* ToolButton16 = nullptr; // "Remove file"

    QTabWidget* PageControl1 = nullptr;
    QWidget* Source = nullptr;
    QWidget* Documentation = nullptr;
    QSplitter* sourceSplitter = nullptr; // editor | message panel
    SourceEditor* RichEdit1 = nullptr;
    QWidget* Panel3 = nullptr;
    HeaderPanel* Panel4 = nullptr;
    MessageList* ListBox3 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* buildResult = nullptr;   // how the last compile ended
    QLabel* caretPosition = nullptr; // line:column of the caret, from 1
    QLabel* typingMode = nullptr;    // INS or OVR

    // Source list context menu and Other files context menu.
    QMenu* PopupMenu1 = nullptr;
    QAction* SaveSource1 = nullptr;
    QAction* Removefromproject1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* AddNewFile1 = nullptr;
    QAction* Showpicture1 = nullptr;
    QAction* Removefromproject2 = nullptr;
    // The editor's context menu; its shortcuts work while the editor has the focus.
    QMenu* PopupMenu3 = nullptr;

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

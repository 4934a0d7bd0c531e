#pragma once

#include <QList>
#include <QString>

class EditCommands;
class MainWindow;

// A command of the main window or of its edit commands. It has no default: an entry that names no
// handler, or one that does not exist, does not compile.
struct CommandHandler {
    using Function = void (MainWindow::*)();
    using EditFunction = void (EditCommands::*)();
    CommandHandler(Function function) : run(function) {}
    CommandHandler(EditFunction function) : runEdit(function) {}
    CommandHandler(std::nullptr_t) = delete;
    Function run = nullptr;
    EditFunction runEdit = nullptr;

    void operator()(MainWindow& window, EditCommands& edit) const;
};

// The main menu as data: every entry names the member of the main window that handles it, so the menu,
// its shortcuts and its wiring can be checked without clicking through the window.
struct MenuCommand {
    QString menu;     // caption of the top-level menu, e.g. "&File"
    QString caption;  // caption of the item
    QString shortcut; // portable key sequence text, empty when none
    CommandHandler handler;
    QString objectName; // name of the item's action
    bool hidden = false;
    bool disabled = false;
    bool separatorBefore = false;
    // Still runs while the applet viewer runs; the Compile menu's other items then say why they do not.
    bool whileApplicationRuns = false;
};

struct MenuTitle {
    QString caption;
    QString objectName;
    bool startsDisabled = false; // enabled once a project is loaded or created
};

// Buttons of the main tool bar, in order.
struct ToolCommand {
    QString objectName;
    QString hint;
    CommandHandler handler;
    bool startsDisabled = false;
    bool runTargetBoxBefore = false; // the run-target box ("ComboBox1") stands just before this button
};

const QList<MenuTitle>& menuTitles();
const QList<MenuCommand>& menuCommands();
// The editor's context menu; `menu` names the menu object.
const QList<MenuCommand>& editorMenuCommands();
const QList<ToolCommand>& toolCommands();

#pragma once

#include <QList>
#include <QString>

// The main menu as data: every entry names the slot of the main window that handles it, so the menu,
// its shortcuts and its wiring can be checked without clicking through the window.
struct MenuCommand {
    QString menu;       // caption of the top-level menu, e.g. "&File"
    QString caption;    // caption of the item
    QString shortcut;   // portable key sequence text, empty when none
    QString handler;    // slot of the main window
    QString objectName; // name of the item's action
    bool hidden = false;
    bool disabled = false;
    bool separatorBefore = false;
};

struct MenuTitle {
    QString caption;
    QString objectName;
    bool startsDisabled = false; // enabled once a project is loaded or created
};

// Buttons of the main tool bar, in order; an empty handler marks the place of the run-target box.
struct ToolCommand {
    QString objectName;
    QString hint;
    QString handler;
    bool startsDisabled = false;
};

const QList<MenuTitle>& menuTitles();
const QList<MenuCommand>& menuCommands();
// The editor's context menu; `menu` names the menu object.
const QList<MenuCommand>& editorMenuCommands();
const QList<ToolCommand>& toolCommands();

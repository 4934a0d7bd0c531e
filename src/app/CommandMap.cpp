#include "CommandMap.h"

const QList<MenuTitle>& menuTitles() {
    static const QList<MenuTitle> titles = {
        {"&File", "File1", true},       {"&Edit", "Edit1", true}, {"&Project", "Project1", false},
        {"&Compile", "Compile1", true}, {"&?", "N1", false},
    };
    return titles;
}

const QList<MenuCommand>& menuCommands() {
    static const QList<MenuCommand> commands = {
        {"&File", "&New...", "Ctrl+N", "New1Click", "New1"},
        {"&File", "&Open File...", "Ctrl+O", "ToolButton2Click", "OpenFile1"},
        {"&File", "&Save File", "Ctrl+S", "ToolButton3Click", "SaveFile1"},
        {"&File", "Save File &as...", "", "SaveFileas1Click", "SaveFileas1"},
        {"&File", "Save a&ll", "", "ToolButton4Click", "Saveall1"},
        {"&File", "&Print...", "", "Print1Click", "Print1"},
        {"&File", "&Exit...", "Ctrl+Q", "Exit1Click", "Exit1"},
        {"&Edit", "&Undo", "Ctrl+Z", "Undo1Click", "Undo1"},
        {"&Edit", "&Redo", "Ctrl+R", "Redo1Click", "Redo1"},
        {"&Edit", "Cu&t", "Ctrl+X", "Cut1Click", "Cut1", false, false, true},
        {"&Edit", "&Copy", "Ctrl+C", "Copy1Click", "Copy1"},
        {"&Edit", "&Paste", "Ctrl+V", "Paste1Click", "Paste1"},
        {"&Edit", "&Delete Selection", "Ctrl+Del", "DeleteSelection1Click", "DeleteSelection1", false, false,
         true},
        {"&Edit", "Select &All", "", "SelectAll1Click", "SelectAll1"},
        {"&Edit", "&Find...", "Ctrl+F", "Find1Click", "Find1", false, false, true},
        {"&Edit", "Find/R&eplace...", "", "FindReplace1Click", "FindReplace1"},
        {"&Project", "&New...", "", "New2Click", "New2"},
        {"&Project", "&Load Project...", "", "Load1Click", "Load1"},
        {"&Project", "&Save Project...", "", "Save1Click", "Save1"},
        {"&Project", "Se&ttings...", "", "Settings1Click", "Settings1"},
        {"&Project", "Bugs and Notes Manager", "Ctrl+F12", "Manager1Click", "Manager1"},
        {"&Compile", "Start &application", "F9", "StartJava1Click", "StartJava1"},
        {"&Compile", "&Compile and start application", "Ctrl+F9", "Start1Click", "Start1"},
        {"&Compile", "Compile", "F11", "Compile2Click", "Compile2"},
        {"&Compile", "Start Debugger", "", "StartDebugger1Click", "StartDebugger1", false, false, true},
        {"&Compile", "Allow Remote Debugging", "F8", "StartRemoteDebugging1Click", "StartRemoteDebugging1"},
        {"&Compile", "Remote Debugging Options...", "", "RemoteDebuggingOptions1Click",
         "RemoteDebuggingOptions1"},
        {"&Compile", "Save all, Compile and &Start", "F10", "ToolButton19Click", "SaveallCompileandStart1"},
        {"&Compile", "Next Error", "F4", "NextError1Click", "NextError1", false, false, true},
        {"&Compile", "Previous Error", "Shift+F4", "PreviousError1Click", "PreviousError1"},
        {"&Compile", "Output Window", "", "OutputWindow1Click", "OutputWindow1"},
        {"?", "Help", "F1", "AboutOrrery1Click", "AboutOrrery1"},
        {"?", "Search help", "", "Search1Click", "Search1"},
        {"?", "Check for updates of Kovrin Handwright", "", "Checkforupdates1Click", "Checkforupdates1"},
        {"?", "About Kovrin Handwright", "", "AboutOrrery2Click", "AboutOrrery2"},
    };
    return commands;
}

const QList<MenuCommand>& editorMenuCommands() {
    static const QList<MenuCommand> commands = {
        {"PopupMenu3", "Help", "", "Help1Click", "Help1"},
        {"PopupMenu3", "Undo", "", "Undo1Click", "Undo2", false, false, true},
        {"PopupMenu3", "Redo", "", "Redo1Click", "Redo2"},
        {"PopupMenu3", "Cut", "", "Cut1Click", "Cut2", false, false, true},
        {"PopupMenu3", "Copy", "", "Copy1Click", "Copy2"},
        {"PopupMenu3", "Paste", "", "Paste1Click", "Paste2"},
        {"PopupMenu3", "Delete Selection", "", "DeleteSelection1Click", "DeleteSelection2", false, false,
         true},
        {"PopupMenu3", "Select all", "", "SelectAll1Click", "Selectall1"},
        {"PopupMenu3", "Toggle Comment", "Ctrl+A", "ToggleComment1Click", "ToggleComment1", false, false,
         true},
    };
    return commands;
}

const QList<ToolCommand>& toolCommands() {
    static const QList<ToolCommand> tools = {
        {"ToolButton1", "New...", "New1Click", true},
        {"ToolButton5", "New Project...", "New2Click"},
        {"ToolButton2", "Open...", "ToolButton2Click", true},
        {"ToolButton3", "Save...", "ToolButton3Click"},
        {"ToolButton4", "Save all", "ToolButton4Click"},
        {"ToolButton6", "Cut", "Cut1Click"},
        {"ToolButton7", "Copy", "Copy1Click"},
        {"ToolButton8", "Paste", "Paste1Click"},
        {"ToolButton9", "Delete", "DeleteSelection1Click"},
        {"ToolButton10", "Redo", "Redo1Click"},
        {"ToolButton11", "Undo", "Undo1Click"},
        {"ComboBox1", "", ""},
        {"ToolButton19", "Save all, Compile and Start", "ToolButton19Click"},
    };
    return tools;
}

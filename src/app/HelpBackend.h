#pragma once

#include <QString>

class QWidget;

// The manual's window as the program sees it. Qt's help engine behind it lives in a library of its own,
// loaded when the manual is first opened, so that a run which never opens it does not map the engine and
// its database driver. Only virtual calls cross between the two.
class HelpBackend {
public:
    virtual ~HelpBackend() = default;
    // The window, a child of the parent given at creation; it goes with its parent.
    virtual QWidget* window() = 0;
    // Whether the manual could be registered; without it the window shows nothing.
    virtual bool ready() const = 0;
    virtual QString error() const = 0;
    virtual void showContents() = 0;
    virtual void showSearch() = 0;
};

// The library's one entry point, resolved by this name: the window for the manual `helpFile`, its
// collection kept in the user's own folder.
using CreateHelpFunction = HelpBackend* (*)(QWidget* parent, const QString& helpFile);
inline constexpr char kCreateHelpSymbol[] = "handwrightCreateHelp";
// The library's place in the program folder.
inline constexpr char kHelpLibraryName[] = "plugins/handwright-help.so";

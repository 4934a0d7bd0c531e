#pragma once

#include "BuildInputs.h"

#include <QString>

class PalmUserData;

// What the build chain needs from the window that drives it: where its lines go, the questions it asks,
// and the project and choices of the moment as plain values. The main window implements it; tests use a
// plain fake, so the chain runs without any window.
class BuildChainHost {
public:
    virtual ~BuildChainHost() = default;

    // The message list under the editor. selectLast selects the new line so that it stays in view.
    virtual void addMessage(const QString& line, bool selectLast) = 0;
    virtual void clearMessages() = 0;
    // The output window's log, and showing that window.
    virtual void appendOutput(const QString& line) = 0;
    virtual void showOutputWindow() = 0;

    // A modal error with OK alone.
    virtual void showError(const QString& text) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // The Settings window, opened at the page with this caption ("Paths").
    virtual void openSettings(const QString& page) = 0;

    // The project, its files and the tool paths as they are now; the JDK's version is the chain's to find.
    virtual BuildInputs buildInputs() const = 0;
    // The run target's text ("Java", "Palm Emulator", "Palm Simulator" or whatever was typed) and the hidden
    // toggle that is down for a Palm target.
    virtual QString runTarget() const = 0;
    virtual bool palmTargetChosen() const = 0;
    virtual RemoteDebugging remoteDebugging() const = 0;
    // The applet viewer started or ended: the commands that would build again are disabled meanwhile.
    virtual void applicationRunning(bool running) = 0;
    // The current Palm user data (read again whenever the Settings window lists the users).
    virtual PalmUserData& palmUsers() = 0;
};

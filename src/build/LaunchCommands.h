#pragma once

#include "BuildInputs.h"

#include <QString>

class SettingsValues;

// The applet viewer's options from the settings, each ending with a blank: UI style, Sony fonts, colour,
// colour depth 2, 4 or 8, the creator ID, the application's own command line (each one word, as typed),
// the scale 1 to 4.
QString appletViewerOptions(const SettingsValues& settings, const QString& creatorId,
                            const PathConvention& c);

// The launcher's arguments: the remote-debugging options when asked for (the -Xrunjdwp option one word,
// its address without the blanks around it), the viewer class, the window's position and size, the
// options and the main class (the project name).
QString appletViewerArguments(const BuildInputs& inputs, const SettingsValues& settings,
                              const RemoteDebugging& debugging);

// Why the remote-debugging address cannot reach the viewer (a blank inside it), as the message-list line
// that says so; empty when it can. Blanks around it are dropped.
QString remoteDebuggingProblem(const RemoteDebugging& debugging);

// java (or oldjava when OldjavaExe is on) followed by the arguments.
QString appletViewerCommandLine(const BuildInputs& inputs, const SettingsValues& settings,
                                const RemoteDebugging& debugging);

// The Palm OS Emulator's parameters: load the project's .prc and .pdb, then run it.
QString palmEmulatorParameters(const BuildInputs& inputs);

enum class PalmTarget { Emulator, Simulator };

// A Palm target starts Delay + 1 seconds after packaging began.
int palmWaitSeconds(int delay);
// "Waiting <n> second(s) to start the Palm Emulator" (or "... Simulator").
QString palmWaitingText(PalmTarget target, int seconds);

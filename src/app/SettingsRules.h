#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The Settings window's rules that need no widget: folder checks, the class-path list, the run targets and
// the documentation reload.
namespace SettingsRules {

// An SDK folder holds lib/SuperWabaTools.jar, a JDK folder bin/java; JDK 1.3 also had bin/oldjava.
bool isSuperWabaFolder(const QString& folder);
bool isJdkFolder(const QString& folder);
bool hasOldJava(const QString& folder);

// A program file named in the settings exists (a folder of that name does not count).
bool programExists(const QString& path);

// The list with the folder appended: the folder alone when the list is empty, else list + separator +
// folder (':' on this platform, ';' in the Windows form).
QString appendClassPathFolder(const QString& list, const QString& folder, QChar listSeparator = u':');

// "Java", then "Palm Emulator" when an emulator is set and "Palm Simulator" when a simulator is set.
QStringList runTargets(const QString& emulatorPath, const QString& simulatorPath);
// The entry to show after a rebuild: the one shown before when it is still offered, else "Java".
QString runTargetToShow(const QStringList& targets, const QString& shownBefore);

// The JDK of this machine: the folder above bin/ of the javac found on PATH, links resolved, with a
// trailing separator; empty when there is none or it has no bin/java.
QString detectJdkFolder();

// The stand-in SDK that comes with the program: ../sdk beside a build's bin/ folder, or
// ../../share/handwright/sdk beside an installed lib/handwright/; with a trailing separator, empty when
// there is none.
QString bundledSdkFolder(const QString& programFolder);

// "This is not the correct folder. Try it again.", naming the file the folder lacks.
QString wrongFolderMessage(const QString& folder, const QString& missingFile);

// Said at a start that finds no JDK, stored or on PATH: what to install and where to set it.
QString missingJdkMessage();

// The documentation page to show after OK: the SDK's doc/index.html when the SDK path changed and the page
// exists under the new path.
std::optional<QString> documentationToReload(const QString& pathAtShowing, const QString& pathNow);

} // namespace SettingsRules

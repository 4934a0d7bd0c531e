#pragma once

#include <QObject>
#include <QString>
#include <optional>

// The class-data-sharing archive of the applet viewer's JVM: the JDK's and the viewer's classes mapped
// ready-made instead of loaded and verified at every start. One archive per JDK and SuperWaba class
// library, in the user's cache folder ($XDG_CACHE_HOME/kovrin/, else ~/.cache/kovrin/). The first start
// writes the list of the classes it loads (-XX:DumpLoadedClassList); the archive is then made from that
// list in the background (-Xshare:dump, with no class path of its own, so any class path at run time
// fits it) and used by every later start with -Xshare:auto, which ignores a stale or unreadable archive;
// -Xlog:cds=off keeps newer JVMs from saying so, so the viewer's output stays as it is.
struct ViewerArchive {
    QString list;    // the class list the first start writes
    QString archive; // the archive made from it

    // The files for this JDK folder and SuperWaba folder (both ending with the separator), named by what
    // they were made from; nothing for a JDK that cannot use such an archive (before 11, or unknown).
    static std::optional<ViewerArchive> forTools(const QString& jdkPath, const QString& superWabaPath,
                                                 std::optional<int> jdkMajor);

    // The JVM options for the next start, each ending with a blank: the archive once it exists, the class
    // list while neither exists, nothing while the archive is being made. Paths are quoted for
    // splitCommandLine when they need it.
    QString options() const;
    bool archiveReady() const;
    // The list is there but no archive yet.
    bool wantsArchive() const;
};

// The cache folder the archives go to.
QString viewerArchiveFolder();

// `command` with `options` put right after its first word (the launcher).
QString withLauncherOptions(const QString& command, const QString& launcherWord, const QString& options);

class QProcess;

// Makes an archive from its class list in the background, one at a time; a failed attempt drops the list
// so the next start writes it afresh. The half-made file has a name of its own until it is complete.
class ViewerArchiveMaker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ViewerArchiveMaker() override;

    void make(const ViewerArchive& files, const QString& jdkPath);
    bool busy() const { return m_process != nullptr; }
    // Waits for a dump started before (for tests and benchmarks); true when the archive exists afterwards.
    bool waitForArchive(int milliseconds);

private:
    QProcess* m_process = nullptr;
    ViewerArchive m_files;
};

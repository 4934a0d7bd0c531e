#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_scratch;

// Tests never touch a user's settings or caches: everything goes under one scratch folder per process.
void isolateEnvironment() {
    char pattern[] = "/tmp/hw-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_scratch = dir;
    for (const char* sub : {"runtime", "cache", "config"})
        QDir().mkpath(QString::fromStdString(g_scratch + "/" + sub));
    // Qt insists on a private runtime folder.
    QFile::setPermissions(QString::fromStdString(g_scratch + "/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", (g_scratch + "/runtime").c_str(), 1);
    setenv("XDG_CACHE_HOME", (g_scratch + "/cache").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (g_scratch + "/config").c_str(), 1);
    setenv("XDG_STATE_HOME", (g_scratch + "/state").c_str(), 1);
    setenv("HANDWRIGHT_REGISTRY", (g_scratch + "/registry.sqlite").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    // Under the suite's Xvfb, Qt's offscreen windows hand the web engine a GLX context that its GPU process
    // cannot use, and pages then never scroll: the engine draws in software instead.
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 0);
}

} // namespace

namespace hwtest {
QString scratchFolder() {
    return QString::fromStdString(g_scratch);
}
} // namespace hwtest

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    isolateEnvironment();
    // The web engine's views need shared GL contexts set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const int rc = RUN_ALL_TESTS();
    QDir(QString::fromStdString(g_scratch)).removeRecursively();
    return rc;
}

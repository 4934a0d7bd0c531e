#include "build/LaunchCommands.h"
#include "BuildTestValues.h"
#include "QtPrinters.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(LaunchCommands, DocumentedViewerLineAndRemoteDebugging) {
    SettingsValues settings = blankSettings();
    settings.setFlag(u"PalmOSStyle", true);
    select(settings, "ColorDepth", "8");
    const BuildInputs in = windowsInputs();
    EXPECT_EQ(
        appletViewerCommandLine(in, settings, {}),
        R"(C:\JDK\bin\java.exe waba.applet.Applet /x 100 /y 100 /w 160 /h 160 /uiStyle PalmOS /bpp 8 Hello)");
    EXPECT_EQ(
        appletViewerCommandLine(in, settings, {true, "5000"}),
        R"(C:\JDK\bin\java.exe -Xdebug -Xnoagent -Xrunjdwp:transport=dt_socket,address=5000,server=y,suspend=n )"
        R"(waba.applet.Applet /x 100 /y 100 /w 160 /h 160 /uiStyle PalmOS /bpp 8 Hello)");

    settings.setFlag(u"OldjavaExe", true);
    settings.setNumber(u"x", 7);
    settings.setNumber(u"height", 240);
    EXPECT_EQ(
        appletViewerCommandLine(in, settings, {}),
        R"(C:\JDK\bin\oldjava.exe waba.applet.Applet /x 7 /y 100 /w 160 /h 240 /uiStyle PalmOS /bpp 8 Hello)");
    EXPECT_EQ(
        appletViewerCommandLine(linuxInputs(), settings, {}),
        "/opt/jdk/bin/oldjava waba.applet.Applet /x 7 /y 100 /w 160 /h 240 /uiStyle PalmOS /bpp 8 Hello");
}

TEST(LaunchCommands, ViewerOptionsEachEndWithABlank) {
    const std::pair<std::function<void(SettingsValues&)>, const char*> cases[] = {
        {[](SettingsValues&) {}, ""},
        {[](SettingsValues& s) { s.setFlag(u"UseSonyFonts", true); }, "/UseSonyFonts "},
        {[](SettingsValues& s) { s.setFlag(u"Color", true); }, "/color "},
        {[](SettingsValues& s) { select(s, "ColorDepth", "2"); }, "/bpp 2 "},
        {[](SettingsValues& s) { select(s, "ColorDepth", "4"); }, "/bpp 4 "},
        {[](SettingsValues& s) { select(s, "ColorDepth", "16"); }, ""},
        {[](SettingsValues& s) { select(s, "ColorDepth", "24"); }, ""},
        {[](SettingsValues& s) { s.setFlag(u"useID", true); }, "/crid HeLo "},
        {[](SettingsValues& s) { s.setText(u"CmdLine", "-v fast"); }, "/cmdLine -v fast "},
        {[](SettingsValues& s) { select(s, "Scale", "1"); }, "/scale 1 "},
        {[](SettingsValues& s) { select(s, "Scale", "4"); }, "/scale 4 "},
        {[](SettingsValues& s) {
             for (const char16_t* flag : {u"PalmOSStyle", u"UseSonyFonts", u"Color", u"useID"})
                 s.setFlag(flag, true);
             select(s, "ColorDepth", "2");
             select(s, "Scale", "3");
             s.setText(u"CmdLine", "x");
         },
         "/uiStyle PalmOS /UseSonyFonts /color /bpp 2 /crid HeLo /cmdLine x /scale 3 "},
    };
    for (const auto& [set, expected] : cases) {
        SettingsValues settings = blankSettings();
        set(settings);
        EXPECT_EQ(appletViewerOptions(settings, "HeLo", PathConvention::windows()),
                  QString::fromLatin1(expected));
    }
}

// The creator ID and the application's command line reach the viewer as typed, each one word.
TEST(LaunchCommands, TypedTextReachesTheViewerAsTyped) {
    SettingsValues settings = blankSettings();
    settings.setFlag(u"useID", true);
    for (const QString& cmdLine : {QString(R"(say "hi" to C:\x)"), QString("x /scale 2"), QString(R"(")"),
                                   QString("'single'"), QString("$HOME `id`")}) {
        settings.setText(u"CmdLine", cmdLine);
        BuildInputs in = linuxInputs();
        in.creatorId = R"(H"\o)";
        EXPECT_EQ(argv(appletViewerCommandLine(in, settings, {})).mid(10),
                  (QStringList{"/crid", R"(H"\o)", "/cmdLine", cmdLine, "Hello"}))
            << cmdLine.toStdString();
    }
}

// The debugging option is one word whatever was typed as the port; a blank inside the port is refused.
TEST(LaunchCommands, RemoteDebuggingPortIsOneWordOrRefused) {
    const struct {
        const char* port;
        const char* address; // in the option, or nullptr when refused
    } cases[] = {
        {"5000", "5000"},     {" 5000 ", "5000"}, {"\t6000", "6000"},    {"localhost:5000", "localhost:5000"},
        {"*:5000", "*:5000"}, {"50 00", nullptr}, {" 50\t00 ", nullptr},
    };
    for (const auto& c : cases) {
        const RemoteDebugging debugging{true, c.port};
        EXPECT_EQ(remoteDebuggingProblem(debugging).isEmpty(), c.address != nullptr) << c.port;
        if (!c.address)
            continue;
        const QStringList words = argv(appletViewerCommandLine(linuxInputs(), blankSettings(), debugging));
        EXPECT_EQ(words.mid(1, 4),
                  (QStringList{
                      "-Xdebug", "-Xnoagent",
                      QString("-Xrunjdwp:transport=dt_socket,address=%1,server=y,suspend=n").arg(c.address),
                      "waba.applet.Applet"}))
            << c.port;
    }
    EXPECT_EQ(remoteDebuggingProblem({true, " 50 00"}),
              R"(The applet viewer is not started: the remote-debugging "Port" "50 00" holds a blank )"
              R"((Compile > Remote Debugging Options...).)");
    // Without remote debugging the port does not matter.
    EXPECT_EQ(remoteDebuggingProblem({false, "50 00"}), "");
}

TEST(LaunchCommands, PalmEmulatorParametersAndWaitingTexts) {
    EXPECT_EQ(palmEmulatorParameters(windowsInputs()),
              R"( -load_apps C:\Projects\Hello\Hello.prc,C:\Projects\Hello\Hello.pdb -run_app Hello)");
    BuildInputs in = linuxInputs();
    in.projectDir = QStringLiteral("/home/ann/my projects/");
    EXPECT_EQ(argv(palmEmulatorParameters(in)),
              (QStringList{"-load_apps", "/home/ann/my projects/Hello.prc,/home/ann/my projects/Hello.pdb",
                           "-run_app", "Hello"}));

    EXPECT_EQ(palmWaitingText(PalmTarget::Emulator, palmWaitSeconds(0)),
              "Waiting 1 second(s) to start the Palm Emulator");
    EXPECT_EQ(palmWaitingText(PalmTarget::Simulator, palmWaitSeconds(9)),
              "Waiting 10 second(s) to start the Palm Simulator");
}

} // namespace

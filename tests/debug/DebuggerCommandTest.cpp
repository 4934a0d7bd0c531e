#include "debug/DebuggerCommand.h"
#include "build/BuildTestValues.h"

#include <gtest/gtest.h>

namespace {

// The debugger's settings of the documented example: colour depth 8, scale 1, nothing else on.
SettingsValues exampleSettings() {
    SettingsValues settings = blankSettings();
    select(settings, "ColorDepth", "8");
    select(settings, "Scale", "1");
    return settings;
}

TEST(DebuggerCommand, DocumentedExampleInTheWindowsConvention) {
    const BuildInputs in = windowsInputs();
    EXPECT_EQ(debuggerClasspath(in),
              R"(C:\JDK\jre\lib\rt.jar;C:\extra;C:\SW\lib\superwaba.jar;C:\Projects\Hello\;)"
              R"(C:\SW\bin;C:\SW\lib/SuperWabaTools.jar;)");
    EXPECT_EQ(jdbProgram(in), R"(C:\JDK\bin\jdb.exe)");
    EXPECT_EQ(jdbParameters(in, exampleSettings()),
              "waba.applet.Applet /x 100 /y 100 /w 160 /h 160 /bpp 8 /scale 1 Hello");
}

TEST(DebuggerCommand, LinuxFormOfTheExample) {
    const BuildInputs in = linuxInputs();
    EXPECT_EQ(debuggerClasspath(in),
              "/opt/jdk/jre/lib/rt.jar:/extra:/opt/sw/lib/superwaba.jar:/home/ann/Hello/:"
              "/opt/sw/bin:/opt/sw/lib/SuperWabaTools.jar:");
    EXPECT_EQ(jdbProgram(in), "/opt/jdk/bin/jdb");
    const ProgramStart start =
        jdbInTerminal("/usr/bin/xterm", jdbProgram(in), jdbParameters(in, exampleSettings()));
    ASSERT_TRUE(start.ok());
    EXPECT_EQ(start.program, "/usr/bin/xterm");
    EXPECT_EQ(start.arguments, (QStringList{"-e",
                                            "/bin/sh",
                                            "-c",
                                            keepTerminalOpenScript(),
                                            "sh",
                                            "/opt/jdk/bin/jdb",
                                            "waba.applet.Applet",
                                            "/x",
                                            "100",
                                            "/y",
                                            "100",
                                            "/w",
                                            "160",
                                            "/h",
                                            "160",
                                            "/bpp",
                                            "8",
                                            "/scale",
                                            "1",
                                            "Hello"}));
}

// The viewer options in their order, as the normal start gives them; the remote-debugging switch never
// reaches jdb.
TEST(DebuggerCommand, ParameterLineOptions) {
    struct Case {
        std::function<void(SettingsValues&)> set;
        QStringList options;
    };
    const Case cases[] = {
        {[](SettingsValues&) {}, {}},
        {[](SettingsValues& s) { s.setFlag(u"useID", true); }, {"/crid", "ABCD"}},
        {[](SettingsValues& s) { s.setText(u"CmdLine", ""); }, {}},
        {[](SettingsValues& s) { s.setText(u"CmdLine", "-v"); }, {"/cmdLine", "-v"}},
        {[](SettingsValues& s) { s.setText(u"CmdLine", "two words"); }, {"/cmdLine", "two words"}},
        {[](SettingsValues& s) {
             s.setFlag(u"PalmOSStyle", true);
             s.setFlag(u"UseSonyFonts", true);
             s.setFlag(u"Color", true);
             select(s, "ColorDepth", "4");
             select(s, "Scale", "3");
         },
         {"/uiStyle", "PalmOS", "/UseSonyFonts", "/color", "/bpp", "4", "/scale", "3"}},
    };
    BuildInputs in = linuxInputs();
    in.creatorId = "ABCD";
    for (const Case& c : cases) {
        SettingsValues settings = blankSettings();
        c.set(settings);
        const QStringList expected =
            QStringList{"waba.applet.Applet", "/x", "100", "/y", "100", "/w", "160", "/h", "160"} +
            c.options + QStringList{"Hello"};
        EXPECT_EQ(argv(jdbParameters(in, settings)), expected) << c.options.join(' ').toStdString();
    }
    // The Windows form keeps the typed text as it is, with its blank.
    SettingsValues settings = blankSettings();
    settings.setFlag(u"useID", true);
    settings.setText(u"CmdLine", "-v");
    BuildInputs win = windowsInputs();
    win.creatorId = "ABCD";
    EXPECT_EQ(jdbParameters(win, settings),
              "waba.applet.Applet /x 100 /y 100 /w 160 /h 160 /crid ABCD /cmdLine -v Hello");
}

TEST(DebuggerCommand, NamesNeverBecomeOptions) {
    BuildInputs in = linuxInputs("-jdk/");
    in.projectName = "-Hello";
    const ProgramStart jdb = jdbInTerminal("xterm", jdbProgram(in), jdbParameters(in, blankSettings()));
    ASSERT_TRUE(jdb.ok());
    EXPECT_EQ(jdb.arguments.value(5), "./-jdk/bin/jdb");
    EXPECT_EQ(jdb.arguments.last(), "-Hello"); // after the class name: the application's own argument
    EXPECT_EQ(otherDebugger("@dbg", "").program, "./@dbg");
    EXPECT_EQ(otherDebugger("/usr/bin/gdb", "").program, "/usr/bin/gdb");
}

TEST(DebuggerCommand, OtherDebuggerParametersAreSplitWithoutAShell) {
    const struct {
        const char* typed;
        QStringList words;
    } cases[] = {
        {"", {}},
        {"-attach 5000", {"-attach", "5000"}},
        {R"(-sourcepath "/my src" $HOME;ls|x)", {"-sourcepath", "/my src", "$HOME;ls|x"}},
        {"'a b'c", {"a bc"}},
    };
    for (const auto& c : cases) {
        const ProgramStart start = otherDebugger("/usr/bin/dbg", c.typed);
        ASSERT_TRUE(start.ok()) << c.typed;
        EXPECT_EQ(start.arguments, c.words) << c.typed;
    }
    const ProgramStart open = otherDebugger("/usr/bin/dbg", "-x \"unfinished");
    EXPECT_FALSE(open.ok());
    EXPECT_TRUE(open.program.isEmpty());
}

} // namespace

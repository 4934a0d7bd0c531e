#include "build/PackagingCommands.h"
#include "BuildTestValues.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(PackagingCommands, ToolClasspath) {
    EXPECT_EQ(
        toolClasspath(windowsInputs()),
        R"(C:\JDK\jre\lib\rt.jar;C:\extra;C:\SW\lib\superwaba.jar;C:\SW\lib\SuperWabaTools.jar;C:\Projects\Hello\;)");
    EXPECT_EQ(toolClasspath(linuxInputs()), "/opt/jdk/jre/lib/rt.jar:/extra:/opt/sw/lib/superwaba.jar:"
                                            "/opt/sw/lib/SuperWabaTools.jar:/home/ann/Hello/:");
}

using OptionRows = std::vector<std::pair<const char16_t*, const char*>>; // no flag: the creator ID "HeLo"
using Options = QString (*)(const SettingsValues&, const QString&);

// Each option alone gives its piece; all of them give the pieces in the order of the rows.
void checkOptions(Options options, const OptionRows& rows) {
    SettingsValues all = blankSettings();
    all.setText(u"ExcludeText", "*.txt");
    all.setText(u"VersionText", "1.2");
    all.setText(u"AppFolderValue", "Games");
    all.setText(u"WindowTitleName", "Hi");
    all.setText(u"EpocSymbianID", "1000");
    const SettingsValues none = all;
    QString expected;
    for (const auto& [flag, piece] : rows) {
        SettingsValues one = none;
        if (flag) {
            one.setFlag(flag, true);
            all.setFlag(flag, true);
        }
        EXPECT_EQ(options(one, flag ? "ABC" : "HeLo"), QString::fromLatin1(piece));
        expected += QString::fromLatin1(piece);
    }
    EXPECT_EQ(options(all, "HeLo"), expected);
}

TEST(PackagingCommands, WarpAndExegenOptions) {
    const Options warp = [](const SettingsValues& s, const QString& id) {
        return warpOptions(s, id, PathConvention::windows());
    };
    const Options exegen = [](const SettingsValues& s, const QString& id) {
        return exegenOptions(s, id, PathConvention::windows());
    };
    checkOptions(warp, {{u"WarpCopyProtection", " /$"},
                        {u"WarpRecurse", " /r"},
                        {u"LEL", " /ll"},
                        {u"GEL", " /lg"},
                        {nullptr, " /c HeLo"},
                        {u"Exclude", " /x *.txt"}});
    checkOptions(exegen, {{u"ExegenCopyProtection", " /$"},
                          {nullptr, " /c HeLo"},
                          {u"Exefiles", " /e"},
                          {u"Version", " /v 1.2"},
                          {u"AppFolder", " /P Games"},
                          {u"CabFiles", " /Z"},
                          {u"WindowTitle", " /T Hi"},
                          {u"minimizeCE", " /M"},
                          {u"16bpp", " /16"},
                          {u"HideCEMenu", " /t"},
                          {u"EpocSymbianIDAct", " /0x 1000"},
                          {u"Fullscreen", " /F"},
                          {u"InstallerPalm", " /INST"},
                          {u"CreateLink", " /LNK"},
                          {u"CreateLinuxScript", " /SH"},
                          {u"CreateSymbianInstall", " /SIS"}});
}

TEST(PackagingCommands, WarpAndExegenCommands) {
    BuildInputs in = windowsInputs();
    in.javaSources = {"Hello.java", "Util.java"};
    in.otherFiles = {"icon.bmp"};
    SettingsValues settings = blankSettings();
    settings.setFlag(u"WarpRecurse", true);
    settings.setFlag(u"Exefiles", true);
    EXPECT_EQ(warpCommandLine(in, settings),
              R"(C:\JDK\bin\java.exe  superwaba.tools.Warp c  /r Hello Hello.class Util.class icon.bmp)");
    EXPECT_EQ(exegenCommandLine(in, settings),
              R"(C:\JDK\bin\java.exe  superwaba.tools.Exegen  /e Hello Hello Hello)");
    in.otherFiles = {};
    EXPECT_TRUE(warpCommandLine(in, settings).endsWith(" Util.class"));
    in.otherFiles = {"pic.jpeg", "read me.txt"};
    EXPECT_TRUE(warpCommandLine(in, settings).endsWith(R"( Util.class pic.jpeg "read me.txt")"));

    in = linuxInputs(QStringLiteral("/opt/my jdk/"));
    in.javaSources = {"Hello.java"};
    in.otherFiles = {"my icon.bmp"};
    settings = blankSettings();
    EXPECT_EQ(argv(warpCommandLine(in, settings)),
              (QStringList{"/opt/my jdk/bin/java", "superwaba.tools.Warp", "c", "Hello", "Hello.class",
                           "my icon.bmp"}));
    EXPECT_EQ(argv(exegenCommandLine(in, settings)),
              (QStringList{"/opt/my jdk/bin/java", "superwaba.tools.Exegen", "Hello", "Hello", "Hello"}));
    in.paths.jdkPath = "/opt/jdk/";
    EXPECT_EQ(exegenCommandLine(in, settings),
              "/opt/jdk/bin/java  superwaba.tools.Exegen  Hello Hello Hello");
}

// File names that start like options go as ./name; typed values reach the tools exactly as typed, one
// word each, whatever quotes, backslashes and blanks they hold.
TEST(PackagingCommands, NamesAndTypedTextReachTheToolsAsTheyAre) {
    BuildInputs in = linuxInputs();
    in.projectName = "-Hello";
    in.creatorId = R"(a"b\)";
    in.javaSources = {"-J-x.java", "Util.java"};
    in.otherFiles = {"@icons.bmp", "-r", "a b.txt"};
    SettingsValues settings = blankSettings();
    const std::pair<const char16_t*, const char*> texts[] = {
        {u"ExcludeText", R"(*.t"x\t)"},
        {u"VersionText", R"(1 "2")"},
        {u"AppFolderValue", R"(C:\Games\)"},
        {u"WindowTitleName", R"(it's "me")"},
        {u"EpocSymbianID", ""},
    };
    for (const auto& [name, text] : texts)
        settings.setText(name, QString::fromLatin1(text));
    for (const char16_t* flag : {u"Exclude", u"Version", u"AppFolder", u"WindowTitle", u"EpocSymbianIDAct"})
        settings.setFlag(flag, true);
    EXPECT_EQ(
        argv(warpCommandLine(in, settings)),
        (QStringList{"/opt/jdk/bin/java", "superwaba.tools.Warp", "c", "/c", R"(a"b\)", "/x", R"(*.t"x\t)",
                     "./-Hello", "./-J-x.class", "Util.class", "./@icons.bmp", "./-r", "a b.txt"}));
    EXPECT_EQ(
        argv(exegenCommandLine(in, settings)),
        (QStringList{"/opt/jdk/bin/java", "superwaba.tools.Exegen", "/c", R"(a"b\)", "/v", R"(1 "2")", "/P",
                     R"(C:\Games\)", "/T", R"(it's "me")", "/0x", "", "./-Hello", "-Hello", "-Hello"}));
}

} // namespace

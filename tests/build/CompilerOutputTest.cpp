#include "build/CompilerOutput.h"
#include "QtPrinters.h"
#include "build/PackagingOutput.h"

#include <gtest/gtest.h>

namespace {

// javac's warnings are listed but let the build go on; any other line naming a source stops it.
TEST(CompilerOutput, EachLineIsAnErrorAWarningOrNeither) {
    const std::pair<const char*, CompilerLine> cases[] = {
        {"src/Foo.java:3: error: ';' expected", CompilerLine::Error},
        {"Foo.java:12: warning: [removal] stop() in Thread has been deprecated", CompilerLine::Warning},
        {"Foo.java:12: warning: [deprecation] x", CompilerLine::Warning},
        {"sub/my Foo.java:7: warning: x", CompilerLine::Warning},
        // Only javac's own form is a warning: the word right after the line number.
        {"Foo.java:12: error: warning: not one", CompilerLine::Error},
        {"Foo.java: warning: no line number", CompilerLine::Error},
        {"Foo.java:x: warning: no line number", CompilerLine::Error},
        {"Foo.java:12:warning: no blank", CompilerLine::Error},
        {"Foo.java:12: Warning: other case", CompilerLine::Error},
        {"Foo.java:12: warnings: x", CompilerLine::Error},
        {"Foo.java:12: warning", CompilerLine::Error},
        // The first ".java:" counts.
        {"A.java:1: B.java:2: warning: x", CompilerLine::Error},
        {"Foo.java:", CompilerLine::Error},
        {"Foo.JAVA:12: error", CompilerLine::Other},
        {"warning: [options] source value 7 is obsolete", CompilerLine::Other},
        {"Note: Foo.java uses unchecked or unsafe operations.", CompilerLine::Other},
        {"1 warning", CompilerLine::Other},
        {"1 error", CompilerLine::Other},
        {"", CompilerLine::Other},
    };
    for (const auto& [line, kind] : cases) {
        EXPECT_EQ(judgeCompilerLine(line), kind) << line;
        EXPECT_EQ(isErrorLine(line), kind == CompilerLine::Error) << line;
    }
}

TEST(CompilerOutput, CountTextNamesEachNonZeroPartInItsNumber) {
    const std::tuple<int, int, const char*> cases[] = {
        {0, 0, ""},
        {1, 0, "1 error"},
        {0, 1, "1 warning"},
        {2, 3, "2 errors, 3 warnings"},
        {1, 1, "1 error, 1 warning"},
        {0, 12, "12 warnings"},
        {11, 0, "11 errors"},
        {101, 21, "101 errors, 21 warnings"},
    };
    for (const auto& [errors, warnings, text] : cases)
        EXPECT_EQ(compileCountText(errors, warnings), QString(text)) << errors << " " << warnings;
}

TEST(CompilerOutput, JumpTargetOfAMessageLine) {
    const std::pair<const char*, std::optional<ErrorLocation>> cases[] = {
        {"Foo.java:12: error: cannot find symbol", ErrorLocation{"Foo.java", 12}},
        {"Foo.java:12: warning: anything", ErrorLocation{"Foo.java", 12}},
        {"sub/Bar.java:7:", ErrorLocation{"sub/Bar.java", 7}},
        // the first ".java:" counts
        {"A.java:1: B.java:2: x", ErrorLocation{"A.java", 1}},
        {"Compiling...", {}},
        {"Successful.", {}},
        {"\tat Foo.main(Foo.java:12)", {}},
        {"Foo.java:12 no colon after the number", {}},
        {"Foo.java:", {}},
        {"Foo.java::", {}},
        {"Foo.java:x1: error", {}},
        {"Foo.java: 12: error", {}},
        {"Foo.java:0: error", {}},
        {"Foo.java:99999999999: error", {}},
    };
    for (const auto& [line, location] : cases)
        EXPECT_EQ(parseErrorLine(line), location) << line;
}

TEST(PackagingOutput, EachMarkerGivesOneMessageInOrder) {
    EXPECT_EQ(toolProblemMessages("Writing Hello.pdb"), QStringList());
    EXPECT_EQ(toolProblemMessages("ERROR: no classes"), QStringList{"Warp/Exegen ERROR: no classes"});
    EXPECT_EQ(toolProblemMessages("Error: lower case"), QStringList());
    const QString both = "ERROR: x IMPORTANT";
    EXPECT_EQ(toolProblemMessages(both), QStringList({"Warp/Exegen " + both, "Warp/Exegen " + both}));
    EXPECT_EQ(toolProblemMessages("Warning! IMPORTANT ERROR:").size(), 3);
}

} // namespace

#include "build/CompilerOutput.h"
#include "QtPrinters.h"
#include "build/PackagingOutput.h"

#include <gtest/gtest.h>

namespace {

TEST(CompilerOutput, ErrorLinesNameAJavaFileAndAColon) {
    EXPECT_TRUE(isErrorLine("Foo.java:12: warning: [deprecation] x"));
    EXPECT_TRUE(isErrorLine("src/Foo.java:3: error: ';' expected"));
    EXPECT_FALSE(isErrorLine("Foo.JAVA:12: error"));
    EXPECT_FALSE(isErrorLine("Note: Foo.java uses unchecked or unsafe operations."));
    EXPECT_FALSE(isErrorLine("1 error"));
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

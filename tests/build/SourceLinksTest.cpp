#include "build/SourceLinks.h"

#include <gtest/gtest.h>

namespace {

TEST(SourceLinks, CompilerLinesStackFramesAndMentions) {
    const struct {
        const char* line;
        std::optional<SourceLink> link;
    } cases[] = {
        // javac's own lines keep the path it printed.
        {"/home/a b/Hello.java:3: error: ';' expected", SourceLink{"/home/a b/Hello.java", 3, {}}},
        {"Util.java:12: warning: [removal] Integer(int) in Integer has been deprecated",
         SourceLink{"Util.java", 12, {}}},
        // Stack frames, with a package, a module or loader prefix, inner classes and lambdas.
        {"\tat Hello.main(Hello.java:5)", SourceLink{"Hello.java", 5, {}}},
        {"\tat com.example.app.Util.run(Util.java:42)", SourceLink{"Util.java", 42, "com/example/app"}},
        {"\tat app//com.example.Outer$Inner.lambda$go$0(Outer.java:7)",
         SourceLink{"Outer.java", 7, "com/example"}},
        {"    at java.base/java.lang.Thread.run(Thread.java:833)",
         SourceLink{"Thread.java", 833, "java/lang"}},
        {"\tat Hello.<init>(Hello.java:2)", SourceLink{"Hello.java", 2, {}}},
        // Frames without a source line link nowhere.
        {"\tat java.base/jdk.internal.reflect.NativeMethodAccessorImpl.invoke0(Native Method)", std::nullopt},
        {"\tat Hello.main(Unknown Source)", std::nullopt},
        {"\t... 3 more", std::nullopt},
        // A name in an exception's message or a "Caused by" line.
        {"Exception in thread \"main\" java.lang.IllegalStateException: bad state at Shapes.java:19",
         SourceLink{"Shapes.java", 19, {}}},
        {"Caused by: x.Y: see (Util.java:7)", SourceLink{"Util.java", 7, {}}},
        // Not a line number, or not a source name of its own.
        {"Hello.java:0: nothing", std::nullopt},
        {"\tat Hello.main(Hello.java:99999999999)", std::nullopt},
        {"Compiling...", std::nullopt},
        {"see MyHello.javadoc:3", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseSourceLink(QString::fromUtf8(c.line)), c.link) << c.line;
}

} // namespace

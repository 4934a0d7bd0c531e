#include "build/ParserCommand.h"
#include "build/CommandLine.h"

#include <gtest/gtest.h>

TEST(ParserCommand, KeepsTheDocumentedShape) {
    EXPECT_EQ(parserCommandLine("C:\\Tools\\IDE", PathConvention::windows()),
              "C:\\Tools\\IDE\\parse.exe -in temp.java -trace");
    EXPECT_EQ(parserCommandLine("/opt/handwright", PathConvention::linux()),
              "/opt/handwright/parse -in temp.java -trace");
}

// A program folder with blanks or quotes stays one word; nothing of it turns into an option.
TEST(ParserCommand, AnyProgramFolderStaysOneWord) {
    for (const QString folder : {"/opt/my ide", "/home/ann/it's here", "/tmp/a\"b\\c", "/srv/-in x"}) {
        const CommandLineWords split = splitCommandLine(parserCommandLine(folder, PathConvention::linux()));
        ASSERT_TRUE(split.ok()) << split.error.toStdString();
        EXPECT_EQ(split.words, (QStringList{folder + "/parse", "-in", "temp.java", "-trace"}))
            << folder.toStdString();
    }
    EXPECT_EQ(parserCommandLine("C:\\Program Files\\IDE", PathConvention::windows()),
              "\"C:\\Program Files\\IDE\\parse.exe\" -in temp.java -trace");
}

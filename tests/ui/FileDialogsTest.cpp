#include "ui/FileDialogs.h"

#include <gtest/gtest.h>

TEST(FileDialogs, FilterPairsBecomeQtNameFilters) {
    // "*.*" means every file, also those without a dot (a README, a program).
    EXPECT_EQ(qtNameFilters("Java Source|*.java|All Files|*.*"), "Java Source (*.java);;All Files (*)");
    EXPECT_EQ(qtNameFilters("Some|*.txt; *.* ;*.a.*"), "Some (*.txt * *.a.*)");
    EXPECT_EQ(qtNameFilters("Handwright Project (*.hwp)|*.hwp"), "Handwright Project (*.hwp) (*.hwp)");
    EXPECT_EQ(qtNameFilters("All files (*.bmp,*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp"),
              "All files (*.bmp,*.png) (*.bmp *.png);;Bitmaps (*.bmp) (*.bmp)");
    // A trailing description without patterns is dropped rather than shown broken.
    EXPECT_EQ(qtNameFilters("Java|*.java|Dangling"), "Java (*.java)");
}

TEST(FileDialogs, ScriptAnswersInOrderAndRecordsRequests) {
    ScriptedFileDialogs script;
    script.choose("/p/a.java").cancel();
    FileDialogRequest open{.kind = FileDialogKind::Open,
                           .title = "Open Java File",
                           .folder = "/p/",
                           .filter = "Java Source|*.java"};
    EXPECT_EQ(chooseFiles(nullptr, open), QStringList{"/p/a.java"});
    EXPECT_TRUE(chooseFiles(nullptr, open).isEmpty());
    ASSERT_EQ(script.requests().size(), 2);
    EXPECT_EQ(script.requests().at(0).title, "Open Java File");
    EXPECT_EQ(script.requests().at(0).folder, "/p/");
    EXPECT_EQ(script.problems(), "");
}

TEST(FileDialogs, UnscriptedRequestIsAProblemAndCancels) {
    ScriptedFileDialogs script;
    EXPECT_TRUE(chooseFiles(nullptr, {.kind = FileDialogKind::Save, .title = "Save"}).isEmpty());
    EXPECT_NE(script.problems(), "");
}

#include "app/PluginLibrary.h"
#include "app/HelpBackend.h"

#include <QWidget>
#include <gtest/gtest.h>

// A library of the program resolves from the build tree (the web view's is left to its own tests: loading
// it sets the web engine up); a missing library or entry point gives a reason.
TEST(PluginLibraryTest, ResolvesTheBuiltLibrariesAndSaysWhyNot) {
    struct Row {
        QString relativePath;
        QString builtPath;
        const char* symbol;
        bool found;
    };
    const Row rows[] = {
        {kHelpLibraryName, HW_HELPVIEW_BUILD_PATH, kCreateHelpSymbol, true},
        {kHelpLibraryName, HW_HELPVIEW_BUILD_PATH, "noSuchEntry", false},
        {"plugins/no-such-library.so", "", kCreateHelpSymbol, false},
    };
    for (const Row& row : rows) {
        QString error = "stale";
        void* entry = resolvePluginSymbol(row.relativePath, row.builtPath, row.symbol, error);
        EXPECT_EQ(entry != nullptr, row.found) << qPrintable(row.relativePath) << " " << row.symbol;
        EXPECT_EQ(error.isEmpty(), row.found) << qPrintable(error);
    }
}

// The manual's window comes from its library, registered and showing the contents.
TEST(PluginLibraryTest, TheManualsLibraryMakesItsWindow) {
    QString error;
    const auto create = reinterpret_cast<CreateHelpFunction>(
        resolvePluginSymbol(kHelpLibraryName, HW_HELPVIEW_BUILD_PATH, kCreateHelpSymbol, error));
    ASSERT_NE(create, nullptr) << qPrintable(error);
    QWidget parent;
    HelpBackend* help = create(&parent, HW_HELP_FILE);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->ready()) << qPrintable(help->error());
    EXPECT_EQ(help->window()->objectName(), "HelpWindow");
    EXPECT_EQ(help->window()->parent(), &parent);
    help->showContents();
    EXPECT_TRUE(help->window()->isVisible());
}

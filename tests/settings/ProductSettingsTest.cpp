#include "settings/ProductSettings.h"
#include "TempStore.h"
#include "settings/RegistryKey.h"
#include "settings/ToolPaths.h"

#include <gtest/gtest.h>

namespace {

const QString productKey = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\");

TEST(ProductSettings, PaneSizesAreWrittenInSaveOrderAndReadBack) {
    TempStore s;
    ASSERT_TRUE(ProductSettings::saveScreenSettings(*s, {120, 210, 90, 300}).ok());
    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(productKey, false));
    EXPECT_EQ(key.valueNamesByWriteOrder(),
              (QStringList{"Splitter2", "Splitter1", "Splitter3", "Splitter4"}));
    EXPECT_EQ(key.readString("Splitter2"), "210");

    const ProductSettings::PaneSizesRead read = ProductSettings::readPaneSizes(*s);
    EXPECT_TRUE(read.errors.isEmpty());
    EXPECT_EQ(read.sizes, (std::array<std::optional<int>, 4>{120, 210, 90, 300}));
}

TEST(ProductSettings, DamagedPaneSizeIsReportedAndSkipped) {
    TempStore s;
    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(productKey, true));
    ASSERT_TRUE(key.writeString("Splitter1", "wide"));
    ASSERT_TRUE(key.writeString("Splitter2", ""));
    ASSERT_TRUE(key.writeString("Splitter4", "77"));

    const ProductSettings::PaneSizesRead read = ProductSettings::readPaneSizes(*s);
    EXPECT_EQ(read.errors, QStringList{"'wide' ist kein gültiger Integerwert"});
    EXPECT_EQ(read.sizes, (std::array<std::optional<int>, 4>{std::nullopt, std::nullopt, std::nullopt, 77}));

    TempStore empty;
    const ProductSettings::PaneSizesRead none = ProductSettings::readPaneSizes(*empty);
    EXPECT_TRUE(none.errors.isEmpty());
    EXPECT_EQ(none.sizes, (std::array<std::optional<int>, 4>{}));
}

TEST(ProductSettings, ProjectsTellsAbsentKeyFromAbsentValue) {
    TempStore s;
    EXPECT_EQ(ProductSettings::readProjects(*s), std::nullopt);
    EXPECT_EQ(ProductSettings::readLastProject(*s), "");
    ASSERT_TRUE(ProductSettings::writeLastProject(*s, "/home/u/Projects/Hello/Hello.hwp").ok());
    EXPECT_EQ(ProductSettings::readProjects(*s), QString(""));
    ASSERT_TRUE(ProductSettings::writeProjects(*s, "/home/u/Projects/").ok());
    EXPECT_EQ(ProductSettings::readProjects(*s), QString("/home/u/Projects/"));
    EXPECT_EQ(ProductSettings::readLastProject(*s), "/home/u/Projects/Hello/Hello.hwp");
}

TEST(ProductSettings, WriteFailureIsReported) {
    RegistryStore broken(QStringLiteral("/proc/version/registry.sqlite"));
    ASSERT_FALSE(broken.isOpen());
    EXPECT_FALSE(ProductSettings::saveScreenSettings(broken, {1, 2, 3, 4}).ok());
    EXPECT_FALSE(ProductSettings::writeLastProject(broken, "x").ok());
    EXPECT_EQ(ProductSettings::readPaneSizes(broken).errors, QStringList());
}

TEST(ToolPaths, FoldersGetTheirTrailingSeparator) {
    const std::pair<QString, QString> cases[] = {
        {"", ""}, {"/opt/sw", "/opt/sw/"}, {"/opt/sw/", "/opt/sw/"}, {"/", "/"}, {"rel", "rel/"},
    };
    for (const auto& [folder, expected] : cases)
        EXPECT_EQ(withTrailingSeparator(folder), expected) << folder.toStdString();

    EXPECT_EQ(ToolPaths::fromControls("/sw", "/jdk", "/a:/b", "/pose"),
              (ToolPaths{"/sw/", "/jdk/", "/a:/b", "/pose"}));
}

TEST(ToolPaths, StartUpAppendsTheSeparatorToSuperWabaOnly) {
    TempStore s;
    EXPECT_EQ(ToolPaths::readFromStore(*s), ToolPaths{});
    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(productKey + "Paths", true));
    ASSERT_TRUE(key.writeString("SuperWabaPath", "/opt/sw"));
    ASSERT_TRUE(key.writeString("JDKPath", "/usr/lib/jvm/java"));
    ASSERT_TRUE(key.writeString("classpath", "/x"));
    EXPECT_EQ(ToolPaths::readFromStore(*s), (ToolPaths{"/opt/sw/", "/usr/lib/jvm/java", "/x", ""}));
}

} // namespace

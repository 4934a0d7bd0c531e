#include "editor/ProjectSearch.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ProjectSearch, FindsInBuffersAndOnDiskInTheFilesOrder) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("A.java"), "int count;\r\ncount++;\r\nString s = \"Count\";\r\n");
    // On disk B says "count"; its open buffer no longer does, and the buffer is what is searched.
    writeBytes(dir.filePath("B.java"), "count\r\n");
    // UTF-16 with its mark is read as such.
    QByteArray utf16("\xff\xfe", 2);
    for (char c : QByteArray("x = a[count];\r\n"))
        utf16 += QByteArray(1, c) + QByteArray(1, '\0');
    writeBytes(dir.filePath("C.java"), utf16);
    const std::vector<ProjectSearchFile> files = {
        {"A.java", dir.filePath("A.java"), std::nullopt},
        {"B.java", dir.filePath("B.java"), QStringList{"int total;", "accounts(count)"}},
        {"C.java", dir.filePath("C.java"), std::nullopt},
    };
    using Hits = std::vector<ProjectSearchHit>;
    const ProjectSearchHit a1{"A.java", 1, "int count;"}, a2{"A.java", 2, "count++;"},
        a3{"A.java", 3, "String s = \"Count\";"}, b2{"B.java", 2, "accounts(count)"},
        c1{"C.java", 1, "x = a[count];"};
    const struct {
        const char* name;
        ProjectSearchQuery query;
        Hits hits;
    } cases[] = {
        {"plain, any case", {"count"}, {a1, a2, a3, b2, c1}},
        {"match case", {"Count", false, true}, {a3}},
        {"whole word", {"count", false, false, true}, {a1, a2, a3, b2, c1}},
        {"whole word skips a word holding it", {"ount", false, false, true}, {}},
        {"regular expression", {R"(count\+\+|\[count\])", true}, {a2, c1}},
        {"regular expression, any case", {"^string", true}, {a3}},
        {"regular expression, match case", {"^string", true, true}, {}},
        {"regular expression, whole word", {"c[a-z]+", true, false, true}, {a1, a2, a3, b2, c1}},
        {"regular expression inside a word, whole word", {"ccount", true, false, true}, {}},
    };
    for (const auto& c : cases) {
        const ProjectSearchResult result = searchProject(files, c.query);
        EXPECT_EQ(result.hits, c.hits) << c.name;
        EXPECT_TRUE(result.error.isEmpty()) << c.name;
        EXPECT_TRUE(result.unreadable.isEmpty()) << c.name;
    }
}

TEST(ProjectSearch, UnusableQueriesAndUnreadableFilesAreSaid) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("A.java"), "a\r\n");
    const std::vector<ProjectSearchFile> files = {{"Gone.java", dir.filePath("Gone.java"), std::nullopt},
                                                  {"A.java", dir.filePath("A.java"), std::nullopt}};
    const ProjectSearchResult invalid = searchProject(files, {"(a", true});
    EXPECT_TRUE(invalid.error.startsWith("The regular expression is not valid: "))
        << invalid.error.toStdString();
    EXPECT_TRUE(invalid.hits.empty());
    EXPECT_EQ(searchProject(files, {""}).error, "There is no text to search for.");
    // A file that cannot be read is named; the others are still searched.
    const ProjectSearchResult found = searchProject(files, {"a"});
    EXPECT_EQ(found.hits, (std::vector<ProjectSearchHit>{{"A.java", 1, "a"}}));
    ASSERT_EQ(found.unreadable.size(), 1);
    EXPECT_TRUE(found.unreadable.first().startsWith("Gone.java: ")) << found.unreadable.first().toStdString();
    EXPECT_EQ(hitMessage({"A.java", 12, "\tint x;"}), "A.java:12: \tint x;");
}

} // namespace

#include "editor/ProjectSearchDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

TEST(ProjectSearchDialog, ReportsTheQueryAndNeedsAText) {
    ProjectSearchDialog dialog;
    QSignalSpy requested(&dialog, &ProjectSearchDialog::searchRequested);
    dialog.showWith(QString());
    EXPECT_FALSE(dialog.findButton->isEnabled());
    QTest::keyClick(dialog.findWhat, Qt::Key_Return);
    EXPECT_EQ(requested.count(), 0);

    dialog.showWith("count");
    EXPECT_TRUE(dialog.findButton->isEnabled());
    dialog.regularExpression->setChecked(true);
    dialog.wholeWord->setChecked(true);
    QTest::mouseClick(dialog.findButton, Qt::LeftButton);
    ASSERT_EQ(requested.count(), 1);
    const auto query = requested.takeFirst().at(0).value<ProjectSearchQuery>();
    EXPECT_EQ(query.text, "count");
    EXPECT_TRUE(query.regularExpression);
    EXPECT_FALSE(query.matchCase);
    EXPECT_TRUE(query.wholeWord);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace

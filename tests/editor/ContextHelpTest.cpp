#include "editor/ContextHelp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace ContextHelp;

namespace {

struct WordCase {
    const char* name;
    QString line;
    int column;
    QString word;
};

void PrintTo(const WordCase& c, std::ostream* os) {
    *os << c.name;
}

class WordAtCaretTest : public testing::TestWithParam<WordCase> {};

TEST_P(WordAtCaretTest, FindsTheWord) {
    const WordCase& c = GetParam();
    EXPECT_EQ(wordAtCaret(c.line, c.column).toStdString(), c.word.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, WordAtCaretTest,
    testing::Values(
        // The caret between the second Button and "(": the word before the caret.
        WordCase{"BeforeParenthesis", "Button b = new Button();", 21, "Button"},
        WordCase{"InsideWord", "Button b = new Button();", 17, "Button"},
        // Right after a delimiter the word is the one that starts at the caret.
        WordCase{"AfterDot", "btn.setText(\"x\");", 4, "setText"},
        WordCase{"AfterBlank", "new Button", 4, "Button"}, WordCase{"ColumnZero", "Button b;", 0, "Button"},
        WordCase{"ColumnZeroOnBlank", " Button", 0, ""},
        WordCase{"EndsAtLineEnd", "x = new Vector", 14, "Vector"},
        WordCase{"ColumnPastLineEnd", "new Vector", 40, "Vector"},
        WordCase{"NegativeColumn", "Vector v", -3, "Vector"}, WordCase{"EmptyLine", "", 0, ""},
        WordCase{"BetweenTwoDelimiters", "f()", 2, ""}, WordCase{"BetweenBlanks", "a  b", 2, ""},
        // Every left-scan delimiter ends the word on its left.
        WordCase{"LeftComma", "f(a,Graphics", 12, "Graphics"}, WordCase{"LeftBracket", "a[Label", 7, "Label"},
        WordCase{"LeftPlus", "s+Convert", 9, "Convert"}, WordCase{"LeftStar", "2*Rect", 6, "Rect"},
        WordCase{"LeftSlash", "a/Font", 6, "Font"}, WordCase{"LeftTab", "\tWindow", 7, "Window"},
        WordCase{"LeftCarriageReturn", "x\rEdit", 6, "Edit"},
        // The left scan runs past ';', ')' and ']': the word starts further left and the right scan ends
        // it there.
        WordCase{"LeftRunsPastSemicolon", "x;Button", 8, "x"},
        WordCase{"LeftRunsPastParenthesis", "f(g)Label", 9, "g"},
        WordCase{"LeftRunsPastBracket", "a[i]Edit", 8, "i"},
        // Every right-scan delimiter ends the word on its right.
        WordCase{"RightSemicolon", "Vm;", 0, "Vm"}, WordCase{"RightComma", "Vm,x", 0, "Vm"},
        WordCase{"RightParenthesis", "Vm)x", 0, "Vm"}, WordCase{"RightBracket", "Vm]x", 0, "Vm"},
        WordCase{"RightOpenParenthesis", "Vm(x", 0, "Vm"},
        WordCase{"RightPlusStarSlash", "Vm+x*y/z", 0, "Vm"}, WordCase{"RightTab", "Vm\tx", 0, "Vm"},
        // The right scan runs past '[' and CR, which stay in the word.
        WordCase{"RightKeepsBracket", "Vector[] v", 0, "Vector["},
        WordCase{"RightKeepsCarriageReturn", "Vector\r", 2, "Vector\r"}));

TEST(FindDocPageTest, FirstEntryHoldingTheNameWins) {
    const QStringList docs{"/sdk/docs/html/index.html", "/sdk/docs/html/waba/ui/MyButton.html",
                           "/sdk/docs/html/waba/ui/Button.html", "/sdk/docs/html/other/Button.html"};
    // "/" + word keeps MyButton.html from answering for Button.
    EXPECT_EQ(findDocPage(docs, "Button"), QString("/sdk/docs/html/waba/ui/Button.html"));
    EXPECT_EQ(findDocPage(docs, "MyButton"), QString("/sdk/docs/html/waba/ui/MyButton.html"));
}

TEST(FindDocPageTest, LastEntryIsFound) {
    const QStringList docs{"/d/a/Vm.html", "/d/b/Convert.html", "/d/c/Graphics.html"};
    EXPECT_EQ(findDocPage(docs, "Graphics"), QString("/d/c/Graphics.html"));
}

TEST(FindDocPageTest, MissesCaseEmptyWordsAndEmptyLists) {
    const QStringList docs{"/d/waba/ui/Button.html", "/d/waba/ui/button-list.html"};
    EXPECT_EQ(findDocPage(docs, "button"), std::nullopt);
    EXPECT_EQ(findDocPage(docs, ""), std::nullopt);
    EXPECT_EQ(findDocPage({}, "Button"), std::nullopt);
    // A word carrying a delimiter the right scan keeps finds nothing.
    EXPECT_EQ(findDocPage(docs, "Button["), std::nullopt);
}

TEST(FindDocPageTest, NameAnywhereInThePathCounts) {
    // The test is a plain substring test, so a folder named like a page answers too.
    const QStringList docs{"/d/Button.html.old/index.html"};
    EXPECT_EQ(findDocPage(docs, "Button"), QString("/d/Button.html.old/index.html"));
}

TEST(ClassHelpTargetTest, ChoosesPageOwnPageOrNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString docs = dir.path() + "/docs/html/waba/ui";
    ASSERT_TRUE(QDir().mkpath(docs));
    QFile page(docs + "/Button.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    const QStringList list{docs + "/Button.html", docs + "/Label.html"}; // Label.html has gone since
    const auto exists = [](const QString& path) { return QFileInfo::exists(path); };

    const ClassHelpTarget found = classHelpTarget(list, "Button", "/opt/hw", exists);
    EXPECT_EQ(found.kind, ClassHelpTarget::ShowPage);
    EXPECT_EQ(found.url, "file://" + docs + "/Button.html");

    const ClassHelpTarget none = classHelpTarget(list, "Nothing", "/opt/hw", exists);
    EXPECT_EQ(none.kind, ClassHelpTarget::ShowPage);
    EXPECT_EQ(none.url, "file:///opt/hw/noDocHelp.html");

    EXPECT_EQ(classHelpTarget(list, "Label", "/opt/hw", exists).kind, ClassHelpTarget::KeepCurrent);
}

TEST(ClassHelpTargetTest, AddressesSurvivePathsWithUrlCharacters) {
    // '#' would start a fragment in a plain "file://" + path.
    const QString url = fileUrl("/home/me/sdk #2/docs/html/index.html");
    EXPECT_EQ(QUrl(url).toLocalFile(), "/home/me/sdk #2/docs/html/index.html");
    EXPECT_EQ(fileUrl("/sdk/docs/html/index.html"), "file:///sdk/docs/html/index.html");
}

TEST(ClassHelpTargetTest, LeadingDoubleSlashStaysALocalPath) {
    // A SuperWaba path written "//opt/sdk" names the local /opt/sdk; "opt" must not become a host.
    for (const char* path : {"//opt/sdk/docs/html/index.html", "///opt/sdk/docs/html/index.html"}) {
        const QString url = fileUrl(path);
        EXPECT_EQ(url, "file:///opt/sdk/docs/html/index.html") << path;
        EXPECT_EQ(QUrl(url).toLocalFile(), "/opt/sdk/docs/html/index.html") << path;
    }
}

} // namespace

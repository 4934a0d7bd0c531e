#include "editor/ClassBrowser.h"

#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// "label@line" per node, children indented after their parent.
QStringList shape(const std::vector<BrowserNode>& nodes) {
    QStringList result;
    const auto one = [](const BrowserNode& node) {
        return node.label + '@' + (node.line ? QString::number(*node.line) : QStringLiteral("-"));
    };
    for (const BrowserNode& node : nodes) {
        result << one(node);
        for (const BrowserNode& child : node.children)
            result << "  " + one(child);
    }
    return result;
}

QStringList feed(ClassBrowser& browser, const QStringList& lines) {
    for (const QString& line : lines)
        browser.addLine(line);
    return shape(browser.nodes());
}

const QStringList kExample = {"class Point 3", "method public move 10", "variable private count 5"};

} // namespace

TEST(ClassBrowserWord, WalksBlanksExactly) {
    struct Case {
        const char* line;
        int n;
        const char* word;
    };
    const Case cases[] = {
        {"class Point 3", 1, "class"},
        {"class Point 3", 2, "Point"},
        {"class Point 3", 3, "3"},
        // Two blanks delimit an empty word, which shifts the rest.
        {"method  public move 10", 2, ""},
        {"method  public move 10", 3, "public"},
        {"method  public move 10", 4, "move"},
        // Fewer words than asked: the last one.
        {"class Point", 3, "Point"},
        {"class Point", 7, "Point"},
        {"lonely", 4, "lonely"},
        // A trailing blank ends on an empty word; a leading one starts with it.
        {"class A ", 3, ""},
        {" class A", 1, ""},
        {" class A", 2, "class"},
        // A tab is an ordinary character.
        {"variable int\tx 4", 2, "int\tx"},
        {"", 1, ""},
        {"", 3, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassBrowser::word(QString::fromUtf8(c.line), c.n), QString::fromUtf8(c.word))
            << c.line << " word " << c.n;
}

TEST(ClassBrowserWord, LineNumbersAreDecimalFromOne) {
    EXPECT_EQ(ClassBrowser::lineNumber("10"), 10);
    EXPECT_EQ(ClassBrowser::lineNumber("007"), 7);
    EXPECT_EQ(ClassBrowser::lineNumber("2147483647"), 2147483647);
    for (const char* bad : {"", "0", "-3", "+5", "move", "1e3", "12x", " 5", "0x10", "99999999999"})
        EXPECT_FALSE(ClassBrowser::lineNumber(bad).has_value()) << bad;
}

TEST(ClassBrowserTree, ExampleLinesInSourceOrderSortedAndFiltered) {
    ClassBrowser source;
    EXPECT_TRUE(source.sourceOrder());
    EXPECT_EQ(feed(source, kExample), (QStringList{"class Point@3", "  move@10", "  count@5"}));
    EXPECT_EQ(source.nodes()[0].picture, ClassBrowser::ClassPicture);
    EXPECT_EQ(source.nodes()[0].children[0].picture, ClassBrowser::MethodPicture);
    EXPECT_EQ(source.nodes()[0].children[1].picture, ClassBrowser::VariablePicture);

    ClassBrowser sorted;
    sorted.pressSorted();
    EXPECT_TRUE(sorted.sorted());
    EXPECT_FALSE(sorted.sourceOrder());
    feed(sorted, kExample);
    sorted.finishTree();
    EXPECT_EQ(shape(sorted.nodes()), (QStringList{"class Point@3", "  count@5", "  move@10"}));

    ClassBrowser noVariables;
    noVariables.toggleVariables();
    EXPECT_EQ(feed(noVariables, kExample), (QStringList{"class Point@3", "  move@10"}));

    ClassBrowser noMethods;
    noMethods.toggleMethods();
    EXPECT_EQ(feed(noMethods, kExample), (QStringList{"class Point@3", "  count@5"}));
    // Classes come whatever the member switches say.
    noMethods.toggleVariables();
    noMethods.clear();
    EXPECT_EQ(feed(noMethods, kExample), QStringList{"class Point@3"});
    noMethods.toggleVariables();
    EXPECT_TRUE(noMethods.showVariables());
    EXPECT_FALSE(noMethods.showMethods());
}

TEST(ClassBrowserTree, MembersGoUnderTheLatestClass) {
    ClassBrowser browser;
    EXPECT_EQ(feed(browser, {"variable int early 1", "method void first() 2", "class A 3", "variable int a 4",
                             "class A.Inner 5", "method void inner() 6", "class B 8", "variable int b 9"}),
              (QStringList{"early@1", "first()@2", "class A@3", "  a@4", "class A.Inner@5", "  inner()@6",
                           "class B@8", "  b@9"}));
    // Cleared, the tree forgets its current class too.
    browser.clear();
    EXPECT_EQ(feed(browser, {"method void m() 1"}), QStringList{"m()@1"});
}

TEST(ClassBrowserTree, OnlyTheThreePrefixesCount) {
    ClassBrowser browser;
    const QStringList ignored = {"Class A 1",
                                 "classA 1",
                                 "class",
                                 "CLASS A 1",
                                 "methods x y 1",
                                 "method",
                                 " class A 1",
                                 "parse: temp.java: 3 lines read",
                                 "variable\tint x 1",
                                 "interface I 1",
                                 ""};
    for (const QString& line : ignored)
        EXPECT_FALSE(browser.addLine(line).has_value()) << line.toStdString();
    EXPECT_TRUE(browser.nodes().empty());
}

TEST(ClassBrowserTree, DoubleBlankShiftsWordsAndAWordThatIsNoNumberLeavesNoTarget) {
    ClassBrowser browser;
    EXPECT_EQ(feed(browser, {"class  Point 3", "method  public move 10", "variable private count x"}),
              (QStringList{"class @-", "  public@-", "  count@-"}));
}

TEST(ClassBrowserTree, PlacementsPointAtTheNewNodesAndSortedSortsOnceAtTheEnd) {
    ClassBrowser browser;
    browser.pressSorted();
    // Lines land in arrival order while the parse runs...
    EXPECT_EQ(browser.addLine("class Zed 1"), (ClassBrowser::Placement{0, -1}));
    EXPECT_EQ(browser.addLine("method void z() 2"), (ClassBrowser::Placement{0, 0}));
    EXPECT_EQ(browser.addLine("class Alpha 5"), (ClassBrowser::Placement{1, -1}));
    EXPECT_EQ(browser.addLine("method void z() 6"), (ClassBrowser::Placement{1, 0}));
    EXPECT_EQ(browser.addLine("method void a() 7"), (ClassBrowser::Placement{1, 1}));
    EXPECT_EQ(browser.addLine("nothing"), std::nullopt);
    const BrowserNode* member = browser.node({1, 1});
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->label, "a()");
    EXPECT_EQ(browser.node({1, 2}), nullptr);
    EXPECT_EQ(browser.node({3, -1}), nullptr);
    EXPECT_EQ(browser.node({-1, -1}), nullptr);
    // ...and are sorted once it has ended; a note stays last.
    browser.addNote("parse ended abnormally");
    const std::optional<ClassBrowser::SortOrder> order = browser.finishTree();
    ASSERT_TRUE(order.has_value());
    EXPECT_EQ(order->top, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(order->children[0], (std::vector<int>{1, 0}));
    EXPECT_EQ(shape(browser.nodes()), (QStringList{"class Alpha@5", "  a()@7", "  z()@6", "class Zed@1",
                                                   "  z()@2", "parse ended abnormally@-"}));
    EXPECT_TRUE(browser.nodes().back().note);
    // In source order nothing moves.
    ClassBrowser source;
    feed(source, {"class Zed 1", "class Alpha 5"});
    EXPECT_FALSE(source.finishTree().has_value());
    EXPECT_EQ(shape(source.nodes()), (QStringList{"class Zed@1", "class Alpha@5"}));
}

// Sorting once at the end must give what sorting the whole tree after every line gives, whatever order
// classes and members arrive in and however often labels repeat.
TEST(ClassBrowserTree, SortingAtTheEndMatchesSortingTheWholeTreeAfterEachLine) {
    const auto sortAll = [](std::vector<BrowserNode>& level, auto& self) -> void {
        std::stable_sort(level.begin(), level.end(), [](const BrowserNode& a, const BrowserNode& b) {
            return ClassBrowser::labelLess(a.label, b.label);
        });
        for (BrowserNode& node : level)
            self(node.children, self);
    };
    const QStringList names = {"a", "B", "b", "Zeta", "zeta", "alpha", "Alpha", "_x", "x1", "x10", "x2", "é"};
    QRandomGenerator random(20240510);
    for (int round = 0; round < 40; ++round) {
        ClassBrowser browser;
        browser.pressSorted();
        std::vector<BrowserNode> reference;
        BrowserNode* current = nullptr;
        for (int i = 1; i <= 60; ++i) {
            const QString name = names[random.bounded(names.size())];
            const int kind = random.bounded(4);
            QString line;
            BrowserNode node;
            node.line = i;
            if (kind == 0) {
                line = QString("class %1 %2").arg(name).arg(i);
                node.label = "class " + name;
            } else {
                line = QString("%1 int %2 %3").arg(kind == 1 ? "variable" : "method", name).arg(i);
                node.label = name;
            }
            browser.addLine(line);
            // The reference appends, then sorts everything, following the current class as a node.
            if (kind == 0 || !current) {
                reference.push_back(node);
            } else {
                current->children.push_back(node);
            }
            const int currentLine = kind == 0 ? i : current ? *current->line : -1;
            sortAll(reference, sortAll);
            current = nullptr;
            for (BrowserNode& top : reference)
                if (top.line == currentLine)
                    current = &top;
        }
        browser.finishTree();
        ASSERT_EQ(shape(browser.nodes()), shape(reference)) << "round " << round;
    }
}

// Labels compare as the platform's comparison does, case-insensitive first, in every locale: the C and
// POSIX locales too, where a comparison of character codes would put "S" before "a".
TEST(ClassBrowserTree, SortedOrderIsTheSameInTheCLocaleAsElsewhere) {
    const QLocale before;
    const QStringList lines = {
        "class S 1",        "variable int beta 2", "variable int Beta 3",  "variable int S 4",
        "variable int a 5", "variable int _x 6",   "variable int alpha 7", "class a 8",
        "class Zed 9",      "class B 10"};
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French)}) {
        QLocale::setDefault(locale);
        ClassBrowser browser;
        browser.pressSorted();
        feed(browser, lines);
        browser.finishTree();
        EXPECT_EQ(shape(browser.nodes()),
                  (QStringList{"class a@8", "class B@10", "class S@1", "  _x@6", "  a@5", "  alpha@7",
                               "  beta@2", "  Beta@3", "  S@4", "class Zed@9"}))
            << locale.name().toStdString();
        EXPECT_TRUE(ClassBrowser::labelLess("a", "S")) << locale.name().toStdString();
        EXPECT_TRUE(ClassBrowser::labelLess("move", "Move")) << locale.name().toStdString();
    }
    QLocale::setDefault(before);
}

TEST(ClassBrowserTree, AnAbnormalEndGetsANote) {
    const struct {
        std::optional<int> exitStatus;
        bool stopped;
        const char* note;
    } cases[] = {
        {0, false, ""},
        {std::nullopt, false, ""}, // never started: the tree stays empty
        {128 + 11, false, "parse ended abnormally (signal 11): the outline may be incomplete"},
        {128 + 6, false, "parse ended abnormally (signal 6): the outline may be incomplete"},
        {1, false, "parse ended with exit code 1: the outline may be incomplete"},
        {std::nullopt, true, "parse was stopped after 5 s: the outline is incomplete"},
        {0, true, "parse was stopped after 5 s: the outline is incomplete"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassBrowser::endNote(c.exitStatus, c.stopped), QString::fromUtf8(c.note)) << c.note;
    EXPECT_EQ(ClassBrowser::endNote(std::nullopt, true, 300),
              "parse was stopped after 0.3 s: the outline is incomplete");
}

TEST(ClassBrowserTree, PressingSortedSortsAtOnceAndReportsTheMoves) {
    ClassBrowser browser;
    feed(browser, {"class Zed 1", "variable int z 2", "method void a() 3", "class Alpha 5",
                   "variable int y 6", "variable int b 7"});
    const std::vector<BrowserNode> before = browser.nodes();
    const ClassBrowser::SortOrder order = browser.pressSorted();
    EXPECT_TRUE(browser.sorted());
    EXPECT_EQ(shape(browser.nodes()),
              (QStringList{"class Alpha@5", "  b@7", "  y@6", "class Zed@1", "  a()@3", "  z@2"}));
    ASSERT_EQ(order.top.size(), 2u);
    ASSERT_EQ(order.children.size(), 2u);
    for (std::size_t i = 0; i < order.top.size(); ++i) {
        const BrowserNode& old = before[order.top[i]];
        EXPECT_EQ(browser.nodes()[i].label, old.label);
        for (std::size_t j = 0; j < order.children[i].size(); ++j)
            EXPECT_EQ(browser.nodes()[i].children[j].label, old.children[order.children[i][j]].label);
    }
    // The current class moved with the sort: members still join Alpha.
    browser.addLine("variable int c 8");
    browser.finishTree();
    EXPECT_EQ(shape(browser.nodes())[1], "  b@7");
    EXPECT_EQ(shape(browser.nodes())[2], "  c@8");
    browser.pressSourceOrder();
    EXPECT_TRUE(browser.sourceOrder());
    EXPECT_FALSE(browser.sorted());
}

TEST(ClassBrowserRefresh, ARefreshAskedForDuringAParseRunsOnceAfterIt) {
    ClassBrowser browser;
    EXPECT_TRUE(browser.requestRefresh());
    EXPECT_TRUE(browser.parsing());
    EXPECT_FALSE(browser.requestRefresh());
    EXPECT_FALSE(browser.requestRefresh());
    EXPECT_TRUE(browser.refreshPending());
    EXPECT_TRUE(browser.acceptsOutput());
    // The first parse ends: exactly one more is due, and it counts as running.
    EXPECT_TRUE(browser.parseEnded());
    EXPECT_TRUE(browser.parsing());
    EXPECT_FALSE(browser.refreshPending());
    EXPECT_FALSE(browser.parseEnded());
    EXPECT_FALSE(browser.parsing());
    EXPECT_TRUE(browser.requestRefresh());
}

TEST(ClassBrowserRefresh, ClearingDuringAParseDropsItsOutputAndWhatWasDue) {
    ClassBrowser browser;
    ASSERT_TRUE(browser.requestRefresh());
    browser.addLine("class Old 1");
    EXPECT_FALSE(browser.requestRefresh());
    browser.clearWithoutParse();
    EXPECT_TRUE(browser.nodes().empty());
    EXPECT_FALSE(browser.acceptsOutput());
    EXPECT_FALSE(browser.refreshPending());
    // A refresh asked for after the clearing still follows the running parse.
    EXPECT_FALSE(browser.requestRefresh());
    EXPECT_TRUE(browser.parseEnded());
    EXPECT_TRUE(browser.acceptsOutput());
    EXPECT_FALSE(browser.parseEnded());

    // Cleared while idle, nothing is dropped later.
    browser.clearWithoutParse();
    EXPECT_TRUE(browser.acceptsOutput());
    EXPECT_FALSE(browser.parsing());
}

TEST(ClassBrowserRefresh, AParseThatCouldNotStartLeavesNothingDue) {
    ClassBrowser browser;
    ASSERT_TRUE(browser.requestRefresh());
    EXPECT_FALSE(browser.requestRefresh());
    browser.parseFailed();
    EXPECT_FALSE(browser.parsing());
    EXPECT_FALSE(browser.refreshPending());
    EXPECT_TRUE(browser.requestRefresh());
}

TEST(ClassBrowserInput, EveryLineEndsWithCrLf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(ClassBrowser::parserInputName());
    EXPECT_EQ(path.section('/', -1), "temp.java");
    const auto read = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    };
    EXPECT_EQ(ClassBrowser::writeParserInput(path, {"class A {", "", "  String s = \"\u00e9\";", "}"}), "");
    EXPECT_EQ(read(), QByteArray("class A {\r\n\r\n  String s = \"\xc3\xa9\";\r\n}\r\n"));
    // An empty editor gives an empty file, replacing the last one.
    EXPECT_EQ(ClassBrowser::writeParserInput(path, {}), "");
    EXPECT_EQ(read(), QByteArray());
    const QString error = ClassBrowser::writeParserInput(dir.filePath("missing/temp.java"), {"x"});
    EXPECT_TRUE(error.contains(dir.filePath("missing/temp.java"))) << error.toStdString();
}

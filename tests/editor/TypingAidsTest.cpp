#include "editor/TypingAids.h"
#include "editor/SourceEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace TypingAids;

TEST(TypingAids, KeyCodesAreWindowsVirtualKeys) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        int expected;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 36, kEnterKey},
        {Qt::Key_Enter, Qt::KeypadModifier, 104, kEnterKey},
        {Qt::Key_0, Qt::NoModifier, 19, kZeroKey},
        {Qt::Key_0, Qt::NoModifier, 0, kZeroKey},
        // Shift+0 on a US layout and AltGr+0 on a German one are still the 0 key.
        {Qt::Key_ParenRight, Qt::ShiftModifier, 19, kZeroKey},
        {Qt::Key_BraceRight, Qt::GroupSwitchModifier, 19, kZeroKey},
        {Qt::Key_0, Qt::KeypadModifier, 90, 0},
        {Qt::Key_BraceRight, Qt::ShiftModifier, 35, 0},
        {Qt::Key_A, Qt::NoModifier, 38, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowsKeyCode(c.key, c.modifiers, c.scanCode), c.expected) << c.key;
}

TEST(TypingAids, BraceRulesLookAtTheVeryCharacters) {
    EXPECT_TRUE(opensBlock(u"public void a() {"));
    EXPECT_FALSE(opensBlock(u"public void a() { "));
    EXPECT_FALSE(opensBlock(u""));
    EXPECT_TRUE(onlyBlanksAndClosingBraces(u"\t }}"));
    EXPECT_TRUE(onlyBlanksAndClosingBraces(u""));
    EXPECT_FALSE(onlyBlanksAndClosingBraces(u"\t0"));
    EXPECT_FALSE(onlyBlanksAndClosingBraces(u"};"));
}

TEST(TypingAids, CommentSkeletonFollowsTheDeclaration) {
    const QString cr = "\r";
    const struct {
        const char* name;
        QString above;
        QString declaration;
        std::optional<QString> expected;
    } cases[] = {
        {"no /** above", "    // x", "int a;", std::nullopt},
        {"worked example", "    /**", "    public int add(int a, int b) {",
         "* " + cr + "    * @param " + cr + "    * @param " + cr + "    * @return " + cr + "    **/"},
        {"constructor", "/**", "public Point() {", "* " + cr + "**/"},
        {"static void main", "/**", "public static void main(String[] args)",
         "* " + cr + "* @param " + cr + "**/"},
        {"static with return", "/**", "public static int size()", "* " + cr + "* @return " + cr + "**/"},
        {"field", "\t/**", "\tint count;", "* " + cr + "\t**/"},
        {"class only as a word", "/**", "String getClassName() {", "* " + cr + "* @return " + cr + "**/"},
        {"a class", "  /**", "public class Hello extends MainWindow {",
         "* " + cr + "  * @version 1.0 " + cr + "  * @author " + cr + "  **/"},
        {"indentation is all before the first /**", "x /** /**", "int a;", "* " + cr + "x **/"},
        {"a closed comment above still counts", "/** done */", "void run() {", "* " + cr + "**/"},
        {"no modifier", "/**", "int add(int a)", "* " + cr + "* @param " + cr + "* @return " + cr + "**/"},
        {"void only as the type", "/**", "Object avoid(int a)",
         "* " + cr + "* @param " + cr + "* @return " + cr + "**/"},
        {"Void is not void", "/**", "public Void x()", "* " + cr + "* @return " + cr + "**/"},
        {"one word: a constructor", "/**", "  run(a, b)",
         "* " + cr + "* @param " + cr + "* @param " + cr + "**/"},
        {"only a closing parenthesis", "/**", "a)", "* " + cr + "* @param " + cr + "**/"},
        {"generic method", "/**", "public <T> T first(T[] a)",
         "* " + cr + "* @param " + cr + "* @return " + cr + "**/"},
        {"type parameters and arguments", "/**", "public static <K, V> Map<K, V> zip(List<K> k, List<V> v) {",
         "* " + cr + "* @param " + cr + "* @param " + cr + "* @return " + cr + "**/"},
        {"commas inside type arguments", "/**", "void put(Map<String, Integer> table, int size) {",
         "* " + cr + "* @param " + cr + "* @param " + cr + "**/"},
        {"nested type arguments", "/**", "int f(Map<String, List<Map<K, V>>> m)",
         "* " + cr + "* @param " + cr + "* @return " + cr + "**/"},
        {"abstract", "/**", "protected abstract int size();", "* " + cr + "* @return " + cr + "**/"},
        {"every modifier", "/**", "public static final synchronized native strictfp long now();",
         "* " + cr + "* @return " + cr + "**/"},
        {"annotations", "/**", "@Override public String toString() {", "* " + cr + "* @return " + cr + "**/"},
        {"annotation with arguments", "/**",
         "@SuppressWarnings(\"unchecked\") public void load(@A(x = 1, y = 2) int a, int b)",
         "* " + cr + "* @param " + cr + "* @param " + cr + "**/"},
        {"throws clause", "/**", "public int read(byte[] b) throws IOException, EOFException {",
         "* " + cr + "* @param " + cr + "* @return " + cr + "**/"},
        {"constructor with parameters", "/**", "  public Point(int x, int y) {",
         "* " + cr + "* @param " + cr + "* @param " + cr + "**/"},
        {"an interface", "/**", "public interface Shape {",
         "* " + cr + "* @version 1.0 " + cr + "* @author " + cr + "**/"},
        {"an enum", "/**", "enum Color { RED, GREEN }",
         "* " + cr + "* @version 1.0 " + cr + "* @author " + cr + "**/"},
        {"an annotation type", "/**", "public @interface Marker {",
         "* " + cr + "* @version 1.0 " + cr + "* @author " + cr + "**/"},
        {"a generic class", "/**", "public final class Box<T extends Comparable<T>> {",
         "* " + cr + "* @version 1.0 " + cr + "* @author " + cr + "**/"},
        {"declaration outside the text reads empty", "/**", "", "* " + cr + "**/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commentSkeleton(c.above, c.declaration), c.expected) << c.name;
}

namespace {

// The real editor, shown offscreen, typed on with real key events; the aids run on each release as the
// main window runs them.
struct TypedEditor {
    SourceEditor editor;
    Switches switches;

    TypedEditor() {
        QObject::connect(&editor, &SourceEditor::keyReleased, &editor,
                         [this](int key, bool brace) { keyUp(editor, key, brace, switches); });
        editor.resize(600, 300);
        editor.show();
        editor.setFocus();
    }
    void at(int line, int column) {
        editor.setCaretLine(line);
        editor.setCaretColumn(column);
    }
    LineColumn caret() const { return {editor.caretLine(), editor.caretColumn()}; }
};

} // namespace

TEST(TypingAids, WorkedExampleOnTheRealEditor) {
    TypedEditor t;
    t.editor.setLines({"class A {", "    /**", "    public int add(int a, int b) {", "    }", "}"});
    t.at(1, 7);
    QTest::keyClick(&t.editor, Qt::Key_Return);
    EXPECT_EQ(t.editor.lines(),
              QStringList({"class A {", "    /**", "    * ", "    * @param ", "    * @param ",
                           "    * @return ", "    **/", "    public int add(int a, int b) {", "    }", "}"}));
    EXPECT_EQ(t.caret(), (LineColumn{2, 6}));
    // The comment's first sentence is typed where the caret stands.
    QTest::keyClicks(&t.editor, "Adds.");
    EXPECT_EQ(t.editor.line(2), "    * Adds.");
}

TEST(TypingAids, EnterAfterAnOpeningBraceAddsOneTab) {
    TypedEditor t;
    t.editor.setLines({"void a() {", "}"});
    t.at(0, 10);
    QTest::keyClick(&t.editor, Qt::Key_Return);
    EXPECT_EQ(t.editor.lines(), QStringList({"void a() {", "\t", "}"}));
    EXPECT_EQ(t.caret(), (LineColumn{1, 1}));

    // The keypad's Enter too, and the editor's auto-indent comes first.
    t.editor.setLines({"  if (x) {"});
    t.at(0, 10);
    QTest::keyClick(&t.editor, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(t.editor.lines(), QStringList({"  if (x) {", "  \t"}));

    // A blank after the brace: nothing but the auto-indent.
    t.editor.setLines({"  void a() { "});
    t.at(0, 13);
    QTest::keyClick(&t.editor, Qt::Key_Return);
    EXPECT_EQ(t.editor.lines(), QStringList({"  void a() { ", "  "}));
}

TEST(TypingAids, ClosingBraceStepsBackOneIndentationCharacter) {
    enum Typing { BraceOnZeroKey, BraceKey, DigitZero, ShiftUpFirst, ShiftDownBeforeRelease };
    const struct {
        const char* name;
        QString line; // as the editor's auto-indent left it
        int column;
        Typing typing;
        QString expectedLine;
        int expectedColumn;
    } cases[] = {
        {"tab, brace on the 0 key", "\t", 1, BraceOnZeroKey, "}", 1},
        {"two tabs, brace key", "\t\t", 2, BraceKey, "\t}", 2},
        {"blanks", "    ", 4, BraceKey, "   }", 4},
        // Two columns back stands the earlier brace, and it goes.
        {"more braces", "\t}", 2, BraceKey, "\t}", 2},
        {"brace in the first column", "", 0, BraceKey, "}", 1},
        {"one blank", " ", 1, BraceKey, "}", 1},
        {"the digit typed by the key", "\t", 1, DigitZero, "\t0", 2},
        {"other text on the line", "\tx ", 3, BraceKey, "\tx }", 4},
        // The key press decides what was typed, whatever the release reports.
        {"shift let go before the brace key", "\t\t", 2, ShiftUpFirst, "\t}", 2},
        {"shift pressed before the bracket key's release", "\t", 1, ShiftDownBeforeRelease, "\t]", 2},
    };
    // The brace key of a US layout, pressed and released as X reports it.
    const auto pressAndRelease = [](QWidget* target, int pressKey, Qt::KeyboardModifiers pressModifiers,
                                    const QString& pressText, int releaseKey,
                                    Qt::KeyboardModifiers releaseModifiers, const QString& releaseText) {
        constexpr quint32 kBraceScanCode = 35;
        QKeyEvent press(QEvent::KeyPress, pressKey, pressModifiers, kBraceScanCode, 0, 0, pressText);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, releaseKey, releaseModifiers, kBraceScanCode, 0, 0,
                          releaseText);
        QApplication::sendEvent(target, &release);
    };
    TypedEditor t;
    for (const auto& c : cases) {
        t.editor.setLines({"{", c.line});
        t.at(1, c.column);
        if (c.typing == BraceOnZeroKey)
            QTest::sendKeyEvent(QTest::Click, &t.editor, Qt::Key_0, QStringLiteral("}"), Qt::NoModifier);
        else if (c.typing == BraceKey)
            QTest::keyClick(&t.editor, '}');
        else if (c.typing == DigitZero)
            QTest::keyClick(&t.editor, Qt::Key_0);
        else if (c.typing == ShiftUpFirst)
            pressAndRelease(&t.editor, Qt::Key_BraceRight, Qt::ShiftModifier, "}", Qt::Key_BracketRight,
                            Qt::NoModifier, "]");
        else
            pressAndRelease(&t.editor, Qt::Key_BracketRight, Qt::NoModifier, "]", Qt::Key_BraceRight,
                            Qt::ShiftModifier, "}");
        EXPECT_EQ(t.editor.line(1), c.expectedLine) << c.name;
        EXPECT_EQ(t.caret(), (LineColumn{1, c.expectedColumn})) << c.name;
    }
}

TEST(TypingAids, ZeroKeyReleaseOnItsOwn) {
    TypedEditor t;
    // The release of the 0 key where nothing was typed: an empty line stays, the caret before a brace
    // ends after it.
    t.editor.setLines({"{", ""});
    t.at(1, 0);
    keyUp(t.editor, kZeroKey, false, t.switches);
    EXPECT_EQ(t.editor.lines(), QStringList({"{", ""}));
    t.editor.setLines({"{", "\t\t}"});
    t.at(1, 2);
    keyUp(t.editor, kZeroKey, false, t.switches);
    EXPECT_EQ(t.editor.line(1), "\t}");
    EXPECT_EQ(t.caret(), (LineColumn{1, 2}));
}

TEST(TypingAids, SkeletonsOnTheRealEditor) {
    TypedEditor t;
    const struct {
        const char* name;
        QStringList text;
        QStringList expected;
    } cases[] = {
        {"constructor", {"/**", "public Point() {"}, {"/**", "* ", "**/", "public Point() {"}},
        {"main",
         {"/**", "public static void main(String[] args)"},
         {"/**", "* ", "* @param ", "**/", "public static void main(String[] args)"}},
        {"field", {"  /**", "  int count;"}, {"  /**", "  * ", "  **/", "  int count;"}},
        {"closed comment above",
         {"/** x */", "public int f()"},
         {"/** x */", "* ", "* @return ", "**/", "public int f()"}},
        {"opening brace and comment",
         {"/** {", "public int f()"},
         {"/** {", "\t* ", "* @return ", "**/", "public int f()"}},
    };
    for (const auto& c : cases) {
        t.editor.setLines(c.text);
        t.at(0, int(c.text.first().size()));
        QTest::keyClick(&t.editor, Qt::Key_Return);
        EXPECT_EQ(t.editor.lines(), c.expected) << c.name;
        EXPECT_EQ(t.caret(), (LineColumn{1, int(c.expected.at(1).size())})) << c.name;
    }
}

TEST(TypingAids, EachAidOnlyWhileSwitchedOn) {
    TypedEditor t;
    t.switches = {false, false};
    t.editor.setLines({"/** {", "int f()", "\t"});
    t.at(0, 5);
    QTest::keyClick(&t.editor, Qt::Key_Return);
    EXPECT_EQ(t.editor.lines(), QStringList({"/** {", "", "int f()", "\t"}));
    t.at(3, 1);
    QTest::keyClick(&t.editor, '}');
    EXPECT_EQ(t.editor.line(3), "\t}");

    t.switches = {true, false};
    t.editor.setLines({"/** {", "int f()"});
    t.at(0, 5);
    QTest::keyClick(&t.editor, Qt::Key_Return);
    EXPECT_EQ(t.editor.lines(), QStringList({"/** {", "\t", "int f()"}));

    t.switches = {false, true};
    t.editor.setLines({"/** {", "public int f()"});
    t.at(0, 5);
    QTest::keyClick(&t.editor, Qt::Key_Return);
    EXPECT_EQ(t.editor.lines(), QStringList({"/** {", "* ", "* @return ", "**/", "public int f()"}));
}

TEST(TypingAids, HeldEnterActsOnceOnTheFinalRelease) {
    TypedEditor t;
    t.editor.setLines({"/**", "public int f()"});
    t.at(0, 3);
    const auto send = [&](QEvent::Type type, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), autoRepeat);
        QApplication::sendEvent(&t.editor, &event);
    };
    send(QEvent::KeyPress, false);
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
    send(QEvent::KeyRelease, false);
    // Two new lines; judged on the final text the line above holds no "/**".
    EXPECT_EQ(t.editor.lines(), QStringList({"/**", "", "", "public int f()"}));
}

#include "editor/ToggleComment.h"
#include "editor/SourceEditor.h"

#include <gtest/gtest.h>

TEST(ToggleComment, TogglesEachSelectedLineByItself) {
    const struct {
        const char* name;
        QString selected;
        QString expected;
    } cases[] = {
        {"mixed lines", "a = 1;\r\n// b = 2;", "// a = 1;\r\nb = 2;"},
        {"a comment opener is code: it gains", "/* note */ int kept;", "// /* note */ int kept;"},
        {"two slashes and a blank go", "// x", "x"},
        {"two slashes without a blank go", "//important();", "important();"},
        {"only the first blank goes", "//  x", " x"},
        {"a lone slash is code", "/x", "// /x"},
        {"single line gains", "int x;", "// int x;"},
        {"break at the end leaves the next line", "a;\r\nb;\r\n", "// a;\r\n// b;\r\n"},
        {"break followed by one character only", "a;\r\n", "// a;\r\n"},
        {"three lines, the middle commented", "a\r\n// b\r\nc", "// a\r\nb\r\n// c"},
        {"empty lines gain too", "a\r\n\r\nb", "// a\r\n// \r\n// b"},
        {"a short commented line keeps the break", "//\r\nx", "\r\n// x"},
        {"a lone slash keeps the break", "/\r\nx", "// /\r\n// x"},
        {"nothing selected", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toggledComment(c.selected), c.expected) << c.name;
}

TEST(ToggleComment, ReplacesTheSelectionInTheEditor) {
    SourceEditor editor;
    editor.setLines({"class A {", "a = 1;", "// b = 2;", "}"});
    // From the start of line 1 to the start of line 3: the selection ends with a line break.
    editor.setSelectionStart(editor.position({1, 0}));
    editor.setSelectionLength(editor.position({3, 0}) - editor.position({1, 0}));
    toggleComment(editor);
    EXPECT_EQ(editor.lines(), QStringList({"class A {", "// a = 1;", "b = 2;", "}"}));
    EXPECT_EQ(editor.selectionLength(), 0);
    EXPECT_EQ(editor.selectionStart(), editor.position({3, 0}));

    // A selection starting inside a line toggles from there.
    editor.setSelectionStart(editor.position({0, 6}));
    editor.setSelectionLength(3);
    toggleComment(editor);
    EXPECT_EQ(editor.line(0), "class // A {");

    // Nothing selected: nothing changes.
    const QStringList before = editor.lines();
    editor.setSelectionStart(2);
    toggleComment(editor);
    EXPECT_EQ(editor.lines(), before);
}

TEST(ToggleComment, ActsOnAColumnBlocksLinesAtItsLeftColumn) {
    using Sci = QsciScintillaBase;
    SourceEditor editor;
    const QStringList text = {"    a();", "    //b();", "  ", "\tc(); // d", "    e();"};
    editor.setLines(text);
    // A block from column 4 of the first line to column 6 of the fourth; the tab reaches column 4 too.
    editor.SendScintilla(Sci::SCI_SETRECTANGULARSELECTIONANCHOR, long(editor.position({0, 4})));
    editor.SendScintilla(Sci::SCI_SETRECTANGULARSELECTIONCARET, long(editor.position({3, 3})));
    ASSERT_TRUE(editor.SendScintilla(Sci::SCI_SELECTIONISRECTANGLE));

    toggleComment(editor);
    // The line too short to reach the block is left alone.
    EXPECT_EQ(editor.lines(), QStringList({"    // a();", "    b();", "  ", "\t// c(); // d", "    e();"}));
    // The block stays, over the same lines from the same left column, so a second toggle acts there again.
    EXPECT_TRUE(editor.SendScintilla(Sci::SCI_SELECTIONISRECTANGLE));
    EXPECT_EQ(editor.lineColumn(int(editor.SendScintilla(Sci::SCI_GETRECTANGULARSELECTIONANCHOR))),
              (LineColumn{0, 4}));
    EXPECT_EQ(editor.lineColumn(int(editor.SendScintilla(Sci::SCI_GETRECTANGULARSELECTIONCARET))).line, 3);
    toggleComment(editor);
    EXPECT_EQ(editor.lines(), QStringList({"    a();", "    // b();", "  ", "\tc(); // d", "    e();"}));
    // One undo step per toggle.
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"    // a();", "    b();", "  ", "\t// c(); // d", "    e();"}));
}

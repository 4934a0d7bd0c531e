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
        {"slash-star loses three characters", "/* x */", "x */"},
        {"single line gains", "int x;", "// int x;"},
        {"break at the end leaves the next line", "a;\r\nb;\r\n", "// a;\r\n// b;\r\n"},
        {"break followed by one character only", "a;\r\n", "// a;\r\n"},
        {"three lines, the middle commented", "a\r\n// b\r\nc", "// a\r\nb\r\n// c"},
        {"empty lines gain too", "a\r\n\r\nb", "// a\r\n// \r\n// b"},
        // The scan deletes three characters wherever it stands, line break or not.
        {"a lone slash takes the break with it", "/\r\nx", "x"},
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

#include "editor/EditorOverlay.h"
#include "editor/SourceEditor.h"
#include "editor/SourceEditorFont.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ShownEditor {
    SourceEditor editor;
    ShownEditor() {
        editor.resize(500, 300);
        editor.show();
        editor.setFocus();
    }
};

} // namespace

TEST(EditorOperations, GutterIsAsWideAsTheWidestLineNumber) {
    ShownEditor s;
    SourceEditor& editor = s.editor;
    const QFontMetrics metrics(editor.font());
    const int lineCounts[] = {1, 9999, 10000, 123456, 12};
    for (int count : lineCounts) {
        editor.setLines(QStringList(count, QStringLiteral("x")));
        const int widest = metrics.horizontalAdvance(QString::number(count));
        EXPECT_GE(editor.marginWidth(0), std::max(30, widest + 2)) << count << " lines";
        if (widest + 8 <= 30)
            EXPECT_EQ(editor.marginWidth(0), 30) << count << " lines";
    }
}

TEST(EditorOperations, PositionsCountALineBreakAsTwoCharacters) {
    SourceEditor editor;
    editor.setLines({"ab", QString::fromUtf8("äö€x"), QString::fromUtf8("𝄞y")});
    EXPECT_EQ(editor.position({1, 0}), 4);
    EXPECT_EQ(editor.position({2, 0}), 10);
    // Characters as QString counts them: the clef takes two.
    EXPECT_EQ(editor.textLength(), 13);
    EXPECT_EQ(editor.lineColumn(7), (LineColumn{1, 3}));
    EXPECT_EQ(editor.lineColumn(12), (LineColumn{2, 2}));
    EXPECT_EQ(editor.line(1), QString::fromUtf8("äö€x"));
    EXPECT_EQ(editor.line(3), QString());
    EXPECT_EQ(editor.line(-1), QString());
    editor.setSelectionStart(7);
    EXPECT_EQ(editor.selectedText(), QString());
    editor.setSelectionLength(1);
    EXPECT_EQ(editor.selectedText(), "x");
}

TEST(EditorOperations, SelectionStartIsClampedAndCollapses) {
    SourceEditor editor;
    editor.setLines({"abc", "def"});
    editor.setSelectionStart(2);
    editor.setSelectionLength(3);
    editor.setSelectionStart(100);
    EXPECT_EQ(editor.selectionStart(), 8);
    EXPECT_EQ(editor.selectionLength(), 0);
    EXPECT_EQ(editor.caretLine(), 1);
    EXPECT_EQ(editor.caretColumn(), 3);
    editor.setSelectionStart(-4);
    EXPECT_EQ(editor.selectionStart(), 0);
    // Between CR and LF is no place for the caret: the next line's start stands in.
    editor.setSelectionStart(4);
    EXPECT_EQ(editor.selectionStart(), 5);
    EXPECT_EQ(editor.caretLine(), 1);
}

TEST(EditorOperations, SelectionLengthIsSignedAndClamped) {
    SourceEditor editor;
    editor.setLines({"abc", "def"});
    editor.setSelectionStart(7);
    editor.setSelectionLength(-2);
    EXPECT_EQ(editor.selectionStart(), 7);
    EXPECT_EQ(editor.selectionLength(), -2);
    EXPECT_EQ(editor.selectedText(), "de");
    editor.setSelectionLength(100);
    EXPECT_EQ(editor.selectionLength(), 1);
    editor.setSelectionLength(-100);
    EXPECT_EQ(editor.selectionLength(), -7);
    EXPECT_EQ(editor.selectedText(), "abc\r\nde");
}

TEST(EditorOperations, InsertTextReplacesTheSelectionAndBreaksLines) {
    SourceEditor editor;
    editor.setLines({"abc", "def"});
    editor.setSelectionStart(1);
    editor.setSelectionLength(1);
    editor.insertText("X\rY\nZ\r\nW");
    EXPECT_EQ(editor.lines(), QStringList({"aX", "Y", "Z", "Wc", "def"}));
    EXPECT_EQ(editor.selectionStart(), editor.position({3, 1}));
    EXPECT_EQ(editor.selectionLength(), 0);
    // One undo step takes it all back.
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"abc", "def"}));
    // Nothing selected: inserted at the caret.
    editor.setSelectionStart(5);
    editor.insertText(QString("1") + QChar(u'\0') + "2");
    EXPECT_EQ(editor.line(1), QString("1") + QChar(u'\0') + "2def");
}

TEST(EditorOperations, FindTextSelectsTheMatchOrLeavesAllAlone) {
    SourceEditor editor;
    editor.setLines({"int a;", "print(int b);"});
    editor.setSelectionStart(2);
    ASSERT_TRUE(editor.findText("INT", {true, true, false}));
    // Downward: the selection runs back from the match's end.
    EXPECT_EQ(editor.selectionStart(), editor.position({1, 9}));
    EXPECT_EQ(editor.selectionLength(), -3);
    EXPECT_EQ(editor.selectedText(), "int");
    // From the last match's end nothing follows: nothing changes.
    EXPECT_FALSE(editor.findText("int", {true, true, false}));
    EXPECT_EQ(editor.selectionStart(), editor.position({1, 9}));
    EXPECT_EQ(editor.selectionLength(), -3);
    // Upward: from the match's start on.
    ASSERT_TRUE(editor.findText("int", {false, false, true}));
    EXPECT_EQ(editor.selectionStart(), editor.position({1, 6}));
    EXPECT_EQ(editor.selectionLength(), 3);
}

TEST(EditorOperations, ColumnBlocksTravelWithTheirOwnFormat) {
    ShownEditor s;
    SourceEditor& editor = s.editor;
    editor.setLines({"abcd", "efgh", "ijkl"});
    editor.SendScintilla(QsciScintillaBase::SCI_SETRECTANGULARSELECTIONANCHOR, 1ul);
    editor.SendScintilla(QsciScintillaBase::SCI_SETRECTANGULARSELECTIONCARET,
                         static_cast<unsigned long>(editor.position({1, 3})));
    editor.copy();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    ASSERT_TRUE(copied->hasFormat(SourceEditor::blockFormat()));
    const QByteArray block = copied->data(SourceEditor::blockFormat());
    EXPECT_TRUE(block.endsWith('\0'));
    EXPECT_TRUE(block.startsWith("bc\r\nfg"));
    EXPECT_EQ(copied->text().left(6), "bc\r\nfg");

    // Pasted as a block, one piece per line.
    editor.setSelectionStart(editor.position({1, 4}));
    editor.paste();
    EXPECT_EQ(editor.lines().mid(0, 3), QStringList({"abcd", "efghbc", "ijklfg"}));

    // A plain copy carries no block format, and a plain paste runs on.
    editor.setLines({"abcd", "efgh"});
    editor.setSelectionStart(1);
    editor.setSelectionLength(5);
    editor.copy();
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasFormat(SourceEditor::blockFormat()));

    // Text from elsewhere with the format is pasted as a block too.
    auto* data = new QMimeData;
    data->setText("12\r\n34");
    data->setData(SourceEditor::blockFormat(), QByteArray("12\r\n34", 6) + '\0');
    QApplication::clipboard()->setMimeData(data);
    editor.setSelectionStart(1);
    editor.paste();
    EXPECT_EQ(editor.lines(), QStringList({"a12bcd", "e34fgh"}));
}

TEST(EditorOperations, OwnHotKeysAreOffButCaretKeysStay) {
    ShownEditor s;
    SourceEditor& editor = s.editor;
    editor.setLines({"alpha", "beta"});
    editor.setSelectionStart(5);
    QTest::keyClicks(&editor, "X");
    for (const auto& [key, modifiers] : std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_Z, Qt::ControlModifier},
             {Qt::Key_Y, Qt::ControlModifier},
             {Qt::Key_A, Qt::ControlModifier},
             {Qt::Key_L, Qt::ControlModifier},
             {Qt::Key_D, Qt::ControlModifier},
             {Qt::Key_T, Qt::ControlModifier},
             {Qt::Key_U, Qt::ControlModifier},
             {Qt::Key_Delete, Qt::ControlModifier},
             {Qt::Key_Delete, Qt::ShiftModifier},
             {Qt::Key_Backspace, Qt::ControlModifier},
         })
        QTest::keyClick(&editor, key, modifiers);
    EXPECT_EQ(editor.lines(), QStringList({"alphaX", "beta"}));
    EXPECT_EQ(editor.selectionLength(), 0);

    // The caret wraps from a line's end onto the next line.
    QTest::keyClick(&editor, Qt::Key_Right);
    EXPECT_EQ(editor.caretLine(), 1);
    EXPECT_EQ(editor.caretColumn(), 0);
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(editor.selectedText(), "beta");
    // Insert toggles overwrite.
    editor.setSelectionStart(editor.position({1, 1}));
    QTest::keyClick(&editor, Qt::Key_Insert);
    QTest::keyClicks(&editor, "ET");
    EXPECT_EQ(editor.line(1), "bETa");
    QTest::keyClick(&editor, Qt::Key_Insert);
    QTest::keyClicks(&editor, "!");
    EXPECT_EQ(editor.line(1), "bET!a");
}

TEST(EditorOperations, ChordsWithoutACommandTypeNothingAndCtrlPlusMinusZeroZoom) {
    using Sci = QsciScintillaBase;
    ShownEditor s;
    SourceEditor& editor = s.editor;
    editor.setLines({"\t}"});
    editor.setSelectionStart(2);
    QSignalSpy released(&editor, &SourceEditor::keyReleased);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        int zoom; // after the chord
    } chords[] = {
        {Qt::Key_Equal, Qt::ControlModifier, "=", 0},
        {Qt::Key_Period, Qt::ControlModifier, ".", 0},
        {Qt::Key_1, Qt::ControlModifier, "1", 0},
        {Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier, "X", 0},
        {Qt::Key_Q, Qt::AltModifier, "q", 0},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, "+", 1},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "+", 2},
        {Qt::Key_Minus, Qt::ControlModifier, "-", 1},
        {Qt::Key_0, Qt::ControlModifier, "0", 0},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, "-", -1},
        {Qt::Key_0, Qt::ControlModifier, "0", 0},
    };
    for (const auto& chord : chords) {
        QTest::sendKeyEvent(QTest::Click, &editor, chord.key, QString::fromLatin1(chord.text),
                            chord.modifiers);
        EXPECT_EQ(editor.lines(), QStringList({"\t}"})) << chord.text;
        EXPECT_EQ(editor.SendScintilla(Sci::SCI_GETZOOM), chord.zoom) << chord.text;
    }
    // None reaches the typing aids (only the modifier keys' own releases do): Ctrl+0 is no closing brace
    // typed on the 0 key.
    for (const QList<QVariant>& release : released)
        EXPECT_EQ(release, QVariantList({0, false}));
    // Plain and shifted typing still types.
    QTest::keyClicks(&editor, "a+B");
    EXPECT_EQ(editor.lines(), QStringList({"\t}a+B"}));
}

TEST(EditorOperations, AltDragSelectsAColumnBlockAndSoDoesCtrlDrag) {
    using Sci = QsciScintillaBase;
    ShownEditor s;
    SourceEditor& editor = s.editor;
    editor.setLines({"abcdef", "ghijkl", "mnopqr"});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const auto pointAt = [&](LineColumn at) {
        const long position = editor.position(at);
        return QPoint(int(editor.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0ul, position)),
                      int(editor.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0ul, position)) + 2);
    };
    const auto drag = [&](Qt::KeyboardModifiers modifiers) {
        QWidget* area = editor.viewport();
        const QPoint from = pointAt({0, 1});
        const QPoint to = pointAt({2, 4});
        // Presses at one place in quick succession would make a double click.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QMouseEvent press(QEvent::MouseButtonPress, from, area->mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QApplication::sendEvent(area, &press);
        QMouseEvent move(QEvent::MouseMove, to, area->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         modifiers);
        QApplication::sendEvent(area, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, area->mapToGlobal(to), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QApplication::sendEvent(area, &release);
    };
    const struct {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        bool block;
        QString selected;
    } cases[] = {
        // A stream between two blocks: one block drag right after another (the same with Ctrl
        // alone) selects nothing here, in QScintilla's own handling of synthetic events.
        {"Alt", Qt::AltModifier, true, "bcd\r\nhij\r\nnop"},
        {"no modifier", Qt::NoModifier, false, "bcdef\r\nghijkl\r\nmnop"},
        {"Ctrl", Qt::ControlModifier, true, "bcd\r\nhij\r\nnop"},
    };
    for (const auto& c : cases) {
        drag(c.modifiers);
        EXPECT_EQ(bool(editor.SendScintilla(Sci::SCI_SELECTIONISRECTANGLE)), c.block) << c.name;
        EXPECT_EQ(editor.selectedText().left(c.selected.size()), c.selected) << c.name;
    }
}

TEST(EditorOperations, CtrlSpaceAsksForCompletion) {
    ShownEditor s;
    s.editor.setLines({"ab"});
    QSignalSpy spy(&s.editor, &SourceEditor::completionRequested);
    QTest::keyClick(&s.editor, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(s.editor.lines(), QStringList({"ab"}));
}

TEST(EditorOperations, NewLinesCopyTheIndentationCharacterForCharacter) {
    ShownEditor s;
    s.editor.setLines({" \t  x", "\t"});
    s.editor.setSelectionStart(5);
    QTest::keyClick(&s.editor, Qt::Key_Return);
    EXPECT_EQ(s.editor.lines(), QStringList({" \t  x", " \t  ", "\t"}));
    EXPECT_EQ(s.editor.caretColumn(), 4);
    QTest::keyClick(&s.editor, Qt::Key_Return);
    EXPECT_EQ(s.editor.lines(), QStringList({" \t  x", " \t  ", " \t  ", "\t"}));
}

TEST(EditorOperations, FixedConfiguration) {
    SourceEditor editor;
    EXPECT_EQ(editor.marginWidth(0), 30);
    // Beside the gutter the symbol margin, which takes clicks and shows breakpoints and note marks.
    EXPECT_EQ(editor.marginWidth(1), 16);
    EXPECT_EQ(editor.marginType(1), QsciScintilla::SymbolMargin);
    EXPECT_TRUE(editor.marginSensitivity(1));
    for (const int marker : {SourceEditor::BreakpointMarker, SourceEditor::NoteMarker}) {
        EXPECT_TRUE(editor.marginMarkerMask(1) & (1 << marker)) << marker;
        EXPECT_FALSE(editor.marginMarkerMask(0) & (1 << marker)) << marker;
    }
    EXPECT_EQ(editor.tabWidth(), 4);
    editor.setTabStops(0);
    EXPECT_EQ(editor.tabWidth(), 1);
    editor.setTabStops(40);
    EXPECT_EQ(editor.tabWidth(), 16);
    EXPECT_EQ(editor.wrapMode(), QsciScintilla::WrapNone);
    EXPECT_EQ(editor.font().family(), editorFontFamily());
}

// The gutter's numbers are centred in its 30 pixels and the end-of-text mark is blue under the last line.
TEST(EditorOperations, GutterAndEndOfTextMarkAreDrawn) {
    ShownEditor s;
    s.editor.setLines({"1", "22"});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.editor));
    const auto* overlay = s.editor.viewport()->findChild<EditorOverlay*>();
    ASSERT_NE(overlay, nullptr);
    const int lineHeight = int(s.editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0ul));
    EXPECT_EQ(overlay->endOfTextY(), 2 * lineHeight);

    const QImage image = s.editor.viewport()->grab().toImage();
    const int y = overlay->endOfTextY();
    EXPECT_EQ(image.pixelColor(200, y), EditorOverlay::endOfTextColor());
    // Dark pixels of the number "1" in the first row of the gutter lie around its middle.
    int left = 30, right = -1;
    for (int x = 0; x < 30; ++x)
        for (int row = 0; row < lineHeight; ++row)
            if (image.pixelColor(x, row).lightness() < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LE(left, right);
    EXPECT_NEAR((left + right) / 2.0, 15.0, 2.5);

    // Typing moves the mark down with the text.
    s.editor.setSelectionStart(s.editor.textLength());
    QTest::keyClick(&s.editor, Qt::Key_Return);
    EXPECT_EQ(overlay->endOfTextY(), 3 * lineHeight);

    // Scrolled, the mark follows the text's end and leaves the view with it.
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString("line %1").arg(i);
    s.editor.setLines(many);
    EXPECT_EQ(overlay->endOfTextY(), -1);
    s.editor.setFirstVisibleLine(195);
    QCoreApplication::processEvents();
    EXPECT_EQ(overlay->pos(), QPoint(0, 0));
    // The view stops with the last line at its bottom.
    const int end = (200 - s.editor.firstVisibleLine()) * lineHeight;
    EXPECT_GT(s.editor.firstVisibleLine(), 150);
    EXPECT_EQ(overlay->endOfTextY(), end);
    const QImage scrolled = s.editor.viewport()->grab().toImage();
    EXPECT_EQ(scrolled.pixelColor(200, end), EditorOverlay::endOfTextColor());
}

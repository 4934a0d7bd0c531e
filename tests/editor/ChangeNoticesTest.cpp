// Typing holds Scintilla's after-change notices back until the key is handled (see ChangeNotices); these
// tests check that every listener still gets the notices Scintilla itself would have sent.
#include "editor/HighlightEngine.h"
#include "editor/ProfileLexer.h"
#include "editor/SourceEditor.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using Sci = QsciScintillaBase;

namespace {

struct Notice {
    bool insert;
    int position;
    QByteArray text;
    int linesAdded;
    bool operator==(const Notice&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& notice) {
    return out << (notice.insert ? "insert " : "delete ") << notice.position << " \""
               << notice.text.toHex(' ').constData() << "\" lines " << notice.linesAdded;
}

// The after-change notices an editor sends, as any listener connected to it sees them.
class NoticeLog : public QObject {
public:
    explicit NoticeLog(SourceEditor& editor) {
        connect(&editor, &Sci::SCN_MODIFIED, this,
                [this](int position, int type, const char* text, int length, int linesAdded) {
                    if (!(type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)))
                        return;
                    notices.push_back({bool(type & Sci::SC_MOD_INSERTTEXT), position,
                                       text ? QByteArray(text, length) : QByteArray(), linesAdded});
                });
        connect(&editor, &SourceEditor::changed, this, [this] { ++changed; });
        connect(&editor, &QsciScintilla::linesChanged, this, [this] { ++linesChanged; });
    }
    std::vector<Notice> notices;
    int changed = 0;
    int linesChanged = 0;
};

QByteArray bytesOf(const SourceEditor& editor) {
    const auto* text = static_cast<const char*>(editor.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return QByteArray(text, editor.length());
}

void typeText(SourceEditor& editor, const QString& text) {
    // One key event per character, carrying the character as a keyboard would.
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&editor, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&editor, &release);
    }
}

} // namespace

TEST(ChangeNotices, TypingDeliversTheNoticesScintillaSends) {
    struct Case {
        const char* name;
        QStringList lines;
        int selectionStart;
        int selectionLength;
        std::function<void(SourceEditor&)> act;
        std::vector<Notice> expected;
        int linesChanged;
        QStringList after;
    };
    // A copy of the keys: the array behind an initializer_list ends with the case's initializer.
    const auto keys = [](std::initializer_list<Qt::Key> list) {
        return [list = std::vector<Qt::Key>(list)](SourceEditor& editor) {
            for (Qt::Key key : list)
                QTest::keyClick(&editor, key);
        };
    };
    const std::vector<Case> cases = {
        {"letters",
         {"x"},
         1,
         0,
         [](SourceEditor& e) { QTest::keyClicks(&e, "ab"); },
         {{true, 1, "a", 0}, {true, 2, "b", 0}},
         0,
         {"xab"}},
        // The new line copies the indentation above: a second insertion inside the same key.
        {"enter copies indentation",
         {"\tif (a) {"},
         9,
         0,
         keys({Qt::Key_Return}),
         {{true, 9, "\r\n", 1}, {true, 11, "\t", 0}},
         1,
         {"\tif (a) {", "\t"}},
        {"backspace joins lines",
         {"ab", "cd"},
         4,
         0,
         keys({Qt::Key_Backspace}),
         {{false, 2, "\r\n", -1}},
         1,
         {"abcd"}},
        {"delete at the end of a line",
         {"ab", "cd"},
         2,
         0,
         keys({Qt::Key_Delete}),
         {{false, 2, "\r\n", -1}},
         1,
         {"abcd"}},
        {"typing over a selection",
         {"abcd"},
         1,
         2,
         [](SourceEditor& e) { QTest::keyClicks(&e, "z"); },
         {{false, 1, "bc", 0}, {true, 1, "z", 0}},
         0,
         {"azd"}},
        {"enter over a selection across lines",
         {"ab", "cd"},
         1,
         4,
         keys({Qt::Key_Return}),
         {{false, 1, "b\r\nc", -1}, {true, 1, "\r\n", 1}},
         2,
         {"a", "d"}},
        {"characters beyond ASCII",
         {"a"},
         1,
         0,
         [](SourceEditor& e) { typeText(e, QString::fromUtf8("é€")); },
         {{true, 1, "\xC3\xA9", 0}, {true, 3, "\xE2\x82\xAC", 0}},
         0,
         {QString::fromUtf8("aé€")}},
        {"input method commit",
         {"a"},
         1,
         0,
         [](SourceEditor& e) {
             QInputMethodEvent event;
             event.setCommitString(QString::fromUtf8("ü"));
             QApplication::sendEvent(&e, &event);
         },
         {{true, 1, "\xC3\xBC", 0}},
         0,
         {QString::fromUtf8("aü")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SourceEditor editor;
        editor.show();
        editor.setFocus();
        editor.setLines(c.lines);
        editor.setSelectionStart(c.selectionStart);
        editor.setSelectionLength(c.selectionLength);
        NoticeLog log(editor);
        c.act(editor);
        EXPECT_EQ(log.notices, c.expected);
        // One change notice per insertion or deletion, as before.
        EXPECT_EQ(log.changed, int(c.expected.size()));
        EXPECT_EQ(log.linesChanged, c.linesChanged);
        EXPECT_EQ(editor.lines(), c.after);
    }
}

TEST(ChangeNotices, NothingIsNotifiedWhenAKeyChangesNothing) {
    SourceEditor editor;
    editor.show();
    editor.setFocus();
    editor.setLines({"abc"});
    editor.setReadOnly(true);
    NoticeLog log(editor);
    QTest::keyClicks(&editor, "q");
    QTest::keyClick(&editor, Qt::Key_Backspace);
    editor.setReadOnly(false);
    QTest::keyClick(&editor, Qt::Key_Right);
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(log.changed, 0);
    EXPECT_EQ(editor.lines(), QStringList({"abc"}));
}

TEST(ChangeNotices, ListenersSeeTheTextAsTheKeyLeftIt) {
    SourceEditor editor;
    editor.show();
    editor.setFocus();
    editor.setLines({"x"});
    editor.setSelectionStart(1);
    QStringList seen;
    QObject::connect(&editor, &SourceEditor::changed, [&] { seen << editor.lines().join('|'); });
    QTest::keyClicks(&editor, "y");
    EXPECT_EQ(seen, QStringList({"xy"}));
}

// After a key every other way of changing the text notifies at once again. A listener that edits on a
// notice after a key gets its edit made and notified (inside Scintilla's own notice it would be refused).
TEST(ChangeNotices, EditsOutsideAKeyNotifyAtOnce) {
    SourceEditor editor;
    editor.show();
    editor.setFocus();
    editor.setLines({"ab"});
    editor.setSelectionStart(2);
    QTest::keyClicks(&editor, "c");

    NoticeLog log(editor);
    editor.SendScintilla(Sci::SCI_INSERTTEXT, 0ul, "z");
    ASSERT_EQ(log.notices.size(), 1u);
    EXPECT_EQ(log.notices[0], (Notice{true, 0, "z", 0}));
    EXPECT_EQ(log.changed, 1);
    editor.undo();
    EXPECT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(log.changed, 2);
    EXPECT_EQ(editor.lines(), QStringList({"abc"}));

    bool once = true;
    QObject::connect(&editor, &SourceEditor::changed, [&] {
        if (std::exchange(once, false))
            editor.insertText(";");
    });
    editor.setSelectionStart(3);
    QTest::keyClicks(&editor, "d");
    EXPECT_EQ(editor.lines(), QStringList({"abcd;"}));
    EXPECT_EQ(log.changed, 4);
    // The log listens after the editor's own change notice, so it hears the nested edit first.
    ASSERT_EQ(log.notices.size(), 4u);
    EXPECT_EQ(log.notices[2], (Notice{true, 4, ";", 0}));
    EXPECT_EQ(log.notices[3], (Notice{true, 3, "d", 0}));
}

// Random keys over Java source: the notices rebuild the text exactly, their line counts add up, every
// one is a change notice, and the lexer (which follows the notices before each change) colours the
// text as a fresh colouring of it would; undoing it all brings the first text back, notified too.
TEST(ChangeNotices, RandomTypingKeepsNoticesTextAndColoursInStep) {
    SourceEditor editor;
    editor.resize(500, 300);
    editor.show();
    editor.setFocus();
    QStringList source = {"import waba.ui.*;", "", "public class Demo extends MainWindow {"};
    for (int i = 0; i < 8; ++i)
        source << QString("    public void onEvent%1(Event e) {").arg(i) << "        int x = 1; // one"
               << "        String s = \"int /* not\";"
               << "    }";
    source << "}";
    editor.setLines(source);
    const QByteArray first = bytesOf(editor);
    NoticeLog log(editor);

    QByteArray shadow = first;
    size_t applied = 0;
    const auto follow = [&] {
        for (; applied < log.notices.size(); ++applied) {
            const Notice& n = log.notices[applied];
            if (n.insert)
                shadow.insert(n.position, n.text);
            else {
                ASSERT_EQ(shadow.mid(n.position, n.text.size()), n.text);
                shadow.remove(n.position, n.text.size());
            }
        }
    };

    const QList<Qt::Key> moves = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                  Qt::Key_Down, Qt::Key_End,   Qt::Key_Home};
    const QStringList pieces = {"/*", "*/", "int", "x", "\"", "//", " ", "{"};
    QRandomGenerator random(17);
    const long linesBefore = editor.SendScintilla(Sci::SCI_GETLINECOUNT);
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        const int action = random.bounded(12);
        if (action < 4)
            QTest::keyClick(&editor, moves[random.bounded(int(moves.size()))],
                            random.bounded(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
        else if (action < 8)
            QTest::keyClicks(&editor, pieces[random.bounded(int(pieces.size()))]);
        else if (action == 8)
            QTest::keyClick(&editor, Qt::Key_Return);
        else if (action == 9)
            QTest::keyClick(&editor, Qt::Key_Backspace);
        else if (action == 10)
            QTest::keyClick(&editor, Qt::Key_Delete);
        else
            typeText(editor, QString::fromUtf8("ä"));
        follow();
        ASSERT_EQ(shadow, bytesOf(editor));
        // Style part of the text, as a view would, and compare it with a colouring from scratch.
        const long upTo = random.bounded(int(editor.length()) + 1);
        editor.SendScintilla(Sci::SCI_COLOURISE, editor.SendScintilla(Sci::SCI_GETENDSTYLED), upTo);
        if (step % 50 == 49) {
            editor.SendScintilla(Sci::SCI_COLOURISE, editor.SendScintilla(Sci::SCI_GETENDSTYLED), -1L);
            SourceEditor fresh;
            fresh.setLines(editor.lines());
            fresh.SendScintilla(Sci::SCI_COLOURISE, 0ul, -1L);
            for (long i = 0; i < editor.length(); ++i)
                ASSERT_EQ(editor.SendScintilla(Sci::SCI_GETSTYLEAT, i),
                          fresh.SendScintilla(Sci::SCI_GETSTYLEAT, i))
                    << "at " << i;
        }
    }
    EXPECT_EQ(log.changed, int(log.notices.size()));
    long added = 0;
    for (const Notice& n : log.notices)
        added += n.linesAdded;
    EXPECT_EQ(linesBefore + added, editor.SendScintilla(Sci::SCI_GETLINECOUNT));
    EXPECT_GT(log.notices.size(), 200u);

    while (editor.isUndoAvailable())
        editor.undo();
    follow();
    EXPECT_EQ(bytesOf(editor), first);
    EXPECT_EQ(shadow, first);
}

// QScintilla's own accessible walks the whole text for the caret's offset on every repaint; while no
// assistive technology listens the editor has a plain one, which still names it as editable text.
TEST(ChangeNotices, ThePlainAccessibleStandsInWhileNoAssistiveTechnologyListens) {
    ASSERT_FALSE(QAccessible::isActive());
    SourceEditor editor;
    editor.show();
    QTest::keyClicks(&editor, "ab");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&editor);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::EditableText);
    EXPECT_EQ(iface->object(), &editor);
    EXPECT_EQ(iface->textInterface(), nullptr);
    // A plain QScintilla editor keeps QScintilla's.
    QsciScintilla plain;
    QAccessibleInterface* own = QAccessible::queryAccessibleInterface(&plain);
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own->textInterface(), nullptr);
}

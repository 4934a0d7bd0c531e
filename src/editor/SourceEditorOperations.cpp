// The editor's fixed configuration and the operations the rest of the program calls on it.
#include "EditorOverlay.h"
#include "HighlightProfile.h"
#include "SourceEditor.h"
#include "SourceEditorFont.h"
#include "TypingAids.h"

#include <QApplication>
#include <QColor>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QStringDecoder>
#include <Qsci/qscicommandset.h>
#include <algorithm>
#include <memory>

namespace {

// Keys that move the caret or edit at it stay with the editor; every other binding (clipboard, undo,
// line and case commands, zoom) is switched off so the menus' shortcuts are the only ones.
bool isCaretCommand(QsciCommand::Command command) {
    using C = QsciCommand;
    static const QSet<QsciCommand::Command> kept = {
        C::LineDown,
        C::LineDownExtend,
        C::LineDownRectExtend,
        C::LineScrollDown,
        C::LineUp,
        C::LineUpExtend,
        C::LineUpRectExtend,
        C::LineScrollUp,
        C::CharLeft,
        C::CharLeftExtend,
        C::CharLeftRectExtend,
        C::CharRight,
        C::CharRightExtend,
        C::CharRightRectExtend,
        C::WordLeft,
        C::WordLeftExtend,
        C::WordRight,
        C::WordRightExtend,
        C::Home,
        C::HomeExtend,
        C::HomeRectExtend,
        C::VCHome,
        C::VCHomeExtend,
        C::VCHomeRectExtend,
        C::LineEnd,
        C::LineEndExtend,
        C::LineEndRectExtend,
        C::DocumentStart,
        C::DocumentStartExtend,
        C::DocumentEnd,
        C::DocumentEndExtend,
        C::PageUp,
        C::PageUpExtend,
        C::PageUpRectExtend,
        C::PageDown,
        C::PageDownExtend,
        C::PageDownRectExtend,
        C::Delete,
        C::DeleteBack,
        C::DeleteBackNotLine,
        C::EditToggleOvertype,
        C::Newline,
        C::Tab,
        C::Cancel,
    };
    return kept.contains(command);
}

QString withCrLf(const QString& text) {
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            result += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

void SourceEditor::configure() {
    setTabWidth(m_tabWidth);
    setIndentationsUseTabs(true);
    // New lines copy the previous line's indentation character for character (see copyIndentation);
    // Scintilla's own auto-indent would rebuild it from tabs and blanks of its choosing.
    setAutoIndent(false);
    // 10 points is 13 pixels at 96 dots per inch; Scintilla takes point sizes only.
    setFont(editorFont(10));
    // A 30-pixel gutter; the overlay draws its numbers centred. Beside it the symbol margin.
    setMarginType(0, QsciScintilla::SymbolMarginDefaultBackgroundColor);
    setMarginWidth(0, 30);
    setMarginLineNumbers(0, false);
    setMarginSensitivity(0, false);
    // The symbol margin beside it: breakpoints, and lines with an open bug or note.
    setMarginType(1, QsciScintilla::SymbolMargin);
    setMarginWidth(1, 16);
    setMarginSensitivity(1, true);
    // Breakpoints: a red dot.
    markerDefine(QsciScintilla::Circle, BreakpointMarker);
    setMarkerBackgroundColor(QColor(0xd0, 0x20, 0x20), BreakpointMarker);
    setMarkerForegroundColor(QColor(0x80, 0x10, 0x10), BreakpointMarker);
    markerDefine(QsciScintilla::Bookmark, NoteMarker);
    setMarkerBackgroundColor(QColor(0xe0, 0xa0, 0x00), NoteMarker);
    setMarkerForegroundColor(QColor(0x80, 0x50, 0x00), NoteMarker);
    setMarginMarkerMask(1, marginMarkerMask(1) | (1 << BreakpointMarker) | (1 << NoteMarker));
    setMarginWidth(2, 0);
    // The horizontal scroll bar follows the longest line instead of a fixed width.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Pasted text gets CR LF breaks too, so lines() and positions stay consistent.
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    // Column blocks with Ctrl or Alt (see mousePressEvent) and the mouse or Alt+Shift and the arrows;
    // Scintilla's overwrite caret is a bar as wide as the character under it.
    SendScintilla(SCI_SETMOUSESELECTIONRECTANGULARSWITCH, 1);
    SendScintilla(SCI_SETMULTIPLESELECTION, 0);

    for (QsciCommand* command : standardCommands()->commands())
        if (!isCaretCommand(command->command())) {
            command->setKey(0);
            command->setAlternateKey(0);
        }

    connect(this, &QsciScintillaBase::SCN_CHARADDED, this, &SourceEditor::copyIndentation);
    new EditorOverlay(this);
}

void SourceEditor::copyIndentation(int added) {
    if (added != '\n')
        return;
    const QString above = line(caretLine() - 1);
    qsizetype length = 0;
    while (length < above.size() && (above.at(length) == u' ' || above.at(length) == u'\t'))
        ++length;
    if (length == 0)
        return;
    const QByteArray indent = above.left(length).toUtf8();
    SendScintilla(SCI_ADDTEXT, static_cast<unsigned long>(indent.size()), indent.constData());
}

QString SourceEditor::line(int index) const {
    if (index < 0 || index >= lineCount())
        return QString();
    const long start = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(index));
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(index));
    if (end <= start)
        return QString();
    QByteArray bytes(end - start + 1, Qt::Uninitialized);
    SendScintilla(SCI_GETTEXTRANGE, start, end, bytes.data());
    bytes.chop(1);
    return textOfBytes(bytes);
}

QString SourceEditor::textOfBytes(const QByteArray& bytes) const {
    // A leading byte-order mark is a character of the text here.
    QStringDecoder toText(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return toText(bytes);
}

QString SourceEditor::selectedText() const {
    if (SendScintilla(SCI_GETSELECTIONEMPTY))
        return QString();
    if (!SendScintilla(SCI_SELECTIONISRECTANGLE)) {
        const long start = SendScintilla(SCI_GETSELECTIONSTART);
        const long end = SendScintilla(SCI_GETSELECTIONEND);
        QByteArray bytes(end - start + 1, Qt::Uninitialized);
        SendScintilla(SCI_GETTEXTRANGE, start, end, bytes.data());
        bytes.chop(1);
        return textOfBytes(bytes);
    }
    const long size = SendScintilla(SCI_GETSELTEXT, 0ul, static_cast<void*>(nullptr));
    QByteArray bytes(size + 1, '\0');
    SendScintilla(SCI_GETSELTEXT, 0ul, static_cast<void*>(bytes.data()));
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return textOfBytes(bytes);
}

void SourceEditor::needCharacterIndex() const {
    // Positions count UTF-16 characters, as QString does; Scintilla keeps an index per line for that.
    if (m_characterIndex)
        return;
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, long(SC_LINECHARACTERINDEX_UTF16));
    m_characterIndex = true;
}

int SourceEditor::characterPosition(long bytePosition) const {
    needCharacterIndex();
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(bytePosition));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return int(SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                             long(SC_LINECHARACTERINDEX_UTF16)) +
               SendScintilla(SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineStart), bytePosition));
}

long SourceEditor::bytePosition(int position) const {
    const LineColumn at = lineColumn(position);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(at.line));
    const long lineEnd = SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(at.line));
    const long byte =
        SendScintilla(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(lineStart), long(at.column));
    // Inside a line break the caret would split it: the next line's start stands in.
    if (byte > lineEnd || (byte == 0 && at.column > 0))
        return SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(at.line + 1));
    return byte;
}

int SourceEditor::textLength() const {
    return characterPosition(length());
}

int SourceEditor::position(LineColumn at) const {
    needCharacterIndex();
    const int lines = std::max(1, QsciScintilla::lines());
    const int line = std::clamp(at.line, 0, lines - 1);
    return int(SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                             long(SC_LINECHARACTERINDEX_UTF16))) +
           std::max(0, at.column);
}

LineColumn SourceEditor::lineColumn(int position) const {
    needCharacterIndex();
    position = std::clamp(position, 0, textLength());
    const int line = int(SendScintilla(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(position),
                                       long(SC_LINECHARACTERINDEX_UTF16)));
    return {line, position - int(SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                               long(SC_LINECHARACTERINDEX_UTF16)))};
}

int SourceEditor::selectionStart() const {
    return characterPosition(SendScintilla(SCI_GETANCHOR));
}

int SourceEditor::selectionLength() const {
    return characterPosition(SendScintilla(SCI_GETCURRENTPOS)) - selectionStart();
}

void SourceEditor::setSelectionStart(int position) {
    SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(bytePosition(position)));
}

void SourceEditor::setSelectionLength(int length) {
    const long anchor = SendScintilla(SCI_GETANCHOR);
    const int caret = std::clamp(characterPosition(anchor) + length, 0, textLength());
    SendScintilla(SCI_SETSELECTIONMODE, long(SC_SEL_STREAM));
    SendScintilla(SCI_SETSELECTION, static_cast<unsigned long>(bytePosition(caret)), anchor);
}

void SourceEditor::insertText(const QString& text) {
    const QByteArray bytes = withCrLf(text).toUtf8();
    ChangeNotices::Deferral deferral(*m_notices);
    SendScintilla(SCI_BEGINUNDOACTION);
    // Replacing through the target keeps every byte, NUL included, and works for a column block too.
    if (!SendScintilla(SCI_GETSELECTIONEMPTY))
        SendScintilla(SCI_REPLACESEL, static_cast<unsigned long>(0), "");
    const long at = SendScintilla(SCI_GETCURRENTPOS);
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(at), at);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(at + bytes.size()));
    SendScintilla(SCI_ENDUNDOACTION);
}

void SourceEditor::editAsOneStep(const std::function<void()>& edits) {
    ChangeNotices::Deferral deferral(*m_notices);
    SendScintilla(SCI_BEGINUNDOACTION);
    edits();
    SendScintilla(SCI_ENDUNDOACTION);
}

bool SourceEditor::findText(const QString& what, const SearchOptions& options, bool endBeforeStart) {
    const int start = selectionStart();
    const std::optional<LineColumn> match =
        findInLines([this](int index) { return line(index); }, lineCount(), lineColumn(start), what, options,
                    endBeforeStart);
    if (!match)
        return false;
    const int at = position(*match);
    const int size = int(what.size());
    if (options.down) {
        setSelectionStart(at + size);
        setSelectionLength(-size);
    } else {
        setSelectionStart(at);
        setSelectionLength(size);
    }
    return true;
}

void SourceEditor::deleteBack() {
    ChangeNotices::Deferral deferral(*m_notices);
    SendScintilla(SCI_DELETEBACK);
}

QMimeData* SourceEditor::toMimeData(const QByteArray& text, bool rectangular) const {
    QMimeData* data = QsciScintilla::toMimeData(text, rectangular);
    if (rectangular)
        data->setData(blockFormat(), text + '\0');
    return data;
}

QByteArray SourceEditor::fromMimeData(const QMimeData* source, bool& rectangular) const {
    const QByteArray text = QsciScintilla::fromMimeData(source, rectangular);
    if (source->hasFormat(blockFormat()))
        rectangular = true;
    return text;
}

namespace {

// The key as Scintilla's key map names it: the Qt key with the modifiers it distinguishes.
int scintillaKey(const QKeyEvent& event) {
    int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ShiftModifier)
        key |= Qt::SHIFT;
    if (modifiers & Qt::ControlModifier)
        key |= Qt::CTRL;
    if (modifiers & Qt::AltModifier)
        key |= Qt::ALT;
    if (modifiers & Qt::MetaModifier)
        key |= Qt::META;
    return key;
}

// The physical key, so that a release matches its press even when a modifier let go in between makes
// it report another key ("}" pressed, "]" released).
qint64 physicalKey(const QKeyEvent& event) {
    return event.nativeScanCode() != 0 ? (qint64(1) << 32) | event.nativeScanCode() : qint64(event.key());
}

} // namespace

bool SourceEditor::handledAsChord(QKeyEvent* event) {
    constexpr Qt::KeyboardModifiers kChordModifiers =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!(event->modifiers() & kChordModifiers) || standardCommands()->boundTo(scintillaKey(*event)))
        return false;
    // Chords that are no command type nothing; three of them zoom.
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_Plus)
            zoomIn();
        else if (event->key() == Qt::Key_Minus)
            zoomOut();
        else if (event->key() == Qt::Key_0)
            zoomTo(0);
    }
    event->accept();
    return true;
}

void SourceEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ControlModifier) {
        emit completionRequested();
        return;
    }
    if (handledAsChord(event))
        return;
    // What the key typed is decided now: by its release a modifier may be gone, and the key with it.
    m_pressedKeys.insert(physicalKey(*event),
                         {TypingAids::windowsKeyCode(*event), TypingAids::typesClosingBrace(*event)});
    ChangeNotices::Deferral deferral(*m_notices);
    QsciScintilla::keyPressEvent(event);
}

void SourceEditor::inputMethodEvent(QInputMethodEvent* event) {
    ChangeNotices::Deferral deferral(*m_notices);
    QsciScintilla::inputMethodEvent(event);
}

void SourceEditor::keyReleaseEvent(QKeyEvent* event) {
    QsciScintilla::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    // A key pressed elsewhere (Enter in the completion list) is not the editor's to act on.
    const auto pressed = m_pressedKeys.constFind(physicalKey(*event));
    if (pressed == m_pressedKeys.constEnd())
        return;
    const PressedKey key = *pressed;
    m_pressedKeys.erase(pressed);
    emit keyReleased(key.windowsKey, key.closingBrace);
}

namespace {

// The event with Alt (without Ctrl) taken as Ctrl: QScintilla starts a column block on Ctrl with the
// mouse and takes Alt for nothing.
std::unique_ptr<QMouseEvent> altAsCtrl(const QMouseEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (!(modifiers & Qt::AltModifier) || (modifiers & Qt::ControlModifier))
        return nullptr;
    auto copy = std::make_unique<QMouseEvent>(
        event.type(), event.position(), event.scenePosition(), event.globalPosition(), event.button(),
        event.buttons(), (modifiers & ~Qt::AltModifier) | Qt::ControlModifier, event.pointingDevice());
    copy->setTimestamp(event.timestamp());
    return copy;
}

} // namespace

void SourceEditor::mousePressEvent(QMouseEvent* event) {
    const std::unique_ptr<QMouseEvent> block = altAsCtrl(*event);
    QsciScintilla::mousePressEvent(block ? block.get() : event);
}

void SourceEditor::mouseMoveEvent(QMouseEvent* event) {
    const std::unique_ptr<QMouseEvent> block = altAsCtrl(*event);
    QsciScintilla::mouseMoveEvent(block ? block.get() : event);
}

void SourceEditor::mouseReleaseEvent(QMouseEvent* event) {
    const std::unique_ptr<QMouseEvent> block = altAsCtrl(*event);
    QsciScintilla::mouseReleaseEvent(block ? block.get() : event);
}

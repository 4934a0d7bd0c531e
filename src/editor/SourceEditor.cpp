#include "SourceEditor.h"

#include "ProfileLexer.h"
#include "ui/Readability.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QStringDecoder>
#include <Qsci/qscicommandset.h>
#include <algorithm>

SourceEditor::SourceEditor(QWidget* parent) : QsciScintilla(parent), m_notices(new ChangeNotices(this)) {
    useLightAccessibleFor(staticMetaObject.className());
    setObjectName("RichEdit1");
    setUtf8(true);
    setEolMode(QsciScintilla::EolWindows);
    setEolVisibility(false);
    setWrapMode(QsciScintilla::WrapNone);
    configure();
    // Colours from the Java and SuperWaba profile. A lexer takes over fonts and colours, so it comes
    // after the configuration and starts from the editor's font.
    auto* profileLexer = new ProfileLexer(this);
    profileLexer->setDefaultFont(this->font());
    setLexer(profileLexer);
    applyPalette();
    connect(this, &QsciScintilla::textChanged, this, &SourceEditor::forwardChange);
}

void SourceEditor::applyPalette() {
    const QPalette colours = palette();
    const QColor text = colours.color(QPalette::Text);
    const QColor paper = colours.color(QPalette::Base);
    setCaretForegroundColor(text);
    // The gutter is drawn like the window around the text; the overlay writes its numbers in the window's
    // text colour.
    setMarginsBackgroundColor(colours.color(QPalette::Window));
    setMarginsForegroundColor(colours.color(QPalette::WindowText));
    setSelectionBackgroundColor(colours.color(QPalette::Highlight));
    setSelectionForegroundColor(colours.color(QPalette::HighlightedText));
    QsciLexer* words = lexer();
    if (!words)
        return;
    words->setDefaultColor(text);
    words->setDefaultPaper(paper);
    for (int style = 0; style <= QsciScintillaBase::STYLE_MAX && !words->description(style).isEmpty();
         ++style) {
        const QColor background = words->defaultPaper(style);
        words->setPaper(background, style);
        words->setColor(Readability::readableOn(words->defaultColor(style), background), style);
    }
}

void SourceEditor::changeEvent(QEvent* event) {
    QsciScintilla::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
}

void SourceEditor::forwardChange() {
    fitGutter();
    if (!m_replacing)
        emit changed();
}

void SourceEditor::fitGutter() {
    const int digits = int(QString::number(std::max(1, QsciScintilla::lines())).size());
    if (digits == m_gutterDigits)
        return;
    m_gutterDigits = digits;
    // The widest number with a little room each side, never narrower than the 30 pixels of old.
    const int numbers = QFontMetrics(font()).horizontalAdvance(QString(digits, u'9'));
    setMarginWidth(0, std::max(30, numbers + 8));
}

void SourceEditor::setLines(const QStringList& lines) {
    replaceWholeText(lines, false);
}

void SourceEditor::replaceLines(const QStringList& lines) {
    replaceWholeText(lines, true);
}

void SourceEditor::replaceWholeText(const QStringList& lines, bool undoable) {
    const int caret = caretLine();
    const int top = firstVisibleLine();
    // Scintilla reports a replacement as a deletion plus an insertion; the rest of the program must see
    // one change, or a programmatic load would look like a user edit.
    m_replacing = true;
    const bool readOnly = isReadOnly();
    if (readOnly)
        setReadOnly(false);
    // SCI_SETTEXT (and so setText) takes a C string and stops at a NUL byte; text given with its length
    // keeps every byte.
    const QByteArray bytes = lines.join("\r\n").toUtf8();
    {
        // Its notices come at the end of the block, still inside the replacement.
        ChangeNotices::Deferral deferral(*m_notices);
        if (undoable) {
            SendScintilla(SCI_BEGINUNDOACTION);
            SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(0), SendScintilla(SCI_GETLENGTH));
            SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
            SendScintilla(SCI_ENDUNDOACTION);
        } else {
            SendScintilla(SCI_CLEARALL);
            SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
            SendScintilla(SCI_EMPTYUNDOBUFFER);
            SendScintilla(SCI_SETSAVEPOINT);
        }
    }
    if (readOnly)
        setReadOnly(true);
    m_replacing = false;
    if (undoable) {
        setCaretLine(caret);
        setFirstVisibleLine(top);
    }
    emit textReplaced();
    emit changed();
}

SourceEditor::ViewState SourceEditor::viewState() const {
    const auto* words = qobject_cast<const ProfileLexer*>(lexer());
    return {SendScintilla(SCI_GETANCHOR), SendScintilla(SCI_GETCURRENTPOS),
            int(SendScintilla(SCI_GETFIRSTVISIBLELINE)), int(SendScintilla(SCI_GETXOFFSET)),
            words ? words->progress() : ProfileLexer::Progress{}};
}

void SourceEditor::attach(void* document) {
    const bool readOnly = isReadOnly();
    // Not setDocument: QsciDocument adds a reference each time a document leaves the view and never
    // takes it back when the document returns, so a document shown twice would never be freed.
    SendScintilla(SCI_SETDOCPOINTER, 0ul, document);
    // Scintilla keeps these with the document, not the view: a new document has Scintilla's defaults.
    SendScintilla(SCI_SETCODEPAGE, long(SC_CP_UTF8));
    SendScintilla(SCI_SETEOLMODE, long(SC_EOL_CRLF));
    SendScintilla(SCI_SETTABWIDTH, static_cast<unsigned long>(m_tabWidth));
    SendScintilla(SCI_SETUSETABS, 1ul);
    SendScintilla(SCI_SETREADONLY, static_cast<unsigned long>(readOnly));
    // The UTF-16 line index is the document's too: made for this one only when it was needed before.
    m_characterIndex = SendScintilla(SCI_GETLINECHARACTERINDEX) & SC_LINECHARACTERINDEX_UTF16;
    // The scroll bar follows this text's longest line, not the last one's.
    SendScintilla(SCI_SETSCROLLWIDTH, 1ul);
    fitGutter();
}

void SourceEditor::showDocument(void* document, const ViewState& view) {
    m_replacing = true;
    attach(document);
    if (auto* words = qobject_cast<ProfileLexer*>(lexer()))
        words->resume(view.styling);
    SendScintilla(SCI_SETSELECTION, static_cast<unsigned long>(view.caret), view.anchor);
    SendScintilla(SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(view.firstLine));
    SendScintilla(SCI_SETXOFFSET, static_cast<unsigned long>(view.xOffset));
    m_replacing = false;
    emit textReplaced();
    emit changed();
}

void SourceEditor::showNewDocument(void* document, const QStringList& lines) {
    m_replacing = true;
    attach(document);
    if (auto* words = qobject_cast<ProfileLexer*>(lexer()))
        words->resume({});
    m_replacing = false;
    replaceWholeText(lines, false);
}

QString SourceEditor::wholeText() const {
    // text() reads a C string and stops at a NUL byte, and QString::fromUtf8 drops a leading byte-order
    // mark that belongs to the text here.
    const auto* bytes = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    QStringDecoder toText(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return bytes ? toText(QByteArrayView(bytes, length())) : QString();
}

QStringList SourceEditor::lines() const {
    QStringList result;
    const QString all = wholeText();
    if (all.isEmpty())
        return result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QChar c = all.at(i);
        if (c == '\r' || c == '\n') {
            result << all.mid(start, i - start);
            if (c == '\r' && i + 1 < all.size() && all.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
    }
    result << all.mid(start);
    return result;
}

int SourceEditor::lineCount() const {
    // Scintilla counts an empty text as one line; as a list of lines it has none.
    return length() == 0 ? 0 : QsciScintilla::lines();
}

int SourceEditor::caretLine() const {
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return line;
}

int SourceEditor::caretColumn() const {
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return index;
}

void SourceEditor::setCaretLine(int line) {
    line = std::clamp(line, 0, std::max(0, QsciScintilla::lines() - 1));
    setCursorPosition(line, 0);
}

void SourceEditor::setCaretColumn(int column) {
    const int line = caretLine();
    QString text = this->text(line);
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    setCursorPosition(line, std::clamp(column, 0, int(text.size())));
}

void SourceEditor::setTabStops(int width) {
    m_tabWidth = std::clamp(width, 1, 16);
    setTabWidth(m_tabWidth);
}

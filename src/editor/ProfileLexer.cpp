#include "ProfileLexer.h"

#include <QApplication>
#include <QPalette>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <string_view>

using Highlight::Appearance;
using Highlight::LineState;

namespace {

QColor fromBgr(quint32 colour) {
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

// Line states hold the open span plus one, so that Scintilla's default 0 means "none".
int encode(LineState state) {
    return state.openSpan + 1;
}

LineState decode(long value) {
    return LineState{int(value) - 1};
}

} // namespace

ProfileLexer::ProfileLexer(QObject* parent, const Highlight::Profile& profile)
    : QsciLexerCustom(parent), m_engine(profile) {
    const QPalette palette = QApplication::palette();
    setDefaultColor(palette.color(QPalette::WindowText));
    setDefaultPaper(palette.color(QPalette::Base));
    // New lines copy the indentation of the line before, nothing cleverer.
    setAutoIndentStyle(QsciScintilla::AiMaintain);
}

QString ProfileLexer::description(int style) const {
    const auto& looks = m_engine.profile().appearances();
    if (style < 0 || size_t(style) >= looks.size())
        return {};
    return style == 0 ? QStringLiteral("Text") : QStringLiteral("Colour %1").arg(style);
}

QColor ProfileLexer::defaultColor(int style) const {
    const auto& looks = m_engine.profile().appearances();
    if (style <= 0 || size_t(style) >= looks.size() || looks[size_t(style)].plain)
        return QsciLexer::defaultColor();
    return fromBgr(looks[size_t(style)].foreground);
}

QColor ProfileLexer::defaultPaper(int style) const {
    const auto& looks = m_engine.profile().appearances();
    if (style < 0 || size_t(style) >= looks.size() ||
        looks[size_t(style)].background == Highlight::EditorBackground)
        return QsciLexer::defaultPaper();
    return fromBgr(quint32(looks[size_t(style)].background));
}

QFont ProfileLexer::defaultFont(int style) const {
    QFont font = QsciLexer::defaultFont();
    const auto& looks = m_engine.profile().appearances();
    if (style > 0 && size_t(style) < looks.size()) {
        const quint8 bits = looks[size_t(style)].style;
        font.setBold(bits & Highlight::Bold);
        font.setItalic(bits & Highlight::Italic);
        font.setUnderline(bits & Highlight::Underline);
        font.setStrikeOut(bits & Highlight::StrikeOut);
    }
    return font;
}

void ProfileLexer::setEditor(QsciScintilla* newEditor) {
    if (editor())
        disconnect(editor(), nullptr, this, nullptr);
    QsciLexerCustom::setEditor(newEditor);
    m_validEnd = 0;
    m_dirtyEnd = -1;
    if (newEditor)
        connect(newEditor, &QsciScintillaBase::SCN_MODIFIED, this, &ProfileLexer::noteChange);
}

long ProfileLexer::send(unsigned int message, unsigned long wParam, long lParam) const {
    return editor()->SendScintilla(message, wParam, lParam);
}

void ProfileLexer::noteChange(int position, int type, const char*, int length, int, int, int, int, int, int) {
    // Followed on the notice that comes before the change: slots that run before this one on the notice
    // after it may already have asked for styling.
    if (type & QsciScintillaBase::SC_MOD_BEFOREINSERT) {
        if (m_validEnd > position)
            m_validEnd += length;
        if (m_dirtyEnd > position)
            m_dirtyEnd += length;
        m_dirtyEnd = std::max<long>(m_dirtyEnd, position + length);
    } else if (type & QsciScintillaBase::SC_MOD_BEFOREDELETE) {
        if (m_validEnd > position)
            m_validEnd = std::max<long>(position, m_validEnd - length);
        if (m_dirtyEnd > position)
            m_dirtyEnd = std::max<long>(position, m_dirtyEnd - length);
        m_dirtyEnd = std::max<long>(m_dirtyEnd, position);
    }
}

void ProfileLexer::styleText(int start, int end) {
    if (!editor())
        return;
    using Sci = QsciScintillaBase;
    const long length = send(Sci::SCI_GETLENGTH);
    m_validEnd = std::min(m_validEnd, length);
    const long lineCount = send(Sci::SCI_GETLINECOUNT);
    const long dirtyLine = m_dirtyEnd < 0 ? -1 : send(Sci::SCI_LINEFROMPOSITION, m_dirtyEnd);
    long line = send(Sci::SCI_LINEFROMPOSITION, start);
    long lineStart = send(Sci::SCI_POSITIONFROMLINE, line);
    startStyling(int(lineStart));
    while (line < lineCount && lineStart < end) {
        const LineState in = line == 0 ? LineState{} : decode(send(Sci::SCI_GETLINESTATE, line - 1));
        const long textEnd = send(Sci::SCI_GETLINEENDPOSITION, line);
        const long next = line + 1 < lineCount ? send(Sci::SCI_POSITIONFROMLINE, line + 1) : length;
        const auto* bytes =
            reinterpret_cast<const char*>(send(Sci::SCI_GETRANGEPOINTER, lineStart, textEnd - lineStart));
        const std::string_view text(bytes ? bytes : "", bytes ? size_t(textEnd - lineStart) : 0);
        const LineState out = m_engine.highlightLine(text, in, m_runs);

        int at = 0;
        for (const Highlight::Run& run : m_runs) {
            if (run.start > at)
                setStyling(run.start - at, 0);
            setStyling(run.length, styleOf(run.appearance));
            at = run.start + run.length;
        }
        if (textEnd - lineStart > at)
            setStyling(int(textEnd - lineStart - at), 0);
        // A line break inside an open comment belongs to the comment.
        if (next > textEnd)
            setStyling(int(next - textEnd),
                       out.openSpan < 0 ? 0 : styleOf(m_engine.profile().spanAppearance(out.openSpan)));

        const LineState before = decode(send(Sci::SCI_GETLINESTATE, line));
        if (!(out == before))
            send(Sci::SCI_SETLINESTATE, line, encode(out));
        ++line;
        lineStart = next;
        // Past the changed text, a line that hands on what it handed on before leaves everything up to
        // the old styled end as it was: the text there did not move relative to its styles.
        if (out == before && line - 1 > dirtyLine && lineStart < m_validEnd) {
            line = send(Sci::SCI_LINEFROMPOSITION, m_validEnd);
            lineStart = send(Sci::SCI_POSITIONFROMLINE, line);
            if (m_validEnd == length) {
                line = lineCount;
                lineStart = length;
            }
            startStyling(int(lineStart));
            m_dirtyEnd = -1;
        }
    }
    m_validEnd = lineStart;
    // The changed text is all restyled once styling has passed it; a line starting right where it ends
    // still holds a line state that may belong to another line.
    if (m_dirtyEnd >= 0 && (m_dirtyEnd < lineStart || lineStart >= length))
        m_dirtyEnd = -1;
}

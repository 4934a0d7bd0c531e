#pragma once

#include "HighlightEngine.h"

#include <Qsci/qscilexercustom.h>

// Colours the editor with a highlighting profile. Scintilla asks for styling from the first changed line
// on; each line's outgoing state is kept in Scintilla's line state, so restyling stops as soon as a line
// past the change hands on the same state as before and the text after it was already styled.
class ProfileLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit ProfileLexer(QObject* parent = nullptr,
                          const Highlight::Profile& profile = Highlight::Profile::java());

    const char* language() const override { return "SuperWaba Java"; }
    QString description(int style) const override;
    void styleText(int start, int end) override;
    void setEditor(QsciScintilla* editor) override;

    using QsciLexer::defaultColor;
    using QsciLexer::defaultFont;
    using QsciLexer::defaultPaper;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;

    // The Scintilla style of an appearance of the profile.
    static int styleOf(int appearance) { return appearance; }

    // How far the styling of the document on screen holds. A document that leaves the editor keeps it and
    // hands it back when it returns, so only what its own edits touched is styled again.
    struct Progress {
        long validEnd = 0;
        long dirtyEnd = -1;
    };
    Progress progress() const { return {m_validEnd, m_dirtyEnd}; }
    void resume(const Progress& progress) {
        m_validEnd = progress.validEnd;
        m_dirtyEnd = progress.dirtyEnd;
    }

private slots:
    void noteChange(int position, int type, const char* text, int length, int linesAdded, int line,
                    int foldNow, int foldBefore, int token, int annotationLinesAdded);

private:
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;

    Highlight::Engine m_engine;
    std::vector<Highlight::Run> m_runs;
    // Text before m_validEnd was styled, with its line states, before the edits since the last styling;
    // m_dirtyEnd is where the text those edits touched ends (-1: no edit since). Both follow every edit.
    long m_validEnd = 0;
    long m_dirtyEnd = -1;
};

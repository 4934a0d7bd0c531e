#pragma once

#include "editor/EditorDocuments.h"
#include "workspace/SessionBuffer.h"
#include "workspace/SessionPrompts.h"

#include <memory>

class BuildChainHost;
class MainWindow;

// What the build chain reads from the main window, at the moment of use.
std::unique_ptr<BuildChainHost> chainHostFor(MainWindow& window);

// The open-file session's questions as message dialogs: Yes/No (or OK/Cancel) confirmations, errors with
// OK alone.
class DialogPrompts : public SessionPrompts {
public:
    bool confirm(const SessionQuestion& question) override;
    SessionAnswer confirmOrCancel(const QString& text) override;
    void error(const QString& text) override;
    void notice(const QString& text) override;
};

// The open-file session's view of the source editor, one editor document per open record. While it
// replaces the text or shows another document, replacing() is true, so the editor's change notification
// can tell the program's change from the user's typing.
class EditorBuffer : public SessionBuffer {
public:
    explicit EditorBuffer(SourceEditor& editor) : m_editor(editor), m_documents(editor) {}

    bool replacing() const { return m_replacing; }
    const EditorDocuments& documents() const { return m_documents; }

    QStringList lines() const override;
    void replaceLines(const QStringList& lines, BufferReplace how) override;
    bool showRecord(quint64 id, const QStringList& lines, bool reread) override;
    void forgetRecord(quint64 id) override;
    void forgetAllRecords() override;
    int caretLine() const override;
    int caretColumn() const override;
    int topLine() const override;
    void setCaret(int line, int column) override;
    void setTopLine(int line) override;

private:
    SourceEditor& m_editor;
    EditorDocuments m_documents;
    bool m_replacing = false;
};

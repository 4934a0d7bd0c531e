#pragma once

#include "SourceEditor.h"

#include <QPointer>
#include <unordered_map>

// The editor's documents, one per open file: each keeps its text, undo history, styling and markers, and
// the caret, selection and scrolling it was left with, across switches to other files. Documents are
// found by a key that names the file for as long as it is open (a record's id); a text of no file lives in
// a document of its own, gone when another is shown. A document is freed when its key is released.
class EditorDocuments {
public:
    explicit EditorDocuments(SourceEditor& editor) : m_editor(&editor) {}
    ~EditorDocuments();
    EditorDocuments(const EditorDocuments&) = delete;
    EditorDocuments& operator=(const EditorDocuments&) = delete;

    // Shows the document of `key` as it was left, or a new one filled with `lines` when there is none.
    // With `replace`, a document kept before gets `lines` as one step that Undo takes back. True when
    // a kept document came back; a new one starts with the caret at the top.
    bool show(quint64 key, const QStringList& lines, bool replace = false);
    // Shows `lines` in a document of no key.
    void showUnkept(const QStringList& lines);
    // Frees the key's document; when it is on screen, an empty document of no key takes its place.
    void release(quint64 key);
    void releaseAll();

    bool holds(quint64 key) const { return m_kept.contains(key); }
    int count() const { return int(m_kept.size()); }
    // The key whose document is on screen; 0 for none.
    quint64 shownKey() const { return m_shown; }

private:
    // A Scintilla document with the one reference this class holds on it.
    struct Kept {
        void* document = nullptr;
        SourceEditor::ViewState view;
    };
    void* createDocument() const;
    void releaseDocument(void* document) const;
    void keepShownView();

    QPointer<SourceEditor> m_editor;
    std::unordered_map<quint64, Kept> m_kept;
    void* m_unkept = nullptr;
    quint64 m_shown = 0;
};

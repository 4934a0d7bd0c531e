#include "EditorDocuments.h"

EditorDocuments::~EditorDocuments() {
    // The document on screen stays with the view, which lets go of it when it goes itself.
    for (const auto& [key, kept] : m_kept)
        releaseDocument(kept.document);
    releaseDocument(m_unkept);
}

void* EditorDocuments::createDocument() const {
    return m_editor->SendScintillaPtrResult(QsciScintillaBase::SCI_CREATEDOCUMENT);
}

void EditorDocuments::releaseDocument(void* document) const {
    // Without the editor nothing can release a document any more; it went with the editor's library.
    if (document && m_editor)
        m_editor->SendScintilla(QsciScintillaBase::SCI_RELEASEDOCUMENT, 0ul, document);
}

void EditorDocuments::keepShownView() {
    // Scintilla forgets the view's place in a document it stops showing: it is kept here instead.
    if (const auto shown = m_kept.find(m_shown); shown != m_kept.end())
        shown->second.view = m_editor->viewState();
}

bool EditorDocuments::show(quint64 key, const QStringList& lines, bool replace) {
    if (key == 0) {
        showUnkept(lines);
        return false;
    }
    if (key == m_shown && m_kept.contains(key)) {
        if (replace)
            m_editor->replaceLines(lines);
        return true;
    }
    keepShownView();
    const auto [entry, made] = m_kept.try_emplace(key);
    m_shown = key;
    if (made) {
        entry->second.document = createDocument();
        m_editor->showNewDocument(entry->second.document, lines);
        return false;
    }
    m_editor->showDocument(entry->second.document, entry->second.view);
    if (replace)
        m_editor->replaceLines(lines);
    return true;
}

void EditorDocuments::showUnkept(const QStringList& lines) {
    keepShownView();
    m_shown = 0;
    // A new document each time: the one shown before goes with its history once the view lets go of it.
    void* before = m_unkept;
    m_unkept = createDocument();
    m_editor->showNewDocument(m_unkept, lines);
    releaseDocument(before);
}

void EditorDocuments::release(quint64 key) {
    const auto entry = m_kept.find(key);
    if (entry == m_kept.end())
        return;
    // The view holds a reference of its own to the document it shows.
    if (key == m_shown)
        showUnkept({});
    releaseDocument(entry->second.document);
    m_kept.erase(entry);
}

void EditorDocuments::releaseAll() {
    if (m_kept.contains(m_shown))
        showUnkept({});
    for (const auto& [key, kept] : m_kept)
        releaseDocument(kept.document);
    m_kept.clear();
}

#include "EditorDocuments.h"

bool EditorDocuments::show(quint64 key, const QStringList& lines, bool replace) {
    if (key == 0) {
        showUnkept(lines);
        return false;
    }
    const auto shown = m_kept.find(m_shown);
    if (shown != m_kept.end() && key == m_shown) {
        if (replace)
            m_editor.replaceLines(lines);
        return true;
    }
    // Scintilla forgets the view's place in a document it stops showing: it is kept here instead.
    if (shown != m_kept.end())
        shown->second.view = m_editor.viewState();
    const auto [entry, made] = m_kept.try_emplace(key);
    m_shown = key;
    if (made) {
        m_editor.showNewDocument(entry->second.document, lines);
        return false;
    }
    m_editor.showDocument(entry->second.document, entry->second.view);
    if (replace)
        m_editor.replaceLines(lines);
    return true;
}

void EditorDocuments::showUnkept(const QStringList& lines) {
    if (const auto shown = m_kept.find(m_shown); shown != m_kept.end())
        shown->second.view = m_editor.viewState();
    m_shown = 0;
    // A new document each time: the one shown before goes with its history as the view lets go of it.
    m_unkept = QsciDocument();
    m_editor.showNewDocument(m_unkept, lines);
}

void EditorDocuments::release(quint64 key) {
    const auto entry = m_kept.find(key);
    if (entry == m_kept.end())
        return;
    // The view holds a reference of its own to the document it shows.
    if (key == m_shown)
        showUnkept({});
    m_kept.erase(entry);
}

void EditorDocuments::releaseAll() {
    if (m_kept.contains(m_shown))
        showUnkept({});
    m_kept.clear();
}

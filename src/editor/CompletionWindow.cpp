#include "CompletionWindow.h"

#include "SourceEditor.h"
#include "ui/FixedPitchFont.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

const QStringList& completionWords() {
    static const QStringList words = [] {
        QStringList list = {"caption", "deleteSelection", "findThis", "getItems", "getMovement",
                            "getName", "height",          "left",     "Name",     "removeItems",
                            "top",     "useItems",        "weight"};
        std::sort(list.begin(), list.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        return list;
    }();
    return words;
}

int completionIndex(const QStringList& words, QStringView typed) {
    if (typed.isEmpty())
        return -1;
    for (int i = 0; i < words.size(); ++i)
        if (words.at(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    return -1;
}

CompletionWindow::CompletionWindow(SourceEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), m_editor(editor) {
    setObjectName(QStringLiteral("Form9"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    m_typed = new QLineEdit(this);
    m_typed->setObjectName(QStringLiteral("Edit2"));
    m_typed->setFont(fixedPitchFont(QStringLiteral("Courier New")));
    m_wordList = new QListWidget(this);
    m_wordList->setObjectName(QStringLiteral("ListBox4"));
    m_wordList->addItems(completionWords());
    layout->addWidget(m_typed);
    layout->addWidget(m_wordList, 1);
    resize(180, 160);

    m_typed->installEventFilter(this);
    m_wordList->installEventFilter(this);
    connect(m_typed, &QLineEdit::textChanged, this, &CompletionWindow::typedTextChanged);
    connect(m_wordList, &QListWidget::itemClicked, this, &CompletionWindow::listClicked);
    connect(m_wordList, &QListWidget::itemDoubleClicked, this, &CompletionWindow::listDoubleClicked);
    connect(&editor, &SourceEditor::completionRequested, this, &CompletionWindow::popUpAtCaret);
}

QPoint CompletionWindow::placeUnderCaret() const {
    const long caret = m_editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    const int x = int(m_editor.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0ul, caret));
    const int y = int(m_editor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0ul, caret));
    const int height = int(m_editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT,
                                                  static_cast<unsigned long>(m_editor.caretLine())));
    return m_editor.viewport()->mapToGlobal(QPoint(x, y + height));
}

void CompletionWindow::popUpAtCaret() {
    move(placeUnderCaret());
    show();
    raise();
    activateWindow();
    m_typed->setFocus();
}

void CompletionWindow::showEvent(QShowEvent* event) {
    m_typed->clear();
    QWidget::showEvent(event);
}

void CompletionWindow::hideEvent(QHideEvent* event) {
    m_typed->clear();
    QWidget::hideEvent(event);
}

QString CompletionWindow::selectedWord() const {
    const QList<QListWidgetItem*> selected = m_wordList->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void CompletionWindow::typedTextChanged(const QString& text) {
    if (text.isEmpty()) {
        m_wordList->clearSelection();
        return;
    }
    const int index = completionIndex(completionWords(), text);
    if (index >= 0) {
        m_wordList->setCurrentRow(index);
        return;
    }
    m_editor.insertText(text);
    close();
}

void CompletionWindow::clearAndClose() {
    m_wordList->clearSelection();
    m_typed->clear();
    close();
}

void CompletionWindow::insertSelected() {
    const QString word = selectedWord();
    if (word.isEmpty())
        return;
    m_editor.insertText(word);
    clearAndClose();
}

bool CompletionWindow::typedKeyDown(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        insertSelected();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const int row = m_wordList->selectedItems().isEmpty() ? -1 : m_wordList->currentRow();
        int next = 0;
        if (row >= 0)
            next = key == Qt::Key_Down ? std::min(row + 1, m_wordList->count() - 1) : std::max(row - 1, 0);
        m_wordList->setCurrentRow(next);
        m_typed->setText(selectedWord());
        return true;
    }
    case Qt::Key_Left:
        clearAndClose();
        m_editor.setCaretColumn(m_editor.caretColumn() - 1);
        return true;
    case Qt::Key_Backspace:
        clearAndClose();
        m_editor.deleteBack();
        return true;
    case Qt::Key_Escape:
        clearAndClose();
        return true;
    default:
        return false;
    }
}

bool CompletionWindow::listKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        insertSelected();
        return true;
    }
    if (key == Qt::Key_Escape) {
        clearAndClose();
        return true;
    }
    return false;
}

void CompletionWindow::listClicked() {
    const QString word = selectedWord();
    if (!word.isEmpty())
        m_typed->setText(word);
}

void CompletionWindow::listDoubleClicked() {
    insertSelected();
}

bool CompletionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == m_typed)
            return typedKeyDown(key);
        if (watched == m_wordList)
            return listKeyDown(key);
    }
    if (event->type() == QEvent::KeyRelease && watched == m_wordList)
        listClicked();
    return QWidget::eventFilter(watched, event);
}

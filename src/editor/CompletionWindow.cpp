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
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setFont(fixedPitchFont(QStringLiteral("Courier New")));
    ListBox4 = new QListWidget(this);
    ListBox4->setObjectName(QStringLiteral("ListBox4"));
    ListBox4->addItems(completionWords());
    layout->addWidget(Edit2);
    layout->addWidget(ListBox4, 1);
    resize(180, 160);

    Edit2->installEventFilter(this);
    ListBox4->installEventFilter(this);
    connect(Edit2, &QLineEdit::textChanged, this, &CompletionWindow::Edit2Change);
    connect(ListBox4, &QListWidget::itemClicked, this, &CompletionWindow::ListBox4Click);
    connect(ListBox4, &QListWidget::itemDoubleClicked, this, &CompletionWindow::ListBox4DblClick);
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
    Edit2->setFocus();
}

void CompletionWindow::showEvent(QShowEvent* event) {
    Edit2->clear();
    QWidget::showEvent(event);
}

void CompletionWindow::hideEvent(QHideEvent* event) {
    Edit2->clear();
    QWidget::hideEvent(event);
}

QString CompletionWindow::selectedWord() const {
    const QList<QListWidgetItem*> selected = ListBox4->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void CompletionWindow::Edit2Change(const QString& text) {
    if (text.isEmpty()) {
        ListBox4->clearSelection();
        return;
    }
    const int index = completionIndex(completionWords(), text);
    if (index >= 0) {
        ListBox4->setCurrentRow(index);
        return;
    }
    m_editor.insertText(text);
    close();
}

void CompletionWindow::clearAndClose() {
    ListBox4->clearSelection();
    Edit2->clear();
    close();
}

void CompletionWindow::insertSelected() {
    const QString word = selectedWord();
    if (word.isEmpty())
        return;
    m_editor.insertText(word);
    clearAndClose();
}

bool CompletionWindow::Edit2KeyDown(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        insertSelected();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const int row = ListBox4->selectedItems().isEmpty() ? -1 : ListBox4->currentRow();
        int next = 0;
        if (row >= 0)
            next = key == Qt::Key_Down ? std::min(row + 1, ListBox4->count() - 1) : std::max(row - 1, 0);
        ListBox4->setCurrentRow(next);
        Edit2->setText(selectedWord());
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

bool CompletionWindow::ListBox4KeyDown(int key) {
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

void CompletionWindow::ListBox4Click() {
    const QString word = selectedWord();
    if (!word.isEmpty())
        Edit2->setText(word);
}

void CompletionWindow::ListBox4DblClick() {
    insertSelected();
}

bool CompletionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == Edit2)
            return Edit2KeyDown(key);
        if (watched == ListBox4)
            return ListBox4KeyDown(key);
    }
    if (event->type() == QEvent::KeyRelease && watched == ListBox4)
        ListBox4Click();
    return QWidget::eventFilter(watched, event);
}

// "Go to Declaration": from the name at the caret to its declaration in any source of the project.
#include "DeclarationLookup.h"

#include "DeclarationScan.h"
#include "MainWindow.h"
#include "SourceLine.h"

#include "editor/JavaCharacters.h"
#include "editor/SourceEditor.h"
#include "workspace/WorkspaceSession.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QStatusBar>

namespace {

// A popup list that Escape closes; Enter and a double click activate its entry.
class CandidateList : public QListWidget {
public:
    explicit CandidateList(QWidget* parent) : QListWidget(parent) {
        setWindowFlags(Qt::Popup);
        setObjectName(QStringLiteral("DeclarationList"));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            hide();
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

QString candidateText(const Declaration& declaration) {
    return declaration.label + QStringLiteral("  (%1:%2)").arg(declaration.fileName).arg(declaration.line);
}

// Where the name stands on its declaration line, as a whole identifier; 0 when it cannot be found.
int nameColumn(const QString& line, const QString& name) {
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1))
        if (!identifierPartBefore(line, at) && !identifierPartAt(line, at + name.size()))
            return int(at);
    return 0;
}

} // namespace

DeclarationLookup::DeclarationLookup(MainWindow& window)
    : QObject(&window), m_window(window), m_scan(new DeclarationScan(this)) {
    connect(m_scan, &DeclarationScan::updated, this, [this] {
        if (m_waiting)
            resolve();
    });
    window.editor()->viewport()->installEventFilter(this);
}

DeclarationLookup::~DeclarationLookup() = default;

QListWidget* DeclarationLookup::candidateList() const {
    return m_list && m_list->isVisible() ? m_list : nullptr;
}

void DeclarationLookup::goToDeclaration() {
    SourceEditor* editor = m_window.editor();
    WorkspaceSession& session = m_window.session();
    if (!session.files().currentFile())
        return;
    m_wanted = nameAt(editor->line(editor->caretLine()), editor->caretColumn());
    if (m_wanted.name.isEmpty()) {
        m_window.statusBar()->showMessage(QStringLiteral("No name at the caret."), 5000);
        return;
    }
    // The buffer on screen holds the newest text of its file.
    session.captureEditor(false);
    std::vector<DeclarationSource> sources;
    for (const ProjectRecord& record : session.files().records()) {
        if (record.Kind != FileKind::Java)
            continue;
        if (record.Modified)
            sources.push_back({record.Name, record.Path, record.Lines});
        else
            sources.push_back({record.Name, record.Path, std::nullopt});
    }
    m_waiting = true;
    m_window.statusBar()->showMessage(QStringLiteral("Searching..."));
    m_scan->update(std::move(sources));
}

void DeclarationLookup::resolve() {
    m_waiting = false;
    m_window.statusBar()->clearMessage();
    m_candidates = m_scan->index().find(m_wanted.name, m_wanted.call, m_wanted.qualifier);
    if (m_candidates.empty()) {
        QString message = QStringLiteral("No declaration of \"%1\" found.").arg(m_wanted.name);
        if (const QStringList problems = m_scan->index().problems(); !problems.isEmpty())
            message += QStringLiteral(" Not every source could be read: ") + problems.first();
        m_window.statusBar()->showMessage(message, 10000);
        return;
    }
    if (m_candidates.size() == 1)
        show(m_candidates.front());
    else
        showCandidates();
}

void DeclarationLookup::showCandidates() {
    SourceEditor* editor = m_window.editor();
    if (!m_list) {
        m_list = new CandidateList(editor);
        connect(m_list, &QListWidget::itemActivated, this, &DeclarationLookup::candidateChosen);
    }
    m_list->clear();
    for (const Declaration& declaration : m_candidates)
        m_list->addItem(candidateText(declaration));
    m_list->setCurrentRow(0);
    // Under the caret, as wide as its longest entry.
    const long position = editor->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS);
    const int x = int(editor->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0UL, position));
    const int y = int(editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, position));
    const int lineHeight = int(editor->SendScintilla(QsciScintilla::SCI_TEXTHEIGHT, 0UL, 0L));
    const int rows = std::min(int(m_candidates.size()), 10);
    m_list->resize(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + 24,
                   rows * m_list->sizeHintForRow(0) + 2 * m_list->frameWidth());
    m_list->move(editor->viewport()->mapToGlobal(QPoint(x, y + lineHeight)));
    m_list->show();
    m_list->setFocus();
}

void DeclarationLookup::candidateChosen(QListWidgetItem* item) {
    const int row = m_list->row(item);
    m_list->hide();
    if (row >= 0 && row < int(m_candidates.size()))
        show(m_candidates[std::size_t(row)]);
}

void DeclarationLookup::show(const Declaration& declaration) {
    ProjectRecord* target = nullptr;
    for (ProjectRecord& record : m_window.session().files().records())
        if (record.Kind == FileKind::Java && record.Name == declaration.fileName)
            target = &record;
    if (!target) {
        m_window.statusBar()->showMessage(declaration.fileName + QStringLiteral(" is no longer open."),
                                          10000);
        return;
    }
    const int line = declaration.line - 1;
    if (!showSourceLine(m_window, *target, line))
        return;
    // The editor holds the newest text of the file shown.
    SourceEditor* editor = m_window.editor();
    editor->setCaretColumn(nameColumn(editor->line(line), declaration.name));
}

bool DeclarationLookup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_controlPressed = mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::ControlModifier;
        m_pressedAt = mouse->position().toPoint();
    } else if (event->type() == QEvent::MouseButtonRelease && m_controlPressed) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_controlPressed = false;
        // A Ctrl+drag makes a column block; only a click without a move looks up the name.
        if (mouse->button() == Qt::LeftButton &&
            (mouse->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            QMetaObject::invokeMethod(this, &DeclarationLookup::goToDeclaration, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

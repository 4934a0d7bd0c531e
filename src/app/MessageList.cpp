#include "MessageList.h"

#include "build/CompilerOutput.h"
#include "ui/Readability.h"

#include <QEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace {

// With uniform item sizes the view asks for one size hint only; make it wide enough for the longest line.
class MessageDelegate : public QStyledItemDelegate {
public:
    MessageDelegate(MessageModel* model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int longest = m_model->longestRow();
        if (longest >= 0 && longest != index.row())
            size = size.expandedTo(QStyledItemDelegate::sizeHint(option, m_model->index(longest)));
        return size;
    }

private:
    MessageModel* m_model;
};

} // namespace

int errorRowFrom(const QStringList& lines, int from, int step) {
    const int count = int(lines.size());
    int row = from < 0 || from >= count ? (step > 0 ? 0 : count - 1) : from + step;
    for (; row >= 0 && row < count; row += step)
        if (parseErrorLine(lines.at(row)))
            return row;
    return -1;
}

int MessageModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

QVariant MessageModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown)
        return {};
    const QString& line = m_lines.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return line;
    if (role != Qt::ForegroundRole)
        return {};
    // A warning is told from an error at a glance; a running application's output is neither.
    switch (judgeCompilerLine(line)) {
    case CompilerLine::Warning:
        return m_warningColour.isValid() ? QVariant(m_warningColour) : QVariant();
    case CompilerLine::Error:
        return parseErrorLine(line) && m_errorColour.isValid() ? QVariant(m_errorColour) : QVariant();
    case CompilerLine::Other:
        break;
    }
    return {};
}

void MessageModel::setMarkColours(const QColor& error, const QColor& warning) {
    m_errorColour = error;
    m_warningColour = warning;
    if (m_shown > 0)
        emit dataChanged(index(0), index(m_shown - 1), {Qt::ForegroundRole});
}

void MessageModel::append(const QString& line) {
    m_lines << line;
}

bool MessageModel::flush() {
    const int total = int(m_lines.size());
    if (m_shown == total)
        return false;
    int longest = m_longest;
    for (int row = m_shown; row < total; ++row)
        if (longest < 0 || m_lines.at(row).size() > m_lines.at(longest).size())
            longest = row;
    beginInsertRows({}, m_shown, total - 1);
    m_shown = total;
    m_longest = longest;
    endInsertRows();
    return true;
}

void MessageModel::clear() {
    beginResetModel();
    m_lines.clear();
    m_shown = 0;
    m_longest = -1;
    endResetModel();
}

MessageList::MessageList(QWidget* parent) : QListView(parent), m_model(new MessageModel(this)) {
    setModel(m_model);
    setItemDelegate(new MessageDelegate(m_model, this));
    // Every line has the same height: the view need not measure a hundred thousand of them.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    useTooltipColours();
    connect(this, &QAbstractItemView::doubleClicked, this, &MessageList::lineChosen);
}

void MessageList::useTooltipColours() {
    QPalette colours = palette();
    const QColor base = colours.color(QPalette::ToolTipBase);
    const QColor text = colours.color(QPalette::ToolTipText);
    m_model->setMarkColours(Readability::readableOn(QColor(0xc0, 0x00, 0x00), base),
                            Readability::readableOn(QColor(0x9a, 0x5b, 0x00), base));
    // Setting the palette raises another change, which then finds the colours in place.
    if (colours.color(QPalette::Base) == base && colours.color(QPalette::Text) == text)
        return;
    colours.setColor(QPalette::Base, base);
    colours.setColor(QPalette::Text, text);
    setPalette(colours);
}

void MessageList::changeEvent(QEvent* event) {
    QListView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        useTooltipColours();
}

void MessageList::addLine(const QString& line, bool selectLast) {
    m_model->append(line);
    m_selectLast = m_selectLast || selectLast;
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(this, &MessageList::flush, Qt::QueuedConnection);
}

void MessageList::flush() {
    m_flushQueued = false;
    m_model->flush();
    if (!std::exchange(m_selectLast, false) || count() == 0)
        return;
    const QModelIndex last = m_model->index(count() - 1);
    setCurrentIndex(last);
    scrollTo(last);
}

void MessageList::clear() {
    m_model->clear();
    m_selectLast = false;
}

int MessageList::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void MessageList::setCurrentRow(int row) {
    flush();
    setCurrentIndex(m_model->index(row));
}

QString MessageList::currentText() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->lines().at(current.row()) : QString();
}

void MessageList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit lineChosen();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

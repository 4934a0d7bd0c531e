#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QListView>
#include <QStringList>

// The row of the nearest line after `from` (step 1) or before it (step -1) that leads to a source line, as
// a double-click on it would; from -1 the search starts at the first or the last line. -1 when none is.
int errorRowFrom(const QStringList& lines, int from, int step);

// The lines of the message list. Lines are appended at once but announced to views only by flush(), so a
// view lays itself out once per batch of lines rather than once per line.
class MessageModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void append(const QString& line);
    // Announces the lines appended since the last flush; false when there were none.
    bool flush();
    void clear();

    // Every line, those not yet announced included.
    const QStringList& lines() const { return m_lines; }
    // The text colours of the compiler's error and warning lines; others keep the view's colour.
    void setMarkColours(const QColor& error, const QColor& warning);
    // The announced row with the most characters, -1 when there is none. With uniform item sizes a view
    // measures a single row; this one keeps long lines reachable by scrolling sideways.
    int longestRow() const { return m_longest; }

private:
    QStringList m_lines;
    QColor m_errorColour;
    QColor m_warningColour;
    int m_shown = 0;
    int m_longest = -1;
};

// The message list under the editor (ListBox3): compiler errors, tool progress and a running application's
// output. Lines arriving together (a runner hands over a batch of lines in one call) are shown together
// once control returns to the event loop; the list then scrolls at most once. Only lines added with
// selectLast select the last line (and so scroll to it). Drawn in the tooltip colours. A double-click or
// Enter on a line raises lineChosen.
class MessageList : public QListView {
    Q_OBJECT
public:
    explicit MessageList(QWidget* parent = nullptr);

    void addLine(const QString& line, bool selectLast = false);
    QStringList lines() const { return m_model->lines(); }
    int count() const { return int(m_model->lines().size()); }
    void clear();

    int currentRow() const;
    void setCurrentRow(int row);
    // The current line's text, or a null string when no line is current.
    QString currentText() const;

    // Shows what was added so far now rather than once control returns to the event loop.
    void flush();

signals:
    void lineChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The tooltip colours of the desktop's palette, taken again when the desktop changes it.
    void useTooltipColours();

    MessageModel* m_model;
    bool m_flushQueued = false;
    bool m_selectLast = false;
};

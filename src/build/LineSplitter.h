#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

// Lines cut from output, held as one block of bytes and the end of each line, so that a batch of many
// lines costs a few allocations rather than one per line. clear() keeps the storage for the next batch.
class OutputLines {
public:
    qsizetype size() const { return qsizetype(m_ends.size()); }
    bool isEmpty() const { return m_ends.empty(); }
    QByteArrayView at(qsizetype i) const;
    QByteArrayView last() const { return at(size() - 1); }
    void append(QByteArrayView line);
    void clear();

private:
    std::vector<char> m_bytes;
    std::vector<qsizetype> m_ends;
};

// Cuts a child's output, arriving in reads of any size, into lines. Only the complete part of what has
// arrived (up to and including the last CR or LF) is split; the rest waits for the next read. A line ends
// at CR, LF or CR LF; a CR at the end of one read and an LF at the start of the next therefore leave an
// empty line between them, and empty lines are dropped. NUL bytes are dropped wherever they stand. A line
// that reaches maxLine bytes without a break ends there, so a child that never ends its line cannot make
// the IDE hold its whole output.
class LineSplitter {
public:
    static constexpr qsizetype DefaultMaxLine = 1024 * 1024;

    explicit LineSplitter(qsizetype maxLine = DefaultMaxLine);

    // The non-empty complete lines that this read finishes, in order.
    QList<QByteArray> feed(QByteArrayView bytes);
    // The same, added to lines.
    void feed(QByteArrayView bytes, OutputLines& lines);

    // The incomplete last line, waiting for its line break.
    const QByteArray& pending() const { return m_pending; }

    // Once the output has ended: the incomplete last line as a line of its own, if it holds any text.
    // Clears the pending bytes.
    std::optional<QByteArray> finish();

private:
    void splitComplete(QByteArrayView text, OutputLines& lines) const;
    void cutLongPending(OutputLines& lines);
    qsizetype cutPoint(QByteArrayView text) const;

    const qsizetype m_maxLine;
    QByteArray m_pending;
};

// Output text as the IDE shows it: UTF-8 when the bytes are valid UTF-8, else Latin-1, so no byte is lost.
QString decodeOutputLine(QByteArrayView bytes);
// The same into text, reusing its storage when no other string shares it: one allocation for a run of
// lines whose handler keeps none of them.
void decodeOutputLine(QByteArrayView bytes, QString& text);

// True when the line ends with the prompt (case-sensitive); an empty prompt never matches.
bool endsWithPrompt(const QString& line, const QString& prompt);

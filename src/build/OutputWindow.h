#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

class FormSizeSave;
class QPlainTextEdit;
class RegistryStore;

// The output window: a plain-text log of everything the build chain does, only ever appended to.
// Its placement is restored when it is created and saved when it closes.
class OutputWindow : public QWidget {
    Q_OBJECT
public:
    // Without a store the process-wide one keeps the placement.
    explicit OutputWindow(QWidget* parent = nullptr, RegistryStore* store = nullptr);

    // Lines reach the memo in batches a few milliseconds later: one insert for a burst of compiler output
    // instead of a layout per line.
    void append(const QString& line);
    void clear();
    // Puts the lines still waiting into the memo now.
    void flush();
    // Every line appended, as a text editor counts them, those still waiting included.
    QStringList lines() const;

    QPlainTextEdit* memo() const { return m_memo; }

signals:
    // "Close and don't open again": the main window switches OpenOutputWindow off.
    void dontOpenAgain();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void closeAndDontOpenAgain();

    QPlainTextEdit* m_memo;
    bool m_hasLines = true;
    QStringList m_pending;
    QTimer m_flushTimer;
    FormSizeSave* m_sizeSave;
};


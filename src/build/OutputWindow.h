#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

class FormSizeSave;
class QPlainTextEdit;
class RegistryStore;

// The output window: a plain-text log of everything the build chain does, only ever appended to.
// Its placement is restored when it is created and saved when it closes. Its controls are made when it is
// first shown (or its text asked for): until then the lines wait, as a run may never show it.
class OutputWindow : public QWidget {
    Q_OBJECT
public:
    // Without a store the process-wide one keeps the placement.
    explicit OutputWindow(QWidget* parent = nullptr, RegistryStore* store = nullptr);

    // Lines reach the memo in batches a few milliseconds later: one insert for a burst of compiler output
    // instead of a layout per line.
    void append(const QString& line);
    void clear();
    // Puts the lines still waiting into the memo now (once the window has been shown).
    void flush();
    // Every line appended, as a text editor counts them, those still waiting included.
    QStringList lines();

    QPlainTextEdit* memo();

    void setVisible(bool visible) override;

signals:
    // "Close and don't open again": the main window switches OpenOutputWindow off.
    void dontOpenAgain();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void closeAndDontOpenAgain();
    void makeControls();

    QPlainTextEdit* m_memo = nullptr;
    bool m_hasLines = true;
    QStringList m_pending;
    QTimer m_flushTimer;
    FormSizeSave* m_sizeSave;
};

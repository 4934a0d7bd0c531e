#pragma once

#include "editor/DeclarationIndex.h"

#include <QObject>
#include <QPoint>
#include <vector>

class DeclarationScan;
class MainWindow;
class QListWidget;
class QListWidgetItem;

// "Go to Declaration" in the main window (F12, or Ctrl+click on a name): the name at the caret is looked
// up in the declaration index of every source, brought up to date in the background first ("Searching..."
// meanwhile). One declaration is shown at once, several in a short list where Enter or a double click
// goes, none is said in the status bar.
class DeclarationLookup : public QObject {
    Q_OBJECT
public:
    explicit DeclarationLookup(MainWindow& window);
    ~DeclarationLookup() override;

    void goToDeclaration();
    DeclarationScan& scan() { return *m_scan; }
    // The list of candidates while it is shown, else null.
    QListWidget* candidateList() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resolve();
    void showCandidates();
    void candidateChosen(QListWidgetItem* item);
    void show(const Declaration& declaration);

    MainWindow& m_window;
    DeclarationScan* m_scan;
    QListWidget* m_list = nullptr; // made when first needed
    NameAtCaret m_wanted;
    bool m_waiting = false; // a lookup waits for the scan
    std::vector<Declaration> m_candidates;
    QPoint m_pressedAt;
    bool m_controlPressed = false;
};

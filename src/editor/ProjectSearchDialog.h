#pragma once

#include "ProjectSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Find in Project": the text, how to match it, and Find. It only reports; the owner searches and lists
// the hits.
class ProjectSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProjectSearchDialog(QWidget* parent = nullptr);

    ProjectSearchQuery query() const;
    // Opens with the text to look for (the editor's selection or the word at the caret) selected.
    void showWith(const QString& text);

    QLineEdit* findWhat = nullptr;
    QCheckBox* regularExpression = nullptr;
    QCheckBox* matchCase = nullptr;
    QCheckBox* wholeWord = nullptr;
    QPushButton* findButton = nullptr;

signals:
    void searchRequested(const ProjectSearchQuery& query);
};

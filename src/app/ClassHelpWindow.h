#pragma once

#include <QWidget>

class FormSizeSave;
class LazyWebView;

// "Class Help": the documentation page of the word at the editor's caret, in a window that stays open
// beside the editor. Its HTML view is created with the first page it is asked to show.
class ClassHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit ClassHelpWindow(QWidget* parent = nullptr);

    LazyWebView* WebBrowser1 = nullptr;

    // Loads the page (creating the view the first time) and shows the window, or brings it up.
    void showPage(const QString& url);
    // Shows the window, or brings it up, with whatever page it has.
    void bringUp();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FormSizeSave* m_placement;
};

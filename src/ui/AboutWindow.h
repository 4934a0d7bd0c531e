#pragma once

#include <QDialog>

class FormSizeSave;

// The About window: release, acknowledgements and notices.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

public slots:
    void closeWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    FormSizeSave* m_placement;
};

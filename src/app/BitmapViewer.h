#pragma once

#include "workspace/FileResult.h"

#include <QWidget>

class FormSizeSave;
class QLabel;

// A tool window that stays on top and shows one picture of the Other files list, centred.
class BitmapViewer : public QWidget {
    Q_OBJECT
public:
    explicit BitmapViewer(QWidget* parent = nullptr);

    // Loads the picture and sizes the window to it; a file that is no readable picture changes nothing.
    FileResult loadBitmap(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_picture;
    FormSizeSave* m_placement;
};

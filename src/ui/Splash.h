#pragma once

#include <QDialog>

// The window shown while the program starts.
class TForm14 : public QDialog {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
};

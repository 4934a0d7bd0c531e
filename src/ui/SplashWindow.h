#pragma once

#include <QDialog>

// The window shown while the program starts.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

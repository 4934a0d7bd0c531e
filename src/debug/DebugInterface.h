#pragma once

#include <QWidget>

// The Debug Interface window (Form10): created with the others at start-up, kept for the whole run; no
// command opens it.
class DebugInterface : public QWidget {
    Q_OBJECT
public:
    explicit DebugInterface(QWidget* parent = nullptr);
};

#pragma once

#include <QLabel>

// A caption bar that reports double clicks (the "Output" header of the message panel).
class HeaderPanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

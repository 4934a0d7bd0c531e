#pragma once

#include <QMessageBox>
#include <QString>

// The platform's plain message box with a caption of its own, the text and an OK button; returns mrOk.
int plainMessageBox(const QString& text, const QString& caption,
                    QMessageBox::Icon icon = QMessageBox::NoIcon);

// The plain message box with the caption "STOP".
int stopBox(const QString& text);

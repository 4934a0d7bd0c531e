#pragma once

#include <QString>

// The platform's plain message box with the caption "STOP", the text and an OK button; returns mrOk.
int stopBox(const QString& text);

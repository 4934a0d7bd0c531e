#pragma once

#include <QFont>
#include <QString>

// The editor's family: "Courier New" or its fixed-pitch stand-in (ui/FixedPitchFont.h).
QString editorFontFamily();

// The editor's font at `pointSize` points (10 points is 13 pixels at 96 dots per inch).
QFont editorFont(double pointSize);

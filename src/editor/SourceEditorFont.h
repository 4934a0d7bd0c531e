#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The editor's family: "Courier New" when installed; else the family fontconfig puts in its place, when
// that is fixed-pitch (Liberation Mono has its metrics); else the desktop's fixed-width font.
struct FontCandidates {
    QStringList installed;       // families the font database lists
    QString substitute;          // what the font matcher gives for "Courier New"
    bool substituteFixedPitch{}; // whether that family is fixed-pitch
    QString systemFixed;         // the desktop's fixed-width family
};

QString editorFontFamily(const FontCandidates& candidates);

// The candidates of this machine.
FontCandidates installedFontCandidates();

// The editor's font at `pointSize` points (10 points is 13 pixels at 96 dots per inch).
QFont editorFont(double pointSize);

#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Text that lines up in columns (source, compiler output, printed listings) asks for a Windows family such
// as "Courier New". The family is kept when it is installed, or when the family fontconfig puts in its place
// is fixed-pitch (Liberation Mono has Courier New's metrics); otherwise the desktop's fixed-width family
// stands in, so the text never comes out in a proportional font.
struct FontCandidates {
    QStringList installed;       // families the font database lists
    QString substitute;          // what the font matcher gives for the wanted family
    bool substituteFixedPitch{}; // whether that family is fixed-pitch
    QString systemFixed;         // the desktop's fixed-width family
};

QString fixedPitchFamily(const QString& wanted, const FontCandidates& candidates);

// The candidates of this machine for `wanted`.
FontCandidates installedFontCandidates(const QString& wanted);

// `wanted`, or its stand-in, at `pointSize` points; without a size the widget's own size applies, so it
// follows a larger desktop font.
QFont fixedPitchFont(const QString& wanted, double pointSize = 0);

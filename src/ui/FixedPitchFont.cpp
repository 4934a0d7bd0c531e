#include "FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>

QString fixedPitchFamily(const QString& wanted, const FontCandidates& candidates) {
    for (const QString& family : candidates.installed)
        if (family.compare(wanted, Qt::CaseInsensitive) == 0)
            return family;
    if (!candidates.substitute.isEmpty() && candidates.substituteFixedPitch)
        return wanted;
    return candidates.systemFixed;
}

FontCandidates installedFontCandidates(const QString& wanted) {
    FontCandidates candidates;
    candidates.installed = QFontDatabase::families();
    // The matcher's pick for the name alone: without a style hint it answers as fontconfig does, and a
    // hint would pass any name for fixed-pitch.
    const QFontInfo matched{QFont(wanted)};
    candidates.substitute = matched.family();
    candidates.substituteFixedPitch = matched.fixedPitch();
    candidates.systemFixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return candidates;
}

QFont fixedPitchFont(const QString& wanted, double pointSize) {
    QFont font(fixedPitchFamily(wanted, installedFontCandidates(wanted)));
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

#include "SourceEditorFont.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace {

const QString kCourierNew = QStringLiteral("Courier New");

} // namespace

QString editorFontFamily(const FontCandidates& candidates) {
    for (const QString& family : candidates.installed)
        if (family.compare(kCourierNew, Qt::CaseInsensitive) == 0)
            return family;
    if (!candidates.substitute.isEmpty() && candidates.substituteFixedPitch)
        return candidates.substitute;
    return candidates.systemFixed;
}

FontCandidates installedFontCandidates() {
    FontCandidates candidates;
    candidates.installed = QFontDatabase::families();
    // The matcher's pick for the name alone: without a style hint it answers as fontconfig does.
    QFont asked(kCourierNew);
    const QFontInfo matched(asked);
    candidates.substitute = matched.family();
    candidates.substituteFixedPitch = matched.fixedPitch();
    candidates.systemFixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return candidates;
}

QFont editorFont(double pointSize) {
    const FontCandidates candidates = installedFontCandidates();
    QFont font(editorFontFamily(candidates));
    font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

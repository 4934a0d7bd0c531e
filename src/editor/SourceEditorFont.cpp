#include "SourceEditorFont.h"

#include "ui/FixedPitchFont.h"

namespace {

const QString kCourierNew = QStringLiteral("Courier New");

} // namespace

QString editorFontFamily() {
    return fixedPitchFamily(kCourierNew, installedFontCandidates(kCourierNew));
}

QFont editorFont(double pointSize) {
    return fixedPitchFont(kCourierNew, pointSize);
}

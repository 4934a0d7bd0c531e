#include "FileChangeCheck.h"

#include "FileTime.h"
#include "TextFile.h"

ReloadDecision reloadDecision(const ProjectRecord& record, const DiskFile& disk) {
    if (record.Kind != FileKind::Java || !disk.exists || disk.lines == record.Lines ||
        disk.fileTime == record.FileTime)
        return ReloadDecision::Skip;
    return ReloadDecision::Ask;
}

DiskFile readDiskFile(const QString& path) {
    TextReadResult text = TextFile::read(path);
    if (!text.ok())
        return {};
    return {true, std::move(text.file.lines), fileTimeText(path)};
}

ReloadDecision checkFileChanged(const ProjectRecord& record) {
    if (record.Kind != FileKind::Java)
        return ReloadDecision::Skip;
    return reloadDecision(record, readDiskFile(record.Path));
}

QString reloadQuestion(const QString& name, bool unsavedEdits) {
    if (unsavedEdits)
        return QStringLiteral("The file ") + name +
               QStringLiteral(
                   " has changed on disk, and its buffer holds unsaved edits. Reload it and discard "
                   "the edits?");
    return QStringLiteral("The file ") + name + QStringLiteral(" has changed. Reload it?");
}

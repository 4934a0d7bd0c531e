#include "ProjectRecord.h"

#include "FileTime.h"
#include "PathHelpers.h"
#include "TextFile.h"

FileKind kindOfFileName(const QString& name) {
    return fileExtension(name).toUpper() == QLatin1String(".JAVA") ? FileKind::Java : FileKind::Other;
}

FileResult saveFile(ProjectRecord& record) {
    TextFile file{record.Lines, record.Format};
    FileResult result = file.write(record.Path);
    if (result) {
        record.Format = file.format;
        record.Modified = false;
        record.FileTime = fileTimeText(record.Path);
    }
    return result;
}

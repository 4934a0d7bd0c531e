// The project file (.hwp) as loadProject reads it from disk, and write -> read of what was loaded.
#include "FuzzCheck.h"
#include "workspace/FileList.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectLoader.h"
#include "workspace/TextCodec.h"

#include <QDir>

namespace {

QString projectDir() {
    return fuzz::scratchDir() + QStringLiteral("/proj/");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Files the fuzzed lines can name, so that loading reaches the source reader as well.
    QDir().mkpath(projectDir() + QStringLiteral("sub"));
    fuzz::writeScratch(QStringLiteral("proj/Hello.java"), "public class Hello {\r\n}\r\n");
    fuzz::writeScratch(QStringLiteral("proj/Old.java"), "// caf\xE9\n");
    fuzz::writeScratch(QStringLiteral("proj/sub/Inner.java"), "\xEF\xBB\xBF"
                                                              "class Inner {}");
    fuzz::writeScratch(QStringLiteral("proj/icon.bmp"), QByteArray("BM\0\0", 4));
    fuzz::writeScratch(QStringLiteral("outside.java"), "class Outside {}");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = fuzz::writeScratch(QStringLiteral("proj/Fuzz.hwp"), bytes);
    const ProjectLoad load = loadProject(path);
    if (!load.ok()) {
        FUZZ_CHECK(load.steps.empty());
        return 0;
    }
    const ProjectValues& values = load.values;
    FUZZ_CHECK(!values.ProjectName.isEmpty());
    FUZZ_CHECK(!values.ProjectName.contains(u'/') && !values.ProjectName.contains(QLatin1String("..")));
    FUZZ_CHECK(values.ProjectDir == projectDir());
    FileList files;
    for (const ProjectLoadStep& step : load.steps) {
        FUZZ_CHECK(!step.line.isEmpty());
        if (step.type == ProjectLoadStep::Type::Insert) {
            // Nothing outside the project folder is ever read or later written.
            FUZZ_CHECK(QDir::cleanPath(step.record.Path).startsWith(projectDir()));
            FUZZ_CHECK(step.record.InProject);
            files.insertFile(step.record);
        }
    }
    (void)leftOutFilesMessage(load.steps);

    // Written back and read again: the same values and the names the list holds.
    ProjectValues written = values;
    const QString copy = projectDir() + QStringLiteral("Copy.hwp");
    const FileResult result = writeProjectFile(copy, written, files);
    FUZZ_CHECK(bool(result));
    const QByteArray copyBytes = fuzz::readScratch(copy);
    // Text read as Windows-1252 whose remaining lines happen to form valid UTF-8 reads differently: the
    // file carries no mark of its encoding.
    if (written.ProjectFileFormat.encoding == TextEncoding::Windows1252 &&
        decodeText(copyBytes).format.encoding != TextEncoding::Windows1252)
        return 0;
    const ProjectLoad again = loadProject(copy);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.values.ProjectName == values.ProjectName);
    FUZZ_CHECK(again.values.Icon22Path == values.Icon22Path);
    FUZZ_CHECK(again.values.Icon15Path == values.Icon15Path);
    FUZZ_CHECK(again.values.CreatorID == values.CreatorID);
    FUZZ_CHECK(again.values.ProjectFileFormat == written.ProjectFileFormat);
    QStringList lines;
    for (const ProjectLoadStep& step : again.steps)
        lines << step.line;
    QStringList expected = files.projectFileNames();
    expected.removeAll(QString());
    FUZZ_CHECK(lines == expected);
    return 0;
}

#include "ParserCommand.h"

QString parserCommandLine(const QString& programFolder, const PathConvention& c) {
    return c.word(programFolder + c.separator + c.executable(QStringLiteral("parse"))) +
           QStringLiteral(" -in temp.java -trace");
}

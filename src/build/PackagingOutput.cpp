#include "PackagingOutput.h"

QStringList toolProblemMessages(const QString& line) {
    QStringList messages;
    for (const char* marker : {"Warning!", "IMPORTANT", "ERROR:"}) {
        if (line.contains(QLatin1String(marker)))
            messages << QStringLiteral("Warp/Exegen ") + line;
    }
    return messages;
}

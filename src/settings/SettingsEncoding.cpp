#include "SettingsEncoding.h"

namespace SettingsEncoding {

namespace {

std::optional<int> decimal(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    const qsizetype digitsFrom = (text.front() == u'+' || text.front() == u'-') ? 1 : 0;
    if (digitsFrom == text.size())
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

bool readFlag(const std::optional<QString>& stored) {
    return stored && *stored == QLatin1String("on");
}

QString flagText(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

int lenientNumber(const std::optional<QString>& stored) {
    if (!stored)
        return 0;
    return decimal(QStringView(*stored).trimmed()).value_or(0);
}

QString conversionError(const QString& text) {
    return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
}

StrictNumber strictNumber(const QString& text) {
    if (const std::optional<int> value = decimal(text))
        return {value, QString()};
    return {std::nullopt, conversionError(text)};
}

} // namespace SettingsEncoding

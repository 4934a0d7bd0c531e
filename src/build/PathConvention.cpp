#include "PathConvention.h"

#include "CommandLine.h"

#include <algorithm>

namespace {

bool hasBlank(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; });
}

bool isWindows(const PathConvention& convention) {
    return convention.separator == u'\\';
}

} // namespace

PathConvention PathConvention::windows() {
    return {u'\\', u';', QStringLiteral(".exe")};
}

PathConvention PathConvention::linux() {
    return {u'/', u':', QString()};
}

PathConvention PathConvention::native() {
    return linux();
}

QString PathConvention::relative(const QString& path) const {
    QString result = path;
    result.replace(u'/', separator);
    return result;
}

QString PathConvention::executable(const QString& path) const {
    return relative(path) + executableSuffix;
}

QString PathConvention::word(const QString& text) const {
    if (text.isEmpty())
        return text;
    if (isWindows(*this))
        return hasBlank(text) ? u'"' + text + u'"' : text;
    return quoteCommandWord(text);
}

QString PathConvention::fileWord(const QString& name) const {
    if (name.startsWith(u'-') || name.startsWith(u'@'))
        return word(u'.' + QString(separator) + name);
    return word(name);
}

QString PathConvention::textWord(const QString& text) const {
    // The Windows form is the documented one, where typed text goes into the line as it is.
    if (isWindows(*this))
        return text;
    return text.isEmpty() ? QStringLiteral("\"\"") : word(text);
}

QString PathConvention::quoted(const QString& text) const {
    if (isWindows(*this))
        return u'"' + text + u'"';
    // Inside double quotes the splitter gives these four special meaning.
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (QChar c : text) {
        if (c == u'\\' || c == u'"' || c == u'$' || c == u'`')
            escaped += u'\\';
        escaped += c;
    }
    return u'"' + escaped + u'"';
}

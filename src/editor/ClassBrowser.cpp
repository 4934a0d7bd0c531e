#include "ClassBrowser.h"

#include "workspace/AtomicWrite.h"
#include "workspace/TextFile.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <numeric>
#include <signal.h>
#include <unistd.h>

namespace {

const QString kClassPrefix = QStringLiteral("class ");
const QString kMethodPrefix = QStringLiteral("method ");
const QString kVariablePrefix = QStringLiteral("variable ");
const QString kScratchPrefix = QStringLiteral("handwright-browser-");

bool processRuns(qint64 pid) {
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() &&
           (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

QCollator labelCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    return QCollator(locale);
}

// Sorts one level in place and gives the old index of each new position. Each label's collation key is
// made once: comparing keys is a byte comparison, comparing labels a collation each time.
std::vector<int> sortLevel(std::vector<BrowserNode>& level, const QCollator& collator) {
    std::vector<int> order(level.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(level.size());
    for (const BrowserNode& node : level)
        keys.push_back(collator.sortKey(node.label));
    std::stable_sort(order.begin(), order.end(), [&level, &keys](int a, int b) {
        if (level[a].note != level[b].note)
            return level[b].note;
        return keys[a].compare(keys[b]) < 0;
    });
    std::vector<BrowserNode> sorted;
    sorted.reserve(level.size());
    for (int old : order)
        sorted.push_back(std::move(level[old]));
    level = std::move(sorted);
    return order;
}

} // namespace

QString ClassBrowser::word(const QString& line, int n) {
    int counter = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != u' ')
            continue;
        if (++counter > n)
            return line.mid(start, i - start);
        start = i + 1;
    }
    return line.mid(start);
}

std::optional<int> ClassBrowser::lineNumber(const QString& word) {
    if (word.isEmpty() ||
        !std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < 1)
        return std::nullopt;
    return value;
}

QString ClassBrowser::writeParserInput(const QString& path, const QStringList& lines) {
    return writeFileAtomically(path, joinTextLines(lines).toUtf8(), Durability::Scratch).error;
}

QString ClassBrowser::scratchParent() {
    // Without the variable Qt would make up a folder of its own, with a warning.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QDir::tempPath();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isDir() && info.isWritable())
        return runtime;
    return QDir::tempPath();
}

QString ClassBrowser::scratchTemplate(const QString& parent) {
    return parent + '/' + kScratchPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX");
}

int ClassBrowser::removeStaleScratch(const QString& parent) {
    int removed = 0;
    const QFileInfoList folders = QDir(parent).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QFileInfo& folder : folders) {
        if (!folder.fileName().startsWith(kScratchPrefix))
            continue;
        // handwright-browser-<pid>-<random>
        const QStringList parts = folder.fileName().mid(kScratchPrefix.size()).split(u'-');
        bool isNumber = false;
        const qint64 pid = parts.size() == 2 ? parts[0].toLongLong(&isNumber) : 0;
        if (!isNumber || folder.isSymLink() || folder.ownerId() != ::geteuid() || processRuns(pid))
            continue;
        // Only what the browser puts there: files, each removed as itself (a link, not its target).
        QDir dir(folder.filePath());
        const QFileInfoList entries =
            dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        for (const QFileInfo& entry : entries)
            if (entry.isSymLink() || !entry.isDir())
                dir.remove(entry.fileName());
        if (QDir(parent).rmdir(folder.fileName()))
            ++removed;
    }
    return removed;
}

bool ClassBrowser::labelLess(const QString& a, const QString& b) {
    return labelCollator().compare(a, b) < 0;
}

QString ClassBrowser::endNote(std::optional<int> exitStatus, bool stopped, int limitMs) {
    if (stopped)
        return QStringLiteral("parse was stopped after %1 s: the outline is incomplete")
            .arg(QString::number(limitMs / 1000.0));
    if (!exitStatus || *exitStatus == 0)
        return {};
    if (*exitStatus > 128)
        return QStringLiteral("parse ended abnormally (signal %1): the outline may be incomplete")
            .arg(*exitStatus - 128);
    return QStringLiteral("parse ended with exit code %1: the outline may be incomplete").arg(*exitStatus);
}

std::optional<ClassBrowser::Placement> ClassBrowser::addLine(const QString& line) {
    BrowserNode node;
    const bool isClass = line.startsWith(kClassPrefix);
    if (isClass) {
        node.label = kClassPrefix + word(line, 2);
        node.picture = ClassPicture;
        node.line = lineNumber(word(line, 3));
    } else if ((line.startsWith(kMethodPrefix) && m_methods) ||
               (line.startsWith(kVariablePrefix) && m_variables)) {
        node.label = word(line, 3);
        node.picture = line.startsWith(kMethodPrefix) ? MethodPicture : VariablePicture;
        node.line = lineNumber(word(line, 4));
    } else {
        return std::nullopt;
    }

    if (isClass || m_currentClass < 0) {
        const int top = static_cast<int>(m_nodes.size());
        m_nodes.push_back(std::move(node));
        // A member lands here only while there is no current class.
        if (isClass)
            m_currentClass = top;
        return Placement{top, -1};
    }
    std::vector<BrowserNode>& children = m_nodes[m_currentClass].children;
    children.push_back(std::move(node));
    return Placement{m_currentClass, static_cast<int>(children.size()) - 1};
}

ClassBrowser::Placement ClassBrowser::addNote(const QString& text) {
    BrowserNode node;
    node.label = text;
    node.picture = -1;
    node.note = true;
    m_nodes.push_back(std::move(node));
    return Placement{static_cast<int>(m_nodes.size()) - 1, -1};
}

std::optional<ClassBrowser::SortOrder> ClassBrowser::finishTree() {
    if (!m_sorted)
        return std::nullopt;
    return sort();
}

void ClassBrowser::clear() {
    m_nodes.clear();
    m_currentClass = -1;
}

const BrowserNode* ClassBrowser::node(Placement at) const {
    if (at.top < 0 || at.top >= static_cast<int>(m_nodes.size()))
        return nullptr;
    const BrowserNode& top = m_nodes[at.top];
    if (at.child < 0)
        return &top;
    return at.child < static_cast<int>(top.children.size()) ? &top.children[at.child] : nullptr;
}

ClassBrowser::SortOrder ClassBrowser::sort() {
    const QCollator collator = labelCollator();
    SortOrder order;
    order.top = sortLevel(m_nodes, collator);
    // The current class is the same node at its new place.
    if (m_currentClass >= 0)
        m_currentClass = static_cast<int>(std::find(order.top.begin(), order.top.end(), m_currentClass) -
                                          order.top.begin());
    order.children.reserve(m_nodes.size());
    for (BrowserNode& node : m_nodes)
        order.children.push_back(sortLevel(node.children, collator));
    return order;
}

ClassBrowser::SortOrder ClassBrowser::pressSorted() {
    m_sorted = true;
    return sort();
}

bool ClassBrowser::requestRefresh() {
    if (m_parsing) {
        m_pending = true;
        return false;
    }
    m_parsing = true;
    return true;
}

bool ClassBrowser::parseEnded() {
    m_discard = false;
    if (m_pending) {
        m_pending = false;
        return true;
    }
    m_parsing = false;
    return false;
}

void ClassBrowser::parseFailed() {
    m_parsing = false;
    m_pending = false;
    m_discard = false;
}

void ClassBrowser::clearWithoutParse() {
    clear();
    m_pending = false;
    if (m_parsing)
        m_discard = true;
}

#include "ClassBrowser.h"

#include "workspace/AtomicWrite.h"
#include "workspace/TextFile.h"

#include <algorithm>
#include <numeric>

namespace {

const QString kClassPrefix = QStringLiteral("class ");
const QString kMethodPrefix = QStringLiteral("method ");
const QString kVariablePrefix = QStringLiteral("variable ");

bool labelLess(const QString& a, const QString& b) {
    return QString::localeAwareCompare(a, b) < 0;
}

// Sorts one level in place and gives the old index of each new position.
std::vector<int> sortLevel(std::vector<BrowserNode>& level) {
    std::vector<int> order(level.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&level](int a, int b) { return labelLess(level[a].label, level[b].label); });
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

template <class Nodes> int ClassBrowser::sortedPosition(const Nodes& level, const QString& label) {
    const auto at = std::upper_bound(
        level.begin(), level.end(), label,
        [](const QString& value, const BrowserNode& node) { return labelLess(value, node.label); });
    return static_cast<int>(at - level.begin());
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
        const int top = m_sorted ? sortedPosition(m_nodes, node.label) : static_cast<int>(m_nodes.size());
        m_nodes.insert(m_nodes.begin() + top, std::move(node));
        // A member lands here only while there is no current class.
        if (isClass)
            m_currentClass = top;
        return Placement{top, -1};
    }
    std::vector<BrowserNode>& children = m_nodes[m_currentClass].children;
    const int child = m_sorted ? sortedPosition(children, node.label) : static_cast<int>(children.size());
    children.insert(children.begin() + child, std::move(node));
    return Placement{m_currentClass, child};
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
    SortOrder order;
    order.top = sortLevel(m_nodes);
    // The current class is the same node at its new place.
    if (m_currentClass >= 0)
        m_currentClass = static_cast<int>(std::find(order.top.begin(), order.top.end(), m_currentClass) -
                                          order.top.begin());
    order.children.reserve(m_nodes.size());
    for (BrowserNode& node : m_nodes)
        order.children.push_back(sortLevel(node.children));
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

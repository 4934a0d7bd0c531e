#include "MessageDialogLayout.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

int mulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    if (2 * std::llabs(remainder) >= std::llabs(std::int64_t(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    return int(quotient);
}

MessageDialogMetrics messageDialogMetrics(int cx, int cy) {
    MessageDialogMetrics m;
    m.horizontalMargin = mulDiv(8, cx, 4);
    m.verticalMargin = mulDiv(8, cy, 8);
    m.horizontalSpacing = mulDiv(10, cx, 4);
    m.verticalSpacing = mulDiv(10, cy, 8);
    m.buttonWidth = mulDiv(50, cx, 4);
    m.buttonHeight = mulDiv(14, cy, 8);
    m.buttonGap = mulDiv(4, cx, 4);
    return m;
}

MessageDialogGeometry layoutMessageDialog(const MessageDialogMetrics& m, QSize textSize, bool hasIcon,
                                          int buttonCount) {
    MessageDialogGeometry g;
    g.textBlock = textSize;
    if (hasIcon) {
        g.textBlock.rwidth() += messageIconSize + m.horizontalSpacing;
        g.textBlock.setHeight(std::max(g.textBlock.height(), messageIconSize));
    }
    // No buttons means no row at all, not a row of minus one gap.
    if (buttonCount > 0)
        g.buttonRowWidth = buttonCount * m.buttonWidth + (buttonCount - 1) * m.buttonGap;

    g.clientSize = QSize(std::max(g.textBlock.width(), g.buttonRowWidth) + 2 * m.horizontalMargin,
                         g.textBlock.height() + m.buttonHeight + m.verticalSpacing + 2 * m.verticalMargin);

    if (hasIcon)
        g.iconRect = QRect(m.horizontalMargin, m.verticalMargin, messageIconSize, messageIconSize);
    // The text sits at the right end of its block, after the icon.
    g.textRect = QRect(g.textBlock.width() - textSize.width() + m.horizontalMargin, m.verticalMargin,
                       textSize.width(), textSize.height());

    int x = (g.clientSize.width() - g.buttonRowWidth) / 2;
    const int y = g.textBlock.height() + m.verticalMargin + m.verticalSpacing;
    for (int i = 0; i < buttonCount; ++i) {
        g.buttonRects.append(QRect(x, y, m.buttonWidth, m.buttonHeight));
        x += m.buttonWidth + m.buttonGap;
    }
    return g;
}

namespace {

// Start positions of the lines `paragraph` wraps into.
QList<int> lineStarts(const QString& paragraph, const QFont& font, int width, QTextOption::WrapMode mode,
                      bool& fits) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(mode);
    layout.setTextOption(option);
    QList<int> starts;
    fits = true;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts << line.textStart();
        fits = fits && line.naturalTextWidth() <= width;
    }
    layout.endLayout();
    return starts;
}

} // namespace

QString breakLongWords(const QString& text, const QFont& font, int width) {
    QStringList paragraphs = text.split(u'\n');
    for (QString& paragraph : paragraphs) {
        bool fits = true;
        lineStarts(paragraph, font, width, QTextOption::WordWrap, fits);
        if (fits)
            continue;
        const QList<int> starts =
            lineStarts(paragraph, font, width, QTextOption::WrapAtWordBoundaryOrAnywhere, fits);
        // From the end, so earlier positions stay valid; a line that starts after a blank needs no break.
        for (qsizetype i = starts.size() - 1; i > 0; --i) {
            const int at = starts[i];
            if (at > 0 && !paragraph[at - 1].isSpace())
                paragraph.insert(at, u'\n');
        }
    }
    return paragraphs.join(u'\n');
}

QPoint centredOn(const QRect& screen, QSize size) {
    return QPoint(screen.x() + screen.width() / 2 - size.width() / 2,
                  screen.y() + screen.height() / 2 - size.height() / 2);
}

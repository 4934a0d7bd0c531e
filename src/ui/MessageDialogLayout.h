#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int mulDiv(int a, int b, int c);

// Spacing of the message dialog in pixels, derived from the message font's average character size.
struct MessageDialogMetrics {
    int horizontalMargin = 0;
    int verticalMargin = 0;
    int horizontalSpacing = 0;
    int verticalSpacing = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonGap = 0;
};

// cx: width of "A".."Z" "a".."z" divided by 52; cy: the font's line height.
MessageDialogMetrics messageDialogMetrics(int cx, int cy);

class QFont;
class QString;

// The width the message text is word-wrapped into.
inline int messageWrapWidth(int screenWidth) {
    return screenWidth / 2;
}

inline constexpr int messageIconSize = 32;

struct MessageDialogGeometry {
    QSize textBlock;        // the text, plus the icon and its spacing when there is one
    int buttonRowWidth = 0; // all buttons with their gaps
    QSize clientSize;
    QRect iconRect; // null without an icon
    QRect textRect;
    QList<QRect> buttonRects; // left to right
};

// Places icon, text and `buttonCount` buttons; `textSize` is the text as wrapped into messageWrapWidth.
MessageDialogGeometry layoutMessageDialog(const MessageDialogMetrics& metrics, QSize textSize, bool hasIcon,
                                          int buttonCount);

// The text with a line break put into every word that is wider than `width` in `font` (a long path), so
// that word wrapping keeps within `width`; a text whose words all fit is returned as it is.
QString breakLongWords(const QString& text, const QFont& font, int width);

// Top-left corner of a window of `size` centred on `screen`.
QPoint centredOn(const QRect& screen, QSize size);

#include "WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

namespace {

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

QRect chooseScreen(const QRect& frame, const std::optional<QRect>& anchor, const QList<QRect>& screens) {
    const QRect* best = nullptr;
    qint64 bestArea = 0;
    for (const QRect& screen : screens) {
        const qint64 area = overlap(frame, screen);
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    if (best)
        return *best;
    if (anchor) {
        for (const QRect& screen : screens) {
            if (screen.contains(anchor->center()))
                return screen;
        }
    }
    return screens.first();
}

} // namespace

QRect place(QRect frame, bool positionStored, const std::optional<QRect>& anchor,
            const QList<QRect>& screens) {
    if (screens.isEmpty())
        return frame;
    if (!positionStored)
        frame.moveCenter(anchor ? anchor->center() : screens.first().center());
    const QRect screen = chooseScreen(frame, anchor, screens);
    frame.setSize(frame.size().boundedTo(screen.size()));
    frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() - frame.height() + 1));
    return frame;
}

} // namespace WindowPlacement

#pragma once

#include <QList>
#include <QRect>
#include <optional>

// Where a window with a stored (or no stored) placement goes, over the screens' usable areas.
namespace WindowPlacement {

// `frame`: the window's outer rectangle as it would be restored. Without a stored position the window is
// centred over `anchor` (the main window) or, lacking one, over the first screen. Then it is moved, and
// shrunk if it is larger, onto the screen it overlaps most (the one holding the anchor, else the first
// screen, when it overlaps none), so that a stored placement on a screen that has gone, or a size larger
// than the screen, never leaves any part of it out of reach. `screens` holds the usable area of every
// screen, the primary one first; with none the frame is returned as it is.
QRect place(QRect frame, bool positionStored, const std::optional<QRect>& anchor,
            const QList<QRect>& screens);

} // namespace WindowPlacement

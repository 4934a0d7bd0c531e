#pragma once

#include <QSize>

// The Bitmap viewer's window for a picture: picture width + 5 from 65 pixels up, else 64; picture
// height + 20 from 49 pixels up, else 70.
QSize bitmapViewerSize(const QSize& picture);

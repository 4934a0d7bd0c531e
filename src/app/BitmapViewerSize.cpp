#include "BitmapViewerSize.h"

QSize bitmapViewerSize(const QSize& picture) {
    const int width = picture.width() >= 65 ? picture.width() + 5 : 64;
    const int height = picture.height() >= 49 ? picture.height() + 20 : 70;
    return {width, height};
}

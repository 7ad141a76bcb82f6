#include "window_fit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int clampToInt(std::int64_t value) {
    const std::int64_t low = std::numeric_limits<int>::min();
    const std::int64_t high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, low, high));
}

} // namespace

QSize fittedOuterSize(QSize outer, QSize pageArea, int width, int pictureWidth, int pictureHeight) {
    if (width == -1)
        width = pageArea.width();
    const int outerWidth =
        clampToInt(std::int64_t{outer.width()} - pageArea.width() + std::int64_t{width});
    if (pictureWidth == 0)
        return QSize(outerWidth, outer.height());
    // Integer division in C++ truncates toward zero, as the sizing rule asks.
    const std::int64_t pageHeight = std::int64_t{width} * pictureHeight / pictureWidth;
    return QSize(outerWidth,
                 clampToInt(pageHeight + std::int64_t{outer.height()} - pageArea.height()));
}

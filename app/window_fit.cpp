// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

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

QSize sum(QSize a, QSize b) {
    return QSize(clampToInt(std::int64_t{a.width()} + b.width()),
                 clampToInt(std::int64_t{a.height()} + b.height()));
}

} // namespace

FittedWindow fitWindowToPicture(const WindowLayout& now, int width, QSize picture) {
    if (width == -1)
        width = now.pageArea.width();
    width = std::max(width, now.minimumPageWidth);
    // Integer division in C++ truncates toward zero, as the sizing rule asks.
    const int height = picture.width() == 0
                           ? now.pageArea.height()
                           : clampToInt(std::int64_t{width} * picture.height() / picture.width());
    FittedWindow fitted{sum(now.frame, QSize(width, height)), QSize(width, height), false};
    if (fitted.outer.width() <= now.available.width() &&
        fitted.outer.height() <= now.available.height())
        return fitted;

    // A scroll bar along one edge takes room from the other direction, which may then
    // need its own bar too.
    fitted.scrolls = true;
    const QSize horizontalBar(0, now.scrollBars.height());
    const QSize verticalBar(now.scrollBars.width(), 0);
    const bool across = fitted.outer.width() > now.available.width();
    if (across)
        fitted.outer = sum(fitted.outer, horizontalBar);
    if (fitted.outer.height() > now.available.height()) {
        fitted.outer = sum(fitted.outer, verticalBar);
        if (!across && fitted.outer.width() > now.available.width())
            fitted.outer = sum(fitted.outer, horizontalBar);
    }
    fitted.outer = fitted.outer.boundedTo(now.available);
    return fitted;
}

QPoint keptWithin(QRect frame, QRect room) {
    return QPoint(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())),
                  std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
}

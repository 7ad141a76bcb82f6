// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QRect>
#include <QSize>

// The window's measures that sizing it to a page depends on.
struct WindowLayout {
    // The outer size less the area that shows the picture, while nothing scrolls: the
    // frame, menu bar, status bar, tab row and tab frame.
    QSize frame;
    // The area that shows the active page's picture.
    QSize pageArea;
    // The room the screen gives the outer window.
    QSize available;
    // The narrowest page area the window still works with.
    int minimumPageWidth = 0;
    // The width of a vertical scroll bar and the height of a horizontal one.
    QSize scrollBars;
};

struct FittedWindow {
    QSize outer;
    // The size the page area is shown at; where the outer size cannot hold it, it scrolls.
    QSize pageArea;
    bool scrolls = false;
};

// Sizes the window so that the page area is `width` pixels wide and
// (width * pictureHeight) div pictureWidth high: the product formed in 64 bits first,
// truncated toward zero, heights beyond the integer range clamped. A width of -1 keeps the
// page area's current width; a picture of width 0 keeps its height. A width below the
// minimum becomes the minimum, and the height follows the picture at that width. A window
// that would not fit the screen is cut to the available room, with scroll bars.
FittedWindow fitWindowToPicture(const WindowLayout& now, int width, QSize picture);

// Where `frame` goes to lie inside `room`, moved as little as possible; a frame larger than
// the room keeps to its top left.
QPoint keptWithin(QRect frame, QRect room);

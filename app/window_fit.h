#pragma once

#include <QSize>

// The outer size that makes the page area `width` pixels wide and as high as a picture
// of pictureWidth x pictureHeight asks, the difference between the window's outer size
// and the page area's size staying as it is. A width of -1 keeps the page area's current
// width. The height is (width * pictureHeight) div pictureWidth, the product formed
// first and truncated toward zero; a picture of width 0 keeps the window's height.
// Heights beyond the integer range are clamped instead of wrapping around.
QSize fittedOuterSize(QSize outer, QSize pageArea, int width, int pictureWidth, int pictureHeight);

#pragma once

#include <QImage>
#include <QSize>

// The picture made smaller for the screen: each screen pixel shows the mean of the picture
// pixels it covers, so thin lines fade instead of breaking into dots. Whole blocks of
// pixels are first averaged in one pass over the picture's rows; Qt's smooth scaling then
// takes the small image the rest of the way. In either direction where size is not
// smaller than the picture, the pixels are repeated. Gives Format_RGB32.
QImage displayImage(const QImage& picture, QSize size);

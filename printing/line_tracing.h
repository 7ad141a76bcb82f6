#pragma once

#include <QPainterPath>
#include <optional>

class QImage;

// The black areas of a picture whose every pixel is pure black or pure white, traced into
// curves in the picture's pixel coordinates (pixel x, y covers x..x+1, y..y+1; y grows
// downwards), to be filled with the path's own fill rule. Nothing is dropped: a single
// black pixel is traced too. Returns nothing, having stopped at the first such pixel, when
// some pixel is neither black nor white. Throws std::bad_alloc when memory runs out and
// EAppError when the tracer fails otherwise.
std::optional<QPainterPath> TraceBlackAndWhite(const QImage& picture);

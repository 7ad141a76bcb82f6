// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QPainterPath>
#include <QtGlobal>

class QImage;

// How much tracing one page may take. The tracer's time and memory grow with the length
// of the black areas' outlines and far faster with the corners where black pixels meet
// only diagonally: each such corner lets an outline wind on into the next, so a fine
// checkerboard becomes a few outlines that each wander over the whole page.
struct TracingLimits {
    qint64 outlineEdges = 3000000;
    qint64 diagonalCorners = 100000;
    qint64 memoryBytes = -1; // -1: no limit beyond the two counts
};

// Bytes the tracer holds for each pixel edge of the outlines, as measured on line pages
// and noise (about 160).
constexpr qint64 kTracingBytesPerEdge = 160;

enum class TraceResult { Traced, NotBlackAndWhite, TooDetailed };

// The black areas of a picture whose every pixel is pure black or pure white, traced into
// lines: curves in the picture's pixel coordinates (pixel x, y covers x..x+1, y..y+1; y
// grows downwards), to be filled with the path's own fill rule. Nothing is dropped: a
// single black pixel is traced too. NotBlackAndWhite, having stopped at the first such
// pixel, when some pixel is neither black nor white; TooDetailed, before tracing, when the
// outlines counted from the pixels pass limits. Throws std::bad_alloc when memory runs out
// and EAppError when the tracer fails otherwise.
TraceResult TraceBlackAndWhite(const QImage& picture, const TracingLimits& limits,
                               QPainterPath& lines);

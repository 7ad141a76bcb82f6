// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "line_tracing.h"

#include "app_error.h"

#include <QImage>

#include <algorithm>
#include <climits>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <potracelib.h>

namespace {

constexpr int WordBits = int(sizeof(potrace_word) * CHAR_BIT);
// Leftmost pixel in the word's highest bit, as the tracer reads its bitmaps.
constexpr potrace_word LeftmostBit = potrace_word(1) << (WordBits - 1);

// The picture as the tracer's bitmap (black set), or nothing when a pixel is neither black
// nor white. The words live in words, which the bitmap points into. Counts on the way the
// pixel edges between black and white (the page's edge counting as white) and the corners
// where two black pixels meet only diagonally.
std::optional<potrace_bitmap_t> packBlack(const QImage& picture, std::vector<potrace_word>& words,
                                          qint64& edges, qint64& corners) {
    // One pixel layout to read; 32-bit pictures are read as they are.
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw std::bad_alloc();
    const int width = rgb.width();
    const int height = rgb.height();
    const int dy = (width + WordBits - 1) / WordBits;
    words.assign(size_t(dy) * size_t(height), 0);
    edges = 0;
    corners = 0;
    std::vector<char> above(size_t(width) + 1, 0); // [x + 1]: pixel x of the row above
    std::vector<char> here(size_t(width) + 1, 0);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        potrace_word* out = words.data() + size_t(y) * size_t(dy);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] & 0xFFFFFFu;
            const bool black = colour == 0;
            if (black)
                out[x / WordBits] |= LeftmostBit >> (x % WordBits);
            else if (colour != 0xFFFFFFu)
                return std::nullopt;
            here[size_t(x) + 1] = black;
            const bool left = here[size_t(x)];
            const bool up = above[size_t(x) + 1];
            edges += (black != left) + (black != up);
            corners += black == bool(above[size_t(x)]) && left == up && black != left;
        }
        edges += here[size_t(width)]; // the right edge of the page
        std::swap(above, here);
    }
    edges += std::count(above.begin(), above.end(), 1); // the bottom edge
    potrace_bitmap_t bitmap{};
    bitmap.w = width;
    bitmap.h = height;
    bitmap.dy = dy;
    bitmap.map = words.data();
    return bitmap;
}

QPointF point(const potrace_dpoint_t& p) {
    return QPointF(p.x, p.y);
}

void appendCurve(QPainterPath& path, const potrace_curve_t& curve) {
    if (curve.n <= 0)
        return;
    // A closed curve: it starts where its last segment ends.
    path.moveTo(point(curve.c[curve.n - 1][2]));
    for (int i = 0; i < curve.n; ++i) {
        const potrace_dpoint_t* c = curve.c[i];
        if (curve.tag[i] == POTRACE_CORNER) {
            path.lineTo(point(c[1]));
            path.lineTo(point(c[2]));
        } else {
            path.cubicTo(point(c[0]), point(c[1]), point(c[2]));
        }
    }
    path.closeSubpath();
}

struct ParamDeleter {
    void operator()(potrace_param_t* p) const { potrace_param_free(p); }
};
struct StateDeleter {
    void operator()(potrace_state_t* s) const { potrace_state_free(s); }
};

} // namespace

TraceResult TraceBlackAndWhite(const QImage& picture, const TracingLimits& limits,
                               QPainterPath& lines) {
    std::vector<potrace_word> words;
    qint64 edges = 0;
    qint64 corners = 0;
    const std::optional<potrace_bitmap_t> bitmap = packBlack(picture, words, edges, corners);
    if (!bitmap)
        return TraceResult::NotBlackAndWhite;
    if (edges > limits.outlineEdges || corners > limits.diagonalCorners ||
        (limits.memoryBytes >= 0 && edges > limits.memoryBytes / kTracingBytesPerEdge))
        return TraceResult::TooDetailed;
    const std::unique_ptr<potrace_param_t, ParamDeleter> param(potrace_param_default());
    if (!param)
        throw std::bad_alloc();
    // Every speck stays: the page is the user's drawing, not something to clean up here.
    param->turdsize = 0;
    const std::unique_ptr<potrace_state_t, StateDeleter> state(
        potrace_trace(param.get(), &*bitmap));
    if (!state || state->status != POTRACE_STATUS_OK)
        throw EAppError(QCoreApplication::translate("LineTracing", "線画をなぞれませんでした。"));
    QPainterPath path;
    // Outlines and their holes nest without crossing, so alternate filling shows the holes
    // whichever way the tracer turns.
    path.setFillRule(Qt::OddEvenFill);
    for (const potrace_path_t* p = state->plist; p; p = p->next)
        appendCurve(path, p->curve);
    lines = std::move(path);
    return TraceResult::Traced;
}

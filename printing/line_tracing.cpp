#include "line_tracing.h"

#include "app_error.h"

#include <QImage>

#include <climits>
#include <memory>
#include <new>
#include <vector>

#include <potracelib.h>

namespace {

constexpr int WordBits = int(sizeof(potrace_word) * CHAR_BIT);
// Leftmost pixel in the word's highest bit, as the tracer reads its bitmaps.
constexpr potrace_word LeftmostBit = potrace_word(1) << (WordBits - 1);

// The picture as the tracer's bitmap (black set), or nothing when a pixel is neither black
// nor white. The words live in words, which the bitmap points into.
std::optional<potrace_bitmap_t> packBlack(const QImage& picture, std::vector<potrace_word>& words) {
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
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        potrace_word* out = words.data() + size_t(y) * size_t(dy);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] & 0xFFFFFFu;
            if (colour == 0)
                out[x / WordBits] |= LeftmostBit >> (x % WordBits);
            else if (colour != 0xFFFFFFu)
                return std::nullopt;
        }
    }
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

std::optional<QPainterPath> TraceBlackAndWhite(const QImage& picture) {
    std::vector<potrace_word> words;
    const std::optional<potrace_bitmap_t> bitmap = packBlack(picture, words);
    if (!bitmap)
        return std::nullopt;
    const std::unique_ptr<potrace_param_t, ParamDeleter> param(potrace_param_default());
    if (!param)
        throw std::bad_alloc();
    // Every speck stays: the page is the user's drawing, not something to clean up here.
    param->turdsize = 0;
    const std::unique_ptr<potrace_state_t, StateDeleter> state(
        potrace_trace(param.get(), &*bitmap));
    if (!state || state->status != POTRACE_STATUS_OK)
        throw EAppError(QStringLiteral("線画をなぞれませんでした。"));
    QPainterPath path;
    // Outlines and their holes nest without crossing, so alternate filling shows the holes
    // whichever way the tracer turns.
    path.setFillRule(Qt::OddEvenFill);
    for (const potrace_path_t* p = state->plist; p; p = p->next)
        appendCurve(path, p->curve);
    return path;
}

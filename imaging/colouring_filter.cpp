#include "colouring_filter.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// Columns handled per pass over the rows: the packed values of three rows of one pass stay
// in the first-level cache.
constexpr int kChunk = 512;

// Adding and taking away 1.5 * 2^52 leaves an integer rounded to nearest with halves to
// even for any value of magnitude below 2^51, without a library call per pixel.
constexpr double kRoundingShift = 6755399441055744.0;

// N of every pixel of [x0 - 1, x1 + 1) of one row: red in bits 0-7, blue in 8-15, green
// in 16-23.
void packNeighbours(const uchar* row, int x0, int x1, qint32* n) {
    const uchar* p = row + 3 * qsizetype(x0 - 1);
    const int count = x1 - x0 + 2;
    for (int i = 0; i < count; ++i, p += 3)
        n[i] = qint32(p[2]) | qint32(p[0]) << 8 | qint32(p[1]) << 16;
}

// One row of the band [x0, x1): up, centre and down are the N values of the three rows
// from column x0 - 1; centreRow is the pixel row of the centre pixels.
__attribute__((target_clones("avx2", "default"))) void
filterRow(const qint32* up, const qint32* centre, const qint32* down, const uchar* centreRow,
          int x0, int count, uchar* grey) {
    const uchar* p = centreRow + 3 * qsizetype(x0);
    for (int i = 0; i < count; ++i) {
        const int c = i + 1;
        // An exact integer below 2^27 in magnitude: the same value the sum of the nine
        // weighted doubles gives, whatever the order.
        qint32 s = 4 * centre[c] - centre[c - 1] - centre[c + 1] - up[c] - down[c];
        qint32 d = qint32(p[3 * i + 2]) | qint32(p[3 * i + 1]) << 8 | qint32(p[3 * i]) << 16;
        // A black centre gives white; as a mask it keeps the loop free of branches.
        const bool black = d == 0;
        s = black ? 0 : s;
        d = black ? 1 : d;
        const double q = double(s) / double(d);
        const double t = 100.0 * q;
        double v = 255.0 + t;
        v = v < 255.0 ? v : 255.0;
        v = v > 0.0 ? v : 0.0;
        v = (v + kRoundingShift) - kRoundingShift;
        grey[i] = uchar(int(v));
    }
}

void writeGrey(const uchar* grey, int count, uchar* out) {
    for (int i = 0; i < count; ++i) {
        out[3 * i] = grey[i];
        out[3 * i + 1] = grey[i];
        out[3 * i + 2] = grey[i];
    }
}

} // namespace

void CustomFilterColumns(const Bitmap& src, Bitmap& out, int firstColumn, int endColumn) {
    if (src.depth() != 24 || out.depth() != 24 || src.width() != out.width() ||
        src.height() != out.height())
        throw std::invalid_argument("colouring filter needs two 24-bit bitmaps of one size");
    const int width = src.width();
    const int height = src.height();
    const int x0 = std::max(firstColumn, 1);
    const int x1 = std::min(endColumn, width - 1);
    const int lastRow = height - 3;
    if (x0 >= x1 || lastRow < 1)
        return;

    const qsizetype srcStride = src.bytesPerLine();
    const qsizetype outStride = out.bytesPerLine();
    const uchar* srcBits = src.constScanLine(0);
    uchar* outBits = out.scanLine(0);

    const int chunk = std::min(kChunk, x1 - x0);
    std::vector<qint32> packed(3 * size_t(chunk + 2));
    std::vector<uchar> grey(static_cast<size_t>(chunk));
    for (int cx = x0; cx < x1; cx += chunk) {
        const int cend = std::min(cx + chunk, x1);
        const int count = cend - cx;
        qint32* up = packed.data();
        qint32* centre = up + chunk + 2;
        qint32* down = centre + chunk + 2;
        packNeighbours(srcBits, cx, cend, up);
        packNeighbours(srcBits + srcStride, cx, cend, centre);
        for (int y = 1; y <= lastRow; ++y) {
            const uchar* row = srcBits + y * srcStride;
            packNeighbours(row + srcStride, cx, cend, down);
            filterRow(up, centre, down, row, cx, count, grey.data());
            writeGrey(grey.data(), count, outBits + y * outStride + 3 * qsizetype(cx));
            std::swap(up, centre);
            std::swap(centre, down);
        }
    }
}

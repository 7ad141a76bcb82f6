// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colouring_filter.h"

#include "cpu_path.h"
#include "row_prefetch.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// Columns handled per pass over the rows. The values of three rows of a pass (48 KiB) stay in
// the second-level cache, and each row's piece is long enough for the processor to fetch it
// ahead; with much shorter pieces the loop waits on memory at every row.
constexpr int kChunk = 2048;

// Adding 1.5 * 2^52 to a value of magnitude below 2^51 rounds it to an integer, to nearest
// with halves to even, and leaves that integer in the low bits of the sum: no library call
// per pixel, and the loop stays vectorised.
constexpr double kRoundingShift = 6755399441055744.0;

// The packed values of one row over the columns of a pass and one column on either side.
struct RowValues {
    qint32* n; // red in bits 0-7, blue in 8-15, green in 16-23: what the kernel weighs
    qint32* d; // red in bits 0-7, green in 8-15, blue in 16-23: what the centre divides by
};

__attribute__((always_inline)) inline void packRow(const uchar* __restrict pixels, int count,
                                                   qint32* __restrict n, qint32* __restrict d) {
    for (int i = 0; i < count; ++i) {
        const int blue = pixels[3 * i];
        const int green = pixels[3 * i + 1];
        const int red = pixels[3 * i + 2];
        n[i] = red | blue << 8 | green << 16;
        d[i] = red | green << 8 | blue << 16;
    }
}

__attribute__((always_inline)) inline void greyLevels(const qint32* __restrict up,
                                                      const qint32* __restrict centre,
                                                      const qint32* __restrict down,
                                                      const qint32* __restrict divisor, int count,
                                                      uchar* __restrict grey) {
    for (int i = 0; i < count; ++i) {
        const int c = i + 1;
        // Diagonals weigh 0, and adding 0 changes no sum, so they are left out. The weighted
        // sum is an integer below 2^27 in magnitude: exact in 32 bits and in a double alike,
        // in any order of adding.
        qint32 s = 4 * centre[c] - centre[c - 1] - centre[c + 1] - up[c] - down[c];
        qint32 d = divisor[c];
        // A black centre gives white; as a mask it keeps the loop free of branches.
        const bool black = d == 0;
        s = black ? 0 : s;
        d = black ? 1 : d;
        const double q = double(s) / double(d);
        const double t = 100 * q;
        double v = 255 + t;
        v = v < 255 ? v : 255;
        v = v > 0 ? v : 0;
        const double shifted = v + kRoundingShift;
        quint64 bits;
        std::memcpy(&bits, &shifted, sizeof bits);
        grey[i] = uchar(bits);
    }
}

__attribute__((always_inline)) inline void writeGrey(const uchar* __restrict grey, int count,
                                                     uchar* __restrict out) {
    for (int i = 0; i < count; ++i) {
        out[3 * i] = grey[i];
        out[3 * i + 1] = grey[i];
        out[3 * i + 2] = grey[i];
    }
}

struct Pass {
    const uchar* src; // pixel of column x0 - 1 in row 0
    uchar* out;       // pixel of column x0 in row 0
    qsizetype srcStride;
    qsizetype outStride;
    int rows;  // computed rows 1..rows
    int count; // columns of the pass
    qint32* buffer;
    uchar* grey;
};

// One pass over the rows of a band of columns; the three rows' values roll through buffer.
__attribute__((always_inline)) inline void runPass(const Pass& pass) {
    const int length = pass.count + 2;
    RowValues rows[3];
    for (int k = 0; k < 3; ++k)
        rows[k] = {pass.buffer + 2 * k * length, pass.buffer + (2 * k + 1) * length};
    packRow(pass.src, length, rows[0].n, rows[0].d);
    packRow(pass.src + pass.srcStride, length, rows[1].n, rows[1].d);
    const int lastRow = pass.rows + 2;
    for (int y = 1; y <= pass.rows; ++y) {
        const int ahead = std::min(y + 1 + kPrefetchRows, lastRow);
        prefetchPiece(pass.src + ahead * pass.srcStride, 3 * qsizetype(length));
        prefetchPiece(pass.out + std::min(y + kPrefetchRows, pass.rows) * pass.outStride,
                      3 * qsizetype(pass.count));
        RowValues& up = rows[(y - 1) % 3];
        RowValues& centre = rows[y % 3];
        RowValues& down = rows[(y + 1) % 3];
        packRow(pass.src + (y + 1) * pass.srcStride, length, down.n, down.d);
        greyLevels(up.n, centre.n, down.n, centre.d, pass.count, pass.grey);
        writeGrey(pass.grey, pass.count, pass.out + y * pass.outStride);
    }
}

__attribute__((target("avx2"))) void runPassAvx2(const Pass& pass) {
    runPass(pass);
}

__attribute__((target("sse4.1"))) void runPassSse41(const Pass& pass) {
    runPass(pass);
}

void runPassBaseline(const Pass& pass) {
    runPass(pass);
}

// Rows per band of ColouringInPlace: few, so that the two bands' memory is small beside the
// page, but enough that the two rows each pass over the columns reads first cost little.
constexpr int kBandRows = 64;

// Inside it the pixels the filter computes over every column: it leaves the first and last
// columns, the first row and the last two.
QRect unwrittenFrame(const Bitmap& bitmap) {
    return QRect(1, 1, bitmap.width() - 2, bitmap.height() - 3);
}

} // namespace

void CustomFilterColumns(const Bitmap& src, Bitmap& out, int firstColumn, int endColumn) {
    // Each pixel needs its neighbours as they were, so the output cannot be the source.
    if (&src == &out || src.depth() != 24 || out.depth() != 24 || src.width() != out.width() ||
        src.height() != out.height())
        throw std::invalid_argument("colouring filter needs two 24-bit bitmaps of one size");
    const int x0 = std::max(firstColumn, 1);
    const int x1 = std::min(endColumn, src.width() - 1);
    const int rows = src.height() - 3;
    if (x0 >= x1 || rows < 1)
        return;

    const int chunk = std::min(kChunk, x1 - x0);
    std::vector<qint32> buffer(6 * size_t(chunk + 2));
    std::vector<uchar> grey(static_cast<size_t>(chunk));
    Pass pass{};
    pass.srcStride = src.bytesPerLine();
    pass.outStride = out.bytesPerLine();
    pass.rows = rows;
    pass.buffer = buffer.data();
    pass.grey = grey.data();
    const uchar* srcBits = src.constScanLine(0);
    uchar* outBits = out.scanLine(0);
    const CpuPath path = activeCpuPath();
    const auto run = path == CpuPath::Avx2    ? runPassAvx2
                     : path == CpuPath::Sse41 ? runPassSse41
                                              : runPassBaseline;
    for (int x = x0; x < x1; x += chunk) {
        pass.count = std::min(chunk, x1 - x);
        pass.src = srcBits + 3 * qsizetype(x - 1);
        pass.out = outBits + 3 * qsizetype(x);
        run(pass);
    }
}

Bitmap ColouringOutput(const Bitmap& src) {
    return Bitmap::whiteOutside(src.width(), src.height(), unwrittenFrame(src));
}

void ColouringInPlace(Bitmap& page) {
    if (page.depth() != 24)
        throw std::invalid_argument("colouring in place needs a 24-bit bitmap");
    const int width = page.width();
    const int height = page.height();
    if (page.isEmpty())
        return;
    const qsizetype stride = page.bytesPerLine();
    uchar* const bits = page.scanLine(0);
    const int lastRow = height - 3;
    // Each band's output waits until the next band is computed: that band reads the
    // rows above it as they were.
    std::vector<uchar> buffers[2];
    Bitmap pending;
    int pendingTop = 0;
    auto writeBack = [&]() {
        for (int y = 1; y <= pending.height() - 3; ++y)
            memcpy(bits + (pendingTop + y - 1) * stride, pending.constScanLine(y), size_t(stride));
    };
    for (int top = 1, band = 0; top <= lastRow; top += kBandRows, band ^= 1) {
        const int rows = std::min(kBandRows, lastRow - top + 1);
        // The filter writes rows 1 to H - 3 of what it is given: the band's rows with the
        // row above them and two below.
        const Bitmap src = Bitmap::fromImage(
            QImage(bits + (top - 1) * stride, width, rows + 3, stride, QImage::Format_BGR888), 24);
        buffers[band].resize(size_t(stride) * size_t(rows + 3));
        Bitmap out = Bitmap::fromImage(
            QImage(buffers[band].data(), width, rows + 3, stride, QImage::Format_BGR888), 24);
        CustomFilterColumns(src, out, 0, width);
        if (!pending.isEmpty())
            writeBack();
        pending = out;
        pendingTop = top;
    }
    if (!pending.isEmpty())
        writeBack();
    // What the filter leaves is white, as in ColouringOutput.
    page.whitenOutside(unwrittenFrame(page));
}

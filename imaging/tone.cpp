#include "tone.h"

#include "pixel_access.h"
#include "row_prefetch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

uchar lighter(double v) {
    return uchar(ClampByte(std::sqrt(v) * 255));
}

uchar darker(double v) {
    return uchar(ClampByte((v - (std::sqrt(v) - v)) * 255));
}

} // namespace

void TGammaImage::AdjustPixel(uchar& red, uchar& green, uchar& blue) {
    // All three are read before any is replaced.
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    if (Mode == 0) {
        red = lighter(r);
        green = lighter(g);
        blue = lighter(b);
    } else if (Mode == 1) {
        red = darker(r);
        green = darker(g);
        blue = darker(b);
    }
}

ToneTable::ToneTable(TImageProcessing& processor) {
    for (int value = 0; value < 256; ++value) {
        uchar red = uchar(value);
        uchar green = uchar(value);
        uchar blue = uchar(value);
        processor.AdjustPixel(red, green, blue);
        m_channels[0][size_t(value)] = blue;
        m_channels[1][size_t(value)] = green;
        m_channels[2][size_t(value)] = red;
    }
}

void ToneColumns(const Bitmap& src, Bitmap& out, const ToneTable& table, int firstColumn,
                 int endColumn) {
    if (src.depth() != 24 || out.depth() != 24 || src.width() != out.width() ||
        src.height() != out.height())
        throw std::invalid_argument("tone needs two 24-bit bitmaps of one size");
    const int x0 = std::max(firstColumn, 0);
    const int x1 = std::min(endColumn, src.width());
    if (x0 >= x1)
        return;
    const uchar* blue = table.channel(0).data();
    const uchar* green = table.channel(1).data();
    const uchar* red = table.channel(2).data();
    const qsizetype first = 3 * qsizetype(x0);
    const qsizetype end = 3 * qsizetype(x1);
    // Writing first, so that the same bitmap as src and out detaches before it is read.
    uchar* outBits = out.scanLine(0);
    const uchar* srcBits = src.constScanLine(0);
    const qsizetype srcStride = src.bytesPerLine();
    const qsizetype outStride = out.bytesPerLine();
    const int height = src.height();
    for (int y = 0; y < height; ++y) {
        const int ahead = std::min(y + kPrefetchRows, height - 1);
        prefetchPiece(srcBits + ahead * srcStride + first, end - first);
        prefetchPiece(outBits + ahead * outStride + first, end - first);
        const uchar* s = srcBits + y * srcStride;
        uchar* o = outBits + y * outStride;
        for (qsizetype i = first; i < end; i += 3) {
            o[i] = blue[s[i]];
            o[i + 1] = green[s[i + 1]];
            o[i + 2] = red[s[i + 2]];
        }
    }
}

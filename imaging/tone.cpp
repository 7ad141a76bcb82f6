// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tone.h"

#include "pixel_access.h"
#include "row_prefetch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

uchar lighter(double v) {
    return uchar(ClampByte(std::sqrt(v) * 255));
}

uchar darker(double v) {
    return uchar(ClampByte((v - (std::sqrt(v) - v)) * 255));
}

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "bytes are taken from the low end of words");

// Every channel through the same curve: eight bytes at a time, two per look-up.
void uniformRow(const uchar* __restrict s, uchar* __restrict o, qsizetype bytes,
                const quint16* pairs, const uchar* single) {
    qsizetype i = 0;
    for (; i + 8 <= bytes; i += 8) {
        quint64 word;
        std::memcpy(&word, s + i, sizeof word);
        const quint64 toned =
            quint64(pairs[word & 0xffff]) | quint64(pairs[word >> 16 & 0xffff]) << 16 |
            quint64(pairs[word >> 32 & 0xffff]) << 32 | quint64(pairs[word >> 48]) << 48;
        std::memcpy(o + i, &toned, sizeof toned);
    }
    for (; i < bytes; ++i)
        o[i] = single[s[i]];
}

// Each channel through its own curve: four pixels at a time, with two loads and two stores
// instead of twelve of each.
void perChannelRow(const uchar* __restrict s, uchar* __restrict o, qsizetype bytes,
                   const ToneTable& table) {
    const uchar* blue = table.channel(0).data();
    const uchar* green = table.channel(1).data();
    const uchar* red = table.channel(2).data();
    qsizetype i = 0;
    for (; i + 12 <= bytes; i += 12) {
        quint64 a;
        quint32 b;
        std::memcpy(&a, s + i, sizeof a);
        std::memcpy(&b, s + i + 8, sizeof b);
        const quint64 ta = quint64(blue[a & 255]) | quint64(green[a >> 8 & 255]) << 8 |
                           quint64(red[a >> 16 & 255]) << 16 | quint64(blue[a >> 24 & 255]) << 24 |
                           quint64(green[a >> 32 & 255]) << 32 | quint64(red[a >> 40 & 255]) << 40 |
                           quint64(blue[a >> 48 & 255]) << 48 | quint64(green[a >> 56]) << 56;
        const quint32 tb = quint32(red[b & 255]) | quint32(blue[b >> 8 & 255]) << 8 |
                           quint32(green[b >> 16 & 255]) << 16 | quint32(red[b >> 24]) << 24;
        std::memcpy(o + i, &ta, sizeof ta);
        std::memcpy(o + i + 8, &tb, sizeof tb);
    }
    for (; i < bytes; i += 3) {
        o[i] = blue[s[i]];
        o[i + 1] = green[s[i + 1]];
        o[i + 2] = red[s[i + 2]];
    }
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
    if (m_channels[0] == m_channels[1] && m_channels[1] == m_channels[2]) {
        m_pairs.resize(65536);
        for (size_t pair = 0; pair < m_pairs.size(); ++pair)
            m_pairs[pair] = quint16(m_channels[0][pair & 255] | m_channels[0][pair >> 8] << 8);
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
        const uchar* s = srcBits + y * srcStride + first;
        uchar* o = outBits + y * outStride + first;
        if (table.pairs().empty())
            perChannelRow(s, o, end - first, table);
        else
            uniformRow(s, o, end - first, table.pairs().data(), table.channel(0).data());
    }
}

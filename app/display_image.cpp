// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "display_image.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Rows of the picture as blue, green, red bytes: the page's own rows when it is 24-bit,
// otherwise converted a band at a time so that no converted copy of the whole is made.
class BgrRows {
public:
    explicit BgrRows(const QImage& picture) : m_picture(picture) {}
    const uchar* row(int y) {
        if (m_picture.format() == QImage::Format_BGR888)
            return m_picture.constScanLine(y);
        if (m_band.isNull() || y < m_bandTop || y >= m_bandTop + m_band.height()) {
            m_bandTop = y;
            m_band = m_picture.copy(0, y, m_picture.width(), BandRows)
                         .convertToFormat(QImage::Format_BGR888);
        }
        return m_band.constScanLine(y - m_bandTop);
    }

private:
    static constexpr int BandRows = 64;
    const QImage& m_picture;
    QImage m_band;
    int m_bandTop = 0;
};

// How one axis of the picture (length pixels) maps onto the screen (count pixels). In units
// where a picture pixel is count long and a screen pixel length long, every overlap is a
// whole number: screen pixel i takes picture pixel p with the weight of their overlap, and
// its weights add up to length.
class AxisWeights {
public:
    AxisWeights(int length, int count) : m_starts(size_t(count) + 1) {
        for (int i = 0; i < count; ++i) {
            m_starts[size_t(i)] = int(m_firsts.size());
            const qint64 from = qint64(i) * length;
            const qint64 to = from + length;
            for (qint64 p = from / count; p * count < to; ++p) {
                m_firsts.push_back(int(p));
                m_weights.push_back(
                    std::uint32_t(std::min(to, (p + 1) * count) - std::max(from, p * count)));
            }
        }
        m_starts[size_t(count)] = int(m_firsts.size());
    }
    // Picture pixels of screen pixel i: entries [begin(i), end(i)).
    int begin(int i) const { return m_starts[size_t(i)]; }
    int end(int i) const { return m_starts[size_t(i) + 1]; }
    int pixel(int entry) const { return m_firsts[size_t(entry)]; }
    std::uint32_t weight(int entry) const { return m_weights[size_t(entry)]; }

private:
    std::vector<int> m_starts;
    std::vector<int> m_firsts;
    std::vector<std::uint32_t> m_weights;
};

// Adds weight times each byte of a row, with wider vectors where the processor has them.
#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void addWeighted(std::uint32_t* __restrict sums, const uchar* __restrict line, size_t count,
                 std::uint32_t weight) {
    for (size_t k = 0; k < count; ++k)
        sums[k] += weight * line[k];
}

// The picture at size, each pixel the rounded mean of the picture area it covers, pixels
// cut by its edges counted by the part inside. The rows of each screen row are summed
// first, one multiply-add per picture byte, then the columns of that sum.
QImage areaMeans(const QImage& picture, QSize size) {
    QImage result(size, QImage::Format_RGB32);
    if (result.isNull())
        return result;
    const int width = picture.width();
    const AxisWeights columns(width, size.width());
    const AxisWeights rows(picture.height(), size.height());
    const std::uint64_t whole = std::uint64_t(width) * std::uint64_t(picture.height());
    BgrRows source(picture);
    std::vector<std::uint32_t> sums(size_t(width) * 3);
    for (int j = 0; j < size.height(); ++j) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int e = rows.begin(j); e < rows.end(j); ++e) {
            addWeighted(sums.data(), source.row(rows.pixel(e)), sums.size(), rows.weight(e));
        }
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(j));
        for (int i = 0; i < size.width(); ++i) {
            std::uint64_t blue = 0, green = 0, red = 0;
            for (int e = columns.begin(i); e < columns.end(i); ++e) {
                const std::uint64_t weight = columns.weight(e);
                const size_t k = size_t(columns.pixel(e)) * 3;
                blue += weight * sums[k];
                green += weight * sums[k + 1];
                red += weight * sums[k + 2];
            }
            out[i] = qRgb(int((red + whole / 2) / whole), int((green + whole / 2) / whole),
                          int((blue + whole / 2) / whole));
        }
    }
    return result;
}

} // namespace

QImage displayImage(const QImage& picture, QSize size) {
    if (picture.isNull() || size.isEmpty())
        return QImage();
    return areaMeans(picture, size);
}

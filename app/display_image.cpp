#include "display_image.h"

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

// Starts of the blocks that cut length pixels into count nearly equal parts, and the end.
std::vector<int> blockStarts(int length, int count) {
    std::vector<int> starts(size_t(count) + 1);
    for (int i = 0; i <= count; ++i)
        starts[size_t(i)] = int(qint64(i) * length / count);
    return starts;
}

// The picture reduced to columns x rows, each pixel the rounded mean of its block.
QImage blockMeans(const QImage& picture, int columns, int rows) {
    const int width = picture.width();
    QImage result(columns, rows, QImage::Format_RGB32);
    if (result.isNull())
        return result;
    const std::vector<int> left = blockStarts(width, columns);
    const std::vector<int> top = blockStarts(picture.height(), rows);
    BgrRows source(picture);
    // Column sums of the block's rows, byte by byte: one addition per picture byte.
    std::vector<std::uint32_t> sums(size_t(width) * 3);
    for (int j = 0; j < rows; ++j) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = top[size_t(j)]; y < top[size_t(j) + 1]; ++y) {
            const uchar* line = source.row(y);
            for (size_t i = 0; i < sums.size(); ++i)
                sums[i] += line[i];
        }
        const std::uint64_t blockRows = std::uint64_t(top[size_t(j) + 1] - top[size_t(j)]);
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(j));
        for (int i = 0; i < columns; ++i) {
            std::uint64_t blue = 0, green = 0, red = 0;
            for (int x = left[size_t(i)]; x < left[size_t(i) + 1]; ++x) {
                blue += sums[size_t(x) * 3];
                green += sums[size_t(x) * 3 + 1];
                red += sums[size_t(x) * 3 + 2];
            }
            const std::uint64_t n =
                blockRows * std::uint64_t(left[size_t(i) + 1] - left[size_t(i)]);
            out[i] =
                qRgb(int((red + n / 2) / n), int((green + n / 2) / n), int((blue + n / 2) / n));
        }
    }
    return result;
}

// How many whole blocks of at least two pixels fit, or the picture's own length when the
// screen needs more than half of it.
int blocksFor(int length, int wanted) {
    const int factor = length / std::max(wanted, 1);
    return factor >= 2 ? length / factor : length;
}

} // namespace

QImage displayImage(const QImage& picture, QSize size) {
    if (picture.isNull() || size.isEmpty())
        return QImage();
    const int columns = blocksFor(picture.width(), size.width());
    const int rows = blocksFor(picture.height(), size.height());
    const QImage reduced = columns == picture.width() && rows == picture.height()
                               ? picture.convertToFormat(QImage::Format_RGB32)
                               : blockMeans(picture, columns, rows);
    if (reduced.size() == size || reduced.isNull())
        return reduced;
    const bool smaller = size.width() < reduced.width() || size.height() < reduced.height();
    return reduced.scaled(size, Qt::IgnoreAspectRatio,
                          smaller ? Qt::SmoothTransformation : Qt::FastTransformation);
}

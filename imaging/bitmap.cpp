// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bitmap.h"

#include "large_image.h"
#include "palettes.h"

#include <QPainter>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

QImage checked(QImage image) {
    if (image.isNull())
        throw std::bad_alloc();
    return image;
}

QImage whiteImage(int width, int height, int depth) {
    QImage image = checked(newImage(width, height, Bitmap::formatFor(depth)));
    if (const QList<QRgb>* table = colourTableForDepth(depth)) {
        image.setColorTable(*table);
        image.fill(uint(table->indexOf(qRgb(255, 255, 255))));
    } else {
        // White is every bit set at 16, 24 and 32 bits alike (and the fourth byte of a
        // 32-bit pixel is 0xFF as Qt's own fill leaves it).
        memset(image.bits(), 0xFF, size_t(image.sizeInBytes()));
    }
    return image;
}

// Nearest colour of a table as Qt measures it (sum of the channels' absolute
// differences, the first of equal distances), remembered per colour once a picture is large enough
// for that to pay; the memo is bounded (18 MiB), unlike a hash of every colour seen.
class NearestColour {
public:
    explicit NearestColour(const QList<QRgb>& table, qint64 pixels) : m_table(table) {
        if (pixels > 65536 && table.size() > 16) {
            m_index.resize(size_t(1) << 24);
            m_known.resize((size_t(1) << 24) / 64);
        }
    }
    uint operator()(QRgb colour) {
        if (m_index.empty())
            return search(colour);
        const uint key = colour & 0xFFFFFF;
        quint64& word = m_known[key / 64];
        const quint64 bit = quint64(1) << (key % 64);
        if (!(word & bit)) {
            m_index[key] = uchar(search(colour));
            word |= bit;
        }
        return m_index[key];
    }

private:
    uint search(QRgb colour) const {
        uint best = 0;
        int bestDistance = INT_MAX;
        for (qsizetype i = 0; i < m_table.size(); ++i) {
            const QRgb entry = m_table[i];
            const int r = qRed(colour) - qRed(entry);
            const int g = qGreen(colour) - qGreen(entry);
            const int b = qBlue(colour) - qBlue(entry);
            const int a = qAlpha(colour) - qAlpha(entry);
            const int distance = std::abs(r) + std::abs(g) + std::abs(b) + std::abs(a);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = uint(i);
            }
        }
        return best;
    }

    const QList<QRgb>& m_table;
    std::vector<uchar> m_index;
    std::vector<quint64> m_known;
};

// Rows of one band in full colour, transparent parts composited over white.
QImage opaqueBand(const QImage& image, int top, int rows) {
    const QImage band = checked(image.copy(0, top, image.width(), rows));
    if (!band.hasAlphaChannel())
        return band;
    QImage ground = checked(QImage(band.size(), QImage::Format_RGB32));
    ground.fill(Qt::white);
    QPainter painter(&ground);
    painter.drawImage(0, 0, band);
    return ground;
}

// The picture at a page depth, converted a band of rows at a time so that no
// whole-picture intermediate copy is made: the peak is the source, the result and one
// band. Transparent pixels come out over white; an indexed depth takes the nearest
// colour of its table.
QImage converted(const QImage& image, int depth) {
    const int width = image.width();
    const int height = image.height();
    const QImage::Format format = Bitmap::formatFor(depth);
    QImage result = checked(newImage(width, height, format));
    const QList<QRgb>* table = colourTableForDepth(depth);
    if (table)
        result.setColorTable(*table);
    // Bands under 65536 pixels: Qt converts larger images on worker threads, and waits
    // for ever when memory is too short to start one.
    const int bandRows = qMax(1, int(65535 / width));
    std::optional<NearestColour> nearest;
    if (table)
        nearest.emplace(*table, qint64(width) * height);
    for (int top = 0; top < height; top += bandRows) {
        const int rows = qMin(bandRows, height - top);
        const QImage band = opaqueBand(image, top, rows);
        if (!table) {
            const QImage rowsAtDepth = checked(band.convertToFormat(format));
            for (int y = 0; y < rows; ++y)
                memcpy(result.scanLine(top + y), rowsAtDepth.constScanLine(y),
                       size_t(result.bytesPerLine()));
            continue;
        }
        const QImage rgb = checked(band.convertToFormat(QImage::Format_ARGB32));
        for (int y = 0; y < rows; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            uchar* out = result.scanLine(top + y);
            if (depth == 1) {
                memset(out, 0, size_t(result.bytesPerLine()));
                for (int x = 0; x < width; ++x)
                    if ((*nearest)(in[x]))
                        out[x >> 3] |= uchar(0x80 >> (x & 7));
            } else {
                for (int x = 0; x < width; ++x)
                    out[x] = uchar((*nearest)(in[x]));
            }
        }
    }
    return result;
}

} // namespace

Bitmap::Bitmap(int width, int height, int depth) : m_depth(depth) {
    if (!isValidDepth(depth))
        throw std::invalid_argument("invalid bitmap depth");
    if (width > 0 && height > 0)
        m_image = whiteImage(width, height, depth);
}

Bitmap Bitmap::whiteOutside(int width, int height, const QRect& inner) {
    Bitmap bitmap(0, 0, 24);
    if (width > 0 && height > 0) {
        bitmap.m_image = checked(newImage(width, height, formatFor(24)));
        bitmap.whitenOutside(inner);
    }
    return bitmap;
}

void Bitmap::whitenOutside(const QRect& inner) {
    if (m_depth != 24)
        throw std::invalid_argument("whitening outside a rectangle needs a 24-bit bitmap");
    // A rectangle of no width or height leaves nothing out (Qt would turn it over).
    const QRect kept = inner.isValid() ? inner & m_image.rect() : QRect();
    const size_t rowBytes = size_t(width()) * 3;
    const size_t leftBytes = kept.isEmpty() ? rowBytes : size_t(kept.left()) * 3;
    const size_t rightStart = kept.isEmpty() ? rowBytes : size_t(kept.right() + 1) * 3;
    for (int y = 0; y < height(); ++y) {
        uchar* row = m_image.scanLine(y);
        if (y < kept.top() || y > kept.bottom()) {
            memset(row, 0xFF, rowBytes);
            continue;
        }
        memset(row, 0xFF, leftBytes);
        memset(row + rightStart, 0xFF, rowBytes - rightStart);
    }
}

Bitmap Bitmap::fromImage(const QImage& image, int depth) {
    Bitmap bitmap(0, 0, depth);
    if (image.isNull())
        return bitmap;
    const bool sameDepth =
        image.format() == formatFor(depth) && !image.hasAlphaChannel() &&
        (!colourTableForDepth(depth) || image.colorTable() == *colourTableForDepth(depth));
    bitmap.m_image = sameDepth ? image : converted(image, depth);
    return bitmap;
}

bool Bitmap::isValidDepth(int depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

QImage::Format Bitmap::formatFor(int depth) {
    switch (depth) {
    case 1:
        return QImage::Format_Mono;
    case 4:
    case 8:
        return QImage::Format_Indexed8;
    case 16:
        return QImage::Format_RGB16;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_BGR888;
    }
}

void Bitmap::setSize(int width, int height) {
    if (width == this->width() && height == this->height())
        return;
    if (width <= 0 || height <= 0) {
        m_image = QImage();
        return;
    }
    QImage grown = whiteImage(width, height, m_depth);
    if (!m_image.isNull()) {
        const int w = qMin(width, this->width());
        const int h = qMin(height, this->height());
        if (m_depth == 1) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    grown.setPixel(x, y, uint(m_image.pixelIndex(x, y)));
        } else {
            const qsizetype bytes = (qsizetype(w) * m_image.depth() + 7) / 8;
            for (int y = 0; y < h; ++y)
                memcpy(grown.scanLine(y), m_image.constScanLine(y), size_t(bytes));
        }
    }
    m_image = grown;
}

void Bitmap::setDepth(int depth) {
    if (!isValidDepth(depth))
        throw std::invalid_argument("invalid bitmap depth");
    if (depth == m_depth)
        return;
    if (!m_image.isNull())
        m_image = converted(m_image, depth);
    m_depth = depth;
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "png_writer.h"

#include "app_error.h"
#include "bitmap.h"
#include "large_image.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>

#include <algorithm>
#include <new>
#include <optional>

namespace {

QImage checked(QImage image) {
    if (image.isNull())
        throw std::bad_alloc();
    return image;
}

// Gives each colour met its index in the order met, up to 256 colours.
class ColourIndex {
public:
    // The colour's index, or nothing once a 257th colour is met.
    std::optional<uchar> of(QRgb colour) {
        if (colour == m_last && !m_table.isEmpty())
            return m_lastIndex;
        auto found = m_index.constFind(colour);
        if (found == m_index.constEnd()) {
            if (m_table.size() == 256)
                return std::nullopt;
            found = m_index.insert(colour, uchar(m_table.size()));
            m_table.append(colour);
        }
        m_last = colour;
        m_lastIndex = *found;
        return m_lastIndex;
    }
    const QList<QRgb>& table() const { return m_table; }

private:
    QHash<QRgb, uchar> m_index;
    QList<QRgb> m_table;
    QRgb m_last = 0;
    uchar m_lastIndex = 0;
};

// The colour of pixel x of row y, whose bytes are row.
QRgb colourAt(const Bitmap& bitmap, const QList<QRgb>& table, const uchar* row, int x, int y) {
    switch (bitmap.depth()) {
    case 24:
        return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 4:
    case 8:
        return row[x] < table.size() ? table[row[x]] : qRgb(0, 0, 0);
    default:
        return bitmap.pixel(x, y);
    }
}

// The page with its colours as a palette, or a null image when it has more than 256.
QImage paletted(const Bitmap& bitmap) {
    const int width = bitmap.width();
    const int height = bitmap.height();
    QImage indexed = checked(newImage(width, height, QImage::Format_Indexed8));
    const QList<QRgb> table = bitmap.colourTable();
    ColourIndex colours;
    for (int y = 0; y < height; ++y) {
        const uchar* row = bitmap.constScanLine(y);
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::optional<uchar> index = colours.of(colourAt(bitmap, table, row, x, y));
            if (!index)
                return QImage();
            out[x] = *index;
        }
    }
    indexed.setColorTable(colours.table());
    if (colours.table().size() > 2)
        return indexed;
    // Two colours or one: a bit a pixel, white (or the one colour) padding the table.
    QImage mono = checked(newImage(width, height, QImage::Format_Mono));
    QList<QRgb> twoColours = colours.table();
    while (twoColours.size() < 2)
        twoColours.append(qRgb(255, 255, 255));
    mono.setColorTable(twoColours);
    for (int y = 0; y < height; ++y) {
        const uchar* in = indexed.constScanLine(y);
        uchar* out = mono.scanLine(y);
        std::fill(out, out + mono.bytesPerLine(), uchar(0));
        for (int x = 0; x < width; ++x)
            if (in[x])
                out[x >> 3] |= uchar(0x80 >> (x & 7));
    }
    return mono;
}

// The page as 8-bit red, green and blue, one row at a time: Qt converts a large picture on
// worker threads, and waits for ever when memory is too short to start one.
QImage rgb(const Bitmap& bitmap) {
    const int width = bitmap.width();
    QImage out = checked(newImage(width, bitmap.height(), QImage::Format_RGB888));
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar* to = out.scanLine(y);
        if (bitmap.depth() == 24) {
            const uchar* from = bitmap.constScanLine(y);
            for (int x = 0; x < width; ++x) {
                to[3 * x] = from[3 * x + 2];
                to[3 * x + 1] = from[3 * x + 1];
                to[3 * x + 2] = from[3 * x];
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const QRgb colour = bitmap.pixel(x, y);
                to[3 * x] = uchar(qRed(colour));
                to[3 * x + 1] = uchar(qGreen(colour));
                to[3 * x + 2] = uchar(qBlue(colour));
            }
        }
    }
    return out;
}

} // namespace

PngEncoder::PngEncoder(const Bitmap& bitmap) {
    if (bitmap.isEmpty() || bitmap.width() <= 0 || bitmap.height() <= 0)
        throw noPictureToSaveError();
    if (bitmap.depth() == 1) {
        m_rows = bitmap.image();
        return;
    }
    m_rows = paletted(bitmap);
    if (m_rows.isNull())
        m_rows = rgb(bitmap);
}

bool PngEncoder::writeTo(QIODevice& device) const {
    QImageWriter writer(&device, "png");
    // zlib's default level costs much time for little: at 24 megapixels a photograph takes
    // about 10 s where a lower level takes 3 s, for a file a quarter larger, and a grey
    // colouring page 5 s against under 2 s. Line pages, a bit a pixel, keep the default.
    if (m_rows.format() != QImage::Format_Mono)
        writer.setQuality(80);
    return writer.write(m_rows);
}

QByteArray EncodePng(const Bitmap& bitmap) {
    const PngEncoder encoder(bitmap);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    // A buffer refuses bytes only when memory runs out, and so does the compressor.
    if (!encoder.writeTo(buffer))
        throw std::bad_alloc();
    return out;
}

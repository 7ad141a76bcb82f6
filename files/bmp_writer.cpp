// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bmp_writer.h"

#include "app_error.h"
#include "bitmap.h"

#include <QBuffer>
#include <QtEndian>

#include <QCoreApplication>
#include <cstring>

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;

void put16(uchar*& out, quint16 value) {
    qToLittleEndian(value, out);
    out += 2;
}

void put32(uchar*& out, quint32 value) {
    qToLittleEndian(value, out);
    out += 4;
}

constexpr qint64 kChunkBytes = qint64(256) << 10;

int tableEntries(int depth) {
    return depth <= 8 ? 1 << depth : 0;
}

int masksBytes(int depth) {
    return depth == 16 ? 12 : 0;
}

// One row of the file, rowBytes long, from one row of the bitmap; the padding is zero.
void encodeRow(const Bitmap& bitmap, int y, qint64 rowBytes, uchar* out) {
    const uchar* in = bitmap.constScanLine(y);
    const int width = bitmap.width();
    std::memset(out + rowBytes - 4, 0, 4);
    switch (bitmap.depth()) {
    case 1:
        std::memcpy(out, in, size_t((width + 7) / 8));
        // Bits past the last pixel are padding too.
        if (width % 8 != 0)
            out[width / 8] &= uchar(0xFF << (8 - width % 8));
        break;
    case 4:
        for (int x = 0; x < width; x += 2) {
            const uchar high = uchar((in[x] & 0x0F) << 4);
            const uchar low = x + 1 < width ? uchar(in[x + 1] & 0x0F) : 0;
            out[x / 2] = high | low;
        }
        break;
    case 32:
        // Blue, green, red and an unused fourth byte.
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = reinterpret_cast<const QRgb*>(in)[x];
            out[4 * x] = uchar(qBlue(pixel));
            out[4 * x + 1] = uchar(qGreen(pixel));
            out[4 * x + 2] = uchar(qRed(pixel));
            out[4 * x + 3] = 0;
        }
        break;
    default: // 8, 16 and 24 bits are stored in memory as the file stores them
        std::memcpy(out, in, size_t(qint64(width) * bitmap.depth() / 8));
        break;
    }
}

} // namespace

BmpEncoder::BmpEncoder(const Bitmap& bitmap)
    : BmpEncoder(bitmap.width(), bitmap.height(), bitmap.depth(), &bitmap) {}

BmpEncoder::BmpEncoder(int width, int height) : BmpEncoder(width, height, 24, nullptr) {}

BmpEncoder::BmpEncoder(int width, int height, int depth, const Bitmap* bitmap)
    : m_bitmap(bitmap), m_width(width), m_height(height), m_depth(depth) {
    if (width <= 0 || height <= 0)
        throw noPictureToSaveError();
    m_rowBytes = (qint64(width) * depth + 31) / 32 * 4;
    m_pixelOffset =
        kFileHeaderBytes + kInfoHeaderBytes + masksBytes(depth) + tableEntries(depth) * 4;
    m_fileBytes = m_pixelOffset + m_rowBytes * height;
    if (m_fileBytes > 0xFFFFFFFFLL)
        throw EAppError(QCoreApplication::translate(
            "BmpWriter", "画像が大きすぎるため、ビットマップとして保存できません。"));
}

bool BmpEncoder::writeTo(QIODevice& device) const {
    return writeHeader(device) && writeRows(device, *m_bitmap, 0);
}

bool BmpEncoder::writeHeader(QIODevice& device) const {
    const int depth = m_depth;
    const int height = m_height;
    QByteArray header(qsizetype(m_pixelOffset), '\0');
    uchar* out = reinterpret_cast<uchar*>(header.data());
    *out++ = 'B';
    *out++ = 'M';
    put32(out, quint32(m_fileBytes));
    put32(out, 0); // two reserved words
    put32(out, quint32(m_pixelOffset));

    put32(out, kInfoHeaderBytes);
    put32(out, quint32(m_width));
    put32(out, quint32(height)); // positive: bottom line first
    put16(out, 1);               // planes
    put16(out, quint16(depth));
    put32(out, depth == 16 ? kBiBitfields : kBiRgb);
    put32(out, quint32(m_rowBytes * height));
    put32(out, 0); // horizontal resolution: not recorded
    put32(out, 0); // vertical resolution
    put32(out, 0); // colours used: the whole table of the depth
    put32(out, 0); // all colours important

    if (depth == 16) {
        put32(out, 0xF800);
        put32(out, 0x07E0);
        put32(out, 0x001F);
    }
    const QList<QRgb> table = m_bitmap ? m_bitmap->colourTable() : QList<QRgb>();
    for (int i = 0; i < tableEntries(depth); ++i) {
        const QRgb colour = i < table.size() ? table[i] : qRgb(0, 0, 0);
        *out++ = uchar(qBlue(colour));
        *out++ = uchar(qGreen(colour));
        *out++ = uchar(qRed(colour));
        *out++ = 0;
    }
    return device.write(header) == header.size();
}

bool BmpEncoder::writeRows(QIODevice& device, const Bitmap& band, int top) const {
    // The band's last row comes first in the file.
    const qint64 at = m_pixelOffset + m_rowBytes * (m_height - top - band.height());
    if (device.pos() != at && !device.seek(at))
        return false;
    // Rows go out in stretches small enough to stay in the processor's cache.
    const int rowsPerChunk =
        int(qBound(qint64(1), kChunkBytes / m_rowBytes, qint64(band.height())));
    QByteArray chunk(qsizetype(m_rowBytes * rowsPerChunk), '\0');
    int y = band.height() - 1;
    while (y >= 0) {
        uchar* row = reinterpret_cast<uchar*>(chunk.data());
        const int rows = qMin(rowsPerChunk, y + 1);
        for (int i = 0; i < rows; ++i, --y, row += m_rowBytes)
            encodeRow(band, y, m_rowBytes, row);
        const qint64 bytes = m_rowBytes * rows;
        if (device.write(chunk.constData(), bytes) != bytes)
            return false;
    }
    return true;
}

QByteArray EncodeBmp(const Bitmap& bitmap) {
    const BmpEncoder encoder(bitmap);
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    encoder.writeTo(buffer);
    return file;
}

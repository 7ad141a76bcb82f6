// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <jpeglib.h>
#include <random>
#include <stdexcept>
#include <sys/resource.h>
#include <vector>

namespace fixtures {
namespace {

quint32 crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendBig32(QByteArray& out, quint32 v) {
    char bytes[4];
    qToBigEndian(v, bytes);
    out.append(bytes, 4);
}

void appendLittle32(QByteArray& out, quint32 v) {
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

void appendLittle16(QByteArray& out, quint16 v) {
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}

void chunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendBig32(out, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    out += body;
    appendBig32(out, crc32(body));
}

// Packs codes of a growing width, least significant bit first, as GIF's LZW stream wants.
class BitWriter {
public:
    void put(int code, int width) {
        m_bits |= quint32(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray finish() {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xFF));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

} // namespace

QByteArray png(int width, int height, int bitDepth, int colourType, const QList<QByteArray>& rows,
               const QList<QRgb>& palette, const QByteArray& alpha) {
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBig32(header, quint32(width));
    appendBig32(header, quint32(height));
    header.append(char(bitDepth)).append(char(colourType)).append(3, '\0');
    chunk(out, "IHDR", header);
    if (!palette.isEmpty()) {
        QByteArray table;
        for (QRgb c : palette)
            table.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        chunk(out, "PLTE", table);
    }
    if (!alpha.isEmpty())
        chunk(out, "tRNS", alpha);
    QByteArray raw;
    for (const QByteArray& row : rows)
        raw += '\0' + row;                     // filter type none
    chunk(out, "IDAT", qCompress(raw).mid(4)); // qCompress puts a length before the zlib stream
    chunk(out, "IEND", {});
    return out;
}

QByteArray gif(int width, int height, const QList<QRgb>& palette, const QByteArray& indices) {
    QByteArray out("GIF89a");
    appendLittle16(out, quint16(width));
    appendLittle16(out, quint16(height));
    out.append(char(0xF7)).append('\0').append('\0'); // global table of 256 entries
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append(',');
    appendLittle16(out, 0);
    appendLittle16(out, 0);
    appendLittle16(out, quint16(width));
    appendLittle16(out, quint16(height));
    out.append('\0');
    // Literal codes only, with a clear code before the table would widen the codes.
    const int clear = 256;
    BitWriter bits;
    bits.put(clear, 9);
    int sinceClear = 0;
    for (char index : indices) {
        if (sinceClear == 254) {
            bits.put(clear, 9);
            sinceClear = 0;
        }
        bits.put(uchar(index), 9);
        ++sinceClear;
    }
    bits.put(clear + 1, 9); // end of information
    const QByteArray data = bits.finish();
    out.append(char(8));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size())).append(block);
    }
    out.append('\0').append(';');
    return out;
}

QByteArray emf(int rectangles) {
    QByteArray records;
    auto record = [&records](quint32 type, const QList<quint32>& params) {
        appendLittle32(records, type);
        appendLittle32(records, quint32(8 + 4 * params.size()));
        for (quint32 p : params)
            appendLittle32(records, p);
    };
    record(39, {1, 0 /* BS_SOLID */, 0x000000FF /* red */, 0}); // EMR_CREATEBRUSHINDIRECT
    record(37, {1});                                            // EMR_SELECTOBJECT
    record(37, {0x80000008}); // EMR_SELECTOBJECT of the stock NULL_PEN
    for (int i = 0; i < rectangles; ++i)
        record(43, {10, 10, 50, 40}); // EMR_RECTANGLE
    record(14, {0, 16, 20});          // EMR_EOF

    QByteArray out;
    appendLittle32(out, 1);  // EMR_HEADER
    appendLittle32(out, 88); // its size
    for (quint32 v : {0u, 0u, 99u, 49u})
        appendLittle32(out, v); // bounds in device pixels
    for (quint32 v : {0u, 0u, 2646u, 1323u})
        appendLittle32(out, v); // frame in hundredths of a millimetre
    appendLittle32(out, 0x464D4520);
    appendLittle32(out, 0x10000);
    appendLittle32(out, quint32(88 + records.size()));
    appendLittle32(out, quint32(5 + rectangles)); // records, header and end included
    appendLittle16(out, 2);                       // handles: the reserved one and the brush
    appendLittle16(out, 0);
    for (quint32 v : {0u, 0u, 0u, 960u, 960u, 254u, 254u})
        appendLittle32(out, v); // description, palette, device 960 px = 254 mm (96 dpi)
    return out + records;
}

QByteArray wmf() {
    QByteArray records;
    auto record = [&records](quint16 function, const QList<quint16>& params) {
        appendLittle32(records, quint32(3 + params.size()));
        appendLittle16(records, function);
        for (quint16 p : params)
            appendLittle16(records, p);
    };
    record(0x020B, {0, 0});            // SETWINDOWORG y, x
    record(0x020C, {50, 100});         // SETWINDOWEXT y, x
    record(0x02FC, {0, 0x00FF, 0, 0}); // CREATEBRUSHINDIRECT solid red
    record(0x012D, {0});               // SELECTOBJECT
    record(0x02FA, {5, 0, 0, 0, 0});   // CREATEPENINDIRECT PS_NULL
    record(0x012D, {1});               // SELECTOBJECT
    record(0x041B, {40, 50, 10, 10});  // RECTANGLE bottom, right, top, left
    record(0x0000, {});                // EOF

    QByteArray out;
    appendLittle32(out, 0x9AC6CDD7);
    appendLittle16(out, 0);
    for (quint16 v : {0, 0, 100, 50})
        appendLittle16(out, v);
    appendLittle16(out, 96); // units per inch
    appendLittle32(out, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(out.constData() + i);
    appendLittle16(out, checksum);

    appendLittle16(out, 1);
    appendLittle16(out, 9);
    appendLittle16(out, 0x0300);
    appendLittle32(out, quint32(9 + records.size() / 2));
    appendLittle16(out, 2); // objects
    appendLittle32(out, 8); // largest record in words (the pen)
    appendLittle16(out, 0);
    return out + records;
}

QByteArray encoded(const QImage& image, const char* format, int quality) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode fixture: " + writer.errorString().toStdString());
    return data;
}

// A libjpeg compressor into memory, with libjpeg's defaults for width x height pictures of
// the given components and colour space.
class MemoryCompressor {
public:
    MemoryCompressor(int width, int height, int components, J_COLOR_SPACE space) {
        info.err = jpeg_std_error(&m_errors);
        jpeg_create_compress(&info);
        jpeg_mem_dest(&info, &m_out, &m_size);
        info.image_width = JDIMENSION(width);
        info.image_height = JDIMENSION(height);
        info.input_components = components;
        info.in_color_space = space;
        jpeg_set_defaults(&info);
    }
    MemoryCompressor(const MemoryCompressor&) = delete;
    MemoryCompressor& operator=(const MemoryCompressor&) = delete;
    ~MemoryCompressor() {
        jpeg_destroy_compress(&info);
        free(m_out);
    }
    QByteArray finish() {
        jpeg_finish_compress(&info);
        return QByteArray(reinterpret_cast<const char*>(m_out), qsizetype(m_size));
    }

    jpeg_compress_struct info{};

private:
    jpeg_error_mgr m_errors{};
    unsigned char* m_out = nullptr;
    unsigned long m_size = 0;
};

QByteArray cmykJpeg(int width, int height, const QByteArray& cmyk) {
    MemoryCompressor jpeg(width, height, 4, JCS_CMYK);
    jpeg_set_quality(&jpeg.info, 95, TRUE);
    jpeg_start_compress(&jpeg.info, TRUE);
    while (jpeg.info.next_scanline < jpeg.info.image_height) {
        auto* row = reinterpret_cast<JSAMPROW>(const_cast<char*>(cmyk.constData()) +
                                               qsizetype(jpeg.info.next_scanline) * width * 4);
        jpeg_write_scanlines(&jpeg.info, &row, 1);
    }
    return jpeg.finish();
}

QByteArray progressiveJpeg(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode progressive fixture");
    return data;
}

QByteArray manyScanJpeg(int width, int height, int scans) {
    MemoryCompressor jpeg(width, height, 1, JCS_GRAYSCALE);
    // The last coefficient alone comes last, so its scan can be sent again: each copy
    // replaces it whole and libjpeg takes it without a warning.
    static const jpeg_scan_info kScript[] = {
        {1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 62, 0, 0}, {1, {0}, 63, 63, 0, 0}};
    jpeg.info.scan_info = kScript;
    jpeg.info.num_scans = 3;
    jpeg_start_compress(&jpeg.info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width));
    while (jpeg.info.next_scanline < jpeg.info.image_height) {
        for (int x = 0; x < width; ++x)
            row[size_t(x)] = JSAMPLE((x * 7 + int(jpeg.info.next_scanline) * 3) & 0xFF);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&jpeg.info, rows, 1);
    }
    const QByteArray three = jpeg.finish();
    const qsizetype last = three.lastIndexOf("\xff\xda");
    const QByteArray lastScan = three.mid(last, three.size() - 2 - last);
    return three.left(three.size() - 2) + lastScan.repeated(scans - 3) + "\xff\xd9";
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation, bool bigEndian) {
    const auto u16 = [bigEndian](int value) {
        QByteArray bytes(2, '\0');
        bytes[bigEndian ? 0 : 1] = char(value >> 8);
        bytes[bigEndian ? 1 : 0] = char(value & 0xFF);
        return bytes;
    };
    const auto u32 = [&](int value) {
        return bigEndian ? u16(value >> 16) + u16(value & 0xFFFF)
                         : u16(value & 0xFFFF) + u16(value >> 16);
    };
    QByteArray tiff = bigEndian ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4);
    tiff += u32(8) + u16(2);
    tiff += u16(0x010F) + u16(2) + u32(4) + QByteArray("Cam\0", 4); // make, before it
    tiff += u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0);
    tiff += u32(0);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(exif.size()) + 2;
    QByteArray segment("\xff\xe1\0\0", 4);
    segment[2] = char(length >> 8);
    segment[3] = char(length & 0xFF);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

QImage photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y) / height;
            const int r = int(128 + 100 * std::sin(6.0 * u + 1.0) * v) + noise(random);
            const int g = int(40 + 180 * u * (1 - v)) + noise(random);
            const int b = int(128 + 90 * std::cos(4.0 * v + 3.0 * u)) + noise(random);
            row[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return image;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        throw std::runtime_error("cannot write fixture " + path.toStdString());
}

Bitmap whiteWithBlackCorner(int depth) {
    Bitmap bitmap(3, 2, depth);
    uchar* row = bitmap.scanLine(0);
    switch (depth) {
    case 1:
        row[0] &= 0x7F;
        break;
    case 4:
    case 8:
        row[0] = 0;
        break;
    case 16:
        row[0] = row[1] = 0;
        break;
    case 24:
        row[0] = row[1] = row[2] = 0;
        break;
    case 32:
        reinterpret_cast<QRgb*>(row)[0] = qRgb(0, 0, 0);
        break;
    }
    return bitmap;
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_saved = qint64(limit.rlim_cur);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_saved);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

QList<JpegSegment> jpegSegments(const QByteArray& stream) {
    if (!stream.startsWith("\xFF\xD8"))
        return {};
    QList<JpegSegment> segments;
    qsizetype at = 2;
    while (at + 4 <= stream.size() && uchar(stream[at]) == 0xFF) {
        const int marker = uchar(stream[at + 1]);
        const qsizetype length = qFromBigEndian<quint16>(stream.constData() + at + 2);
        if (length < 2 || at + 2 + length > stream.size())
            return {};
        segments.append({marker, stream.mid(at + 4, length - 2)});
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return segments;
}

QByteArray jpegSegment(const QByteArray& stream, int marker) {
    for (const JpegSegment& segment : jpegSegments(stream))
        if (segment.marker == marker)
            return segment.payload;
    return {};
}

} // namespace fixtures

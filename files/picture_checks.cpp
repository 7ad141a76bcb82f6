// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_checks.h"

#include "file_bytes.h"
#include "gif_blocks.h"

#include <cstdlib>
#include <vector>

#include <zlib.h>

namespace {

// Run-length encoded bitmap rows (4 or 8 bits per pixel): the stream must reach its
// end-of-bitmap code inside the file.
bool rleStreamEnds(const QByteArray& file, qsizetype at, bool fourBits) {
    while (at + 2 <= file.size()) {
        const int count = uchar(file[at]);
        const int code = uchar(file[at + 1]);
        at += 2;
        if (count > 0)
            continue; // an encoded run
        if (code == 1)
            return true;
        if (code == 2) {
            at += 2; // delta
        } else if (code > 2) {
            const qsizetype bytes = fourBits ? (code + 1) / 2 : code;
            at += (bytes + 1) / 2 * 2; // absolute run, padded to a word
        }
    }
    return false;
}

bool bmpComplete(const QByteArray& file) {
    const qint64 dataOffset = littleEndian32(file, 10);
    const quint32 headerSize = littleEndian32(file, 14);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        width = littleEndian16(file, 18);
        height = littleEndian16(file, 20);
        bits = littleEndian16(file, 24);
    } else {
        if (file.size() < 34)
            return false;
        width = qint32(littleEndian32(file, 18));
        height = std::abs(qint64(qint32(littleEndian32(file, 22))));
        bits = littleEndian16(file, 28);
        compression = littleEndian32(file, 30);
    }
    if (dataOffset >= file.size())
        return false;
    switch (compression) {
    case 0: // uncompressed
    case 3: // bit fields
    case 6: {
        if (width <= 0 || bits <= 0 || bits > 32)
            return false;
        const qint64 rowBytes = (width * bits + 31) / 32 * 4;
        return height <= (file.size() - dataOffset) / rowBytes;
    }
    case 1:
        return rleStreamEnds(file, dataOffset, false);
    case 2:
        return rleStreamEnds(file, dataOffset, true);
    default:
        return false;
    }
}

// The picture's data of a GIF: sub-blocks from at, joined; empty when the chain of
// sub-blocks does not end inside the file.
QByteArray gifImageData(const QByteArray& file, qsizetype at) {
    QByteArray data;
    while (at < file.size()) {
        const int size = uchar(file[at]);
        ++at;
        if (size == 0)
            return data;
        if (at + size > file.size())
            return {};
        data.append(file.constData() + at, size);
        at += size;
    }
    return {};
}

// Whether a GIF's LZW stream gives at least pixels pixels: the codes are followed (only
// the length of each string, not its colours) until the end code or the data runs out.
bool lzwGivesPixels(const QByteArray& data, int minimumCodeSize, qint64 pixels) {
    if (minimumCodeSize < 1 || minimumCodeSize > 11)
        return false;
    const int clear = 1 << minimumCodeSize;
    const int end = clear + 1;
    constexpr int kTableSize = 4096;
    std::vector<qint64> lengths(kTableSize, 1);
    int codeSize = minimumCodeSize + 1;
    int next = clear + 2;
    qint64 previousLength = 0; // 0: no previous code since the last clear
    qint64 produced = 0;
    qint64 bit = 0;
    const qint64 bits = qint64(data.size()) * 8;
    while (produced < pixels && bit + codeSize <= bits) {
        int code = 0;
        for (int i = 0; i < codeSize; ++i, ++bit)
            code |= ((uchar(data[bit >> 3]) >> (bit & 7)) & 1) << i;
        if (code == clear) {
            codeSize = minimumCodeSize + 1;
            next = clear + 2;
            previousLength = 0;
            continue;
        }
        if (code == end)
            break;
        qint64 length;
        if (code < clear)
            length = 1;
        else if (code < next && previousLength > 0)
            length = lengths[size_t(code)];
        else if (code == next && previousLength > 0)
            length = previousLength + 1;
        else
            return false; // a code the table does not hold
        produced += length;
        if (previousLength > 0 && next < kTableSize) {
            lengths[size_t(next)] = previousLength + 1;
            ++next;
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        previousLength = length;
    }
    return produced >= pixels;
}

bool gifComplete(const QByteArray& file) {
    if (file.size() < 13)
        return false;
    qsizetype at = 13 + gifColourTableBytes(uchar(file[10]));
    while (at >= 0 && at < file.size()) {
        const uchar introducer = uchar(file[at]);
        if (introducer == 0x21) { // extension: label, then sub-blocks
            at = afterGifSubBlocks(file, at + 2);
        } else if (introducer == 0x2C) { // the first picture
            if (at + 10 > file.size())
                return false;
            const qint64 pixels =
                qint64(littleEndian16(file, at + 5)) * littleEndian16(file, at + 7);
            at += 10 + gifColourTableBytes(uchar(file[at + 9]));
            // The code size byte, then the picture's data, which must cover the picture.
            if (at >= file.size())
                return false;
            const QByteArray data = gifImageData(file, at + 1);
            return !data.isEmpty() && lzwGivesPixels(data, uchar(file[at]), pixels);
        } else {
            return false; // trailer or damage before any picture
        }
    }
    return false;
}

// Inflates the picture data, the IDAT chunks' contents in order, into a small window that
// is thrown away: what it costs is the decompression alone.
class PngDataCheck {
public:
    PngDataCheck() : m_window(64 * 1024) { m_ready = inflateInit(&m_stream) == Z_OK; }
    ~PngDataCheck() {
        if (m_ready)
            inflateEnd(&m_stream);
    }
    PngDataCheck(const PngDataCheck&) = delete;
    PngDataCheck& operator=(const PngDataCheck&) = delete;

    void take(const char* data, qint64 size) {
        m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        m_stream.avail_in = uInt(size);
        while (m_ready && m_status == Z_OK && m_stream.avail_in > 0) {
            m_stream.next_out = m_window.data();
            m_stream.avail_out = uInt(m_window.size());
            m_status = inflate(&m_stream, Z_NO_FLUSH);
            if (m_status == Z_BUF_ERROR)
                m_status = Z_OK;
        }
    }
    // The data came to its end and passed its own check (Adler-32).
    bool whole() {
        take(nullptr, 0);
        while (m_ready && m_status == Z_OK) {
            m_stream.next_out = m_window.data();
            m_stream.avail_out = uInt(m_window.size());
            m_status = inflate(&m_stream, Z_NO_FLUSH);
            if (m_status == Z_BUF_ERROR && m_stream.avail_out > 0)
                break;
        }
        return m_ready && m_status == Z_STREAM_END;
    }

private:
    z_stream m_stream{};
    std::vector<Bytef> m_window;
    bool m_ready = false;
    int m_status = Z_OK;
};

// The chunks lie inside the file up to IEND, every critical chunk (its type's first letter
// a capital) carries its own CRC, and the picture data inflates whole. libpng reports a
// fault in any of these by printing it on standard error before Qt sees it fail, so such a
// file is refused here, as damaged, without a word.
bool pngComplete(const QByteArray& file) {
    PngDataCheck data;
    qsizetype at = 8;
    while (at + 12 <= file.size()) {
        const qint64 length = bigEndian32(file, at);
        if (length > file.size() - at - 12)
            return false;
        const QByteArray type = file.mid(at + 4, 4);
        const auto* chunk = reinterpret_cast<const Bytef*>(file.constData() + at + 4);
        if (type.at(0) >= 'A' && type.at(0) <= 'Z' &&
            crc32(0, chunk, uInt(length + 4)) != bigEndian32(file, at + 8 + length))
            return false;
        if (type == "IDAT")
            data.take(file.constData() + at + 8, length);
        if (type == "IEND")
            return data.whole();
        at += 12 + length;
    }
    return false;
}

bool icoComplete(const QByteArray& file) {
    const int count = littleEndian16(file, 4);
    if (6 + qint64(count) * 16 > file.size())
        return false;
    for (int i = 0; i < count; ++i) {
        const qint64 size = littleEndian32(file, 6 + 16 * i + 8);
        const qint64 offset = littleEndian32(file, 6 + 16 * i + 12);
        if (size == 0 || offset > file.size() || size > file.size() - offset)
            return false;
    }
    return true;
}

bool webpComplete(const QByteArray& file) {
    return qint64(littleEndian32(file, 4)) + 8 <= file.size();
}

} // namespace

bool pictureDataComplete(const QByteArray& file, PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return bmpComplete(file);
    case PictureFormat::Gif:
        return gifComplete(file);
    case PictureFormat::Png:
        return pngComplete(file);
    case PictureFormat::Ico:
        return icoComplete(file);
    case PictureFormat::WebP:
        return webpComplete(file);
    default:
        return true;
    }
}

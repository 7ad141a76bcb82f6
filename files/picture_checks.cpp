#include "picture_checks.h"

#include "file_bytes.h"

#include <cstdlib>

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

// Skips a chain of GIF sub-blocks; gives the offset after its terminator, or -1.
qsizetype afterSubBlocks(const QByteArray& file, qsizetype at) {
    while (at < file.size()) {
        const int size = uchar(file[at]);
        ++at;
        if (size == 0)
            return at;
        at += size;
    }
    return -1;
}

qsizetype colourTableBytes(uchar flags) {
    return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0;
}

bool gifComplete(const QByteArray& file) {
    if (file.size() < 13)
        return false;
    qsizetype at = 13 + colourTableBytes(uchar(file[10]));
    while (at >= 0 && at < file.size()) {
        const uchar introducer = uchar(file[at]);
        if (introducer == 0x21) { // extension: label, then sub-blocks
            at = afterSubBlocks(file, at + 2);
        } else if (introducer == 0x2C) { // the first picture
            if (at + 10 > file.size())
                return false;
            at += 10 + colourTableBytes(uchar(file[at + 9]));
            // The code size byte, then the picture's data.
            return at < file.size() && afterSubBlocks(file, at + 1) > 0;
        } else {
            return false; // trailer or damage before any picture
        }
    }
    return false;
}

bool pngComplete(const QByteArray& file) {
    qsizetype at = 8;
    while (at + 12 <= file.size()) {
        const qint64 length = bigEndian32(file, at);
        if (length > file.size() - at - 12)
            return false;
        if (file.mid(at + 4, 4) == "IEND")
            return true;
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

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "decode_footprint.h"

#include "file_bytes.h"
#include "gif_blocks.h"
#include "memory_budget.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>

namespace {

qint64 byteAt(const QByteArray& file, qsizetype at) {
    return at >= 0 && at < file.size() ? uchar(file[at]) : 0;
}

// Enough for any real file; a loop of offsets or a flood of headers stops here.
constexpr int kMostParts = 100000;

// The footprint of one picture of the given size decoded at bits per pixel.
DecodeFootprint picture(qint64 width, qint64 height, int bits) {
    const qint64 w = std::clamp<qint64>(width, 0, INT_MAX);
    const qint64 h = std::clamp<qint64>(height, 0, INT_MAX);
    return {QSize(int(w), int(h)), bits, pictureBytes(width, height, bits)};
}

// The larger of two footprints, by bytes.
DecodeFootprint larger(const DecodeFootprint& a, const DecodeFootprint& b) {
    return b.bytes > a.bytes ? b : a;
}

// Every entry of an icon: its directory size, and the size its PNG or bitmap header gives,
// which is what the decoder goes by. Entries decode to 32-bit colour with alpha, or 64-bit
// for a 16-bit PNG.
DecodeFootprint icoFootprint(const QByteArray& file) {
    DecodeFootprint largest;
    const int count = littleEndian16(file, 4);
    for (int i = 0; i < count && i < kMostParts; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        qint64 width = byteAt(file, entry) == 0 ? 256 : byteAt(file, entry);
        qint64 height = byteAt(file, entry + 1) == 0 ? 256 : byteAt(file, entry + 1);
        const qsizetype at = littleEndian32(file, entry + 12);
        int bits = 32;
        if (file.mid(at, 8) == "\x89PNG\r\n\x1a\n") {
            width = std::max<qint64>(width, bigEndian32(file, at + 16));
            height = std::max<qint64>(height, bigEndian32(file, at + 20));
            bits = byteAt(file, at + 24) == 16 ? 64 : 32;
        } else {
            // A bitmap's height counts its transparency mask as well as its colours.
            width = std::max<qint64>(width, std::abs(qint64(qint32(littleEndian32(file, at + 4)))));
            height = std::max<qint64>(height,
                                      std::abs(qint64(qint32(littleEndian32(file, at + 8)))) / 2);
        }
        largest = larger(largest, picture(width, height, bits));
    }
    return largest;
}

// The fields of a TIFF page that decide what its decoding allocates.
struct TiffPage {
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerSample = 1;
    qint64 samplesPerPixel = 1;
    qint64 photometric = 0;
    qint64 rowsPerStrip = -1; // -1: the whole page
    qint64 tileWidth = 0;
    qint64 tileHeight = 0;
    bool floatingPoint = false;
};

// The first page's fields, from its directory (classic TIFF and BigTIFF); empty when the
// file has none. Only the first page is decoded.
std::optional<TiffPage> firstTiffPage(const QByteArray& file) {
    const bool little = file.startsWith("II");
    const auto u16 = [&](qsizetype at) -> qint64 {
        return little ? littleEndian16(file, at) : bigEndian16(file, at);
    };
    const auto u32 = [&](qsizetype at) -> qint64 {
        return little ? littleEndian32(file, at) : bigEndian32(file, at);
    };
    const auto u64 = [&](qsizetype at) -> qint64 {
        const qint64 low = u32(at + (little ? 0 : 4));
        const qint64 high = u32(at + (little ? 4 : 0));
        return high > 0x7fffffff ? -1 : high << 32 | low;
    };
    const bool big = u16(2) == 43;
    const qint64 directory = big ? u64(8) : u32(4);
    if (directory <= 0 || directory >= file.size())
        return std::nullopt;
    const qint64 entries = big ? u64(directory) : u16(directory);
    const qsizetype first = directory + (big ? 8 : 2);
    const int entrySize = big ? 20 : 12;
    TiffPage page;
    for (qint64 i = 0; i < entries && i < kMostParts; ++i) {
        const qsizetype entry = first + i * entrySize;
        if (entry + entrySize > file.size())
            break;
        const qint64 type = u16(entry + 2);
        const qsizetype value = entry + (big ? 12 : 8);
        // The first value of a field held in the entry itself (all these are; a sample
        // count beyond what fits points elsewhere, and every sample has the same width).
        qint64 count = big ? u64(entry + 4) : u32(entry + 4);
        const bool inPlace = count * (type == 3 ? 2 : 4) <= (big ? 8 : 4);
        const qsizetype at = inPlace ? value : (big ? u64(value) : u32(value));
        const qint64 v = type == 3 ? u16(at) : type == 4 ? u32(at) : type == 16 ? u64(at) : -1;
        switch (u16(entry)) {
        case 256:
            page.width = v;
            break;
        case 257:
            page.height = v;
            break;
        case 258:
            page.bitsPerSample = v;
            break;
        case 262:
            page.photometric = v;
            break;
        case 277:
            page.samplesPerPixel = v;
            break;
        case 278:
            page.rowsPerStrip = v;
            break;
        case 322:
            page.tileWidth = v;
            break;
        case 323:
            page.tileHeight = v;
            break;
        case 339:
            page.floatingPoint = v == 3;
            break;
        default:
            break;
        }
    }
    return page;
}

// The bits per pixel of the picture Qt's TIFF plug-in makes of a page.
int tiffDecodedBits(const TiffPage& p) {
    const bool grey = p.photometric == 0 || p.photometric == 1;
    const bool blackIsZero = p.photometric == 1;
    if (p.samplesPerPixel == 1) {
        if (grey && p.bitsPerSample == 1)
            return 1;
        if ((grey || p.photometric == 3) && p.bitsPerSample == 8)
            return 8;
        if (blackIsZero && p.bitsPerSample == 16 && !p.floatingPoint)
            return 16;
    }
    const bool rgbOrGrey = p.photometric == 2 || blackIsZero;
    if (p.bitsPerSample == 16 && rgbOrGrey)
        return 64;
    if (p.bitsPerSample == 32 && p.floatingPoint && rgbOrGrey)
        return 128;
    return 32;
}

DecodeFootprint tiffFootprint(const QByteArray& file, QSize readerSize) {
    const std::optional<TiffPage> page = firstTiffPage(file);
    if (!page)
        return picture(readerSize.width(), readerSize.height(), 128);
    DecodeFootprint footprint = picture(page->width, page->height, tiffDecodedBits(*page));
    // The decoder reads a tiled page a tile at a time through a buffer of the samples as
    // stored; a page of strips that it asks for as 32-bit colour goes through a buffer of
    // a whole strip. Other pages are read a row at a time.
    const int storedBits =
        int(std::clamp<qint64>(page->bitsPerSample * page->samplesPerPixel, 1, 1024));
    qint64 buffer = 0;
    if (page->tileWidth > 0 && page->tileHeight > 0)
        buffer = pictureBytes(page->tileWidth, page->tileHeight, storedBits);
    else if (tiffDecodedBits(*page) == 32)
        buffer = pictureBytes(page->width,
                              page->rowsPerStrip <= 0 ? page->height
                                                      : std::min(page->rowsPerStrip, page->height),
                              storedBits);
    footprint.bytes = addBytes(footprint.bytes, buffer);
    return footprint;
}

// A canvas that takes every frame whole, plus the largest frame, which the decoder keeps
// beside it to dispose of or compose with; all in 32-bit colour with alpha.
DecodeFootprint canvasAndFrame(qint64 width, qint64 height, qint64 frameArea) {
    DecodeFootprint footprint = picture(width, height, 32);
    footprint.bytes = addBytes(footprint.bytes, pictureBytes(frameArea, 1, 32));
    return footprint;
}

DecodeFootprint gifFootprint(const QByteArray& file) {
    qint64 width = littleEndian16(file, 6);
    qint64 height = littleEndian16(file, 8);
    qint64 frameArea = 0;
    qsizetype at = 13 + gifColourTableBytes(uchar(byteAt(file, 10)));
    for (int parts = 0; at >= 0 && at < file.size() && parts < kMostParts; ++parts) {
        const uchar introducer = uchar(file[at]);
        if (introducer == 0x21) {
            at = afterGifSubBlocks(file, at + 2);
        } else if (introducer == 0x2C) {
            const qint64 w = littleEndian16(file, at + 5);
            const qint64 h = littleEndian16(file, at + 7);
            width = std::max(width, littleEndian16(file, at + 1) + w);
            height = std::max(height, littleEndian16(file, at + 3) + h);
            frameArea = std::max(frameArea, w * h);
            at += 10 + gifColourTableBytes(uchar(byteAt(file, at + 9)));
            at = afterGifSubBlocks(file, at + 1);
        } else {
            break;
        }
    }
    return canvasAndFrame(width, height, frameArea);
}

qint64 littleEndian24(const QByteArray& file, qsizetype at) {
    return byteAt(file, at) | byteAt(file, at + 1) << 8 | byteAt(file, at + 2) << 16;
}

// The size a VP8 or VP8L bitstream chunk gives its picture, or 0 x 0.
void bitstreamSize(const QByteArray& file, const QByteArray& tag, qsizetype data, qint64& width,
                   qint64& height) {
    if (tag == "VP8 " && file.mid(data + 3, 3) == "\x9d\x01\x2a") {
        width = littleEndian16(file, data + 6) & 0x3fff;
        height = littleEndian16(file, data + 8) & 0x3fff;
    } else if (tag == "VP8L" && byteAt(file, data) == 0x2f) {
        const quint32 bits = littleEndian32(file, data + 1);
        width = (bits & 0x3fff) + 1;
        height = ((bits >> 14) & 0x3fff) + 1;
    }
}

DecodeFootprint webpFootprint(const QByteArray& file) {
    qint64 width = 0;
    qint64 height = 0;
    qint64 frameArea = 0;
    const auto frame = [&](qint64 w, qint64 h) {
        width = std::max(width, w);
        height = std::max(height, h);
        frameArea = std::max(frameArea, w * h);
    };
    const auto chunks = [&](qsizetype at, qsizetype end, const auto& visit) {
        for (int parts = 0; at + 8 <= end && parts < kMostParts; ++parts) {
            const qint64 size = littleEndian32(file, at + 4);
            visit(file.mid(at, 4), at + 8, size);
            at += 8 + size + (size & 1);
        }
    };
    chunks(12, file.size(), [&](const QByteArray& tag, qsizetype data, qint64 size) {
        qint64 w = 0;
        qint64 h = 0;
        if (tag == "VP8X") {
            width = std::max(width, littleEndian24(file, data + 4) + 1);
            height = std::max(height, littleEndian24(file, data + 7) + 1);
        } else if (tag == "ANMF") {
            frame(littleEndian24(file, data + 6) + 1, littleEndian24(file, data + 9) + 1);
            chunks(data + 16, std::min<qint64>(file.size(), data + size),
                   [&](const QByteArray& inner, qsizetype innerData, qint64) {
                       bitstreamSize(file, inner, innerData, w, h);
                       frame(w, h);
                   });
        } else {
            bitstreamSize(file, tag, data, w, h);
            frame(w, h);
        }
    });
    return canvasAndFrame(width, height, frameArea);
}

// Bits per pixel of the picture as Qt's plug-in delivers it for the formats whose one size
// tells it: what the header declares widened to 8, 32 or 64 bits.
int widenedBits(int declaredBits) {
    return declaredBits <= 8 ? 8 : declaredBits <= 32 ? 32 : 64;
}

} // namespace

DecodeFootprint decodeFootprint(const QByteArray& file, PictureFormat format, QSize readerSize,
                                int declaredBits) {
    const DecodeFootprint reported = picture(
        readerSize.width(), readerSize.height(),
        format == PictureFormat::Bmp || format == PictureFormat::Png ? widenedBits(declaredBits)
                                                                     : 32);
    switch (format) {
    case PictureFormat::Ico:
        return larger(reported, icoFootprint(file));
    case PictureFormat::Tiff:
        return tiffFootprint(file, readerSize);
    case PictureFormat::Gif:
        return larger(reported, gifFootprint(file));
    case PictureFormat::WebP:
        return larger(reported, webpFootprint(file));
    default:
        return reported;
    }
}

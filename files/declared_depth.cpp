// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "declared_depth.h"

#include "file_bytes.h"

#include <optional>

namespace {

bool pngHasTransparencyChunk(const QByteArray& file) {
    qsizetype at = 8;
    while (at + 8 <= file.size()) {
        const quint32 length = bigEndian32(file, at);
        const QByteArray type = file.mid(at + 4, 4);
        if (type == "tRNS")
            return true;
        if (type == "IDAT" || type == "IEND")
            return false;
        at += 12 + qsizetype(length);
    }
    return false;
}

std::optional<int> pngBits(const QByteArray& file) {
    if (!file.startsWith("\x89PNG\r\n\x1a\n") || file.size() < 26)
        return std::nullopt;
    const int bitDepth = uchar(file[24]);
    const int colourType = uchar(file[25]);
    const bool wide = bitDepth == 16;
    switch (colourType) {
    case 0: // grey
        if (wide)
            return 48;
        return pngHasTransparencyChunk(file) ? 32 : bitDepth;
    case 2: // RGB
        if (wide)
            return 48;
        return pngHasTransparencyChunk(file) ? 32 : 24;
    case 3: // palette
        return bitDepth;
    case 4: // grey with alpha
    case 6: // RGBA
        return wide ? 64 : 32;
    default:
        return std::nullopt;
    }
}

std::optional<int> bmpBits(const QByteArray& file) {
    if (!file.startsWith("BM") || file.size() < 30)
        return std::nullopt;
    const quint32 headerSize = littleEndian32(file, 14);
    return headerSize == 12 ? littleEndian16(file, 24) : littleEndian16(file, 28);
}

bool isStartOfFrame(uchar marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<int> jpegBits(const QByteArray& file) {
    if (!file.startsWith("\xff\xd8"))
        return std::nullopt;
    qsizetype at = 2;
    while (at + 4 <= file.size()) {
        if (uchar(file[at]) != 0xFF)
            return std::nullopt;
        const uchar marker = uchar(file[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (isStartOfFrame(marker)) {
            if (at + 10 > file.size())
                return std::nullopt;
            return 8 * uchar(file[at + 9]);
        }
        at += 2 + bigEndian16(file, at + 2);
    }
    return std::nullopt;
}

} // namespace

int bitsPerPixelOfFormat(QImage::Format format) {
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
        return 8;
    case QImage::Format_RGB16:
    case QImage::Format_RGB555:
    case QImage::Format_RGB444:
        return 16;
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGB666:
        return 24;
    case QImage::Format_Grayscale16:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_BGR30:
    case QImage::Format_RGB30:
        return 48;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
        return 64;
    default:
        return 32;
    }
}

int declaredBitsPerPixel(const QByteArray& file, const QByteArray& qtFormat,
                         QImage::Format decodedFormat) {
    std::optional<int> bits;
    if (qtFormat == "png")
        bits = pngBits(file);
    else if (qtFormat == "bmp")
        bits = bmpBits(file);
    else if (qtFormat == "jpeg")
        bits = jpegBits(file);
    else if (qtFormat == "gif")
        bits = 8;
    else if (qtFormat == "ico" || qtFormat == "cur")
        bits = 32; // presented with an alpha channel whatever the entries hold
    return bits.value_or(bitsPerPixelOfFormat(decodedFormat));
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_format.h"

#include "file_bytes.h"

namespace {

bool isEmf(const QByteArray& head) {
    return head.size() >= 88 && littleEndian32(head, 0) == 1 &&
           littleEndian32(head, 40) == 0x464D4520; // " EMF"
}

bool isWmf(const QByteArray& head) {
    if (head.size() >= 22 && littleEndian32(head, 0) == 0x9AC6CDD7u)
        return true; // placeable header
    if (head.size() < 18)
        return false;
    const quint16 type = littleEndian16(head, 0);
    const quint16 version = littleEndian16(head, 4);
    return (type == 1 || type == 2) && littleEndian16(head, 2) == 9 &&
           (version == 0x0300 || version == 0x0100);
}

bool isIco(const QByteArray& head) {
    // Reserved 0, type 1 (icon), at least one entry.
    return head.size() >= 6 && littleEndian16(head, 0) == 0 && littleEndian16(head, 2) == 1 &&
           littleEndian16(head, 4) > 0;
}

} // namespace

PictureFormat pictureFormatOf(const QByteArray& head) {
    if (head.startsWith("\xff\xd8\xff"))
        return PictureFormat::Jpeg;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return PictureFormat::Gif;
    if (head.startsWith("BM") && head.size() >= 18)
        return PictureFormat::Bmp;
    if (head.startsWith(QByteArrayLiteral("II*\0")) || head.startsWith(QByteArrayLiteral("MM\0*")))
        return PictureFormat::Tiff;
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return PictureFormat::WebP;
    if (isEmf(head))
        return PictureFormat::Emf;
    if (isWmf(head))
        return PictureFormat::Wmf;
    if (isIco(head))
        return PictureFormat::Ico;
    return PictureFormat::None;
}

const char* qtFormatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return "bmp";
    case PictureFormat::Gif:
        return "gif";
    case PictureFormat::Jpeg:
        return "jpeg";
    case PictureFormat::Png:
        return "png";
    case PictureFormat::Tiff:
        return "tiff";
    case PictureFormat::Ico:
        return "ico";
    case PictureFormat::WebP:
        return "webp";
    default:
        return nullptr;
    }
}

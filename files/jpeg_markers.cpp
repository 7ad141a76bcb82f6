// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "jpeg_markers.h"

#include "file_bytes.h"

#include <QTransform>

#include <cstring>
#include <functional>

namespace {

constexpr int kSoi = 0xD8;
constexpr int kEoi = 0xD9;
constexpr int kSos = 0xDA;
constexpr int kApp1 = 0xE1;

bool standsAlone(int marker) {
    // SOI, EOI, restart markers and TEM carry no length.
    return marker == kSoi || marker == kEoi || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// The offset of the next marker's code byte at or after at in coded scan data, where FF is
// followed by 00 (a stuffed byte) or a restart marker without ending the scan; -1 if none.
qsizetype afterScanData(const QByteArray& file, qsizetype at) {
    const char* data = file.constData();
    while (at < file.size()) {
        const void* found = std::memchr(data + at, 0xFF, size_t(file.size() - at));
        if (!found)
            return -1;
        at = static_cast<const char*>(found) - data + 1;
        while (at < file.size() && uchar(data[at]) == 0xFF)
            ++at; // fill bytes
        if (at >= file.size())
            return -1;
        const int code = uchar(data[at]);
        if (code != 0 && !(code >= 0xD0 && code <= 0xD7))
            return at;
    }
    return -1;
}

// Calls visit(marker, payload offset, payload length) for each segment in order until it
// returns false, the end marker or the end of the bytes. Scans are visited with their
// header as payload; their coded data is skipped.
void walkSegments(const QByteArray& file,
                  const std::function<bool(int, qsizetype, qsizetype)>& visit) {
    if (file.size() < 4 || fileByte(file, 0) != 0xFF || fileByte(file, 1) != kSoi)
        return;
    qsizetype at = 2;
    while (at < file.size()) {
        // Stray bytes before a marker are skipped, as libjpeg skips them.
        while (at < file.size() && fileByte(file, at) != 0xFF)
            ++at;
        while (at < file.size() && fileByte(file, at) == 0xFF)
            ++at;
        if (at >= file.size())
            return;
        const int marker = int(fileByte(file, at));
        ++at;
        if (marker == kEoi)
            return;
        if (standsAlone(marker))
            continue;
        const qsizetype length = bigEndian16(file, at);
        if (length < 2)
            return;
        if (!visit(marker, at + 2, qMin<qsizetype>(length - 2, file.size() - at - 2)))
            return;
        at += length;
        if (marker == kSos) {
            at = afterScanData(file, at);
            if (at < 0)
                return;
            --at; // back onto the FF before the marker
        }
    }
}

// The orientation entry of the first picture's directory in a TIFF structure (the body of
// an Exif block), or 1.
int tiffOrientation(const QByteArray& tiff) {
    const bool little = tiff.startsWith("II*\0");
    if (!little && !tiff.startsWith(QByteArray("MM\0*", 4)))
        return 1;
    const auto read16 = [&](qsizetype at) {
        return little ? littleEndian16(tiff, at) : bigEndian16(tiff, at);
    };
    const auto read32 = [&](qsizetype at) {
        return little ? littleEndian32(tiff, at) : bigEndian32(tiff, at);
    };
    const qint64 directory = read32(4);
    const int entries = read16(directory);
    for (int i = 0; i < entries; ++i) {
        const qint64 entry = directory + 2 + 12 * qint64(i);
        if (entry + 12 > tiff.size())
            return 1;
        // Tag 0x0112, one SHORT held in the entry itself.
        if (read16(entry) == 0x0112) {
            const int value = read16(entry + 8);
            return read16(entry + 2) == 3 && read32(entry + 4) == 1 && value >= 1 && value <= 8
                       ? value
                       : 1;
        }
    }
    return 1;
}

} // namespace

int jpegScanCount(const QByteArray& file) {
    int scans = 0;
    walkSegments(file, [&scans](int marker, qsizetype, qsizetype) {
        if (marker == kSos)
            ++scans;
        return true;
    });
    return scans;
}

int jpegExifOrientation(const QByteArray& file) {
    int orientation = 1;
    walkSegments(file, [&](int marker, qsizetype at, qsizetype length) {
        if (marker == kSos)
            return false; // the header is over
        if (marker != kApp1 || length < 6 || file.mid(at, 6) != QByteArray("Exif\0\0", 6))
            return true;
        orientation = tiffOrientation(file.mid(at + 6, length - 6));
        return false;
    });
    return orientation;
}

QImage orientedImage(const QImage& stored, int orientation) {
    // Each Exif orientation as what the stored rows need: a mirror, then a quarter turn
    // (clockwise for 90, counter-clockwise for -90) where the picture lies on its side.
    struct Turn {
        bool mirrorX;
        bool mirrorY;
        int degrees;
    };
    static const Turn kTurns[9] = {
        {false, false, 0},  {false, false, 0}, {true, false, 0},
        {true, true, 0},    {false, true, 0},  {true, false, -90},
        {false, false, 90}, {true, false, 90}, {false, false, -90},
    };
    if (orientation < 2 || orientation > 8)
        return stored;
    const Turn& turn = kTurns[orientation];
    QImage image =
        turn.mirrorX || turn.mirrorY ? stored.mirrored(turn.mirrorX, turn.mirrorY) : stored;
    if (turn.degrees != 0 && !image.isNull())
        image = image.transformed(QTransform().rotate(turn.degrees));
    return image;
}

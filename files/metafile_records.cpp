// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "metafile_records.h"

#include "file_bytes.h"

#include <cmath>

namespace {

constexpr quint32 kEmfHeader = 1;
constexpr quint32 kEmfEof = 14;
constexpr qint64 kEmfHeaderBytes = 88;
constexpr qint64 kEmfEofBytes = 20;
constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr qsizetype kPlaceableBytes = 22;
constexpr qint64 kWmfHeaderWords = 9;
constexpr qint64 kWmfRecordWords = 3;

} // namespace

namespace {

// A block the header points at (description text, pixel format) lies inside the header
// record, after its fixed fields.
bool insideHeader(qint64 offset, qint64 bytes, qint64 headerSize) {
    return bytes == 0 || (offset >= kEmfHeaderBytes && bytes <= headerSize - offset);
}

} // namespace

bool emfRecordsHold(const QByteArray& file) {
    const qint64 headerSize = littleEndian32(file, 4);
    if (littleEndian32(file, 0) != kEmfHeader || headerSize < kEmfHeaderBytes)
        return false;
    // The description, in UTF-16 characters; without a count, a converter reads up to a
    // terminator wherever the offset points, so an offset needs a count.
    const qint64 descriptionOffset = littleEndian32(file, 64);
    const qint64 descriptionBytes = 2 * qint64(littleEndian32(file, 60));
    if ((descriptionBytes == 0 && descriptionOffset != 0) ||
        !insideHeader(descriptionOffset, descriptionBytes, headerSize))
        return false;
    if (headerSize >= 100 &&
        !insideHeader(littleEndian32(file, 92), littleEndian32(file, 88), headerSize))
        return false; // pixel format descriptor
    const qint64 declaredBytes = littleEndian32(file, 48);
    const qint64 declaredRecords = littleEndian32(file, 52);
    qint64 at = 0;
    qint64 records = 0;
    while (at + 8 <= file.size()) {
        const quint32 type = littleEndian32(file, at);
        const qint64 size = littleEndian32(file, at + 4);
        if (size < 8 || size % 4 != 0 || size > file.size() - at)
            return false;
        if (type == kEmfHeader && at != 0)
            return false;
        ++records;
        at += size;
        if (type == kEmfEof)
            return size >= kEmfEofBytes && records == declaredRecords && at == declaredBytes;
    }
    return false;
}

bool wmfRecordsHold(const QByteArray& file) {
    const qsizetype start = littleEndian32(file, 0) == kPlaceableKey ? kPlaceableBytes : 0;
    if (littleEndian16(file, start + 2) != kWmfHeaderWords)
        return false;
    const qint64 declaredWords = littleEndian32(file, start + 6);
    const qint64 largestRecord = littleEndian32(file, start + 12);
    // libwmf sizes its record buffer from the largest record the header claims.
    if (declaredWords * 2 > file.size() - start || largestRecord > declaredWords)
        return false;
    qint64 at = start + 2 * kWmfHeaderWords;
    while (at + 6 <= file.size()) {
        const qint64 words = littleEndian32(file, at);
        const quint16 function = littleEndian16(file, at + 4);
        if (words < kWmfRecordWords || words > largestRecord || words * 2 > file.size() - at)
            return false;
        at += words * 2;
        if (function == 0) // end of file
            return (at - start) / 2 == declaredWords;
    }
    return false;
}

QSize emfPixelSize(const QByteArray& file) {
    constexpr int kMaxSide = 65535;
    if (file.size() < kEmfHeaderBytes)
        return QSize();
    const double frameWidth =
        double(littleEndianSigned32(file, 32)) - littleEndianSigned32(file, 24);
    const double frameHeight =
        double(littleEndianSigned32(file, 36)) - littleEndianSigned32(file, 28);
    const double devicePixelsX = littleEndianSigned32(file, 72);
    const double devicePixelsY = littleEndianSigned32(file, 76);
    const double deviceMmX = littleEndianSigned32(file, 80);
    const double deviceMmY = littleEndianSigned32(file, 84);
    if (frameWidth > 0 && frameHeight > 0 && devicePixelsX > 0 && devicePixelsY > 0 &&
        deviceMmX > 0 && deviceMmY > 0) {
        const double w = std::round(frameWidth / 100.0 * devicePixelsX / deviceMmX);
        const double h = std::round(frameHeight / 100.0 * devicePixelsY / deviceMmY);
        if (w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide)
            return QSize(int(w), int(h));
    }
    const qint64 w = qint64(littleEndianSigned32(file, 16)) - littleEndianSigned32(file, 8) + 1;
    const qint64 h = qint64(littleEndianSigned32(file, 20)) - littleEndianSigned32(file, 12) + 1;
    if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
        return QSize();
    return QSize(int(w), int(h));
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

// Integers read from a file's bytes. A read that would pass the end gives 0, so header
// checks on short files simply fail.

inline quint32 fileByte(const QByteArray& data, qsizetype at) {
    return quint32(uchar(data.at(at)));
}

inline quint16 littleEndian16(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 2 > data.size())
        return 0;
    return quint16(fileByte(data, at + 1) << 8 | fileByte(data, at));
}

inline quint32 littleEndian32(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 4 > data.size())
        return 0;
    return fileByte(data, at + 3) << 24 | fileByte(data, at + 2) << 16 |
           fileByte(data, at + 1) << 8 | fileByte(data, at);
}

// A signed field, as EMF's rectangles and sizes are.
inline qint32 littleEndianSigned32(const QByteArray& data, qsizetype at) {
    return qint32(littleEndian32(data, at));
}

inline quint16 bigEndian16(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 2 > data.size())
        return 0;
    return quint16(fileByte(data, at) << 8 | fileByte(data, at + 1));
}

inline quint32 bigEndian32(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 4 > data.size())
        return 0;
    return fileByte(data, at) << 24 | fileByte(data, at + 1) << 16 | fileByte(data, at + 2) << 8 |
           fileByte(data, at + 3);
}

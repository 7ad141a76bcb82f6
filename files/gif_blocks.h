// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

// The walk through a GIF's blocks shared by the checks of its structure and of its size.

// Bytes of the colour table that a logical screen or image descriptor's flags announce.
inline qsizetype gifColourTableBytes(uchar flags) {
    return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0;
}

// Skips a chain of GIF sub-blocks from at; gives the offset after its terminator, or -1
// when the chain does not end inside the file.
inline qsizetype afterGifSubBlocks(const QByteArray& file, qsizetype at) {
    while (at >= 0 && at < file.size()) {
        const int size = uchar(file[at]);
        ++at;
        if (size == 0)
            return at;
        at += size;
    }
    return -1;
}

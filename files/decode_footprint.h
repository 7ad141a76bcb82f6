// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "picture_format.h"

#include <QByteArray>
#include <QSize>

// What Qt's plug-in will allocate to decode a raster file, worked out from the headers of
// every picture the file holds rather than from the one size the reader reports: an icon's
// directory may say 256 x 256 of an entry whose own PNG or bitmap header says far more, a
// TIFF decodes its page through strip or tile buffers and at a depth of its own, and a GIF
// or WebP composes frames of their own sizes on a canvas.
struct DecodeFootprint {
    // The largest picture the decoder may deliver.
    QSize picture;
    // Its bits per pixel as delivered.
    int bitsPerPixel = 32;
    // Its pixels and the decoder's own picture-sized buffers, in bytes (saturating).
    qint64 bytes = 0;
};

// readerSize is what Qt's reader reports; declaredBits what the file's header declares.
DecodeFootprint decodeFootprint(const QByteArray& file, PictureFormat format, QSize readerSize,
                                int declaredBits);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

class Bitmap;
class QIODevice;

// The bitmap as a PNG file in the smallest of the forms that keep every pixel as it is: a page
// of two colours or fewer (every line page) 1 bit a pixel with those colours as its palette,
// a page of at most 256 colours (a numbered page) with exactly the colours it uses as its
// palette, any other as 8-bit red, green and blue. Only the 1-bit form is compressed at
// zlib's default level: the others at a lower one, which is several times faster.
class PngEncoder {
public:
    // Makes the rows the file holds; nothing is written yet. Throws EAppError (the
    // no-picture error) for an empty bitmap, std::bad_alloc when memory for them is short.
    explicit PngEncoder(const Bitmap& bitmap);
    // Writes the whole file to device; false when the device takes less than it is given
    // or the compressor fails.
    bool writeTo(QIODevice& device) const;

private:
    QImage m_rows;
};

// The whole file in memory; throws as PngEncoder does.
QByteArray EncodePng(const Bitmap& bitmap);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

class Bitmap;
class QIODevice;

// The bitmap as an uncompressed Windows bitmap file at its own depth: file header, 40-byte
// information header, the 5-6-5 masks for 16 bits, the colour table for 8 bits or fewer,
// rows from the bottom line up, each padded to 4 bytes.
class BmpEncoder {
public:
    // Throws EAppError for an empty bitmap and for one too large for the format.
    explicit BmpEncoder(const Bitmap& bitmap);
    // Writes the whole file to device a stretch of rows at a time, so no copy of the whole
    // file is made; false when the device takes less than it is given.
    bool writeTo(QIODevice& device) const;

    // The file of a 24-bit bitmap of width x height whose rows are made a band at a time:
    // writeHeader, then writeRows for every band in any order. Each band goes where its rows
    // lie in the file, so the device must be able to seek. Throws as the other constructor.
    BmpEncoder(int width, int height);
    bool writeHeader(QIODevice& device) const;
    // Writes band, rows top to top + band height - 1 of the bitmap (its width and depth),
    // at their place in the file.
    bool writeRows(QIODevice& device, const Bitmap& band, int top) const;

private:
    BmpEncoder(int width, int height, int depth, const Bitmap* bitmap);

    const Bitmap* m_bitmap; // the whole bitmap, or none when it comes a band at a time
    int m_width;
    int m_height;
    int m_depth;
    qint64 m_rowBytes;
    qint64 m_pixelOffset;
    qint64 m_fileBytes;
};

// The whole file in memory; throws as BmpEncoder does.
QByteArray EncodeBmp(const Bitmap& bitmap);

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

private:
    const Bitmap& m_bitmap;
    qint64 m_rowBytes;
    qint64 m_pixelOffset;
    qint64 m_fileBytes;
};

// The whole file in memory; throws as BmpEncoder does.
QByteArray EncodeBmp(const Bitmap& bitmap);

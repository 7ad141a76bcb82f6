#pragma once

#include <QByteArray>
#include <QImage>

enum class JpegDecodeStatus {
    Decoded,     // image holds the picture
    Unsupported, // not a JPEG this decoder takes (not JPEG at all, CMYK ...): use the general path
    Damaged,     // a JPEG that cannot be decoded whole (broken or cut short)
    TooLarge,    // the picture needs more than maxBytes, or its pixels could not be allocated
};

// Decodes a greyscale or colour JPEG held in memory with libjpeg straight into the rows
// a page uses: Format_BGR888 for colour, Format_Grayscale8 for greyscale. Saves the
// RGB32 intermediate and the full-size conversion of the general path; the pixels are
// the same as the general path gives.
JpegDecodeStatus decodeJpeg(const QByteArray& file, qint64 maxBytes, QImage& image);

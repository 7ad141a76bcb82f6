#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// What a JPEG's header says, read without decoding the picture.
struct JpegHeader {
    int width = 0;
    int height = 0;
    QImage::Format format = QImage::Format_Invalid; // what decodeJpeg will give
    // libjpeg's own memory for the whole decode: the coefficient arrays of a progressive
    // or multi-scan file (all of the picture's coefficients at once), and its row buffers.
    qint64 workingBytes = 0;
};

// The header, or nothing when it cannot be read or its colour space is not grey, colour
// or CMYK.
std::optional<JpegHeader> readJpegHeader(const QByteArray& file);

enum class JpegDecodeStatus {
    Decoded,  // image holds the picture
    Damaged,  // a JPEG that cannot be decoded whole (broken, cut short, closed early)
    TooLarge, // libjpeg or the picture's pixels need more memory than allowed or available
};

// Decodes a JPEG held in memory with libjpeg straight into the rows a page uses:
// Format_BGR888 for colour, Format_Grayscale8 for grey, Format_RGB32 for CMYK. Any sign
// of damaged data refuses the picture; only warnings that intact photos carry (stray
// bytes before a marker, an unknown JFIF revision, a bad colour profile or Adobe code)
// are let through. maxWorkingBytes caps libjpeg's own memory.
JpegDecodeStatus decodeJpeg(const QByteArray& file, qint64 maxWorkingBytes, QImage& image);

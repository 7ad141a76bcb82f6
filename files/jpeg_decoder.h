// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

#include <memory>
#include <optional>

// What a JPEG's header says, read without decoding the picture.
struct JpegHeader {
    int width = 0;
    int height = 0;
    QImage::Format format = QImage::Format_Invalid; // what decodeJpeg will give
    // libjpeg's own memory for the whole decode: the coefficient arrays of a progressive
    // or multi-scan file (all of the picture's coefficients at once), and its row buffers.
    qint64 workingBytes = 0;
    int orientation = 1; // the Exif orientation the decoded rows are to be seen in
};

// Real encoders write up to a dozen scans, and libjpeg's own tools at most 100. Every scan
// of a progressive file passes over all of the picture's coefficients, so a file of
// thousands of tiny scans costs minutes: more scans than this refuse it before decoding.
constexpr int kMaxJpegScans = 100;

// The header, or nothing when it cannot be read, its colour space is not grey, colour or
// CMYK, or it holds more than kMaxJpegScans scans.
std::optional<JpegHeader> readJpegHeader(const QByteArray& file);

enum class JpegDecodeStatus {
    Decoded,   // image holds the picture
    Damaged,   // a JPEG that cannot be decoded whole (broken, cut short, closed early)
    TooLarge,  // libjpeg or the picture's pixels need more memory than allowed or available
    Abandoned, // decoding took longer than its time limit
};

// How long libjpeg may work on a picture of that size before the decode is abandoned: a
// tenth of a second a megapixel, and at least half a minute, many times what an intact
// photo takes.
qint64 jpegTimeLimitMs(int width, int height);

// A JPEG held in memory decoded a stretch of rows at a time, from the top, so that work on
// the first rows can start while the rest are still being decoded. The rows take the
// format decodeJpeg gives, and a picture is refused as decodeJpeg refuses it.
class JpegRowDecoder {
public:
    explicit JpegRowDecoder(const QByteArray& file);
    ~JpegRowDecoder();
    JpegRowDecoder(const JpegRowDecoder&) = delete;
    JpegRowDecoder& operator=(const JpegRowDecoder&) = delete;

    // Reads the header and starts libjpeg with at most maxWorkingBytes of its own memory and
    // timeLimitMs of its own time for the whole decode (jpegTimeLimitMs when negative);
    // Decoded when the rows can be read.
    JpegDecodeStatus start(qint64 maxWorkingBytes, qint64 timeLimitMs = -1);
    int width() const;
    int height() const;
    QImage::Format format() const;
    // Rows decoded so far: the next row readRows writes.
    int nextRow() const;
    // Decodes up to count of the next rows into rows (each a row of width pixels in the
    // format) and adds how many it decoded to nextRow. After the last row it checks the end
    // of the stream. Damaged as soon as libjpeg has made up data; the picture is refused
    // then, and no more rows are read.
    JpegDecodeStatus readRows(uchar* const* rows, int count);

    struct State; // libjpeg's state, known only to the decoder's own source

private:
    QByteArray m_file;
    std::unique_ptr<State> m_state;
};

// Decodes a JPEG held in memory with libjpeg straight into the rows a page uses:
// Format_BGR888 for colour, Format_Grayscale8 for grey, Format_RGB32 for CMYK. Any sign
// of damaged data refuses the picture; only warnings that intact photos carry (stray
// bytes before a marker, an unknown JFIF revision, a bad colour profile or Adobe code, a
// missing end marker after complete data) are let through. maxWorkingBytes caps libjpeg's
// own memory, timeLimitMs its time as JpegRowDecoder::start does. The rows are as stored:
// the Exif orientation is not applied.
JpegDecodeStatus decodeJpeg(const QByteArray& file, qint64 maxWorkingBytes, QImage& image,
                            qint64 timeLimitMs = -1);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

// Picture files built byte by byte, so the tests control every header field.
namespace fixtures {

// A 3 x 2 white bitmap whose top-left pixel is black (index 0 in every colour table).
Bitmap whiteWithBlackCorner(int depth);

// A PNG of the given colour type and bit depth; rows are raw sample bytes without the
// filter byte. palette and alpha (tRNS entries) are written when not empty.
QByteArray png(int width, int height, int bitDepth, int colourType, const QList<QByteArray>& rows,
               const QList<QRgb>& palette = {}, const QByteArray& alpha = {});

// An 8-bit GIF with a 256-entry global colour table; indices one byte per pixel, rows top down.
QByteArray gif(int width, int height, const QList<QRgb>& palette, const QByteArray& indices);

// A 100 x 50 pixel enhanced metafile (96 dpi reference) / placeable Windows metafile that
// fills the rectangle (10, 10)-(50, 40) with red on a transparent ground. The EMF can draw
// that rectangle many times over, for a file that takes long to draw.
QByteArray emf(int rectangles = 1);
QByteArray wmf();

// The image in the given Qt format ("jpeg", "ico" ...), quality for JPEG.
QByteArray encoded(const QImage& image, const char* format, int quality = 90);

// A CMYK JPEG (Adobe's inverted convention, as Photoshop writes it) of the given CMYK
// bytes, four per pixel, rows top down.
QByteArray cmykJpeg(int width, int height, const QByteArray& cmyk);

// A progressive JPEG of the picture.
QByteArray progressiveJpeg(const QImage& image);

// A progressive grey JPEG of scans scans (at least 3): the picture in three, and its last
// scan sent again as often as it takes.
QByteArray manyScanJpeg(int width, int height, int scans);

// The JPEG with an Exif block (APP1) after its start giving the orientation, in either of
// the byte orders cameras write.
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation, bool bigEndian = true);

// A smooth photo-like picture with fine noise.
QImage photo(int width, int height);

void writeFile(const QString& path, const QByteArray& data);

// Lowers the largest file this process may write while it lives, so that writes beyond it
// fail as on a full disk, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    qint64 m_saved;
    void (*m_oldHandler)(int);
};

// A marker segment of a JPEG stream: its code (0xC0 for a baseline frame ...) and payload.
struct JpegSegment {
    int marker;
    QByteArray payload;
};

// The segments from the start of the stream up to and including its first scan header;
// empty when the stream does not start with SOI or a segment runs past the end.
QList<JpegSegment> jpegSegments(const QByteArray& stream);

// The payload of the first segment with the marker, or an empty array.
QByteArray jpegSegment(const QByteArray& stream, int marker);

} // namespace fixtures

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QImage>
#include <QString>

#include <memory>

class Bitmap;
class JpegRowDecoder;
class QIODevice;

// A picture as the decoder presents it: its pixels and the bits per pixel of the
// pixel format the file itself declares (a 4-bit PNG says 4 even though Qt widens it
// to 8 bits in memory).
struct DecodedImage {
    QImage pixels;
    int bitsPerPixel = 0;
};

// Depth of the page bitmap for a decoded picture: 1, 4, 8, 16, 24 and 32 bits keep
// their depth, anything else (48, 64, 2 ...) gives 32.
int PixelFormatGP(const DecodedImage& image);

// Decodes the picture file at path into bitmap: the picture's own pixel size, the depth
// chosen by PixelFormatGP, drawn over white at one-to-one size. Only BMP, GIF, JPEG, PNG,
// TIFF, ICO, WebP, EMF and WMF are pictures, recognised by their first bytes; anything
// else is not read further. A file that cannot be decoded whole (not a picture, damaged,
// cut short, claiming more than it holds) leaves bitmap empty (0 x 0) and gives false;
// nothing is thrown for it. A picture whose load would need more memory than the budget
// (the 4 GiB picture limit or what the machine has free) is refused before decoding, and
// any allocation failure while loading, with EAppError carrying
// notEnoughMemoryMessage(path). The file is closed before the function returns.
bool ImageLoaderGP(const QString& path, Bitmap& bitmap);

// The same from an open device; name is what messages call it.
bool loadPicture(QIODevice& source, const QString& name, Bitmap& bitmap);

// The start of loadPicture for a JPEG whose page is 24-bit colour, for a caller that takes
// the rows a stretch at a time as they are decoded: the file read from source, the load's
// memory checked against the same budget (EAppError as loadPicture throws it) and libjpeg
// started. Nothing for any other file, nor when libjpeg cannot start: loadPicture loads
// those whole, and says why one cannot be read.
std::unique_ptr<JpegRowDecoder> startColourJpeg(QIODevice& source, const QString& name);

QString notEnoughMemoryMessage(const QString& name);

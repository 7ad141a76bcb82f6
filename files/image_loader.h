#pragma once

#include <QImage>
#include <QString>

class Bitmap;

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
// chosen by PixelFormatGP, drawn over white at one-to-one size. A file that cannot be
// decoded leaves bitmap empty (0 x 0) and gives false; nothing is thrown for it. A
// picture too large for the memory at hand throws EAppError. The file is read whole and
// closed before decoding, so it is never held open afterwards.
bool ImageLoaderGP(const QString& path, Bitmap& bitmap);

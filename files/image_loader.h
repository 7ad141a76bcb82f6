#pragma once

#include <QString>

class Bitmap;
class QImageReader;

// Decodes the picture file at path into bitmap: the picture's own pixel size, the depth
// chosen by PixelFormatGP, drawn over white at one-to-one size. A file that cannot be
// decoded leaves bitmap empty (0 x 0) and gives false; nothing is thrown for it.
bool ImageLoaderGP(const QString& path, Bitmap& bitmap);

#pragma once

#include <QByteArray>

class Bitmap;

// The bitmap as a baseline JFIF stream: libjpeg's defaults at quality 90 (baseline
// quantization), 2 x 2 subsampled chroma, fed with each pixel's red, green and blue, rows
// from the top. Pages of other depths are encoded from a 24-bit copy. Throws EAppError:
// "JPEG エラー #code" with libjpeg's message code when libjpeg fails, and the no-picture
// error for an empty bitmap.
QByteArray EncodeJpeg(const Bitmap& bitmap);

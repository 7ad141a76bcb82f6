// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

// Bits per pixel of the pixel format a picture file declares in its own header, as a
// Windows decoder would present it: a palette PNG or BMP keeps its 1, 4 or 8 bits, a GIF
// is 8, a JPEG 8 per component, an icon 32, 16 bits per channel give 48 or 64, alpha
// (or a transparent colour in a non-palette PNG) gives 32. Formats whose header is not
// read here fall back on the format Qt decoded them to. qtFormat is the format name
// QImageReader found from the content ("png", "jpeg" ...).
int declaredBitsPerPixel(const QByteArray& file, const QByteArray& qtFormat,
                         QImage::Format decodedFormat);

// Bits per pixel implied by a decoded QImage format alone.
int bitsPerPixelOfFormat(QImage::Format format);

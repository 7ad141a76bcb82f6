// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

// The picture formats the program reads. Anything else, whatever its name says, is not
// a picture: other image plug-ins Qt may have (SVG, XPM, PPM, TGA ...) are never reached.
enum class PictureFormat { None, Bmp, Gif, Jpeg, Png, Tiff, Ico, WebP, Emf, Wmf };

// How many bytes from the start of a file pictureFormatOf needs.
constexpr qsizetype kFormatProbeBytes = 88;

// The format of a file from its first bytes (at most kFormatProbeBytes of them).
PictureFormat pictureFormatOf(const QByteArray& head);

// The name of Qt's image plug-in for a raster format; null for metafiles and None.
const char* qtFormatName(PictureFormat format);

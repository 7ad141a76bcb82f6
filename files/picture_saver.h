// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

class Bitmap;

// The file formats a page is saved in, chosen by the extension of the name alone.
enum class SaveFormat { Jpeg, Bmp, Png, Unsupported };

// The window's Save As: ".JPG" in any letter case is JPEG, ".BMP" is BMP, anything else
// (".jpeg" and ".png" too) is refused.
SaveFormat SaveFormatOf(const QString& name);

// What the user is told when a name's extension is neither.
QString unsupportedSaveFormatMessage();

// The path SavePicture writes for name: JpegFileName of it for a JPEG (an existing file whose
// extension differs only in case, such as PHONE.JPG, is the one replaced), name itself for a
// BMP or a PNG.
QString SavedFileName(const QString& name, SaveFormat format);

// Encodes the page into a file written safely under name: a JPEG under JpegFileName of it,
// a BMP under name itself at the page's depth, a PNG (see PngEncoder) under name itself.
// Returns the path written. Throws EAppError (the encoders' and WriteFileSafely's errors;
// the unsupported-format message for Unsupported); on any error an existing file is left
// as it was.
QString SavePicture(const Bitmap& page, const QString& name, SaveFormat format);

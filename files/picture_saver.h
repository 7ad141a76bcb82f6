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

// The command-line tool's reading of a name, which writes PNG too and takes each format's
// usual extensions: ".png" is PNG, ".jpg" and ".jpeg" JPEG, ".bmp" BMP, in any letter case;
// anything else is Unsupported.
SaveFormat OutputFormatOf(const QString& name);

// What the user is told when a name's extension is neither.
QString unsupportedSaveFormatMessage();

// The path SavePicture writes for name: JpegFileName of it for a JPEG (an existing file whose
// extension differs only in case, such as PHONE.JPG, is the one replaced), name itself for a
// BMP or a PNG.
QString SavedFileName(const QString& name, SaveFormat format);

// Encodes the page into a file written safely at path itself: a JPEG, a BMP at the page's
// depth or a PNG (see PngEncoder). Throws EAppError (the encoders' and WriteFileSafely's
// errors; the unsupported-format message for Unsupported); on any error an existing file is
// left as it was.
void WritePicture(const Bitmap& page, const QString& path, SaveFormat format);

// Writes the page as WritePicture does under SavedFileName of name, and returns that path.
QString SavePicture(const Bitmap& page, const QString& name, SaveFormat format);

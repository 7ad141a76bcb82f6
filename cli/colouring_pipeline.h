// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "picture_saver.h"

#include <QString>

class QIODevice;

// Converts a colour JPEG read from input into its colouring page and writes that page as
// WritePicture writes it at path, a JPEG or a BMP, without ever holding the whole page: a
// second thread decodes the photo a stretch of rows at a time while this one runs the filter
// over the rows already decoded and hands each finished band to the encoder. The file is the
// one that loading the photo, ColouringInPlace and WritePicture give, byte for byte.
//
// True when the file is written. False for another format, when input is not a JPEG whose
// page is 24-bit colour (at least 3 x 4 pixels), and when anything fails (a damaged photo,
// the file cannot be written): nothing is then written, an existing file is left as it was,
// and the caller does the work the ordinary way, which says why it fails. Throws EAppError
// when the photo needs more memory than loading may use, as loading it does.
bool SaveColouringPipelined(QIODevice& input, const QString& inputName, const QString& path,
                            SaveFormat format);

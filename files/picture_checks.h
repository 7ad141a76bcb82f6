// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "picture_format.h"

#include <QByteArray>

// Whether a raster file holds all of its picture's data as far as its structure tells:
// every block, chunk or pixel array its headers announce lies inside the file, up to the
// end of the first picture. A file cut short, or whose header was made to claim more than
// the file holds, fails; the decoders would otherwise pad the missing part with whatever
// memory held. JPEG is judged by its decoder instead, and formats without such a walk
// here pass.
bool pictureDataComplete(const QByteArray& file, PictureFormat format);

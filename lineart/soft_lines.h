// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"

// A page of black and white alone made grey, its lines' edges softened into greys over about
// a tenth of a millimetre (the page fitted to A4). Tone curves keep black and white as they
// are; on the softened page lighter makes the lines finer and fainter, darker bolder.
// 24 bits, every pixel grey.
Bitmap softenedLines(const Bitmap& page);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"

// The colouring-page edge filter. Computes the pixels of columns [firstColumn, endColumn),
// clipped to 1..W-2, and rows 1..H-3 (one row is left at the top, two at the bottom), reading
// src and writing grey levels into out. For each such pixel, with N = r + 256 b + 65536 g of
// each neighbour and D = r + 256 g + 65536 b of the centre:
//   S = 4 N(centre) - N(left) - N(right) - N(up) - N(down)   (diagonals weigh 0)
//   grey = ClampByte(255 + 100 * (S / D)), or 255 when D = 0,
// in doubles with that order of operations. src and out are two 24-bit bitmaps of the same
// size; out starts white (a new Bitmap, or ColouringOutput when every column will be
// computed) and is written nowhere else. Throws
// std::invalid_argument when the bitmaps do not fit that description.
void CustomFilterColumns(const Bitmap& src, Bitmap& out, int firstColumn, int endColumn);

// A bitmap for the filter's output over all of src's columns: white where the filter
// writes nothing (the first and last columns, the first row and the last two), the rest
// left for the filter to write. Throws std::bad_alloc when memory runs out.
Bitmap ColouringOutput(const Bitmap& src);

// Turns a 24-bit page into its colouring page: the pixels CustomFilterColumns over every
// column writes into ColouringOutput, computed a band of rows at a time and written back
// over the page, so that beside the page only two bands' memory is needed. Throws
// std::invalid_argument for another depth, std::bad_alloc when memory runs out.
void ColouringInPlace(Bitmap& page);

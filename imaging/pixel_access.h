// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"

// Single-pixel access shared by the page commands. Both pixel functions first bring the
// bitmap to 24 bits in place, so a read changes the depth of the bitmap it reads. Rows
// count from the top; a row outside 0..height-1 throws EAppError and touches nothing.
void ScanPixel(Bitmap& bitmap, int x, int y, uchar& red, uchar& green, uchar& blue);
void PrintPixel(int x, int y, uchar red, uchar green, uchar blue, Bitmap& bitmap);

// 255 or more gives 255, anything not above 0 (NaN included) gives 0, the rest rounds to
// the nearest integer with halves to even.
int ClampByte(double value);

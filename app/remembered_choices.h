// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "clean_lines_dialog.h"
#include "colour_by_number.h"

// The conversion dialogs' choices as the user last left them, confirmed or cancelled, kept
// between runs. A value never kept, or one no dialog could have given, is the fallback's.

// The line width is kept as it would print on A4, so a page of another size gets lines
// that look as wide.
CleanLineChoice rememberedCleanLines(const CleanLineChoice& fallback, int pageWidth,
                                     int pageHeight);
void rememberCleanLines(const CleanLineChoice& choice, int pageWidth, int pageHeight);

ColourByNumberSettings rememberedColourByNumber(const ColourByNumberSettings& fallback);
void rememberColourByNumber(const ColourByNumberSettings& settings);

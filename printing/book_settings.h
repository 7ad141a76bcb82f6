// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

enum class BookPaper { A4, Letter };

// How a colouring book is laid out and written.
struct BookSettings {
    BookPaper paper = BookPaper::A4;
    double marginMillimetres = 10.0;
    // Pages of pure black and white go in as traced curves instead of images.
    bool vector = false;
    // Each page turned into a colour-by-number page of this many colours, every region at
    // least smallestRegionMm across on A4, and written as lines and text; 0 keeps the pages
    // as they are. withPreview puts each one's painted picture on the next sheet.
    int numberColours = 0;
    double smallestRegionMm = 3.0;
    bool withPreview = false;
    // The palette they are numbered from (a built-in set's name or a palette file); empty:
    // each photo's own colours.
    QString numberPalette{};
};

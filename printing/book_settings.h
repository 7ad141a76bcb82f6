// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

enum class BookPaper { A4, Letter };

// How a colouring book is laid out and written.
struct BookSettings {
    BookPaper paper = BookPaper::A4;
    double marginMillimetres = 10.0;
    // Pages of pure black and white go in as traced curves instead of images.
    bool vector = false;
};

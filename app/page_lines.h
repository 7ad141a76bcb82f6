// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "clean_lines.h"
#include "page_drawing.h"

// The lines a clean-lines conversion drew on a page, kept as what they were drawn from and
// how: a vector book draws them again as smoothed centre lines stroked at their width, where
// tracing their pixels would give lumpy outlines. The source is the photo's small working
// copy, whatever the photo's size, and the drawing is made only when a book asks for it, so
// the conversion costs no more than the page.
struct PageLines {
    CleanLinesSource source;
    CleanLineSettings settings;

    PageDrawing drawing() const { return source.drawing(settings); }
};

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "clean_lines.h"
#include "colour_by_number.h"
#include "page_drawing.h"

#include <optional>
#include <utility>

// What a conversion drew a page from, kept with the page so that a book can draw it again
// in vectors rather than trace or shrink its pixels.
//
// Clean lines keep their source and settings: a vector book draws them again as smoothed
// centre lines stroked at their width, where tracing their pixels would give lumpy
// outlines. The source is the photo's small working copy, whatever the photo's size, and
// the drawing is made only when a book asks for it, so the conversion costs no more than the
// page.
//
// A colour-by-number page keeps its regions: a book writes its own edges, numbers and key
// (converting the numbered page again would find one white region), and its painted picture.
struct PageLines {
    PageLines(CleanLinesSource source, const CleanLineSettings& settings)
        : source(std::move(source)), settings(settings) {}
    explicit PageLines(NumberedRegions regions) : regions(std::move(regions)) {}

    std::optional<CleanLinesSource> source;
    CleanLineSettings settings;
    std::optional<NumberedRegions> regions;

    PageDrawing drawing() const {
        return regions ? numberedDrawing(*regions) : source->drawing(settings);
    }
};

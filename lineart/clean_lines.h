#pragma once

#include "bitmap.h"

#include <functional>
#include <optional>

// How a photograph becomes a line page.
struct CleanLineSettings {
    // From few lines (0: only the strongest outlines) to many (100: fine texture too).
    int detail = 50;
    // Width of every line, in pixels of the page.
    int thickness = 1;
    // Every region the lines close is at least this wide (in mm, the page fitted to A4), so a
    // crayon fits in it.
    double smallestRegionMm = 3.0;
};

// The settings a page of this size gets when nobody chooses: middle detail and lines about
// 0.6 mm wide when the page is printed on A4.
CleanLineSettings defaultCleanLineSettings(int width, int height);

// The extent (in pixels, across the longer side of its bounding box) under which an
// isolated piece of line is a speck and goes: it follows the page's size, so a preview on a
// smaller copy loses the same pieces as the full page.
int speckSize(int width, int height);

// Told before each stage (stage 0 .. stages - 1); returning false abandons the work.
using StageProgress = std::function<bool(int stage, int stages)>;

// A page of pure black lines on white from the page: lines where the extended difference of
// Gaussians of its picture falls under a soft threshold (Winnemoeller et al. 2012), thinned
// to centre lines, specks removed, gaps up to the speck size closed, then drawn at the chosen
// thickness. The result is
// 1 bit deep: two colours are all it may hold, and it takes an eighth of the memory of an
// 8-bit page. The same page and settings give the same bytes. Empty when abandoned.
std::optional<Bitmap> cleanLines(const Bitmap& page, const CleanLineSettings& settings,
                                 const StageProgress& progress = {});

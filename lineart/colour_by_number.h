// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "clean_lines.h"
#include "crayon_palette.h"
#include "page_drawing.h"
#include "subject_mask.h"

#include <opencv2/core/mat.hpp>

#include <optional>
#include <vector>

// Colour by number: a photograph cut into regions of a few colours, each region carrying the
// number of its colour, and the picture those colours make once painted.

inline constexpr int kFewestNumberColours = 2;
inline constexpr int kMostNumberColours = 36;

struct ColourByNumberSettings {
    ColourByNumberSettings() = default;
    ColourByNumberSettings(int colours, double smallestRegionMm)
        : colours(colours), smallestRegionMm(smallestRegionMm) {}
    ColourByNumberSettings(int colours, double smallestRegionMm,
                           std::optional<CrayonPalette> palette, Subject subject = {})
        : colours(colours), smallestRegionMm(smallestRegionMm), palette(std::move(palette)),
          subject(subject) {}

    // How many colours the page may use at most (kFewestNumberColours .. kMostNumberColours).
    int colours = 16;
    // Every region is at least this wide (in mm, the picture fitted to A4).
    double smallestRegionMm = 3.0;
    // The colours to choose from, each numbered by its place in it; without one, the
    // photo's own colours, kept apart by at least kDistinctColours.
    std::optional<CrayonPalette> palette;
    // A subject chosen with a box: the background around it is one plain region, a few, or
    // as it is (see paintAroundSubject).
    Subject subject{};
};

// Where a region's number goes: the centre of the widest disc inside the region, in pixels
// of the picture, and the height of its digits there.
struct NumberLabel {
    cv::Point2f centre;
    float digitHeight = 0;
    int number = 0; // the number of its colour
};

struct NumberedRegions {
    cv::Size picture;
    // The index in palette of each pixel of a smaller copy of the picture (CV_8U); regions
    // are the pieces of one index, and the picture's pixels take the index of the copy's
    // pixel they fall on. The index past the palette's last is the white paper around a
    // subject, which has no number.
    cv::Mat colourIndex;
    // The colours the page uses (blue, green, red), in the order of their numbers, the
    // number of each and its name (empty for the photo's own colours).
    std::vector<cv::Vec3b> palette;
    std::vector<int> numbers;
    std::vector<QString> names;
    std::vector<NumberLabel> labels;
    // Height of the key below the picture on the numbered page, in pixels.
    int keyHeight = 0;
};

// The regions of a page. Throws EAppError when the colours are out of range or the page is
// too small to hold one numbered region. Empty when abandoned.
std::optional<NumberedRegions> numberRegions(const Bitmap& page,
                                             const ColourByNumberSettings& settings,
                                             const StageProgress& progress = {});

// The same regions to be drawn at another size, a preview of the page: the picture's size,
// the numbers' places and heights and the key's height scaled to it.
NumberedRegions scaledRegions(const NumberedRegions& regions, cv::Size picture);

// The numbered page: grey region edges and black numbers on white, the key below (its
// colours' names are left to the drawing, which writes words).
Bitmap numberedPage(const NumberedRegions& regions);

// The picture painted: every region in its colour, the size of the page it came from.
Bitmap colouredPreview(const NumberedRegions& regions);

// One entry of the key: the number's box, its colour's swatch and the box its name begins
// at the left of, in pixels of the numbered page.
struct KeyEntry {
    cv::Rect number;
    cv::Rect swatch;
    cv::Rect name;
};
std::vector<KeyEntry> keyEntries(const NumberedRegions& regions);

// The numbered page as a drawing: its edges, numbers and key, for a book written in vectors.
PageDrawing numberedDrawing(const NumberedRegions& regions);

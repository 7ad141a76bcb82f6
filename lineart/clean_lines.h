// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "centre_lines.h"
#include "flow_dog.h"
#include "page_drawing.h"
#include "region_merging.h"
#include "subject_mask.h"

#include <opencv2/core/mat.hpp>

#include <functional>
#include <optional>
#include <vector>

// How a photograph becomes a line page.
struct CleanLineSettings {
    // From few lines (0: only the strongest outlines, large regions) to many (100: weaker
    // edges and fainter strokes too).
    int detail = 50;
    // Width of every line, in pixels of the page.
    int thickness = 1;
    // Every region the lines close is at least this wide (in mm, the page fitted to A4), so a
    // crayon fits in it.
    double smallestRegionMm = 3.0;
    // A subject chosen with a box: its regions and strokes get more of the page's detail,
    // and the background is drawn as chosen. Without a box the whole picture is drawn alike.
    Subject subject{};
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

// A page of pure black lines on white from the page. A copy of fixed size is flattened
// (bilateral passes in CIELAB) and cut into closed regions along its strongest colour edges;
// regions narrower than the smallest region size go into their most similar neighbour, and
// a region too large is cut where it holds together most weakly. The regions' outlines,
// with open strokes for thin dark lines no region can hold, are brought to the page's size,
// thinned to centre lines and drawn at the chosen thickness. The result is 1 bit deep: two
// colours are all it may hold, and it takes an eighth of the memory of an 8-bit page. The
// same page and settings give the same bytes. Empty when abandoned.
std::optional<Bitmap> cleanLines(const Bitmap& page, const CleanLineSettings& settings,
                                 const StageProgress& progress = {});

// What clean lines take from the picture alone, whatever the settings: the copy the regions
// are found on, flattened, its colour edge strength and the flow of its lines. Made once, it serves
// any number of pages of different settings (a dialog redrawing its preview as controls move).
class CleanLinesSource {
public:
    // The regions are found on a copy this many pixels on its longer side, whatever the
    // page's: a photograph and its enlargement give the same drawing.
    static constexpr int kWorkingSide = 1024;

    explicit CleanLinesSource(const Bitmap& page, int workingSide = kWorkingSide);

    // The size of the copy a page of this size is worked on (none is made of a page of one
    // colour all over).
    static cv::Size copySizeFor(int width, int height, int workingSide = kWorkingSide);
    // The copy this source holds: empty for an empty or flat page.
    cv::Size copySize() const { return m_lab.size(); }

    // The line page for these settings (stages 1 to 3 of cleanLines' progress).
    std::optional<Bitmap> lines(const CleanLineSettings& settings,
                                const StageProgress& progress = {}) const;

    // Whether lines() draws the copy's centre lines at the page's size: then linesShown
    // draws the same lines at a smaller size, in a fraction of the time.
    bool drawsCentreLines() const;
    // The page of lines() shrunk to shown (the page's shape): the same regions and lines, each
    // line as much thinner as shown is smaller. For a page that drawsCentreLines() only.
    std::optional<Bitmap> linesShown(const CleanLineSettings& settings, cv::Size shown,
                                     const StageProgress& progress = {}) const;

    // The same lines as a drawing for a book: the centre lines of the regions' outlines and
    // strokes, smoothed, in the page's pixels, to be stroked settings.thickness wide with
    // round ends and joins.
    PageDrawing drawing(const CleanLineSettings& settings) const;

private:
    std::optional<cv::Mat> borders(const CleanLineSettings& settings, const StageProgress& progress,
                                   RegionRules& rules) const;
    cv::Mat subjectRegions(const CleanLineSettings& settings, const RegionRules& rules,
                           cv::Mat& subject) const;
    std::vector<CentreLine> centreLines(cv::Mat& borders, const RegionRules& rules,
                                        const CleanLineSettings& settings) const;
    std::optional<Bitmap> drawnCentreLines(const CleanLineSettings& settings, cv::Size size,
                                           int thickness, const StageProgress& progress) const;

    int m_width;
    int m_height;
    // The working copy in 8-bit colour, kept for cutting out a subject.
    cv::Mat m_colours;
    cv::Mat m_lab;
    cv::Mat m_strength;
    LineFlow m_flow;
};

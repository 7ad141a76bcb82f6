// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "clean_lines.h"

#include <QImage>

#include <optional>

// A preview of clean lines for a whole page: what a dialog shows while its controls move.

// The page shrunk (smoothly, to 24 bits) so that its longer side is at most side pixels;
// scale is set to the copy's pixels per page pixel (1 when the page is small enough).
Bitmap shrinkForPreview(const Bitmap& page, int side, double& scale);

struct CleanLinesPreview {
    QImage marked; // the line page with its tiny regions in red, shrunk for the screen
    double inkShare = 0;
    int regions = 0;
    int tinyRegions = 0;
};

// The preview of one page: prepared once, when a dialog opens, then drawn for any settings
// while its controls move. It is the page as the conversion makes it, so that its lines,
// regions and figures are those the page gets, shrunk for the screen. A page much larger than
// the shown picture (whose lines are those of a working copy drawn large) has the same lines
// drawn at the shown size instead: a fraction of the work, with figures measured on that
// picture.
class CleanLinesPreviewer {
public:
    // side: the longer side, in pixels, of the picture shown (the page's if smaller).
    CleanLinesPreviewer(const Bitmap& page, int side);

    bool isEmpty() const { return m_page.empty(); }

    // The line page for these settings, closed where asked, and its check. Empty when
    // abandoned.
    std::optional<CleanLinesPreview> preview(const CleanLineSettings& settings,
                                             bool closeTinyRegions,
                                             const StageProgress& progress = {}) const;

private:
    cv::Size m_page;
    int m_side;
    CleanLinesSource m_source;
};

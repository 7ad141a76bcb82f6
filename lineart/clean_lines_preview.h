// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "clean_lines.h"

#include <QImage>

// A preview of clean lines for a whole page, drawn on a copy of it shrunk so that the work
// takes a few milliseconds: what a dialog shows while its controls move.

// The page shrunk (smoothly, to 24 bits) so that its longer side is at most side pixels;
// scale is set to the copy's pixels per page pixel (1 when the page is small enough).
Bitmap shrinkForPreview(const Bitmap& page, int side, double& scale);

struct CleanLinesPreview {
    QImage marked; // the line page with its tiny regions in red
    double inkShare = 0;
    int regions = 0;
    int tinyRegions = 0;
};

// The preview of one page: shrunk and prepared once, when a dialog opens, then drawn for
// any settings while its controls move. The regions are found on the shrunk copy itself, so
// a redraw costs a fraction of the page's conversion.
class CleanLinesPreviewer {
public:
    CleanLinesPreviewer(const Bitmap& page, int side);

    bool isEmpty() const { return m_small.isEmpty(); }

    // The line page of the shrunk copy for settings meant for the page (the thickness and
    // the subject's box are scaled with the copy), closed where asked, and its check.
    CleanLinesPreview preview(const CleanLineSettings& settings, bool closeTinyRegions) const;

private:
    cv::Size m_page;
    double m_scale = 1.0;
    Bitmap m_small;
    CleanLinesSource m_source;
};

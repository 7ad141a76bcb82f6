// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_preview.h"

#include "colourability.h"

#include <algorithm>
#include <cmath>

Bitmap shrinkForPreview(const Bitmap& page, int side, double& scale) {
    const int longer = std::max(page.width(), page.height());
    if (page.isEmpty() || longer <= side) {
        scale = 1.0;
        return page;
    }
    scale = double(side) / longer;
    const QImage small = page.image().scaled(std::max(1, int(std::lround(page.width() * scale))),
                                             std::max(1, int(std::lround(page.height() * scale))),
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Bitmap::fromImage(small.convertToFormat(QImage::Format_BGR888), 24);
}

CleanLinesPreviewer::CleanLinesPreviewer(const Bitmap& page, int side)
    : m_page(page.width(), page.height()), m_small(shrinkForPreview(page, side, m_scale)),
      m_source(m_small, std::max(m_small.width(), m_small.height())) {}

CleanLinesPreview CleanLinesPreviewer::preview(const CleanLineSettings& settings,
                                               bool closeTinyRegions) const {
    CleanLineSettings scaled = settings;
    // The lines as wide, relative to the picture, as they will be on the page.
    scaled.thickness = std::max(1, int(std::lround(settings.thickness * m_scale)));
    scaled.subject.box =
        scaledBox(settings.subject.box, m_page, cv::Size(m_small.width(), m_small.height()));
    Bitmap lines = *m_source.lines(scaled);
    if (closeTinyRegions)
        ColourabilityCheck(lines, settings.smallestRegionMm).closeTinyRegions(lines);
    // The figures and the marks are those of the page as it will be.
    const ColourabilityCheck check(lines, settings.smallestRegionMm);
    CleanLinesPreview preview;
    preview.marked = check.overlay(lines);
    preview.inkShare = check.inkShare();
    preview.regions = check.regions();
    preview.tinyRegions = check.tinyRegions();
    return preview;
}

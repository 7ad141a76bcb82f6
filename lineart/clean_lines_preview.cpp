// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_preview.h"

#include "colour_field.h"
#include "colourability.h"

#include <algorithm>
#include <cmath>
#include <optional>

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
    : m_page(page.width(), page.height()), m_side(std::max(1, side)), m_source(page) {}

std::optional<CleanLinesPreview> CleanLinesPreviewer::preview(const CleanLineSettings& settings,
                                                              bool closeTinyRegions,
                                                              const StageProgress& progress) const {
    const bool shrunk = std::max(m_page.width, m_page.height) > m_side;
    const cv::Size shown = shrunkSize(m_page, m_side);
    std::optional<Bitmap> made = shrunk && m_source.drawsCentreLines()
                                     ? m_source.linesShown(settings, shown, progress)
                                     : m_source.lines(settings, progress);
    if (!made)
        return std::nullopt;
    Bitmap& lines = *made;
    // A check of a large page costs as much as its lines: it is made again only when
    // closing the tiny regions changed the page.
    std::optional<ColourabilityCheck> check(std::in_place, lines, settings.smallestRegionMm);
    if (closeTinyRegions && check->tinyRegions() > 0) {
        check->closeTinyRegions(lines);
        check.emplace(lines, settings.smallestRegionMm);
    }
    CleanLinesPreview preview;
    preview.marked = check->overlay(lines);
    if (preview.marked.width() != shown.width || preview.marked.height() != shown.height)
        preview.marked = preview.marked.scaled(shown.width, shown.height, Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation);
    preview.inkShare = check->inkShare();
    preview.regions = check->regions();
    preview.tinyRegions = check->tinyRegions();
    return preview;
}

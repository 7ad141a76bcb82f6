// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QImage>

#include <memory>

class Bitmap;

// Whether a line page can be coloured: how much of it is ink, how many white regions the
// lines (and the page's edge) close, and how many of them are too narrow for a crayon.
// Ink is every pixel darker than middle grey, so pages of either conversion can be checked.
class ColourabilityCheck {
public:
    // Narrowest region an adult can colour, across, with the page fitted to A4.
    static constexpr double kMinimumAcrossMm = 3.0;

    // Regions narrower than minimumAcrossMm with the page fitted to A4 are tiny. The width is
    // always given: it is the one the user chose for who colours the page.
    ColourabilityCheck(const Bitmap& page, double minimumAcrossMm);

    double inkShare() const { return m_inkShare; }
    int regions() const { return m_regions; }
    int tinyRegions() const { return m_tinyRegions; }
    // The width, in pixels of this page, under which a region counts as tiny.
    double minimumAcrossPixels() const { return m_minimumAcross; }

    // Fills every tiny region with black, as if the lines had closed it.
    void closeTinyRegions(Bitmap& page) const;
    // The page in full colour with its tiny regions filled red.
    QImage overlay(const Bitmap& page) const;

private:
    struct Regions;
    // Paints the tiny regions of a picture of the checked page's size in colour.
    void paintTiny(QImage& picture, QRgb colour) const;
    std::shared_ptr<const Regions> m_regionsMap;
    double m_inkShare = 0;
    int m_regions = 0;
    int m_tinyRegions = 0;
    double m_minimumAcross = 0;
};

// The scale of printing this page fitted to A4 in its better orientation, in pixels per
// millimetre.
double pixelsPerMmAtA4(int width, int height);

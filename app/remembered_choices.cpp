// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "remembered_choices.h"

#include "colourability.h"
#include "kept_settings.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kDetail = QStringLiteral("cleanLines/detail");
const QString kThicknessMm = QStringLiteral("cleanLines/thicknessMm");
const QString kLinesSmallest = QStringLiteral("cleanLines/smallestRegionMm");
const QString kCloseTiny = QStringLiteral("cleanLines/closeTinyRegions");
const QString kColours = QStringLiteral("colourByNumber/colours");
const QString kNumbersSmallest = QStringLiteral("colourByNumber/smallestRegionMm");

// The kept number when it is one within [low, high], else fallback.
double keptNumber(const QSettings& kept, const QString& key, double low, double high,
                  double fallback) {
    bool ok = false;
    const double value = kept.value(key).toDouble(&ok);
    return ok && std::isfinite(value) && value >= low && value <= high ? value : fallback;
}

// The widest region a dialog offers is 8 mm; kept values past a sane bound are not taken.
constexpr double kLargestRegionMm = 50;

} // namespace

CleanLineChoice rememberedCleanLines(const CleanLineChoice& fallback, int pageWidth,
                                     int pageHeight) {
    const KeptSettings kept;
    CleanLineChoice choice = fallback;
    choice.settings.detail = int(keptNumber(kept, kDetail, 0, 100, fallback.settings.detail));
    const double perMm = pixelsPerMmAtA4(pageWidth, pageHeight);
    const double mm = keptNumber(kept, kThicknessMm, 0, 1000, -1);
    if (mm > 0 && perMm > 0)
        choice.settings.thickness = std::clamp(int(std::lround(mm * perMm)), 1, 200);
    choice.settings.smallestRegionMm =
        keptNumber(kept, kLinesSmallest, 0.1, kLargestRegionMm, fallback.settings.smallestRegionMm);
    choice.closeTinyRegions = kept.value(kCloseTiny, fallback.closeTinyRegions).toBool();
    return choice;
}

void rememberCleanLines(const CleanLineChoice& choice, int pageWidth, int pageHeight) {
    KeptSettings kept;
    kept.setValue(kDetail, choice.settings.detail);
    const double perMm = pixelsPerMmAtA4(pageWidth, pageHeight);
    if (perMm > 0)
        kept.setValue(kThicknessMm, choice.settings.thickness / perMm);
    kept.setValue(kLinesSmallest, choice.settings.smallestRegionMm);
    kept.setValue(kCloseTiny, choice.closeTinyRegions);
}

ColourByNumberSettings rememberedColourByNumber(const ColourByNumberSettings& fallback) {
    const KeptSettings kept;
    return {
        int(keptNumber(kept, kColours, kFewestNumberColours, kMostNumberColours, fallback.colours)),
        keptNumber(kept, kNumbersSmallest, 0.1, kLargestRegionMm, fallback.smallestRegionMm)};
}

void rememberColourByNumber(const ColourByNumberSettings& settings) {
    KeptSettings kept;
    kept.setValue(kColours, settings.colours);
    kept.setValue(kNumbersSmallest, settings.smallestRegionMm);
}

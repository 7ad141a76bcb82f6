// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_dialog.h"
#include "test_application.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

TEST(CleanLinesDialog, WhoColoursChoosesTheSmallestRegion) {
    ensureApplication();
    QImage image(120, 90, QImage::Format_BGR888);
    image.fill(Qt::white);
    const Bitmap page = Bitmap::fromImage(image, 24);
    const struct {
        double given;  // the choice the dialog opens with
        int shown;     // the entry it shows
        int picked;    // the entry then picked
        double chosen; // the smallest region it gives back
    } cases[] = {{3.0, 2, 0, 8.0}, {8.0, 0, 1, 5.0}, {5.0, 1, 2, 3.0}, {4.0, 2, 1, 5.0}};
    for (const auto& c : cases) {
        CleanLineChoice choice;
        choice.settings.smallestRegionMm = c.given;
        CleanLinesDialog dialog(page, choice);
        auto* colourer = dialog.findChild<QComboBox*>();
        ASSERT_NE(colourer, nullptr);
        EXPECT_EQ(colourer->currentIndex(), c.shown) << c.given;
        colourer->setCurrentIndex(c.picked);
        EXPECT_EQ(dialog.choice().settings.smallestRegionMm, c.chosen) << c.given;
    }
    CleanLinesDialog dialog(page, CleanLineChoice{});
    auto* colourer = dialog.findChild<QComboBox*>();
    ASSERT_NE(colourer, nullptr);
    EXPECT_EQ(colourer->itemText(0), QStringLiteral("小さな子ども (8 mm)"));
    EXPECT_EQ(colourer->itemText(1), QStringLiteral("子ども (5 mm)"));
    EXPECT_EQ(colourer->itemText(2), QStringLiteral("大人 (3 mm)"));
}

} // namespace

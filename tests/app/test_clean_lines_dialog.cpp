// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_dialog.h"
#include "colour_by_number_dialog.h"
#include "test_application.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>

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
        // The figures count the regions too small for the width chosen, and say which.
        QCoreApplication::processEvents();
        QString figures;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            figures += label->text();
        EXPECT_TRUE(figures.contains(QStringLiteral("（A4で幅%1 mm未満、赤）").arg(c.chosen)))
            << qPrintable(figures);
    }
    CleanLinesDialog dialog(page, CleanLineChoice{});
    auto* colourer = dialog.findChild<QComboBox*>();
    ASSERT_NE(colourer, nullptr);
    EXPECT_EQ(colourer->itemText(0), QStringLiteral("小さな子ども (8 mm)"));
    EXPECT_EQ(colourer->itemText(1), QStringLiteral("子ども (5 mm)"));
    EXPECT_EQ(colourer->itemText(2), QStringLiteral("大人 (3 mm)"));
}

TEST(ColourByNumberDialog, GivesTheChoicesAndShowsBothPicturesOrWhyNot) {
    ensureApplication();
    const struct {
        int width;
        int height;
        int colours;
        int colourer;   // the entry picked
        double mm;      // the smallest region it gives back
        bool previewed; // else too small: no pictures, the reason shown
    } cases[] = {
        {240, 160, 6, 0, 8.0, true}, {240, 160, 36, 2, 3.0, true}, {10, 8, 16, 1, 5.0, false}};
    for (const auto& c : cases) {
        QImage image(c.width, c.height, QImage::Format_BGR888);
        image.fill(QColor(200, 60, 40));
        QPainter(&image).fillRect(QRect(0, 0, c.width / 2, c.height), QColor(40, 90, 200));
        ColourByNumberDialog dialog(Bitmap::fromImage(image, 24), ColourByNumberSettings{});
        auto* colours = dialog.findChild<QSpinBox*>();
        auto* colourer = dialog.findChild<QComboBox*>();
        ASSERT_TRUE(colours && colourer);
        colours->setValue(c.colours);
        colourer->setCurrentIndex(c.colourer);
        EXPECT_EQ(dialog.settings().colours, c.colours);
        EXPECT_EQ(dialog.settings().smallestRegionMm, c.mm);
        QCoreApplication::processEvents();
        int shown = 0;
        QString figures;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            shown += !label->pixmap().isNull();
            figures += label->text();
        }
        EXPECT_EQ(shown, c.previewed ? 2 : 0) << c.width;
        EXPECT_EQ(figures.contains(QStringLiteral("領域 2")), c.previewed) << qPrintable(figures);
    }
}

} // namespace

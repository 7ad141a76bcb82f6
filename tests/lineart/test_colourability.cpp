// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colourability.h"

#include "bitmap.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A page shaped like A4 lying down (600 x 424: 3 mm is about 6 pixels) with a frame 10
// pixels in from the edge and upright bars dividing its inside into gaps of the widths given.
Bitmap barsPage(const std::vector<int>& gaps) {
    QImage image(600, 424, QImage::Format_BGR888);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QColor ink(0, 0, 0);
    painter.fillRect(QRect(10, 10, 580, 2), ink);
    painter.fillRect(QRect(10, 412, 580, 2), ink);
    painter.fillRect(QRect(10, 10, 2, 404), ink);
    painter.fillRect(QRect(588, 10, 2, 404), ink);
    int x = 12;
    for (const int gap : gaps) {
        x += gap;
        painter.fillRect(QRect(x, 12, 2, 400), ink);
        x += 2;
    }
    painter.end();
    return Bitmap::fromImage(image, 24);
}

struct KnownPage {
    std::vector<int> gaps; // between bars; what is left after them runs to the frame
    int depth;
    int regions;
    int tiny;
};

class KnownRegions : public ::testing::TestWithParam<KnownPage> {};

TEST_P(KnownRegions, AreCountedAndTheTinyOnesClosed) {
    const KnownPage& c = GetParam();
    Bitmap page = barsPage(c.gaps);
    page.setDepth(c.depth);
    const ColourabilityCheck check(page, ColourabilityCheck::kMinimumAcrossMm);
    EXPECT_NEAR(check.minimumAcrossPixels(), 3.0 * 424 / 210, 1e-9);
    EXPECT_EQ(check.regions(), c.regions);
    EXPECT_EQ(check.tinyRegions(), c.tiny);

    // Closing changes exactly the pixels the overlay marks, and only tiny regions go.
    const QImage marked = check.overlay(page);
    Bitmap closed = page;
    check.closeTinyRegions(closed);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const bool isMarked = marked.pixel(x, y) == qRgb(230, 20, 20);
            const QRgb now = closed.pixel(x, y);
            ASSERT_EQ(now, isMarked ? qRgb(0, 0, 0) : page.pixel(x, y)) << x << "," << y;
        }
    const ColourabilityCheck after(closed, ColourabilityCheck::kMinimumAcrossMm);
    EXPECT_EQ(after.regions(), c.regions - c.tiny);
    EXPECT_EQ(after.tinyRegions(), 0);
    EXPECT_GT(after.inkShare(), check.inkShare() - (c.tiny ? 0.0 : 1e-12));
}

// Around the frame, the ring to the page's edge is one region 10 pixels across.
INSTANTIATE_TEST_SUITE_P(Pages, KnownRegions,
                         ::testing::Values(KnownPage{{200, 4, 150, 3, 100}, 24, 7, 2},
                                           KnownPage{{200, 4, 150, 3, 100}, 1, 7, 2},
                                           KnownPage{{200, 150}, 24, 4, 0},
                                           KnownPage{{1, 2, 3, 4, 5, 200}, 8, 8, 5},
                                           KnownPage{{9, 8, 300}, 24, 5, 0}));

TEST(Colourability, InkShareIsTheShareOfDarkPixels) {
    Bitmap page(100, 50);
    QImage image(100, 50, QImage::Format_BGR888);
    image.fill(Qt::white);
    QPainter(&image).fillRect(QRect(0, 0, 25, 50), QColor(100, 100, 100));
    const ColourabilityCheck check(Bitmap::fromImage(image, 24),
                                   ColourabilityCheck::kMinimumAcrossMm);
    EXPECT_DOUBLE_EQ(check.inkShare(), 0.25);
    EXPECT_EQ(check.regions(), 1);
}

} // namespace

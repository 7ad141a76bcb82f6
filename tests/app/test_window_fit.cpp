// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_placement.h"
#include "window_fit.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FitCase {
    const char* name;
    QSize pageArea;
    int minimumPageWidth;
    int width;
    QSize picture;
    QSize outer;
    QSize shown;
    bool scrolls;
};

class FitWindowToPicture : public ::testing::TestWithParam<FitCase> {};

// A window whose frame, menu, status bar and tab row take 16 x 77 pixels around the page
// area, on a screen with 1280 x 1024 pixels of room, with scroll bars 14 pixels thick.
TEST_P(FitWindowToPicture, GivesThePageAreaTheWidthAndThePicturesShapeWithinTheScreen) {
    const FitCase& c = GetParam();
    const WindowLayout now{{16, 77}, c.pageArea, {1280, 1024}, c.minimumPageWidth, {14, 14}};
    const FittedWindow fitted = fitWindowToPicture(now, c.width, c.picture);
    EXPECT_EQ(fitted.outer, c.outer);
    EXPECT_EQ(fitted.pageArea, c.shown);
    EXPECT_EQ(fitted.scrolls, c.scrolls);
}

constexpr int IntMax = std::numeric_limits<int>::max();
const QSize Start(344, 345);

INSTANTIATE_TEST_SUITE_P(
    Cases, FitWindowToPicture,
    ::testing::Values(
        FitCase{"Standard600x400", Start, 0, 300, {600, 400}, {316, 277}, {300, 200}, false},
        FitCase{
            "Standard600x401Truncates", Start, 0, 300, {600, 401}, {316, 277}, {300, 200}, false},
        FitCase{"Standard600x403", Start, 0, 300, {600, 403}, {316, 278}, {300, 201}, false},
        FitCase{"ActualSize1000x500",
                {300, 200},
                0,
                1000,
                {1000, 500},
                {1016, 577},
                {1000, 500},
                false},
        FitCase{
            "KeepWidthRefitsHeight", {484, 223}, 0, -1, {600, 400}, {500, 399}, {484, 322}, false},
        FitCase{"OnePixelPicture", Start, 0, 300, {1, 1}, {316, 377}, {300, 300}, false},
        FitCase{"WidthZeroPictureKeepsHeight",
                {384, 223},
                0,
                300,
                {0, 0},
                {316, 300},
                {300, 223},
                false},
        // Below the minimum width the page takes the minimum and the picture's shape.
        FitCase{
            "ActualSizeOfEmptyPicture", {384, 223}, 184, 0, {0, 0}, {200, 300}, {184, 223}, false},
        FitCase{"ActualSizeOf3x3", {384, 223}, 184, 3, {3, 3}, {200, 261}, {184, 184}, false},
        FitCase{"StandardAboveMinimum", Start, 184, 300, {600, 400}, {316, 277}, {300, 200}, false},
        // Too large for the screen: the window takes the room there is, the page scrolls.
        FitCase{"TallScrollsDown", Start, 0, 300, {100, 1000}, {330, 1024}, {300, 3000}, true},
        FitCase{"WideScrollsAcross", Start, 0, 6000, {6000, 400}, {1280, 491}, {6000, 400}, true},
        FitCase{
            "PhotoScrollsBothWays", Start, 0, 6000, {6000, 4000}, {1280, 1024}, {6000, 4000}, true},
        // The bar along the bottom makes a page that just fitted in height too tall.
        FitCase{
            "BarAcrossNeedsBarDown", Start, 0, 2000, {2000, 940}, {1280, 1024}, {2000, 940}, true},
        FitCase{"FitsExactly", Start, 0, 1264, {1264, 947}, {1280, 1024}, {1264, 947}, false},
        // 3000 * 1000000 overflows 32 bits; the true height is kept, not a wrapped one.
        FitCase{"ProductBeyond32Bits",
                Start,
                0,
                3000,
                {1000, 1000000},
                {1280, 1024},
                {3000, 3000000},
                true},
        FitCase{"HeightBeyondIntIsClamped",
                Start,
                0,
                30000,
                {1, 1000000},
                {1280, 1024},
                {30000, IntMax},
                true}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

} // namespace

namespace {

TEST(PlacedPicture, KeepsTheShapeCentredUnlessTheAreaIsWithinAPixelOfIt) {
    const struct {
        QSize area, picture;
        QRect placed;
    } cases[] = {
        {{1200, 500}, {400, 400}, {350, 0, 500, 500}},    // a wide area: bands left and right
        {{400, 900}, {400, 300}, {0, 300, 400, 300}},     // a tall area: bands above and below
        {{300, 200}, {600, 401}, {0, 0, 300, 200}},       // standard size truncates the height
        {{5000, 3500}, {5000, 3500}, {0, 0, 5000, 3500}}, // actual size
        {{301, 200}, {600, 400}, {0, 0, 301, 200}},       // a pixel too wide is no band
        {{303, 200}, {600, 400}, {1, 0, 300, 200}},
        {{300, 200}, {0, 0}, {0, 0, 300, 200}}, // an empty picture: the whole area
    };
    for (const auto& c : cases)
        EXPECT_EQ(placedPicture(c.area, c.picture), c.placed)
            << c.area.width() << "x" << c.area.height();
}

} // namespace

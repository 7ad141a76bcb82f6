#include "window_fit.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FitCase {
    const char* name;
    QSize outer;
    QSize pageArea;
    int width;
    int pictureWidth;
    int pictureHeight;
    QSize expected;
};

class FittedOuterSize : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittedOuterSize, KeepsTheFrameAroundThePageArea) {
    const FitCase& c = GetParam();
    EXPECT_EQ(fittedOuterSize(c.outer, c.pageArea, c.width, c.pictureWidth, c.pictureHeight),
              c.expected);
}

constexpr int IntMax = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, FittedOuterSize,
    ::testing::Values(
        // Window 360 x 422 around a page area of 344 x 345: the frame is 16 x 77.
        FitCase{"Standard600x400", {360, 422}, {344, 345}, 300, 600, 400, {316, 277}},
        FitCase{"Standard600x401Truncates", {360, 422}, {344, 345}, 300, 600, 401, {316, 277}},
        FitCase{"Standard600x403", {360, 422}, {344, 345}, 300, 600, 403, {316, 278}},
        FitCase{"ActualSize1000x500", {316, 277}, {300, 200}, 1000, 1000, 500, {1016, 577}},
        FitCase{"KeepWidthRefitsHeight", {500, 300}, {484, 223}, -1, 600, 400, {500, 399}},
        FitCase{"TallPicture", {360, 422}, {344, 345}, 300, 100, 1000, {316, 3077}},
        FitCase{"WidthZeroPictureKeepsHeight", {400, 300}, {384, 223}, 300, 0, 0, {316, 300}},
        FitCase{"ActualSizeOfEmptyPicture", {400, 300}, {384, 223}, 0, 0, 0, {16, 300}},
        FitCase{"OnePixelPicture", {360, 422}, {344, 345}, 300, 1, 1, {316, 377}},
        // 3000 * 1000000 overflows 32 bits; the true height is kept, not a wrapped one.
        FitCase{
            "ProductBeyond32Bits", {316, 277}, {300, 200}, 3000, 1000, 1000000, {3016, 3000077}},
        FitCase{"HeightBeyondIntIsClamped",
                {316, 277},
                {300, 200},
                30000,
                1,
                1000000,
                {30016, IntMax}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

} // namespace

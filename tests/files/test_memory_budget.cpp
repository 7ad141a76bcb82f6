#include "memory_budget.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr qint64 GiB = qint64(1) << 30;
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

TEST(MemoryBudget, IsThePictureLimitOrThreeQuartersOfWhatIsFree) {
    const struct {
        qint64 available;
        qint64 budget;
    } cases[] = {{-1, 4 * GiB}, {64 * GiB, 4 * GiB}, {4 * GiB, 3 * GiB}, {400, 300}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(loadBudgetFor(c.available), c.budget) << c.available;
}

TEST(MemoryBudget, PictureBytesPadRowsAndSaturateInsteadOfOverflowing) {
    const struct {
        qint64 width;
        qint64 height;
        int bits;
        qint64 bytes;
    } cases[] = {
        {3, 2, 24, 24},
        {1, 1, 1, 4},
        {0, 5, 32, 0},
        {65500, 65500, 24, qint64(196500) * 65500},
        // A drawing claiming 10^9 x 10^9: exact, though w * h * bits passes 2^63.
        {1000000000, 1000000000, 64, qint64(8000000000) * 1000000000},
        {3000000000, 3000000000, 64, kMax},
        {kMax, 2, 8, kMax},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pictureBytes(c.width, c.height, c.bits), c.bytes) << c.width << "x" << c.height;
    EXPECT_EQ(addBytes(kMax - 1, 5), kMax);
}

} // namespace

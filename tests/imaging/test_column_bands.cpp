// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "column_bands.h"

#include <QThread>
#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::pair<int, int>> allBands(ColumnBands& bands) {
    std::vector<std::pair<int, int>> result;
    int x0 = 0, x1 = 0;
    while (bands.next(x0, x1))
        result.emplace_back(x0, x1);
    return result;
}

TEST(ColumnBands, CoverEveryColumnOnceInOrder) {
    const struct {
        int first, last;
    } cases[] = {{0, 0}, {1, 1}, {0, 9}, {1, 3998}, {-3, 3}, {5, 100000}};
    for (const auto& c : cases) {
        ColumnBands bands(c.first, c.last);
        const auto result = allBands(bands);
        ASSERT_FALSE(result.empty());
        EXPECT_EQ(result.front().first, c.first);
        EXPECT_EQ(result.front().second - result.front().first, 1) << "starts with one column";
        EXPECT_EQ(result.back().second, c.last + 1);
        for (size_t i = 0; i < result.size(); ++i) {
            EXPECT_LT(result[i].first, result[i].second);
            if (i > 0) {
                EXPECT_EQ(result[i].first, result[i - 1].second);
            }
        }
        int x0 = 0, x1 = 0;
        EXPECT_FALSE(bands.next(x0, x1)) << "stays finished";
    }
}

TEST(ColumnBands, NoColumnsGiveNoBand) {
    ColumnBands bands(1, 0);
    int x0 = -7, x1 = -7;
    EXPECT_FALSE(bands.next(x0, x1));
    EXPECT_EQ(x0, -7);
}

TEST(ColumnBands, GrowWhenFastAndShrinkWhenSlow) {
    ColumnBands bands(0, 1000000, 100);
    int x0 = 0, x1 = 0;
    // Work far below the budget: each band four times the last, the most it may grow.
    int last = 0;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(bands.next(x0, x1));
        if (last > 0) {
            EXPECT_EQ(x1 - x0, 4 * last);
        }
        last = x1 - x0;
    }
    EXPECT_EQ(last, 1024);
    // The band of 1024 columns now takes at least 200 ms, twice the budget: at most half the
    // size follows.
    QThread::msleep(200);
    ASSERT_TRUE(bands.next(x0, x1));
    EXPECT_LE(x1 - x0, 512);
    EXPECT_GE(x1 - x0, 1);
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "print_layout.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* what;
    int PW, PH, IW, IH;
    QRect expected;
};

TEST(PrintLayout, FitsThePictureAndCentresIt) {
    const FitCase cases[] = {
        // 4000 * 300 > 200 * 3000: spans the width, h = 200 * 3000 / 300 = 2000.
        {"landscape on portrait", 3000, 4000, 300, 200, QRect(0, 1000, 3000, 2000)},
        // 4000 * 100 <= 500 * 3000: spans the height, w = 100 * 4000 / 500 = 800.
        {"portrait taller than the page", 3000, 4000, 100, 500, QRect(1100, 0, 800, 4000)},
        {"the page's own proportions", 3000, 4000, 300, 400, QRect(0, 0, 3000, 4000)},
        // h = 100 * 1001 / 200 = 500 (500.5 truncated), y = (1001 - 500) / 2 = 250: the
        // odd row is left below.
        {"odd leftover row", 1001, 1001, 200, 100, QRect(0, 250, 1001, 500)},
        // w = 100 * 1000 / 300 = 333, x = (1000 - 333) / 2 = 333: the odd column right.
        {"odd leftover column", 1000, 1000, 100, 300, QRect(333, 0, 333, 1000)},
        {"small picture enlarged", 2480, 3508, 4, 2, QRect(0, 1134, 2480, 1240)},
        {"large picture reduced", 2480, 3508, 6000, 4000, QRect(0, 927, 2480, 1653)},
        // 64-bit products: 40000 * 9921 overflows 32 bits.
        {"huge picture on a fine printer", 9921, 14031, 60000, 40000, QRect(0, 3708, 9921, 6614)},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitPictureToPage(c.PW, c.PH, c.IW, c.IH), c.expected) << c.what;
}

TEST(PrintLayout, EmptyPictureCannotBePlaced) {
    EXPECT_THROW(FitPictureToPage(2480, 3508, 0, 0), EAppError);
}

TEST(PrintLayout, TitleIsTheFileNameWithoutItsLastExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/cat.png", "cat"},
        {"/home/u/.png", ""},
        {"/home/u/my.cat.png", "my.cat"},
        {"/home/u/cat", "cat"},
        {"/home/u.v/cat", "cat"},
#ifndef Q_OS_WIN
        // "\\" and ":" are ordinary characters of a name here.
        {"/home/u/a:b\\c.png", "a:b\\c"},
#endif
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(PrintTitle(QString::fromUtf8(path)), QString::fromUtf8(title)) << path;
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "fixtures.h"
#include "png_writer.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <functional>

#include <gtest/gtest.h>

namespace {

// A 24-bit page of five colours: a stripe of each.
Bitmap fiveColours() {
    const QRgb colours[] = {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(200, 30, 30),
                            qRgb(30, 200, 30), qRgb(30, 30, 200)};
    QImage image(10, 4, QImage::Format_RGB32);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 4; ++y)
            image.setPixel(x, y, colours[x / 2]);
    return Bitmap::fromImage(image, 24);
}

struct PngCase {
    const char* name;
    std::function<Bitmap()> page;
    int bitDepth;
    int colourType; // 2: red, green and blue; 3: palette
    int paletteEntries;
};

const PngCase kCases[] = {
    {"line_page", [] { return fixtures::whiteWithBlackCorner(1); }, 1, 3, 2},
    {"two_colours_at_8_bits", [] { return fixtures::whiteWithBlackCorner(8); }, 1, 3, 2},
    {"two_colours_at_24_bits", [] { return fixtures::whiteWithBlackCorner(24); }, 1, 3, 2},
    {"five_colours", fiveColours, 8, 3, 5},
    {"photo", [] { return Bitmap::fromImage(fixtures::photo(64, 48), 24); }, 8, 2, 0},
};

class PngBytes : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngBytes, SmallestFormThatKeepsEveryPixel) {
    const PngCase& c = GetParam();
    const Bitmap page = c.page();
    QByteArray file = EncodePng(page);
    ASSERT_EQ(file.left(8), QByteArray("\x89PNG\r\n\x1a\n"));
    ASSERT_EQ(file.mid(12, 4), QByteArray("IHDR"));
    EXPECT_EQ(int(file[24]), c.bitDepth);
    EXPECT_EQ(int(file[25]), c.colourType);
    const qsizetype plte = file.indexOf("PLTE");
    EXPECT_EQ(plte < 0 ? 0 : int(qFromBigEndian<quint32>(file.constData() + plte - 4) / 3),
              c.paletteEntries);

    QBuffer buffer(&file);
    const QImage read = QImageReader(&buffer, "png").read();
    ASSERT_EQ(read.size(), QSize(page.width(), page.height()));
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            ASSERT_EQ(read.pixel(x, y), page.pixel(x, y)) << "(" << x << ", " << y << ")";
}

INSTANTIATE_TEST_SUITE_P(Pages, PngBytes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PngWriter, AnEmptyPageIsNotEncoded) {
    EXPECT_THROW(PngEncoder(Bitmap(0, 0, 24)), EAppError);
}

} // namespace

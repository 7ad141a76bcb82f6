// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "fixtures.h"
#include "jpeg_writer.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>

namespace {

// Four 16 x 16 blocks (one chroma block each, so subsampling mixes no two colours):
// red, green / blue, orange.
const QRgb kBlockColours[] = {qRgb(220, 30, 20), qRgb(30, 200, 40), qRgb(20, 40, 230),
                              qRgb(240, 160, 60)};

Bitmap colourBlocks(int depth) {
    QImage image(32, 32, QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.setPixel(16 * (i % 2) + x, 16 * (i / 2) + y, kBlockColours[i]);
    return Bitmap::fromImage(image, depth);
}

TEST(JpegWriter, BaselineJfifAtQualityNinetyWithSubsampledChroma) {
    const QByteArray stream = EncodeJpeg(colourBlocks(24));
    EXPECT_TRUE(stream.endsWith("\xFF\xD9"));
    const QList<fixtures::JpegSegment> segments = fixtures::jpegSegments(stream);
    ASSERT_FALSE(segments.isEmpty());
    EXPECT_EQ(segments[0].marker, 0xE0);
    EXPECT_TRUE(segments[0].payload.startsWith(QByteArray("JFIF\0\x01\x01", 7)));

    // Quality 90 scales the standard tables by a fifth, rounded; entries in zigzag order.
    QList<QByteArray> tables;
    for (const fixtures::JpegSegment& segment : segments) {
        EXPECT_NE(segment.marker, 0xC2) << "progressive";
        if (segment.marker == 0xDB)
            tables.append(segment.payload);
    }
    ASSERT_EQ(tables.size(), 2);
    const int first[2][3] = {{3, 2, 20}, {3, 4, 20}}; // entries 0, 1 and 63
    for (int t = 0; t < 2; ++t) {
        ASSERT_EQ(tables[t].size(), 65);
        EXPECT_EQ(tables[t][0], char(t)) << "8-bit table " << t;
        EXPECT_EQ(int(tables[t][1]), first[t][0]) << "table " << t;
        EXPECT_EQ(int(tables[t][2]), first[t][1]) << "table " << t;
        EXPECT_EQ(int(tables[t][64]), first[t][2]) << "table " << t;
    }

    const QByteArray frame = fixtures::jpegSegment(stream, 0xC0);
    ASSERT_EQ(frame.size(), 6 + 3 * 3) << "a baseline frame of three components";
    EXPECT_EQ(frame.left(6).toHex(), QByteArray("080020002003"));
    EXPECT_EQ(int(frame[7]), 0x22) << "luminance 2 x 2";
    EXPECT_EQ(int(frame[10]), 0x11);
    EXPECT_EQ(int(frame[13]), 0x11);
}

class JpegColours : public ::testing::TestWithParam<int> {};

TEST_P(JpegColours, DecodeToThePageColoursAtEveryDepth) {
    const Bitmap page = colourBlocks(GetParam());
    const QImage decoded = QImage::fromData(EncodeJpeg(page), "JPEG");
    ASSERT_EQ(decoded.size(), QSize(32, 32));
    for (int i = 0; i < 4; ++i) {
        const int x = 16 * (i % 2) + 8;
        const int y = 16 * (i / 2) + 8;
        const QRgb expected = page.pixel(x, y);
        const QRgb seen = decoded.pixel(x, y);
        EXPECT_NEAR(qRed(seen), qRed(expected), 6) << "block " << i;
        EXPECT_NEAR(qGreen(seen), qGreen(expected), 6) << "block " << i;
        EXPECT_NEAR(qBlue(seen), qBlue(expected), 6) << "block " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, JpegColours, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

TEST(JpegWriter, SameStreamAsCjpegAtQualityNinetyOfTheSamePixels) {
    QTemporaryDir dir;
    const QImage pixels = fixtures::photo(67, 45); // edges that fill no whole block
    ASSERT_TRUE(pixels.save(dir.filePath(QStringLiteral("in.ppm")), "PPM"));
    QProcess cjpeg;
    cjpeg.start(QStringLiteral("cjpeg"),
                {QStringLiteral("-quality"), QStringLiteral("90"), QStringLiteral("-outfile"),
                 dir.filePath(QStringLiteral("out.jpg")), dir.filePath(QStringLiteral("in.ppm"))});
    ASSERT_TRUE(cjpeg.waitForFinished()) << "cjpeg (libjpeg-turbo-progs) did not run";
    ASSERT_EQ(cjpeg.exitCode(), 0);
    QFile out(dir.filePath(QStringLiteral("out.jpg")));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(EncodeJpeg(Bitmap::fromImage(pixels, 24)), out.readAll());
}

struct RefusedCase {
    const char* name;
    int width;
    int height;
    QString message;
};

class JpegRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(JpegRefused, ThrowsTheMessage) {
    const RefusedCase& c = GetParam();
    try {
        EncodeJpeg(Bitmap(c.width, c.height));
        FAIL() << "encoded";
    } catch (const EAppError& error) {
        EXPECT_EQ(error.message(), c.message);
    }
}

const QString kTooBig = QStringLiteral("JPEG エラー #%1").arg(JERR_IMAGE_TOO_BIG);

INSTANTIATE_TEST_SUITE_P(Pictures, JpegRefused,
                         ::testing::Values(RefusedCase{"too_wide", 65501, 1, kTooBig},
                                           RefusedCase{"too_high", 1, 65501, kTooBig},
                                           RefusedCase{"empty", 0, 0,
                                                       noPictureToSaveError().message()}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

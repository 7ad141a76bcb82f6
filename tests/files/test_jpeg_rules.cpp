// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bitmap.h"
#include "fixtures.h"
#include "image_loader.h"
#include "jpeg_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Loads the bytes as a file; the page, empty when refused.
Bitmap loaded(const QByteArray& data) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("picture.jpg"));
    fixtures::writeFile(file, data);
    Bitmap page(2, 2, 24);
    const bool ok = ImageLoaderGP(file, page);
    EXPECT_EQ(ok, !page.isEmpty());
    return page;
}

QByteArray photoJpeg() {
    return fixtures::encoded(fixtures::photo(64, 48), "jpeg");
}

QByteArray withoutLast(const QByteArray& data, qsizetype bytes) {
    return data.left(data.size() - bytes);
}

// A progressive file that stops before its last scan, end marker and all.
QByteArray lastScanMissing() {
    const QByteArray jpeg = fixtures::progressiveJpeg(fixtures::photo(64, 48));
    qsizetype end = jpeg.lastIndexOf("\xff\xda");
    // Its own Huffman tables go with it.
    if (const qsizetype tables = jpeg.lastIndexOf("\xff\xc4", end);
        tables > jpeg.indexOf("\xff\xda"))
        end = tables;
    return jpeg.left(end);
}

struct JpegRule {
    const char* name;
    std::function<QByteArray()> make;
    QSize loadsAt; // empty: refused
};

const JpegRule kRules[] = {
    {"scans_at_the_cap", [] { return fixtures::manyScanJpeg(64, 48, kMaxJpegScans); }, {64, 48}},
    {"one_scan_too_many", [] { return fixtures::manyScanJpeg(64, 48, kMaxJpegScans + 1); }, {}},
    {"two_thousand_scans", [] { return fixtures::manyScanJpeg(64, 48, 2000); }, {}},
    {"no_end_marker", [] { return withoutLast(photoJpeg(), 2); }, {64, 48}},
    {"progressive_no_end_marker",
     [] { return withoutLast(fixtures::progressiveJpeg(fixtures::photo(64, 48)), 2); },
     {64, 48}},
    {"cmyk_no_end_marker",
     [] { return withoutLast(fixtures::cmykJpeg(32, 16, QByteArray(32 * 16 * 4, '\x80')), 2); },
     {32, 16}},
    {"cut_inside_the_scan", [] { return withoutLast(photoJpeg(), 40); }, {}},
    {"progressive_last_scan_missing", lastScanMissing, {}},
};

std::ostream& operator<<(std::ostream& out, const JpegRule& rule) {
    return out << rule.name;
}

class JpegRules : public ::testing::TestWithParam<JpegRule> {};

TEST_P(JpegRules, LoadOrRefuse) {
    const Bitmap page = loaded(GetParam().make());
    EXPECT_EQ(page.isEmpty() ? QSize() : page.image().size(), GetParam().loadsAt);
}

INSTANTIATE_TEST_SUITE_P(Files, JpegRules, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JpegRules, ADecodeOverItsTimeLimitIsAbandoned) {
    const QByteArray jpeg = fixtures::manyScanJpeg(1024, 1024, kMaxJpegScans);
    QImage image;
    EXPECT_EQ(decodeJpeg(jpeg, qint64(1) << 30, image, 0), JpegDecodeStatus::Abandoned);
    EXPECT_TRUE(image.isNull());
    EXPECT_EQ(decodeJpeg(jpeg, qint64(1) << 30, image), JpegDecodeStatus::Decoded);
    EXPECT_EQ(image.size(), QSize(1024, 1024));
}

// Six blocks of distinct colours, three rows of two when upright: A B / C D / E F.
const QRgb kBlocks[6] = {qRgb(220, 30, 30),  qRgb(30, 200, 30),  qRgb(30, 30, 220),
                         qRgb(230, 220, 40), qRgb(40, 220, 220), qRgb(220, 40, 220)};
constexpr int kBlock = 16;

QImage grid(const QList<QByteArray>& rows) {
    QImage image(int(rows[0].size()) * kBlock, int(rows.size()) * kBlock, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, kBlocks[rows[y / kBlock][x / kBlock] - 'A']);
    return image;
}

struct Orientation {
    int exif;
    QList<QByteArray> stored; // how the camera laid the upright picture into the file
};

// Upright A B / C D / E F, as the Exif standard describes each stored layout.
const Orientation kOrientations[] = {
    {1, {"AB", "CD", "EF"}}, {2, {"BA", "DC", "FE"}}, {3, {"FE", "DC", "BA"}},
    {4, {"EF", "CD", "AB"}}, {5, {"ACE", "BDF"}},     {6, {"BDF", "ACE"}},
    {7, {"FDB", "ECA"}},     {8, {"ECA", "FDB"}},
};

TEST(JpegRules, ExifOrientationTurnsThePageUprightInAllEightCases) {
    const QImage upright = grid({"AB", "CD", "EF"});
    for (const Orientation& c : kOrientations) {
        for (const bool bigEndian : {true, false}) {
            const QByteArray file = fixtures::withExifOrientation(
                fixtures::encoded(grid(c.stored), "jpeg", 95), c.exif, bigEndian);
            const Bitmap page = loaded(file);
            ASSERT_EQ(page.image().size(), upright.size()) << c.exif;
            for (int y = kBlock / 2; y < upright.height(); y += kBlock)
                for (int x = kBlock / 2; x < upright.width(); x += kBlock) {
                    const QRgb got = page.image().pixel(x, y);
                    const QRgb want = upright.pixel(x, y);
                    EXPECT_LE(qAbs(qRed(got) - qRed(want)) + qAbs(qGreen(got) - qGreen(want)) +
                                  qAbs(qBlue(got) - qBlue(want)),
                              30)
                        << "orientation " << c.exif << " at " << x << "," << y;
                }
            // Qt's own reader, told to turn pictures upright, agrees to the pixel.
            QByteArray copy = file;
            QBuffer buffer(&copy);
            QImageReader reader(&buffer, "jpeg");
            reader.setAutoTransform(true);
            EXPECT_EQ(page.image().convertToFormat(QImage::Format_RGB32),
                      reader.read().convertToFormat(QImage::Format_RGB32))
                << "orientation " << c.exif;
        }
    }
}

} // namespace

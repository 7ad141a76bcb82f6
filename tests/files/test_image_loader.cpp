// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "bmp_writer.h"
#include "fixtures.h"
#include "image_loader.h"
#include "jpeg_decoder.h"
#include "metafile_process.h"
#include "palettes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

struct Probe {
    int x;
    int y;
    QRgb colour;
    int tolerance = 0;
};

struct DepthCase {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> make;
    int width;
    int height;
    int depth;
    QList<Probe> probes;
};

std::ostream& operator<<(std::ostream& out, const DepthCase& c) {
    return out << c.name;
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

QByteArray bmpOfDepth(int depth) {
    return EncodeBmp(fixtures::whiteWithBlackCorner(depth));
}

QImage halfLeftTransparentIcon() {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(255, 0, 0, 255));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            icon.setPixel(x, y, qRgba(0, 0, 255, 0));
    return icon;
}

QImage greySplit() {
    QImage image(16, 16, QImage::Format_Grayscale8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.scanLine(y)[x] = x < 8 ? 0 : 255;
    return image;
}

QImage solid(QRgb colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Both metafile fixtures draw the same red rectangle on a 100 x 50 frame.
const QList<Probe> kMetafileProbes{{30, 25, kRed},  {11, 11, kRed},   {48, 38, kRed},
                                   {5, 5, kWhite},  {51, 25, kWhite}, {25, 41, kWhite},
                                   {80, 45, kWhite}};

const DepthCase kDepthCases[] = {
    {"png_1bit",
     "a.png",
     [] {
         return fixtures::png(8, 1, 1, 3, {bytes({0xAA})}, {qRgb(200, 0, 0), kWhite});
     },
     8,
     1,
     1,
     {{0, 0, kWhite}, {1, 0, kBlack}}},
    {"png_2bit_palette_is_other",
     "a.png",
     [] {
         return fixtures::png(4, 1, 2, 3, {bytes({0x1B})}, {kBlack, kRed, qRgb(0, 255, 0), kWhite});
     },
     4,
     1,
     32,
     {{0, 0, kBlack}, {1, 0, kRed}, {3, 0, kWhite}}},
    {"png_4bit",
     "a.png",
     [] {
         return fixtures::png(4, 1, 4, 3, {bytes({0x01, 0x20})},
                              {qRgb(128, 0, 0), qRgb(0, 0, 255), kWhite});
     },
     4,
     1,
     4,
     {{0, 0, qRgb(128, 0, 0)}, {1, 0, qRgb(0, 0, 255)}, {2, 0, kWhite}}},
    {"png_8bit",
     "a.png",
     [] {
         return fixtures::png(3, 1, 8, 3, {bytes({0, 1, 2})}, {kRed, qRgb(0, 51, 102), kWhite});
     },
     3,
     1,
     8,
     {{0, 0, kRed}, {1, 0, qRgb(0, 51, 102)}, {2, 0, kWhite}}},
    {"png_8bit_palette_transparent_entry",
     "a.png",
     [] {
         return fixtures::png(2, 1, 8, 3, {bytes({0, 1})}, {kBlack, kRed}, bytes({0}));
     },
     2,
     1,
     8,
     {{0, 0, kWhite}, {1, 0, kRed}}},
    {"png_grey8",
     "a.png",
     [] {
         return fixtures::png(2, 1, 8, 0, {bytes({0, 255})});
     },
     2,
     1,
     8,
     {{0, 0, kBlack}, {1, 0, kWhite}}},
    {"png_rgb8",
     "a.png",
     [] {
         return fixtures::png(1, 1, 8, 2, {bytes({10, 20, 30})});
     },
     1,
     1,
     24,
     {{0, 0, qRgb(10, 20, 30)}}},
    {"png_rgb16_per_channel",
     "a.png",
     [] {
         return fixtures::png(2, 1, 16, 2, {bytes({255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255})});
     },
     2,
     1,
     32,
     {{0, 0, kRed}, {1, 0, qRgb(0, 0, 255)}}},
    {"png_grey16",
     "a.png",
     [] {
         return fixtures::png(1, 1, 16, 0, {bytes({128, 0})});
     },
     1,
     1,
     32,
     {{0, 0, qRgb(128, 128, 128)}}},
    {"png_rgba_full_and_half_transparency",
     "a.png",
     [] {
         return fixtures::png(3, 1, 8, 6, {bytes({255, 0, 0, 255, 0, 0, 255, 0, 255, 0, 0, 128})});
     },
     3,
     1,
     32,
     {{0, 0, kRed}, {1, 0, kWhite}, {2, 0, qRgb(255, 127, 127), 1}}},
    {"png_rgba16_is_other",
     "a.png",
     [] {
         return fixtures::png(1, 1, 16, 6, {bytes({0, 0, 0, 0, 255, 255, 0, 0})});
     },
     1,
     1,
     32,
     {{0, 0, kWhite}}},
    {"png_rgb_transparent_colour",
     "a.png",
     [] {
         return fixtures::png(2, 1, 8, 2, {bytes({1, 2, 3, 9, 9, 9})}, {},
                              bytes({0, 1, 0, 2, 0, 3}));
     },
     2,
     1,
     32,
     {{0, 0, kWhite}, {1, 0, qRgb(9, 9, 9)}}},
    {"bmp_1bit",
     "a.bmp",
     [] { return bmpOfDepth(1); },
     3,
     2,
     1,
     {{0, 0, kBlack}, {1, 0, kWhite}, {0, 1, kWhite}}},
    {"bmp_4bit",
     "a.bmp",
     [] { return bmpOfDepth(4); },
     3,
     2,
     4,
     {{0, 0, kBlack}, {2, 0, kWhite}, {0, 1, kWhite}}},
    {"bmp_8bit", "a.bmp", [] { return bmpOfDepth(8); }, 3, 2, 8, {{0, 0, kBlack}, {2, 1, kWhite}}},
    {"bmp_16bit",
     "a.bmp",
     [] { return bmpOfDepth(16); },
     3,
     2,
     16,
     {{0, 0, kBlack}, {2, 1, kWhite}}},
    {"bmp_24bit",
     "a.bmp",
     [] { return bmpOfDepth(24); },
     3,
     2,
     24,
     {{0, 0, kBlack}, {1, 0, kWhite}, {2, 1, kWhite}}},
    {"bmp_32bit",
     "a.bmp",
     [] { return bmpOfDepth(32); },
     3,
     2,
     32,
     {{0, 0, kBlack}, {2, 1, kWhite}}},
    {"gif",
     "a.gif",
     [] {
         return fixtures::gif(3, 2, {kRed, qRgb(0, 255, 0), qRgb(0, 0, 255)},
                              bytes({0, 1, 2, 2, 1, 0}));
     },
     3,
     2,
     8,
     {{0, 0, kRed}, {1, 0, qRgb(0, 255, 0)}, {2, 0, qRgb(0, 0, 255)}, {0, 1, qRgb(0, 0, 255)}}},
    {"jpeg_grey",
     "a.jpg",
     [] { return fixtures::encoded(greySplit(), "jpeg"); },
     16,
     16,
     8,
     {{1, 8, kBlack, 8}, {14, 8, kWhite, 8}}},
    {"jpeg_colour",
     "a.jpg",
     [] { return fixtures::encoded(solid(qRgb(200, 100, 50)), "jpeg"); },
     32,
     32,
     24,
     {{16, 16, qRgb(200, 100, 50), 3}}},
    {"ico_with_alpha",
     "a.ico",
     [] { return fixtures::encoded(halfLeftTransparentIcon(), "ico"); },
     16,
     16,
     32,
     {{2, 5, kWhite}, {12, 5, kRed}}},
    {"emf", "a.emf", [] { return fixtures::emf(); }, 100, 50, 32, kMetafileProbes},
    {"wmf", "a.wmf", [] { return fixtures::wmf(); }, 100, 50, 32, kMetafileProbes},
    {"webp_opaque_read_by_qt_alone",
     "a.webp",
     [] { return fixtures::encoded(solid(qRgb(0, 0, 255)), "webp", 100); },
     32,
     32,
     24,
     {{3, 3, qRgb(0, 0, 255), 3}}},
    {"tiff_with_alpha_read_by_qt_alone",
     "a.tif",
     [] { return fixtures::encoded(halfLeftTransparentIcon(), "tiff"); },
     16,
     16,
     32,
     {{2, 5, kWhite}, {12, 5, kRed}}},
    {"png_named_jpg",
     "lie.jpg",
     [] { return fixtures::png(1, 1, 8, 0, {bytes({255})}); },
     1,
     1,
     8,
     {{0, 0, kWhite}}},
    {"jpeg_without_extension",
     "picture",
     [] { return fixtures::encoded(solid(qRgb(0, 0, 255)), "jpeg"); },
     32,
     32,
     24,
     {{3, 3, qRgb(0, 0, 255), 3}}},
    {"bmp_named_png", "bmp.png", [] { return bmpOfDepth(24); }, 3, 2, 24, {{0, 0, kBlack}}},
};

bool near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class LoaderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

class DepthTable : public LoaderTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthTable, PageHasFileSizeDepthAndColoursOverWhite) {
    const DepthCase& c = GetParam();
    const QString file = path(c.fileName);
    fixtures::writeFile(file, c.make());
    Bitmap page;
    ASSERT_TRUE(ImageLoaderGP(file, page));
    EXPECT_EQ(page.width(), c.width);
    EXPECT_EQ(page.height(), c.height);
    EXPECT_EQ(page.depth(), c.depth);
    EXPECT_EQ(page.image().format(), Bitmap::formatFor(c.depth));
    if (const QList<QRgb>* table = colourTableForDepth(c.depth)) {
        EXPECT_EQ(page.colourTable(), *table);
    }
    for (const Probe& probe : c.probes) {
        const QRgb seen = page.pixel(probe.x, probe.y);
        EXPECT_TRUE(near(seen, probe.colour, probe.tolerance))
            << "pixel (" << probe.x << ", " << probe.y << ") is " << std::hex << seen
            << ", expected " << probe.colour;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DepthTable, ::testing::ValuesIn(kDepthCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FormatCase {
    int bitsPerPixel;
    int depth;
};

class PixelFormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PixelFormatTable, MapsBitsPerPixelToPageDepth) {
    DecodedImage decoded;
    decoded.bitsPerPixel = GetParam().bitsPerPixel;
    EXPECT_EQ(PixelFormatGP(decoded), GetParam().depth);
}

INSTANTIATE_TEST_SUITE_P(Bits, PixelFormatTable,
                         ::testing::Values(FormatCase{1, 1}, FormatCase{2, 32}, FormatCase{4, 4},
                                           FormatCase{8, 8}, FormatCase{16, 16}, FormatCase{24, 24},
                                           FormatCase{32, 32}, FormatCase{48, 32},
                                           FormatCase{64, 32}, FormatCase{0, 32}));

struct BadCase {
    const char* name;
    // Makes the thing at path (or nothing) and gives the path to load.
    std::function<QString(const QString& dir)> make;
};

std::ostream& operator<<(std::ostream& out, const BadCase& c) {
    return out << c.name;
}

QString written(const QString& dir, const char* name, const QByteArray& data) {
    const QString file = dir + QLatin1Char('/') + QLatin1String(name);
    fixtures::writeFile(file, data);
    return file;
}

const BadCase kBadCases[] = {
    {"text", [](const QString& d) { return written(d, "notes.png", "just some words\n"); }},
    {"empty", [](const QString& d) { return written(d, "empty.jpg", {}); }},
    {"truncated_png",
     [](const QString& d) {
         const QByteArray png = fixtures::encoded(fixtures::photo(64, 64), "png");
         return written(d, "cut.png", png.left(png.size() / 2));
     }},
    {"truncated_jpeg",
     [](const QString& d) {
         const QByteArray jpeg = fixtures::encoded(fixtures::photo(64, 64), "jpeg");
         return written(d, "cut.jpg", jpeg.left(jpeg.size() / 2));
     }},
    {"jpeg_header_only",
     [](const QString& d) {
         const QByteArray jpeg = fixtures::encoded(fixtures::photo(64, 64), "jpeg");
         return written(d, "head.jpg", jpeg.left(20));
     }},
    {"folder",
     [](const QString& d) {
         QDir(d).mkdir(QStringLiteral("folder.png"));
         return d + QStringLiteral("/folder.png");
     }},
    {"missing", [](const QString& d) { return d + QStringLiteral("/nothing-here.bmp"); }},
    {"unknown_bytes",
     [](const QString& d) { return written(d, "noise.gif", QByteArray(500, '\x5A')); }},
    {"bmp_header_only",
     [](const QString& d) { return written(d, "head.bmp", bmpOfDepth(24).left(40)); }},
    {"emf_signature_only",
     [](const QString& d) { return written(d, "head.emf", fixtures::emf().left(88)); }},
};

class Undecodable : public LoaderTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(Undecodable, GivesEmptyBitmapAndFalseWithoutThrowing) {
    const QString file = GetParam().make(m_dir.path());
    Bitmap page(5, 5, 24);
    bool loaded = true;
    EXPECT_NO_THROW(loaded = ImageLoaderGP(file, page));
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(page.isEmpty());
    EXPECT_EQ(page.width(), 0);
    EXPECT_EQ(page.height(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, Undecodable, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.name); });

bool processHoldsOpen(const QString& file) {
    const QString target = QFileInfo(file).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == target)
            return true;
    return false;
}

TEST_F(LoaderTest, FileIsNotHeldOpenAndCanBeDeletedOrReplacedAfterLoading) {
    const QString file = path(QStringLiteral("photo.jpg"));
    fixtures::writeFile(file, fixtures::encoded(fixtures::photo(40, 30), "jpeg"));
    Bitmap page;
    ASSERT_TRUE(ImageLoaderGP(file, page));
    EXPECT_FALSE(processHoldsOpen(file));
    const Bitmap before = page;
    fixtures::writeFile(file, "replaced");
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(page.width(), 40);
    EXPECT_EQ(page.height(), 30);
    EXPECT_EQ(page.image(), before.image());
}

QByteArray withJpegSize(QByteArray jpeg, int width, int height) {
    // The frame header: FF C0 (or C2, progressive), length, precision, height, width.
    qsizetype sof = jpeg.indexOf("\xff\xc0");
    if (sof < 0)
        sof = jpeg.indexOf("\xff\xc2");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

TEST_F(LoaderTest, PicturesTooLargeForMemoryThrowAClearErrorAndLeaveBitmapEmpty) {
    const QByteArray jpeg = fixtures::encoded(fixtures::photo(16, 16), "jpeg");
    fixtures::writeFile(path(QStringLiteral("huge.jpg")), withJpegSize(jpeg, 65000, 65000));
    fixtures::writeFile(path(QStringLiteral("huge.png")),
                        fixtures::png(100000, 100000, 8, 2, {bytes({1, 2, 3})}));
    // Five gigabytes at eight bytes per pixel, though under the limit at four.
    fixtures::writeFile(path(QStringLiteral("huge16.png")),
                        fixtures::png(25000, 25000, 16, 2, {bytes({1, 2, 3, 4, 5, 6})}));
    // An icon whose directory says 16 x 16 of a PNG that says 40000 x 40000.
    QByteArray png = fixtures::png(40000, 40000, 8, 6, {bytes({1, 2, 3, 4})});
    QByteArray ico("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
    for (const qint64 v : {qint64(png.size()), qint64(22)})
        for (int i = 0; i < 4; ++i)
            ico += char((v >> (8 * i)) & 0xFF);
    fixtures::writeFile(path(QStringLiteral("huge.ico")), ico + png);
    for (const QString& name : {QStringLiteral("huge.jpg"), QStringLiteral("huge.png"),
                                QStringLiteral("huge16.png"), QStringLiteral("huge.ico")}) {
        Bitmap page(4, 4, 24);
        try {
            ImageLoaderGP(path(name), page);
            ADD_FAILURE() << "no error for " << name.toStdString();
        } catch (const EAppError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("メモリが不足")));
            EXPECT_TRUE(error.message().contains(path(name)));
        }
        EXPECT_TRUE(page.isEmpty()) << name.toStdString();
    }
}

TEST_F(LoaderTest, LargePictureBeyondQtsDefaultLimitLoads) {
    // 9000 x 8000 at four bytes per pixel is above Qt's default 256 MiB allocation limit.
    QImage wide(9000, 8000, QImage::Format_RGB32);
    wide.fill(qRgb(0, 128, 255));
    fixtures::writeFile(path(QStringLiteral("wide.png")), fixtures::encoded(wide, "png"));
    wide = QImage();
    Bitmap page;
    ASSERT_TRUE(ImageLoaderGP(path(QStringLiteral("wide.png")), page));
    EXPECT_EQ(page.width(), 9000);
    EXPECT_EQ(page.height(), 8000);
    EXPECT_EQ(page.depth(), 24);
    EXPECT_EQ(page.pixel(8999, 7999), qRgb(0, 128, 255));
}

struct JpegCase {
    const char* name;
    QImage picture;
    QImage::Format decodedFormat;
};

TEST(JpegDecoder, GivesExactlyThePixelsOfTheGeneralPath) {
    const JpegCase cases[] = {
        {"colour_odd_size", fixtures::photo(257, 131), QImage::Format_BGR888},
        {"grey", fixtures::photo(97, 41).convertToFormat(QImage::Format_Grayscale8),
         QImage::Format_Grayscale8},
    };
    for (const JpegCase& c : cases) {
        for (int quality : {50, 90, 100}) {
            const QByteArray file = fixtures::encoded(c.picture, "jpeg", quality);
            QImage fast;
            ASSERT_EQ(decodeJpeg(file, qint64(1) << 30, fast), JpegDecodeStatus::Decoded) << c.name;
            ASSERT_EQ(fast.format(), c.decodedFormat);
            QByteArray copy = file;
            QBuffer buffer(&copy);
            QImageReader reader(&buffer, "jpeg");
            const QImage general = reader.read().convertToFormat(c.decodedFormat);
            ASSERT_EQ(fast.size(), general.size());
            EXPECT_EQ(fast, general) << c.name << " quality " << quality;
        }
    }
}

TEST(JpegDecoder, RefusesNonJpegsAndWorkingMemoryBeyondItsCap) {
    QImage image;
    EXPECT_EQ(decodeJpeg(fixtures::png(1, 1, 8, 0, {bytes({0})}), qint64(1) << 30, image),
              JpegDecodeStatus::Damaged);
    const QByteArray jpeg = fixtures::encoded(fixtures::photo(100, 100), "jpeg");
    EXPECT_EQ(decodeJpeg(jpeg, 100000, image), JpegDecodeStatus::TooLarge);
    EXPECT_TRUE(image.isNull());
}

// Damaged files: whatever the format, a file whose picture data ends before the picture
// does is not a picture.
struct DamageCase {
    const char* name;
    std::function<QByteArray()> make; // an intact file, which must load
};

std::ostream& operator<<(std::ostream& out, const DamageCase& c) {
    return out << c.name;
}

QByteArray rle8Bmp() {
    // 4 x 2, 8 bits, run-length encoded: two runs per row, end of line, end of bitmap.
    QByteArray bmp = bmpOfDepth(8);
    const quint32 offset = quint32(uchar(bmp[10])) | quint32(uchar(bmp[11])) << 8;
    QByteArray rle = bytes({3, 0, 0, 0, 3, 1, 0, 1});
    bmp = bmp.left(qsizetype(offset)) + rle;
    bmp[30] = 1; // BI_RLE8
    bmp[2] = char(bmp.size());
    return bmp;
}

const DamageCase kDamageCases[] = {
    {"bmp8", [] { return EncodeBmp(Bitmap(60, 40, 8)); }},
    {"bmp24", [] { return fixtures::encoded(fixtures::photo(60, 40), "bmp"); }},
    {"bmp_rle8", rle8Bmp},
    {"gif",
     [] {
         return fixtures::gif(40, 30, {kRed, kWhite}, QByteArray(40 * 30, '\1'));
     }},
    {"jpeg", [] { return fixtures::encoded(fixtures::photo(64, 48), "jpeg"); }},
    {"jpeg_progressive", [] { return fixtures::progressiveJpeg(fixtures::photo(64, 48)); }},
    {"jpeg_cmyk", [] { return fixtures::cmykJpeg(32, 16, QByteArray(32 * 16 * 4, '\x80')); }},
    {"png", [] { return fixtures::encoded(fixtures::photo(64, 48), "png"); }},
    {"tiff", [] { return fixtures::encoded(fixtures::photo(64, 48), "tiff"); }},
    {"ico", [] { return fixtures::encoded(halfLeftTransparentIcon(), "ico"); }},
    {"webp", [] { return fixtures::encoded(fixtures::photo(64, 48), "webp", 90); }},
};

class Damaged : public LoaderTest, public ::testing::WithParamInterface<DamageCase> {
protected:
    bool loads(const QByteArray& data) {
        const QString file = path(QStringLiteral("picture"));
        fixtures::writeFile(file, data);
        Bitmap page(2, 2, 24);
        const bool loaded = ImageLoaderGP(file, page);
        EXPECT_EQ(loaded, !page.isEmpty());
        return loaded;
    }
};

TEST_P(Damaged, EveryCutOfTheFileIsRefused) {
    const QByteArray whole = GetParam().make();
    ASSERT_TRUE(loads(whole));
    for (int percent : {5, 25, 50, 75, 90, 95, 99}) {
        const qsizetype length = whole.size() * percent / 100;
        EXPECT_FALSE(loads(whole.left(length))) << percent << "% (" << length << " bytes)";
    }
    // Two bytes short: a GIF's last byte is its trailer, after the picture's data. A JPEG's
    // last two are its end marker, which it may lack (see JpegRules).
    if (!whole.endsWith("\xff\xd9")) {
        EXPECT_FALSE(loads(whole.left(whole.size() - 2))) << "all but the last two bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Damaged, ::testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

QByteArray withPngSize(QByteArray png, int width, int height) {
    // Width and height follow the IHDR type; the chunk's CRC is made right again.
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = char(width >> (24 - 8 * i));
        png[20 + i] = char(height >> (24 - 8 * i));
    }
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 12; i < 29; ++i) {
        crc ^= uchar(png[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    for (int i = 0; i < 4; ++i)
        png[29 + i] = char(crc >> (24 - 8 * i));
    return png;
}

QByteArray jpegScanClosedEarly() {
    const QByteArray jpeg = fixtures::encoded(fixtures::photo(64, 48), "jpeg");
    const qsizetype scan = jpeg.indexOf("\xff\xda");
    return jpeg.left(scan + (jpeg.size() - scan) / 2) + "\xff\xd9";
}

QByteArray jpegWithBytesBeforeAMarker() {
    // Stray bytes between the tables and the frame, as some cameras write.
    QByteArray jpeg = fixtures::encoded(fixtures::photo(64, 48), "jpeg");
    return jpeg.insert(jpeg.indexOf("\xff\xc0"), QByteArray("\x00\x00\x00", 3));
}

TEST_F(Damaged, HeadersClaimingMoreThanTheFileHoldsAreRefused) {
    QByteArray tallBmp = EncodeBmp(Bitmap(60, 40, 24));
    tallBmp[22] = char(80); // height 40 -> 80
    const QByteArray jpeg = fixtures::encoded(fixtures::photo(64, 48), "jpeg");
    const QByteArray png = fixtures::encoded(fixtures::photo(64, 48), "png");
    EXPECT_FALSE(loads(tallBmp));
    EXPECT_FALSE(loads(withJpegSize(jpeg, 640, 480)));
    QByteArray tallGif = fixtures::gif(40, 30, {kRed, kWhite}, QByteArray(40 * 30, '\1'));
    tallGif[8] = tallGif[13 + 768 + 7] = char(60); // screen and picture: 30 rows -> 60
    EXPECT_FALSE(loads(tallGif));
    EXPECT_FALSE(loads(withPngSize(png, 64, 96)));
    EXPECT_FALSE(loads(jpegScanClosedEarly()));
}

TEST_F(Damaged, StrayBytesBeforeAMarkerDoNotRejectAPhoto) {
    EXPECT_TRUE(loads(jpegWithBytesBeforeAMarker()));
}

TEST_F(LoaderTest, OtherImageFormatsAreNotPicturesWhateverTheirName) {
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(kRed);
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                           "<rect width='10' height='10' fill='red'/></svg>";
    const QList<std::pair<const char*, QByteArray>> files{
        {"drawing.png", svg},
        {"icon.bmp", fixtures::encoded(red, "xpm")},
        {"photo.jpg", fixtures::encoded(red, "ppm")},
        {"photo.gif", fixtures::encoded(red, "xbm")},
    };
    for (const auto& [name, data] : files) {
        fixtures::writeFile(path(QLatin1String(name)), data);
        Bitmap page;
        EXPECT_FALSE(ImageLoaderGP(path(QLatin1String(name)), page)) << name;
        EXPECT_TRUE(page.isEmpty()) << name;
    }
}

TEST_F(LoaderTest, AFileThatIsNoPictureIsRefusedFromItsFirstBytesWithoutBeingRead) {
    // A video dropped by mistake: only the start is looked at.
    QByteArray video(16 << 20, '\0');
    video.replace(4, 8, "ftypisom");
    QBuffer source(&video);
    source.open(QIODevice::ReadOnly);
    Bitmap page;
    EXPECT_FALSE(loadPicture(source, QStringLiteral("clip.jpg"), page));
    EXPECT_EQ(source.pos(), 0);
    EXPECT_TRUE(page.isEmpty());
}

TEST_F(LoaderTest, AJpegStartWithoutHeaderAfterOtherLoadsIsUnreadable) {
    const QString good = path(QStringLiteral("good.jpg"));
    fixtures::writeFile(good, fixtures::encoded(fixtures::photo(30, 20), "jpeg"));
    const QString tiny = path(QStringLiteral("tiny.jpg"));
    fixtures::writeFile(tiny, bytes({0xFF, 0xD8, 0x00, 0x00}));
    for (int round = 0; round < 3; ++round) {
        Bitmap page;
        ASSERT_TRUE(ImageLoaderGP(good, page));
        EXPECT_FALSE(ImageLoaderGP(tiny, page));
        EXPECT_TRUE(page.isEmpty());
    }
}

TEST_F(LoaderTest, CmykJpegGivesThePixelsQtGivesAt32Bits) {
    QByteArray cmyk;
    for (int i = 0; i < 24 * 8; ++i)
        cmyk.append(char(i * 7))
            .append(char(255 - i))
            .append(char(i * 3))
            .append(char(200 + i % 50));
    const QByteArray file = fixtures::cmykJpeg(24, 8, cmyk);
    fixtures::writeFile(path(QStringLiteral("cmyk.jpg")), file);
    Bitmap page;
    ASSERT_TRUE(ImageLoaderGP(path(QStringLiteral("cmyk.jpg")), page));
    QByteArray copy = file;
    QBuffer buffer(&copy);
    const QImage qt = QImageReader(&buffer, "jpeg").read();
    ASSERT_EQ(qt.size(), QSize(24, 8));
    EXPECT_EQ(page.depth(), 32);
    EXPECT_EQ(page.image(), qt.convertToFormat(QImage::Format_RGB32));
}

TEST_F(LoaderTest, ProgressiveJpegWhoseCoefficientsExceedTheLimitIsRefusedBeforeDecoding) {
    // 30000 x 30000 colour: 5.4 GB of coefficients alone.
    const QByteArray huge =
        withJpegSize(fixtures::progressiveJpeg(fixtures::photo(16, 16)), 30000, 30000);
    fixtures::writeFile(path(QStringLiteral("huge.jpg")), huge);
    Bitmap page;
    EXPECT_THROW(ImageLoaderGP(path(QStringLiteral("huge.jpg")), page), EAppError);
    EXPECT_TRUE(page.isEmpty());
}

} // namespace

namespace {

QByteArray patched32(QByteArray data, qsizetype at, quint32 value) {
    for (int i = 0; i < 4; ++i)
        data[at + i] = char(value >> (8 * i));
    return data;
}

// Every input that ever broke the loader under the fuzzer, loaded again: false with an
// empty bitmap, or true with a bitmap the BMP writer takes, or the program's own error.
TEST(FuzzRegressions, EveryInputKeepsTheLoadersPromises) {
    const QDir corpus(QStringLiteral(PINTABEL_FUZZ_REGRESSIONS));
    const QFileInfoList inputs = corpus.entryInfoList(QDir::Files);
    ASSERT_FALSE(inputs.isEmpty());
    for (const QFileInfo& input : inputs) {
        QFile file(input.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        Bitmap page(3, 3, 24);
        try {
            if (loadPicture(file, input.fileName(), page))
                EXPECT_FALSE(EncodeBmp(page).isEmpty()) << input.fileName().toStdString();
            else
                EXPECT_TRUE(page.isEmpty()) << input.fileName().toStdString();
        } catch (const EAppError&) {
            EXPECT_TRUE(page.isEmpty()) << input.fileName().toStdString();
        }
    }
}

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(Metafiles, ARendererThatCrashesHangsOrSendsGarbageCostsThatFileOnly) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("drawing.emf"));
    fixtures::writeFile(file, fixtures::emf());
    const struct {
        const char* name;
        QByteArray script;
        int timeoutMs;
    } renderers[] = {
        {"crashes", "#!/bin/sh\nkill -SEGV $$\n", 10000},
        {"hangs", "#!/bin/sh\nexec sleep 30\n", 500},
        {"writes_garbage", "#!/bin/sh\nprintf 'xxxxxxxxxxxx'\n", 10000},
        // A 2 x 2 picture announced, then gigabytes for as long as it is let: the parent
        // stops reading at once instead of holding all of it until the time runs out.
        {"floods_its_output", "#!/bin/sh\nprintf '\\002\\0\\0\\0\\002\\0\\0\\0'\nexec yes\n",
         10000},
        {"sends_less_than_it_announces", "#!/bin/sh\nprintf '\\002\\0\\0\\0\\002\\0\\0\\0xxxx'\n",
         10000},
    };
    for (const auto& r : renderers) {
        const QString program = dir.filePath(QLatin1String(r.name));
        fixtures::writeFile(program, r.script);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        setMetafileRenderer(program, r.timeoutMs);
        const long peakBefore = peakResidentKb();
        Bitmap page(2, 2, 24);
        EXPECT_FALSE(ImageLoaderGP(file, page)) << r.name;
        EXPECT_TRUE(page.isEmpty()) << r.name;
        EXPECT_LT(peakResidentKb() - peakBefore, 256 * 1024) << r.name;
    }
    setMetafileRenderer({});
    Bitmap none;
    EXPECT_FALSE(ImageLoaderGP(file, none)) << "no renderer";
    setMetafileRenderer(QStringLiteral(PINTABEL_METAFILE));
    Bitmap page;
    EXPECT_TRUE(ImageLoaderGP(file, page));
}

TEST(Metafiles, TheRendererIsBoundedByItsTimeAndTheMemoryBudget) {
    // 65535 x 65535 pixels from the frame: 17 GB of picture.
    const QByteArray huge = patched32(patched32(fixtures::emf(), 32, 1733720), 36, 1733720);
    const struct {
        const char* name;
        QByteArray file;
        int timeoutMs;
        bool tooLarge;
    } cases[] = {
        {"draws_for_seconds", fixtures::emf(400000), 300, false},
        {"asks_for_a_huge_picture", huge, 30000, true},
    };
    for (const auto& c : cases) {
        setMetafileRenderer(QStringLiteral(PINTABEL_METAFILE), c.timeoutMs);
        bool tooLarge = false;
        // Room for the child's own memory, which the budget holds too.
        EXPECT_TRUE(renderMetafileIsolated(c.file, qint64(512) << 20, tooLarge).isNull()) << c.name;
        EXPECT_EQ(tooLarge, c.tooLarge) << c.name;
    }
    setMetafileRenderer(QStringLiteral(PINTABEL_METAFILE));
}

TEST(Metafiles, EmfIsDrawnOnItsFrameSoMarginsAroundTheDrawingStay) {
    // The drawing's bounds are the red rectangle alone, inside a 100 x 50 frame.
    QByteArray emf = fixtures::emf();
    emf = patched32(patched32(emf, 8, 10), 12, 10);
    emf = patched32(patched32(emf, 16, 49), 20, 39);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("margins.emf"));
    fixtures::writeFile(file, emf);
    Bitmap page;
    ASSERT_TRUE(ImageLoaderGP(file, page));
    EXPECT_EQ(page.width(), 100);
    EXPECT_EQ(page.height(), 50);
    for (const Probe& probe : kMetafileProbes)
        EXPECT_EQ(page.pixel(probe.x, probe.y), probe.colour) << probe.x << "," << probe.y;
}

TEST(Metafiles, EveryTruncationIsRefused) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cut"));
    for (const QByteArray& whole : {fixtures::emf(), fixtures::wmf()}) {
        for (qsizetype length = 1; length < whole.size(); ++length) {
            fixtures::writeFile(file, whole.left(length));
            Bitmap page;
            EXPECT_FALSE(ImageLoaderGP(file, page)) << "length " << length;
            EXPECT_TRUE(page.isEmpty());
        }
    }
}

TEST(Metafiles, RecordChainsThatDoNotHoldAreRefusedBeforeConversion) {
    // EMF: the first record after the 88-byte header starts at 88; WMF records after the
    // 22-byte placeable and 18-byte headers start at 40.
    const QByteArray emf = fixtures::emf();
    const QByteArray wmf = fixtures::wmf();
    const struct {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"emf_description_past_the_header", patched32(patched32(emf, 60, 4), 64, 88)},
        {"emf_record_size_zero", patched32(emf, 92, 0)},
        {"emf_record_size_unaligned", patched32(emf, 92, 26)},
        {"emf_record_past_the_end", patched32(emf, 92, 4000)},
        {"emf_record_count_wrong", patched32(emf, 52, 7)},
        {"emf_byte_count_wrong", patched32(emf, 48, quint32(emf.size() + 4))},
        {"emf_without_end_record", patched32(emf, emf.size() - 20, 43)},
        {"wmf_largest_record_beyond_the_file", patched32(wmf, 22 + 12, 0x6C000000)},
        {"wmf_record_size_zero", patched32(wmf, 40, 0)},
        {"wmf_record_above_the_largest", patched32(wmf, 40 + 10, 9)},
        {"wmf_size_wrong", patched32(wmf, 22 + 6, quint32(wmf.size()))},
        {"wmf_record_past_the_end", patched32(wmf, 40, 4000)},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString file = dir.filePath(QLatin1String(c.name));
        fixtures::writeFile(file, c.file);
        Bitmap page;
        EXPECT_FALSE(ImageLoaderGP(file, page)) << c.name;
    }
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "colourability.h"
#include "pixel_access.h"
#include "steps.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const ProcessingStep& step(const char* option) {
    for (const ProcessingStep& candidate : processingSteps())
        if (candidate.option == QLatin1String(option))
            return candidate;
    throw std::logic_error(option);
}

Bitmap onePixelOfEachDepth(int depth, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(128, 64, 200));
    return Bitmap::fromImage(picture, depth);
}

TEST(ProcessingSteps, ToneStepsGiveTheWorkedPixelAt24Bits) {
    const struct {
        const char* option;
        QRgb expected;
    } cases[] = {{"--lighter", qRgb(181, 128, 226)}, {"--darker", qRgb(75, 0, 174)}};
    for (const auto& c : cases) {
        Bitmap bitmap = onePixelOfEachDepth(24, 1, 1);
        step(c.option).apply(bitmap);
        EXPECT_EQ(bitmap.depth(), 24);
        EXPECT_EQ(bitmap.pixel(0, 0), c.expected) << c.option;
    }
    // An indexed picture is brought to 24 bits first: its colour is what it showed.
    Bitmap indexed(2, 2, 8);
    PrintPixel(0, 0, 0, 0, 0, indexed); // now 24 bits
    indexed.setDepth(8);
    step("--darker").apply(indexed);
    EXPECT_EQ(indexed.depth(), 24);
    EXPECT_EQ(indexed.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(indexed.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(ProcessingSteps, ColouringTooNarrowFailsLikeTheWindowAndChangesNothing) {
    for (int width : {0, 1, 2}) {
        Bitmap bitmap = onePixelOfEachDepth(8, width, 5);
        const QImage before = bitmap.image();
        try {
            step("--colouring").apply(bitmap);
            ADD_FAILURE() << "width " << width << " did not fail";
        } catch (const EAppError& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("プロパティ TProgressBar の範囲を超えています"));
        }
        EXPECT_EQ(bitmap.depth(), 8);
        EXPECT_EQ(bitmap.image(), before);
    }
}

TEST(ProcessingSteps, ColouringReplacesThePictureWithTheFilteredOne) {
    const struct {
        int width, height, depth;
    } cases[] = {{3, 3, 24}, {3, 4, 8}, {7, 5, 32}, {5, 6, 16}};
    for (const auto& c : cases) {
        // A dark grey stripe in column 1 on white: its computed pixels darken, all else stays
        // white.
        Bitmap bitmap(c.width, c.height, 24);
        for (int y = 0; y < c.height; ++y)
            PrintPixel(1, y, 50, 50, 50, bitmap);
        bitmap.setDepth(c.depth);
        step("--colouring").apply(bitmap);
        EXPECT_EQ(bitmap.depth(), 24);
        ASSERT_EQ(bitmap.width(), c.width);
        ASSERT_EQ(bitmap.height(), c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const bool computed = x == 1 && y >= 1 && y <= c.height - 3;
                const QRgb grey = bitmap.pixel(x, y);
                EXPECT_EQ(grey != qRgb(255, 255, 255), computed) << x << "," << y;
            }
    }
}

} // namespace

TEST(ProcessingSteps, CleanLinesTakesDetailAndThicknessWithinTheirRanges) {
    const struct {
        const char* argument;
        const char* refusal; // null: accepted
    } cases[] = {
        {"--clean-lines", nullptr},
        {"--clean-lines=40,3", nullptr},
        {"--clean-lines=,3", nullptr},
        {"--clean-lines=0", nullptr},
        {"--clean-lines=100,200", nullptr},
        {"--clean-lines=", nullptr},
        {"--clean-lines=101", "--clean-lines=101 の線の量 101 が正しくありません"},
        {"--clean-lines=40,0", "--clean-lines=40,0 の線の太さ 0 が正しくありません"},
        {"--clean-lines=100,1000", "--clean-lines=100,1000 の線の太さ 1000 が"},
        {"--clean-lines=-1", "線の量 -1 が"},
        {"--clean-lines=a,3", "線の量 a が"},
        {"--clean-lines=1,2,3", "--clean-lines=1,2,3 には 1,2,3 ではなく DETAIL,THICKNESS"},
        {"--colouring=3", "--colouring=3 という処理はありません"}};
    for (const auto& c : cases) {
        QString refusal;
        const ProcessingStep* step = findProcessingStep(QLatin1String(c.argument), refusal);
        ASSERT_EQ(step == nullptr, c.refusal != nullptr) << c.argument;
        if (!step) {
            EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.refusal))) << refusal.toStdString();
            continue;
        }
        Bitmap bitmap = onePixelOfEachDepth(24, 40, 30);
        step->apply(bitmap);
        EXPECT_EQ(bitmap.depth(), 1) << c.argument;
        EXPECT_EQ(bitmap.image().size(), QSize(40, 30)) << c.argument;
    }
}

TEST(ProcessingSteps, ColourByNumberTakesColoursWithinTheirRange) {
    const struct {
        const char* argument;
        bool accepted;
        int extraRows; // the key below the picture
    } cases[] = {
        {"--colour-by-number", true, 1},         {"--colour-by-number=2", true, 1},
        {"--colour-by-number=36", true, 1},      {"--colour-by-number=", true, 1},
        {"--colour-by-number-preview", true, 0}, {"--colour-by-number-preview=12", true, 0},
        {"--colour-by-number=1", false, 0},      {"--colour-by-number=37", false, 0},
        {"--colour-by-number=a", false, 0},      {"--colour-by-number-preview=0", false, 0},
        {"--colour-by-number=3,4", false, 0}};
    QImage image(600, 400, QImage::Format_BGR888);
    image.fill(QColor(30, 120, 40));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 600; ++x)
            image.setPixelColor(x, y, QColor(90, 160, 230));
    for (const auto& c : cases) {
        QString refusal;
        const ProcessingStep* step = findProcessingStep(QLatin1String(c.argument), refusal);
        ASSERT_EQ(step != nullptr, c.accepted) << c.argument;
        if (!step) {
            EXPECT_TRUE(refusal.startsWith(QLatin1String(c.argument))) << refusal.toStdString();
            continue;
        }
        Bitmap bitmap = Bitmap::fromImage(image, 24);
        step->apply(bitmap);
        EXPECT_EQ(bitmap.width(), 600) << c.argument;
        EXPECT_EQ(bitmap.height() > 400, c.extraRows > 0) << c.argument;
        EXPECT_GE(bitmap.height(), 400) << c.argument;
    }
}

TEST(ProcessingSteps, SmallestRegionHoldsForTheCleanLinesSteps) {
    const struct {
        const char* value;
        bool accepted;
    } cases[] = {{"1", true},   {"3", true},   {"5.5", true}, {"50", true}, {"0", false},
                 {"51", false}, {"-3", false}, {"a", false},  {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(setSmallestRegionMm(QLatin1String(c.value)), c.accepted) << c.value;
    // A page 4 pixels to the millimetre on A4 with a band 6 mm high: a region for an adult,
    // too narrow for a small child.
    QImage image(1188, 840, QImage::Format_BGR888);
    image.fill(Qt::white);
    for (int y = 400; y < 424; ++y)
        for (int x = 200; x < 1000; ++x)
            image.setPixelColor(x, y, QColor(40, 80, 220));
    for (const double mm : {3.0, 8.0}) {
        ASSERT_TRUE(setSmallestRegionMm(QString::number(mm)));
        Bitmap bitmap = Bitmap::fromImage(image, 24);
        QString refusal;
        findProcessingStep(QStringLiteral("--clean-lines"), refusal)->apply(bitmap);
        const ColourabilityCheck check(bitmap, mm);
        EXPECT_EQ(check.tinyRegions(), 0) << mm;
        EXPECT_EQ(check.regions() > 1, mm == 3.0) << mm;
    }
    setSmallestRegionMm(QStringLiteral("3"));
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include "pixel_access.h"

#include <QAction>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

using ConversionTest = FormTest;
using ToneTest = FormTest;

const QString AbandonQuestion = QStringLiteral("変換処理を中断しますか？");
const QString RangeError = QStringLiteral("プロパティ TProgressBar の範囲を超えています");

QImage pixels(const Bitmap& bitmap) {
    return bitmap.image().convertToFormat(QImage::Format_RGB32);
}

bool allWhite(const Bitmap& bitmap) {
    const QImage image = pixels(bitmap);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return !image.isNull();
}

QRgb pixelAt(Bitmap& bitmap, int x, int y) {
    uchar r = 0, g = 0, b = 0;
    ScanPixel(bitmap, x, y, r, g, b);
    return qRgb(r, g, b);
}

// Runs action inside the next pixel loop, while it lets window messages through.
template <typename Action> void duringTheLoop(QObject* context, Action action) {
    QMetaObject::invokeMethod(context, action, Qt::QueuedConnection);
}

TEST_F(ConversionTest, AbandonedAfterTheFirstColumnKeepsThePictureAndTheSnapshot) {
    open(picture(QStringLiteral("stop.png"), 200, 150));
    const Bitmap original = picture(0);
    postClickOnPage();
    form->N4->trigger();

    EXPECT_EQ(prompts.questions, QStringList{AbandonQuestion});
    EXPECT_EQ(pixels(picture(0)), pixels(original));
    EXPECT_EQ(picture(0).depth(), 24);
    ASSERT_NE(form->Store.UndoImages[0], nullptr);
    EXPECT_TRUE(samePicture(*form->Store.UndoImages[0], original));
    EXPECT_EQ(form->tabImageIndex(0), 0);
    EXPECT_FALSE(form->Store.Converting);
    EXPECT_FALSE(form->StatusProgress->isVisible());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ConversionTest, CancellingTheQuestionLetsTheConversionFinish) {
    open(picture(QStringLiteral("go.png"), 200, 150));
    prompts.answer = [](const QString&) { return false; };
    postClickOnPage();
    form->N4->trigger();
    EXPECT_EQ(prompts.questions, QStringList{AbandonQuestion});
    EXPECT_TRUE(allWhite(picture(0)));
    EXPECT_EQ(form->tabImageIndex(0), 0);
}

TEST_F(ConversionTest, UndoAfterAConversionRestoresThePictureInItsOldDepthEveryTime) {
    open(picture(QStringLiteral("indexed.png"), 64, 48, qRgb(255, 0, 0), QImage::Format_Indexed8));
    const Bitmap original = picture(0);
    ASSERT_NE(original.depth(), 24);
    form->N4->trigger();
    EXPECT_EQ(picture(0).depth(), 24);
    EXPECT_TRUE(allWhite(picture(0)));
    for (int round = 0; round < 2; ++round) {
        form->N6->trigger();
        EXPECT_TRUE(samePicture(picture(0), original)) << round;
    }
    EXPECT_EQ(form->tabImageIndex(0), 0);
}

TEST_F(ConversionTest, ASecondConversionReplacesTheSnapshotAndReleasesTheOldOne) {
    open(picture(QStringLiteral("again.png"), 50, 40));
    form->N4->trigger();
    const Bitmap converted = picture(0);
    const std::weak_ptr<const Bitmap> first = form->Store.UndoImages[0];
    ASSERT_FALSE(first.expired());
    form->N4->trigger();
    EXPECT_TRUE(first.expired());
    ASSERT_NE(form->Store.UndoImages[0], nullptr);
    EXPECT_TRUE(samePicture(*form->Store.UndoImages[0], converted));
}

TEST_F(ConversionTest, PageCommandsAreRefusedWhileItRuns) {
    open(picture(QStringLiteral("busy.png"), 120, 90, qRgb(40, 60, 80), QImage::Format_Indexed8));
    open(picture(QStringLiteral("other.png"), 40, 30));
    form->PageControl1->setCurrentIndex(0);
    const Bitmap other = picture(1);
    bool ran = false;
    int depthAfterUndo = 0;
    QRgb pixelAfterTone = 0;
    int progressMinimum = -1, progressMaximum = -1;
    bool progressShown = false;
    duringTheLoop(form.get(), [&] {
        ran = true;
        progressShown = form->StatusProgress->isVisible();
        progressMinimum = form->StatusProgress->minimum();
        progressMaximum = form->StatusProgress->maximum();
        const QRgb before = pixelAt(picture(0), 60, 45);
        form->N6->trigger();
        depthAfterUndo = picture(0).depth();
        form->N9->trigger();
        pixelAfterTone = pixelAt(picture(0), 60, 45);
        EXPECT_EQ(pixelAfterTone, before);
        form->N4->trigger();
        form->Close1->trigger();
        // Another page stays out of reach as well: the loop owns the picture commands.
        form->PageControl1->setCurrentIndex(1);
        form->N5->trigger();
        EXPECT_TRUE(samePicture(picture(1), other));
        form->PageControl1->setCurrentIndex(0);
    });
    form->N4->trigger();

    ASSERT_TRUE(ran);
    // Each of the five refused commands beeps.
    EXPECT_EQ(prompts.beeps, 5);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(progressMinimum, 1);
    EXPECT_EQ(progressMaximum, 118);
    EXPECT_EQ(depthAfterUndo, 24);
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(form->Store.PageCount, 2);
    EXPECT_TRUE(allWhite(picture(0)));
    EXPECT_FALSE(form->StatusProgress->isVisible());
    // Once the loop is over the commands work again.
    form->N6->trigger();
    EXPECT_EQ(prompts.beeps, 5);
    EXPECT_EQ(picture(0).depth(), form->Store.UndoImages[0]->depth());
    EXPECT_NE(picture(0).depth(), 24);
}

TEST_F(ConversionTest, SwitchingTabsDuringItMarksThePageItConverted) {
    open(picture(QStringLiteral("left.png"), 60, 40));
    open(picture(QStringLiteral("right.png"), 160, 120));
    const Bitmap left = picture(0);
    duringTheLoop(form.get(), [&] {
        QTabBar* bar = form->PageControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(0).center());
    });
    form->N4->trigger();
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form->tabImageIndex(1), 0);
    EXPECT_EQ(form->tabImageIndex(0), 1);
    EXPECT_TRUE(allWhite(picture(1)));
    EXPECT_TRUE(samePicture(picture(0), left));
}

TEST_F(ConversionTest, APictureTwoPixelsWideShowsTheRangeErrorAndChangesNothing) {
    open(picture(QStringLiteral("narrow.png"), 2, 10, qRgb(9, 9, 9), QImage::Format_Indexed8));
    const Bitmap original = picture(0);
    form->N4->trigger();
    EXPECT_EQ(prompts.errors, QStringList{RangeError});
    EXPECT_TRUE(samePicture(picture(0), original));
    EXPECT_EQ(form->tabImageIndex(0), 1);
    ASSERT_NE(form->Store.UndoImages[0], nullptr);
    EXPECT_TRUE(samePicture(*form->Store.UndoImages[0], original));
    EXPECT_FALSE(form->Store.Converting);
    EXPECT_FALSE(form->StatusProgress->isVisible());
    // A later click is an ordinary click, not a question about a conversion.
    clickPage();
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(ConversionTest, APictureThreePixelsHighBecomesWhite) {
    open(picture(QStringLiteral("flat.png"), 30, 3, qRgb(0, 0, 0)));
    form->N4->trigger();
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_EQ(picture(0).width(), 30);
    EXPECT_EQ(picture(0).height(), 3);
    EXPECT_TRUE(allWhite(picture(0)));
}

TEST_F(ConversionTest, ExitWaitsForTheLoopAndAbandonsTheConversion) {
    open(picture(QStringLiteral("exit.png"), 200, 150));
    const Bitmap original = picture(0);
    bool visibleAfterExit = false;
    duringTheLoop(form.get(), [&] {
        form->Exit1->trigger();
        visibleAfterExit = form->isVisible();
    });
    form->N4->trigger();
    EXPECT_TRUE(visibleAfterExit);
    EXPECT_EQ(pixels(picture(0)), pixels(original));
    EXPECT_TRUE(prompts.questions.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
}

struct ToneCase {
    const char* name;
    QAction* TForm1::*command;
    QRgb expected;
};

class ToneCommand : public FormTest, public ::testing::WithParamInterface<ToneCase> {};

TEST_P(ToneCommand, OnePixelWorkedExample) {
    open(picture(QStringLiteral("one.png"), 1, 1, qRgb(128, 64, 200)));
    (form.get()->*GetParam().command)->trigger();
    EXPECT_EQ(picture(0).depth(), 24);
    EXPECT_EQ(pixelAt(picture(0), 0, 0), GetParam().expected);
    EXPECT_EQ(form->tabImageIndex(0), 1);
    EXPECT_EQ(form->Store.UndoImages[0], nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToneCommand,
                         ::testing::Values(ToneCase{"Lighter", &TForm1::N9, qRgb(181, 128, 226)},
                                           ToneCase{"Darker", &TForm1::N5, qRgb(75, 0, 174)}),
                         [](const ::testing::TestParamInfo<ToneCase>& info) {
                             return info.param.name;
                         });

TEST_F(ToneTest, LighterTwiceCompounds) {
    open(picture(QStringLiteral("grey.png"), 90, 70, qRgb(64, 64, 64)));
    form->N9->trigger();
    EXPECT_EQ(pixelAt(picture(0), 45, 35), qRgb(128, 128, 128));
    form->N9->trigger();
    EXPECT_EQ(pixelAt(picture(0), 89, 69), qRgb(181, 181, 181));
    EXPECT_EQ(form->ToneObject.Mode, 0);
    form->N5->trigger();
    EXPECT_EQ(form->ToneObject.Mode, 1);
}

TEST_F(ToneTest, UndoAfterAToneStepOnANeverConvertedPageDoesNothing) {
    open(picture(QStringLiteral("dark.png"), 40, 30, qRgb(96, 128, 160)));
    form->N5->trigger();
    const Bitmap darker = picture(0);
    EXPECT_EQ(pixelAt(picture(0), 0, 0), qRgb(36, 75, 118));
    form->N6->trigger();
    EXPECT_TRUE(samePicture(picture(0), darker));
}

TEST_F(ToneTest, ConversionLighterUndoGivesThePictureFromBeforeTheConversion) {
    open(picture(QStringLiteral("chain.png"), 50, 40, qRgb(30, 60, 90), QImage::Format_Indexed8));
    const Bitmap original = picture(0);
    form->N4->trigger();
    form->N9->trigger();
    form->N6->trigger();
    EXPECT_TRUE(samePicture(picture(0), original));
}

TEST_F(ToneTest, AClickDuringItAsksNothingAndRefitsTheHeight) {
    open(picture(QStringLiteral("tone.png"), 600, 400, qRgb(64, 64, 64)));
    form->setOuterSize(form->outerSize() + QSize(150, 0));
    ASSERT_EQ(pageArea(), QSize(450, 200));
    postClickOnPage();
    form->N9->trigger();
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(pageArea(), QSize(450, 300));
    EXPECT_EQ(pixelAt(picture(0), 599, 399), qRgb(128, 128, 128));
}

TEST_F(ToneTest, EmptyPictureAfterAConversionShowsTheRangeErrorAndStaysAsItWas) {
    open(picture(QStringLiteral("before.png"), 30, 30));
    form->N4->trigger();
    ASSERT_EQ(form->StatusProgress->minimum(), 1);
    dropEmptyPicture(QStringLiteral("empty.txt"));
    ASSERT_TRUE(picture(1).isEmpty());
    form->N9->trigger();
    EXPECT_EQ(prompts.errors, QStringList{RangeError});
    EXPECT_TRUE(picture(1).isEmpty());
    EXPECT_FALSE(form->StatusProgress->isVisible());
}

TEST_F(ToneTest, EmptyPictureWithTheMinimumAtZeroStaysEmptyQuietly) {
    dropEmptyPicture(QStringLiteral("empty.txt"));
    prompts.informed.clear();
    form->N5->trigger();
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_TRUE(picture(0).isEmpty());
}

// A page of black lines on white becomes grey, and the curves then show: lighter takes ink
// away, darker adds it.
TEST_F(ToneTest, LighterAndDarkerShowOnALinePage) {
    QImage lines(120, 80, QImage::Format_Mono);
    lines.fill(1);
    for (int x = 10; x < 110; ++x)
        for (int y : {20, 21, 50})
            lines.setPixel(x, y, 0);
    const QString path = folder.filePath(QStringLiteral("lines.png"));
    ASSERT_TRUE(lines.save(path));
    // The ink of a picture: how far its pixels are from white, summed, in whole pixels.
    const auto ink = [](const Bitmap& page) {
        const QImage grey = page.image().convertToFormat(QImage::Format_Grayscale8);
        double sum = 0;
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                sum += (255 - qGray(grey.pixel(x, y))) / 255.0;
        return sum;
    };
    const struct {
        QAction* TForm1::*command;
        double least, most; // the ink after it, as a share of the line page's
    } cases[] = {{&TForm1::N9, 0.3, 0.8}, {&TForm1::N5, 1.1, 2.0}};
    for (const auto& c : cases) {
        open(path);
        const int p = form->PageControl1->currentIndex();
        ASSERT_EQ(picture(p).depth(), 1);
        const double before = ink(picture(p));
        (form.get()->*c.command)->trigger();
        const QImage after = picture(p).image();
        EXPECT_TRUE(after.allGray());
        EXPECT_GT(ink(picture(p)), c.least * before);
        EXPECT_LT(ink(picture(p)), c.most * before);
    }
}

} // namespace

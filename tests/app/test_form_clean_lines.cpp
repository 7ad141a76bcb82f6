// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include <QAction>
#include <QPainter>
#include <QProgressBar>

namespace {

using CleanLinesTest = FormTest;

TEST_F(CleanLinesTest, MenuItemAndDialogGiveABlackAndWhitePageWithUndo) {
    open(picture(QStringLiteral("shapes.png"), 240, 160, qRgb(40, 60, 160)));
    // A white square inside the blue picture: its outline is drawn.
    {
        QImage image = picture(0).image().convertToFormat(QImage::Format_BGR888);
        QPainter(&image).fillRect(QRect(60, 40, 100, 80), Qt::white);
        picture(0) = Bitmap::fromImage(image, 24);
    }
    const Bitmap original = picture(0);

    // Cancelled: nothing changes and no snapshot is taken.
    form->CleanLines1->trigger();
    ASSERT_EQ(prompts.cleanLinesOffered.size(), 1);
    EXPECT_EQ(prompts.cleanLinesOffered[0].settings.detail, 50);
    EXPECT_TRUE(samePicture(picture(0), original));
    EXPECT_EQ(form->Store.UndoImages[0], nullptr);

    prompts.cleanLinesAnswer = CleanLineChoice{{50, 2}, true};
    form->CleanLines1->trigger();
    EXPECT_EQ(picture(0).depth(), 1);
    const QImage lines = picture(0).image().convertToFormat(QImage::Format_RGB32);
    int ink = 0;
    for (int y = 0; y < lines.height(); ++y)
        for (int x = 0; x < lines.width(); ++x)
            ink += lines.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(ink, 2 * 300) << "the square's outline, two pixels wide";
    EXPECT_LT(ink, 2 * 500);
    EXPECT_FALSE(form->Store.Converting);
    EXPECT_FALSE(form->StatusProgress->isVisible());
    EXPECT_TRUE(prompts.errors.isEmpty());

    form->N6->trigger();
    EXPECT_TRUE(samePicture(picture(0), original));
}

TEST_F(CleanLinesTest, AClickWhileItRunsAsksAndAbandonsIt) {
    open(picture(QStringLiteral("photo.png"), 300, 200, qRgb(40, 60, 160)));
    const Bitmap original = picture(0);
    prompts.cleanLinesAnswer = CleanLineChoice{{50, 1}, false};
    postClickOnPage();
    form->CleanLines1->trigger();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("変換処理を中断しますか？")});
    EXPECT_TRUE(samePicture(picture(0), original));
    EXPECT_FALSE(form->Store.Converting);
    EXPECT_FALSE(form->StatusProgress->isVisible());
}

TEST_F(CleanLinesTest, ColourByNumberGivesANumberedPageWithUndoOrSaysWhyNot) {
    const struct {
        int width;
        int height;
        bool converts; // else refused as too small, with the page unchanged
    } cases[] = {{300, 200, true}, {12, 10, false}};
    for (const auto& c : cases) {
        open(picture(QStringLiteral("bands.png"), c.width, c.height, qRgb(200, 60, 40)));
        const int index = form->PageControl1->currentIndex();
        {
            QImage image = picture(index).image().convertToFormat(QImage::Format_BGR888);
            QPainter(&image).fillRect(QRect(0, 0, c.width / 2, c.height), QColor(40, 90, 200));
            picture(index) = Bitmap::fromImage(image, 24);
        }
        const Bitmap original = picture(index);
        prompts.colourByNumberAnswer.reset();
        form->ColourByNumber1->trigger();
        EXPECT_TRUE(samePicture(picture(index), original)) << "cancelled";

        prompts.colourByNumberAnswer = ColourByNumberSettings{12, 3.0};
        prompts.errors.clear();
        form->ColourByNumber1->trigger();
        EXPECT_EQ(prompts.errors.isEmpty(), c.converts);
        EXPECT_FALSE(form->Store.Converting);
        if (!c.converts) {
            EXPECT_TRUE(samePicture(picture(index), original));
            continue;
        }
        // The picture area on top keeps the photo's size; the key lies below it.
        EXPECT_EQ(picture(index).width(), c.width);
        EXPECT_GT(picture(index).height(), c.height);
        EXPECT_EQ(picture(index).pixel(c.width / 4, c.height / 4), qRgb(255, 255, 255));
        form->N6->trigger();
        EXPECT_TRUE(samePicture(picture(index), original));
    }
}

// Both conversion dialogs open with what the user last left in them, confirmed or cancelled,
// also in a later run of the program.
TEST_F(CleanLinesTest, ConversionDialogsOfferTheirLastChoiceAgain) {
    const QString photo = picture(QStringLiteral("shapes.png"), 240, 160, qRgb(40, 60, 160));
    open(photo);
    const struct {
        const char* what;
        bool cancelled;
        bool newRun; // the window made again before the dialogs open the second time
        CleanLineChoice lines;
        ColourByNumberSettings numbers;
    } cases[] = {{"cancelled", true, false, {{80, 3, 8.0}, true}, {9, 5.0}},
                 {"confirmed, next run", false, true, {{20, 5, 5.0}, false}, {4, 8.0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.cancelConversion = c.cancelled;
        prompts.cleanLinesAnswer = c.lines;
        prompts.colourByNumberAnswer = c.numbers;
        form->CleanLines1->trigger();
        form->N6->trigger();
        form->ColourByNumber1->trigger();
        if (c.newRun) {
            form.reset();
            form = std::make_unique<TForm1>(prompts);
            form->show();
            open(photo);
        }
        prompts.cleanLinesAnswer.reset();
        prompts.colourByNumberAnswer.reset();
        form->CleanLines1->trigger();
        form->ColourByNumber1->trigger();
        const CleanLineChoice offered = prompts.cleanLinesOffered.last();
        EXPECT_EQ(offered.settings.detail, c.lines.settings.detail);
        EXPECT_EQ(offered.settings.thickness, c.lines.settings.thickness);
        EXPECT_EQ(offered.settings.smallestRegionMm, c.lines.settings.smallestRegionMm);
        EXPECT_EQ(offered.closeTinyRegions, c.lines.closeTinyRegions);
        EXPECT_EQ(prompts.colourByNumberOffered.last().colours, c.numbers.colours);
        EXPECT_EQ(prompts.colourByNumberOffered.last().smallestRegionMm,
                  c.numbers.smallestRegionMm);
    }
    // The first run of the first case started from the defaults.
    EXPECT_EQ(prompts.cleanLinesOffered.first().settings.detail, 50);
    // (16, the settings' default: GCC 12 takes a default-made settings' empty palette here for
    // uninitialised memory.)
    EXPECT_EQ(prompts.colourByNumberOffered.first().colours, 16);
}

TEST_F(CleanLinesTest, APageOfTheSubjectKeepsTheBackgroundChosen) {
    open(picture(QStringLiteral("subject.png"), 240, 160, qRgb(240, 220, 60)));
    {
        // A wall, a floor and a strip of sky around a red disc: the background's edges all
        // lie outside the box.
        QImage image = picture(0).image().convertToFormat(QImage::Format_BGR888);
        QPainter painter(&image);
        painter.fillRect(QRect(0, 0, 30, 160), QColor(30, 60, 170));
        painter.fillRect(QRect(0, 140, 240, 20), QColor(40, 150, 60));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(QPoint(120, 80), 40, 40);
        picture(0) = Bitmap::fromImage(image, 24);
    }
    const Bitmap original = picture(0);
    const QRect box(70, 30, 100, 100);
    const struct {
        Background background;
        bool inkAround; // lines outside the box
    } cases[] = {{Background::None, false}, {Background::Simple, true}, {Background::Full, true}};
    for (const auto& c : cases) {
        picture(0) = original;
        prompts.cleanLinesAnswer = CleanLineChoice{
            {50, 2, 3.0, Subject{{box.x(), box.y(), box.width(), box.height()}, c.background}},
            false};
        form->CleanLines1->trigger();
        ASSERT_EQ(picture(0).depth(), 1);
        const QImage lines = picture(0).image().convertToFormat(QImage::Format_RGB32);
        const QRect kept = box.adjusted(-3, -3, 3, 3);
        int inside = 0;
        int around = 0;
        for (int y = 0; y < lines.height(); ++y)
            for (int x = 0; x < lines.width(); ++x)
                if (lines.pixel(x, y) == qRgb(0, 0, 0))
                    ++(kept.contains(x, y) ? inside : around);
        EXPECT_GT(inside, 2 * 200) << "the disc's outline";
        EXPECT_EQ(around > 0, c.inkAround) << around;
    }
    EXPECT_TRUE(prompts.errors.isEmpty());
}

} // namespace

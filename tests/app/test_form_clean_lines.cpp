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

} // namespace

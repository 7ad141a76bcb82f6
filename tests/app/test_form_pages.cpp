// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include "app_error.h"
#include "page_lines.h"
#include "pixel_access.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>

namespace {

using PageStoreTest = FormTest;

QList<QAction*> pageCommands(const TForm1& f) {
    return {f.N4, f.N9, f.N5, f.N6, f.N13, f.N14, f.Close1, f.Save1, f.SaveAs1, f.Print1};
}

TEST_F(PageStoreTest, FirstPageGetsATabNamedAfterTheFileAndEnablesThePageCommands) {
    open(picture(QStringLiteral("first.png"), 60, 40));
    ASSERT_EQ(form->PageControl1->count(), 1);
    EXPECT_EQ(form->PageControl1->tabText(0), QStringLiteral("first.png"));
    EXPECT_EQ(form->tabImageIndex(0), 1);
    EXPECT_EQ(form->Store.PageCount, 1);
    EXPECT_TRUE(form->Store.HasPage);
    EXPECT_EQ(form->Store.PageFileNames[0], folder.filePath(QStringLiteral("first.png")));
    EXPECT_EQ(picture(0).width(), 60);
    EXPECT_EQ(picture(0).height(), 40);
    for (QAction* action : pageCommands(*form))
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_FALSE(form->Image1->isVisible());
    EXPECT_TRUE(form->PageControl1->isVisible());
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_TRUE(prompts.informed.isEmpty());
}

TEST_F(PageStoreTest, SameFileTwiceGivesTwoIndependentPages) {
    const QString path = picture(QStringLiteral("twice.png"), 20, 20, qRgb(10, 20, 30));
    open(path);
    open(path);
    ASSERT_EQ(form->Store.PageCount, 2);
    EXPECT_NE(page(0), page(1));
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    PrintPixel(3, 4, 255, 0, 0, picture(1));
    uchar r = 0, g = 0, b = 0;
    ScanPixel(picture(0), 3, 4, r, g, b);
    EXPECT_EQ(std::tuple(r, g, b), std::tuple(uchar(10), uchar(20), uchar(30)));
}

class ThreePages : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        for (const char* name : {"p0.png", "p1.png", "p2.png"})
            paths.append(picture(QString::fromLatin1(name), 40, 30));
        drop(paths);
        ASSERT_EQ(form->Store.PageCount, 3);
        for (int i = 0; i < 3; ++i)
            images.append(page(i));
    }
    QStringList paths;
    QList<TPageImage*> images;
};

TEST_F(ThreePages, ClosingTheMiddleMovesTheLastDownAndMakesItActive) {
    form->PageControl1->setCurrentIndex(1);
    const QSize outer = form->outerSize();
    std::weak_ptr<const Bitmap> closedSnapshot;
    form->Store.UndoImages[1] = std::make_shared<const Bitmap>(picture(1));
    closedSnapshot = form->Store.UndoImages[1];
    // The lines kept with the snapshots go with them.
    const auto linesOf = [this](int i) {
        return std::make_shared<const PageLines>(PageLines{CleanLinesSource(picture(i), 16), {}});
    };
    form->Store.UndoLines[1] = linesOf(1);
    const std::weak_ptr<const PageLines> closedLines = form->Store.UndoLines[1];
    const std::shared_ptr<const PageLines> lastLines = form->Store.UndoLines[2] = linesOf(2);
    const QPointer<TPageImage> closed = images[1];

    form->Close1->trigger();

    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("この画面を消去しますか？")});
    EXPECT_EQ(form->Store.PageCount, 2);
    EXPECT_EQ(page(0), images[0]);
    EXPECT_EQ(page(1), images[2]);
    EXPECT_EQ(form->Store.PageFileNames[1], paths[2]);
    EXPECT_EQ(form->Store.PageSheets[1], form->PageControl1->widget(1));
    EXPECT_EQ(form->Store.PageImages[2], nullptr);
    EXPECT_EQ(form->Store.PageSheets[2], nullptr);
    EXPECT_TRUE(form->Store.PageFileNames[2].isEmpty());
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_EQ(form->PageControl1->tabText(1), QStringLiteral("p2.png"));
    EXPECT_TRUE(closed.isNull());
    EXPECT_TRUE(closedSnapshot.expired());
    EXPECT_TRUE(closedLines.expired());
    EXPECT_EQ(form->Store.UndoLines[1], lastLines);
    EXPECT_EQ(form->Store.UndoLines[2], nullptr);
    EXPECT_EQ(form->outerSize(), outer);
}

TEST_F(ThreePages, ClosingTheLastMakesTheFirstActive) {
    ASSERT_EQ(form->PageControl1->currentIndex(), 2);
    form->Close1->trigger();
    EXPECT_EQ(form->Store.PageCount, 2);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(page(0), images[0]);
    EXPECT_EQ(page(1), images[1]);
    EXPECT_EQ(form->Store.PageImages[2], nullptr);
}

TEST_F(ThreePages, CancellingTheQuestionLeavesEverything) {
    prompts.answer = [](const QString&) { return false; };
    form->PageControl1->setCurrentIndex(1);
    form->Close1->trigger();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(form->Store.PageCount, 3);
    EXPECT_EQ(form->PageControl1->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(page(i), images[i]);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
}

TEST_F(PageStoreTest, ClosingTheOnlyPageBringsBackTheStartState) {
    open(picture(QStringLiteral("only.png"), 600, 400));
    ASSERT_NE(form->outerSize(), QSize(360, 422));
    form->Store.UndoImages[0] = std::make_shared<const Bitmap>(picture(0));
    form->Close1->trigger();

    EXPECT_EQ(form->Store.PageCount, 0);
    EXPECT_EQ(form->outerSize(), QSize(360, 422));
    for (QAction* action : pageCommands(*form))
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_FALSE(form->PageControl1->isVisible());
    EXPECT_EQ(form->Store.PageImages[0], nullptr);
    EXPECT_EQ(form->Store.UndoImages[0], nullptr);
    EXPECT_TRUE(form->Store.HasPage);

    // The next page takes slot 0 and has no snapshot: undo leaves it alone.
    open(picture(QStringLiteral("next.png"), 30, 30, qRgb(1, 2, 3)));
    EXPECT_EQ(form->Store.PageCount, 1);
    const Bitmap before = picture(0);
    form->N6->trigger();
    EXPECT_TRUE(samePicture(picture(0), before));
}

TEST_F(PageStoreTest, UndoWithoutSnapshotChangesNothing) {
    open(picture(QStringLiteral("plain.png"), 30, 20));
    PrintPixel(1, 1, 0, 0, 0, picture(0));
    const Bitmap before = picture(0);
    form->N6->trigger();
    EXPECT_TRUE(samePicture(picture(0), before));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(PageStoreTest, UndoPutsBackACopyOfTheSnapshotEveryTime) {
    open(picture(QStringLiteral("undo.png"), 30, 20, qRgb(7, 8, 9)));
    const Bitmap original = picture(0);
    form->Store.UndoImages[0] = std::make_shared<const Bitmap>(original);
    for (int round = 0; round < 2; ++round) {
        PrintPixel(2, 2, 255, 0, 0, picture(0));
        form->N6->trigger();
        EXPECT_TRUE(samePicture(picture(0), original)) << round;
        EXPECT_TRUE(samePicture(*form->Store.UndoImages[0], original)) << round;
    }
}

// A loader that fails the way a very large picture can: the error reaches the user and the
// half-built page disappears.
bool throwingLoader(const QString&, Bitmap&) {
    throw EAppError(QStringLiteral("メモリ不足"));
}
bool outOfMemoryLoader(const QString&, Bitmap&) {
    throw std::bad_alloc();
}

TEST_F(PageStoreTest, APageThatFailsToBuildIsRolledBackAndTheWindowGoesOn) {
    open(picture(QStringLiteral("good.png"), 40, 40));
    const QPointer<TPageImage> good = page(0);
    const QSize outer = form->outerSize();
    form->setPictureLoader(&throwingLoader);
    open(folder.filePath(QStringLiteral("bad.png")));
    EXPECT_EQ(prompts.warned, QStringList{QStringLiteral("メモリ不足")});
    EXPECT_EQ(form->Store.PageCount, 1);
    EXPECT_EQ(form->PageControl1->count(), 1);
    EXPECT_EQ(form->Store.PageImages[1], nullptr);
    EXPECT_EQ(form->Store.PageSheets[1], nullptr);
    EXPECT_EQ(page(0), good);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_TRUE(form->PageControl1->isVisible());
    EXPECT_EQ(form->outerSize(), outer);
}

TEST_F(PageStoreTest, AFirstPageThatFailsToBuildLeavesThePlaceholder) {
    form->setPictureLoader(&outOfMemoryLoader);
    open(folder.filePath(QStringLiteral("huge.jpg")));
    EXPECT_EQ(prompts.warned, QStringList{QStringLiteral("メモリが不足しています")});
    EXPECT_EQ(form->Store.PageCount, 0);
    EXPECT_EQ(form->PageControl1->count(), 0);
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_FALSE(form->Close1->isEnabled());
    EXPECT_FALSE(form->Store.HasPage);
}

} // namespace

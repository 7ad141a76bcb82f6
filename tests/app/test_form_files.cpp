// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include "fixtures.h"
#include "open_filter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

#include <functional>

#include <sys/stat.h>

namespace {

using OpenAndDropTest = FormTest;

TEST_F(OpenAndDropTest, OpenShowsTheDialogWithThePictureFilterAndCancelChangesNothing) {
    form->Open1->trigger();
    ASSERT_EQ(prompts.filters.size(), 1);
    EXPECT_EQ(prompts.filters[0],
              openPictureFilter(openPictureFilterEntries(registeredPictureFormats())));
    EXPECT_TRUE(prompts.filters[0].startsWith(QStringLiteral(
        "すべて (*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.tif;*.tiff;*.webp)")));
    EXPECT_EQ(form->Store.PageCount, 0);
    EXPECT_EQ(form->outerSize(), QSize(360, 422));
    EXPECT_TRUE(form->Image1->isVisible());
}

TEST_F(OpenAndDropTest, ANameThatDoesNotExistOpensNoPageAndGivesOneMessage) {
    const QString missing = folder.filePath(QStringLiteral("missing.jpg"));
    open(missing);
    EXPECT_EQ(form->Store.PageCount, 0);
    EXPECT_EQ(form->PageControl1->count(), 0);
    EXPECT_TRUE(form->Store.PageFileNames[0].isEmpty());
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_EQ(form->outerSize(), QSize(360, 422));
    ASSERT_EQ(prompts.warned.size(), 1);
    EXPECT_TRUE(prompts.warned[0].contains(missing));
    EXPECT_TRUE(prompts.errors.isEmpty());
}

class ResizeCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            ++resizes;
        return false;
    }
    int resizes = 0;
};

TEST_F(OpenAndDropTest, ThreeDroppedFilesBecomeConsecutivePagesSizedOnce) {
    const QStringList paths = {picture(QStringLiteral("one.png"), 100, 100),
                               picture(QStringLiteral("two.bmp"), 100, 50),
                               picture(QStringLiteral("three.png"), 600, 400)};
    ResizeCounter counter;
    form->installEventFilter(&counter);
    drop(paths);
    form->removeEventFilter(&counter);

    ASSERT_EQ(form->Store.PageCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form->Store.PageFileNames[size_t(i)], paths[i]);
        EXPECT_EQ(form->PageControl1->widget(i), form->Store.PageSheets[size_t(i)]);
    }
    EXPECT_EQ(form->PageControl1->tabText(1), QStringLiteral("two.bmp"));
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
    EXPECT_EQ(counter.resizes, 1);
    EXPECT_EQ(pageArea(), QSize(300, 200));
    EXPECT_TRUE(form->Store.HasPage);
    EXPECT_TRUE(prompts.informed.isEmpty());
}

TEST_F(OpenAndDropTest, FilesOpenedOrDroppedTogetherThatCannotBeReadOpenNoPage) {
    // A FIFO without a writer would hold the window forever if it were opened to be read.
    const QString pipe = folder.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const struct {
        const char* way;
        std::function<void(const QStringList&)> give;
    } ways[] = {{"open", [this](const QStringList& paths) { open(paths); }},
                {"drop", [this](const QStringList& paths) { drop(paths); }}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        form = std::make_unique<TForm1>(prompts);
        prompts.warned.clear();
        way.give({textFile(QStringLiteral("readme.txt")), picture(QStringLiteral("ok.png"), 40, 40),
                  pipe, textFile(QStringLiteral("other.dat"))});
        ASSERT_EQ(form->Store.PageCount, 1);
        ASSERT_EQ(form->PageControl1->count(), 1);
        EXPECT_EQ(form->PageControl1->tabText(0), QStringLiteral("ok.png"));
        EXPECT_EQ(form->Store.PageFileNames[0], folder.filePath(QStringLiteral("ok.png")));
        EXPECT_TRUE(form->Store.PageFileNames[1].isEmpty());
        EXPECT_EQ(picture(0).width(), 40);
        // One warning names every file that could not be read.
        ASSERT_EQ(prompts.warned.size(), 1);
        const QString& message = prompts.warned[0];
        EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("readme.txt"))));
        EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("other.dat"))));
        EXPECT_TRUE(message.contains(pipe));
        EXPECT_FALSE(message.contains(folder.filePath(QStringLiteral("ok.png"))));
        EXPECT_TRUE(prompts.informed.isEmpty());
    }
}

TEST_F(OpenAndDropTest, ADropGoesOnPastAFileTooLargeForMemoryFitsOnceAndReportsOnce) {
    // The header claims 100000 x 100000 colour pixels: refused before decoding.
    const QString huge = folder.filePath(QStringLiteral("huge.png"));
    fixtures::writeFile(huge, fixtures::png(100000, 100000, 8, 2, {QByteArray(3, '\0')}));
    const QString text = textFile(QStringLiteral("notes.txt"));
    const QStringList paths{picture(QStringLiteral("one.png"), 100, 100), text, huge,
                            picture(QStringLiteral("last.png"), 600, 400)};
    ResizeCounter counter;
    form->installEventFilter(&counter);
    drop(paths);
    form->removeEventFilter(&counter);

    ASSERT_EQ(form->Store.PageCount, 2);
    EXPECT_EQ(form->Store.PageFileNames[1], paths[3]);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_EQ(counter.resizes, 1);
    EXPECT_EQ(pageArea(), QSize(300, 200));
    EXPECT_TRUE(prompts.errors.isEmpty());
    ASSERT_EQ(prompts.warned.size(), 1);
    EXPECT_TRUE(prompts.warned[0].contains(text));
    EXPECT_TRUE(prompts.warned[0].contains(QStringLiteral("メモリが不足")));
    EXPECT_TRUE(prompts.warned[0].contains(huge));
}

TEST_F(OpenAndDropTest, ALongDroppedPathIsTakenWhole) {
    QString dir = folder.path();
    while (dir.size() < 1100)
        dir += QStringLiteral("/") + QString(60, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString path = dir + QStringLiteral("/long.png");
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
    drop({path});
    ASSERT_EQ(form->Store.PageCount, 1);
    EXPECT_EQ(form->Store.PageFileNames[0], path);
    EXPECT_EQ(picture(0).width(), 10);
}

TEST_F(OpenAndDropTest, DragsWithoutLocalFilesAreNotAccepted) {
    QMimeData data;
    data.setText(QStringLiteral("hello"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(form.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    data.setUrls({QUrl(QStringLiteral("https://example.org/a.png"))});
    QDragEnterEvent remote(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    remote.setAccepted(false);
    QCoreApplication::sendEvent(form.get(), &remote);
    EXPECT_FALSE(remote.isAccepted());
}

TEST_F(OpenAndDropTest, HoldsAHundredAndOnePagesAndRefusesTheNextOnce) {
    const QString path = picture(QStringLiteral("many.png"), 8, 6);
    QStringList paths;
    for (int i = 0; i < 102; ++i)
        paths.append(path);
    drop(paths);
    EXPECT_EQ(form->Store.PageCount, 101);
    EXPECT_EQ(form->PageControl1->count(), 101);
    EXPECT_EQ(form->PageControl1->currentIndex(), 100);
    EXPECT_NE(form->Store.PageImages[100], nullptr);
    ASSERT_EQ(prompts.informed.size(), 1);
    EXPECT_TRUE(prompts.informed[0].contains(QStringLiteral("これ以上画面を開くことはできません")));

    // The Open command says so too, without showing its dialog.
    prompts.informed.clear();
    form->Open1->trigger();
    EXPECT_TRUE(prompts.filters.isEmpty());
    EXPECT_EQ(prompts.informed.size(), 1);
    EXPECT_EQ(form->Store.PageCount, 101);

    // Closing one makes room for one.
    form->Close1->trigger();
    EXPECT_EQ(form->Store.PageCount, 100);
    EXPECT_EQ(form->Store.PageImages[100], nullptr);
    prompts.informed.clear();
    drop({path, path});
    EXPECT_EQ(form->Store.PageCount, 101);
    EXPECT_EQ(prompts.informed.size(), 1);
}

} // namespace

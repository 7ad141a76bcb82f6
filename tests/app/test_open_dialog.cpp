// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fixtures.h"
#include "open_filter.h"
#include "picture_open_dialog.h"
#include "test_application.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class OpenDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    PictureOpenDialog dialog{
        openPictureFilter(openPictureFilterEntries(registeredPictureFormats()))};
};

TEST_F(OpenDialog, ChoosesSeveralExistingFilesWithAllPicturesSelectedFirst) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList names{QStringLiteral("a.tif"), QStringLiteral("b.webp")};
    for (const QString& name : names)
        fixtures::writeFile(folder.filePath(name), "x");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(dialog.selectedNameFilter().startsWith(QStringLiteral("すべて (*.png;")));
    dialog.setDirectory(folder.path());
    auto* typed = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(typed, nullptr);
    typed->setText(QStringLiteral("\"a.tif\" \"b.webp\""));
    QMetaObject::invokeMethod(&dialog, "accept");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedFiles(),
              QStringList({folder.filePath(names[0]), folder.filePath(names[1])}));
    // The next dialog, in this run or a later one, starts where these files were.
    const PictureOpenDialog next(QStringLiteral("PNG (*.png)"));
    EXPECT_EQ(next.directory().absolutePath(), QDir(folder.path()).absolutePath());
}

TEST_F(OpenDialog, PreviewShowsTheSelectedPictureAndNothingForOtherFiles) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString picture = folder.filePath(QStringLiteral("p.png"));
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture));
    auto* preview = dialog.findChild<QLabel*>(QStringLiteral("picturePreview"));
    ASSERT_NE(preview, nullptr);

    emit dialog.currentChanged(picture);
    ASSERT_FALSE(preview->pixmap().isNull());
    EXPECT_EQ(preview->pixmap().size(), QSize(160, 80));

    emit dialog.currentChanged(folder.filePath(QStringLiteral("missing.png")));
    EXPECT_TRUE(preview->pixmap().isNull());
}

TEST_F(OpenDialog, PreviewDecodesNothingLargeAtFullSizeNorMetafilesNorOtherFormats) {
    QTemporaryDir folder;
    QImage large(3000, 2000, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    const struct {
        const char* name;
        QByteArray data;
        QSize shown; // empty: no preview
    } cases[] = {
        {"large.jpg", fixtures::encoded(large, "jpeg"), QSize(160, 106)}, // decoded scaled
        {"large.png", fixtures::encoded(large, "png"), QSize()},
        {"drawing.emf", fixtures::emf(), QSize()},
        {"xpm.png", fixtures::encoded(large.scaled(20, 20), "xpm"), QSize()},
        {"four.jpg", QByteArray("\xff\xd8\x00\x00", 4), QSize()},
        // Its scans lie far past the bytes the header is read from.
        {"scan-bomb.jpg", fixtures::manyScanJpeg(2048, 2048, 2000), QSize()},
        {"sideways.jpg",
         fixtures::withExifOrientation(fixtures::encoded(fixtures::photo(64, 32), "jpeg"), 6),
         QSize(80, 160)},
    };
    auto* preview = dialog.findChild<QLabel*>(QStringLiteral("picturePreview"));
    ASSERT_NE(preview, nullptr);
    for (const auto& c : cases) {
        const QString file = folder.filePath(QLatin1String(c.name));
        fixtures::writeFile(file, c.data);
        emit dialog.currentChanged(file);
        EXPECT_EQ(preview->pixmap().size(), c.shown.isEmpty() ? QSize(0, 0) : c.shown) << c.name;
    }
    // A FIFO would hold the dialog until something wrote to it.
    const QString pipe = folder.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    emit dialog.currentChanged(pipe);
    EXPECT_TRUE(preview->pixmap().isNull());
}

} // namespace

#include "open_filter.h"
#include "picture_open_dialog.h"
#include "test_application.h"

#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class OpenDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    PictureOpenDialog dialog{
        openPictureFilter(openPictureFilterEntries(registeredPictureFormats()))};
};

TEST_F(OpenDialog, OneFileThatNeedNotExistWithAllPicturesSelectedFirst) {
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
    EXPECT_EQ(dialog.nameFilters().size(), 9);
    EXPECT_TRUE(dialog.selectedNameFilter().startsWith(QStringLiteral("すべて (*.png;")));
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

} // namespace

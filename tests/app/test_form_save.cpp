// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "fixtures.h"
#include "form_fixture.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>

#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int bmpDepth(const QByteArray& file) {
    return file.size() < 30 ? 0 : uchar(file[28]) | uchar(file[29]) << 8;
}

const QString kRefused = QStringLiteral("保存ファイルはJpeg,BMPのみ対応です。");

class SaveTest : public FormTest {
protected:
    void TearDown() override {
        sizeLimit.reset();
        for (const QString& mount : mounts)
            umount2(mount.toLocal8Bit().constData(), MNT_DETACH);
        FormTest::TearDown();
    }

    void saveAs(const QString& name) {
        prompts.filesToSave.append(name);
        form->SaveAs1->trigger();
    }
    void overwriteSave(bool ok) {
        prompts.answer = [ok](const QString&) { return ok; };
        form->Save1->trigger();
    }
    QString file(const QString& name) const { return folder.filePath(name); }
    QStringList entries() const {
        return QDir(folder.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    // Every file under the test folder with its bytes.
    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, contents(path));
        }
        return files;
    }
    // Mounts a small file system of its own over a new folder; false where mounting is not
    // permitted.
    bool mountSmallDisk(const QString& dir, int kilobytes) {
        QDir().mkpath(dir);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (mount("tmpfs", dir.toLocal8Bit().constData(), "tmpfs", 0, options.constData()) != 0)
            return false;
        mounts.append(dir);
        return true;
    }
    bool makeReadOnly(const QString& dir) {
        return mount("tmpfs", dir.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                     nullptr) == 0;
    }

    QStringList mounts;
    std::optional<fixtures::FileSizeLimit> sizeLimit;
};

TEST_F(SaveTest, SaveAsOpensBesideTheSourceProposingItsName) {
    open(picture(QStringLiteral("my.cat.png"), 8, 8));
    const QStringList before = entries();
    form->SaveAs1->trigger(); // the user cancels
    ASSERT_EQ(prompts.saveDialogs.size(), 1);
    EXPECT_EQ(prompts.saveDialogs[0].directory, folder.path());
    EXPECT_EQ(prompts.saveDialogs[0].fileName, QStringLiteral("my"));
    EXPECT_EQ(prompts.saveDialogs[0].defaultSuffix, QStringLiteral("jpg"));
    EXPECT_EQ(prompts.saveDialogs[0].filter,
              QStringLiteral("JPEG イメージファイル (*.jpg);;ビットマップ (*.bmp)"));
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_TRUE(prompts.informed.isEmpty());
}

enum class Written { Jpeg, Bmp, Nothing };

struct ChoiceCase {
    const char* chosen;
    const char* written; // the file that appears, if any
    Written kind;
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c) {
    return out << c.chosen;
}

class SaveAsChoice : public SaveTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(SaveAsChoice, TheChosenNamesExtensionAloneDecides) {
    const ChoiceCase& c = GetParam();
    const QRgb colour = qRgb(200, 40, 30);
    open(picture(QStringLiteral("photo.png"), 32, 16, colour, QImage::Format_ARGB32));
    ASSERT_EQ(picture(0).depth(), 32);
    saveAs(file(QLatin1String(c.chosen)));

    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join(u'\n').toStdString();
    QStringList expected{QStringLiteral("photo.png")};
    if (c.kind == Written::Nothing) {
        EXPECT_EQ(prompts.informed, QStringList{kRefused});
    } else {
        expected.append(QLatin1String(c.written));
        EXPECT_TRUE(prompts.informed.isEmpty());
    }
    expected.sort();
    EXPECT_EQ(entries(), expected);

    const QByteArray written = contents(file(QLatin1String(c.written)));
    if (c.kind == Written::Bmp) {
        EXPECT_EQ(bmpDepth(written), 32);
        EXPECT_EQ(written.size(), 54 + 32 * 16 * 4);
    } else if (c.kind == Written::Jpeg) {
        const QByteArray frame = fixtures::jpegSegment(written, 0xC0);
        ASSERT_GE(frame.size(), 6);
        EXPECT_EQ(int(frame[5]), 3) << "components";
        const QRgb seen = QImage::fromData(written, "JPEG").pixel(8, 8);
        EXPECT_NEAR(qRed(seen), qRed(colour), 6);
        EXPECT_NEAR(qGreen(seen), qGreen(colour), 6);
        EXPECT_NEAR(qBlue(seen), qBlue(colour), 6);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsChoice,
                         ::testing::Values(ChoiceCase{"Cat.JPG", "Cat.jpg", Written::Jpeg},
                                           ChoiceCase{"cat.Bmp", "cat.Bmp", Written::Bmp},
                                           ChoiceCase{"cat.jpeg", "", Written::Nothing},
                                           ChoiceCase{"cat.png", "", Written::Nothing},
                                           ChoiceCase{"cat", "", Written::Nothing}),
                         [](const auto& info) { return "name" + std::to_string(info.index); });

TEST_F(SaveTest, OverwriteSaveAsksThenWritesAJpegBesideTheSource) {
    const QString source = picture(QStringLiteral("cat.png"), 24, 24);
    const QByteArray png = contents(source);
    open(source);

    overwriteSave(false);
    ASSERT_EQ(prompts.questions.size(), 1);
    // The file about to be replaced, on a line of its own.
    EXPECT_EQ(prompts.questions[0],
              QStringLiteral("画像をjpegで上書きしますか？\r\n 注意：同じファイル名は上書きします。"
                             "\r\n") +
                  QDir::toNativeSeparators(file(QStringLiteral("cat.jpg"))));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("cat.png")});

    overwriteSave(true);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("cat.jpg"), QStringLiteral("cat.png")}));
    EXPECT_EQ(QImage::fromData(contents(file(QStringLiteral("cat.jpg"))), "JPEG").size(),
              QSize(24, 24));
    EXPECT_EQ(contents(source), png);
    EXPECT_EQ(form->Store.PageFileNames[0], source);
}

// Which file overwrite-save means: the extension compared without regard to case, and a
// question that has Cancel as its default and says when the file it replaces is another
// photo than the page's own.
struct OverwriteCase {
    const char* source;
    const char* other; // another file already in the folder, or empty
    const char* written;
    bool warnsOfAnotherFile;
};

class OverwriteTarget : public SaveTest, public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteTarget, AsksWithCancelAsDefaultAndWritesTheFileItNames) {
    const OverwriteCase& c = GetParam();
    const QString source = picture(QString::fromUtf8(c.source), 20, 10, qRgb(200, 30, 30));
    const QString other = *c.other ? picture(QString::fromUtf8(c.other), 8, 8) : QString();
    const QByteArray otherBytes = contents(other);
    open(source);
    const QStringList before = entries();

    overwriteSave(false);
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(prompts.questionDefaults, QList{Prompts::Default::Cancel});
    const QString lastLine = prompts.questions[0].section(QStringLiteral("\r\n"), -1);
    EXPECT_EQ(lastLine == QStringLiteral("このファイルは読み込んだ画像とは別のファイルです。"
                                         "置き換えると元に戻せません。"),
              c.warnsOfAnotherFile)
        << prompts.questions[0].toStdString();
    EXPECT_TRUE(prompts.questions[0].contains(
        QDir::toNativeSeparators(file(QString::fromUtf8(c.written)))));
    EXPECT_EQ(entries(), before) << "cancelling wrote nothing";
    EXPECT_EQ(contents(other), otherBytes);

    overwriteSave(true);
    QStringList after = before;
    if (!after.contains(QString::fromUtf8(c.written)))
        after.append(QString::fromUtf8(c.written));
    after.sort();
    EXPECT_EQ(entries(), after);
    EXPECT_EQ(QImage::fromData(contents(file(QString::fromUtf8(c.written))), "JPEG").size(),
              QSize(20, 10));
}

INSTANTIATE_TEST_SUITE_P(Names, OverwriteTarget,
                         ::testing::Values(OverwriteCase{"cat.png", "", "cat.jpg", false},
                                           OverwriteCase{"cat.png", "cat.jpg", "cat.jpg", true},
                                           OverwriteCase{"pet.png", "pet.JPG", "pet.JPG", true},
                                           OverwriteCase{"PHONE.JPG", "", "PHONE.JPG", false},
                                           OverwriteCase{"photo.jpeg", "", "photo.jpg", false},
                                           OverwriteCase{"photo.jpeg", "photo.Jpg", "photo.Jpg",
                                                         true}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(SaveTest, OverwriteSaveReplacesAJpegSourceTheSameWayEachTime) {
    const QString source = picture(QStringLiteral("cat.jpg"), 40, 30);
    const QByteArray original = contents(source);
    open(source);
    overwriteSave(true);
    const QByteArray first = contents(source);
    overwriteSave(true);
    EXPECT_NE(first, original);
    EXPECT_EQ(contents(source), first);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("cat.jpg")});
}

TEST_F(SaveTest, SaveAsElsewhereLeavesOverwriteSaveBesideTheSource) {
    const QString source = picture(QStringLiteral("cat.png"), 16, 16);
    open(source);
    const Bitmap before = picture(0);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("other")));
    saveAs(file(QStringLiteral("other/copy.jpg")));
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("other/copy.jpg"))));
    overwriteSave(true);
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("cat.jpg"))));
    EXPECT_TRUE(prompts.questions.last().endsWith(
        QStringLiteral("\r\n") + QDir::toNativeSeparators(file(QStringLiteral("cat.jpg")))));
    EXPECT_EQ(form->Store.PageFileNames[0], source);
    EXPECT_TRUE(samePicture(picture(0), before));
}

TEST_F(SaveTest, ConvertedPageSavedAsBmpIs24BitWithPaddedRows) {
    open(picture(QStringLiteral("wide.png"), 21, 9, qRgb(10, 200, 90), QImage::Format_ARGB32));
    form->N4->trigger();
    ASSERT_EQ(picture(0).depth(), 24);
    saveAs(file(QStringLiteral("page.bmp")));
    const QByteArray bmp = contents(file(QStringLiteral("page.bmp")));
    EXPECT_EQ(bmpDepth(bmp), 24);
    EXPECT_EQ(bmp.mid(10, 4).toHex(), QByteArray("36000000")) << "pixels right after 54 bytes";
    EXPECT_EQ(bmp.size(), 54 + 9 * 64) << "63 bytes of pixels per row, padded to 64";
}

TEST_F(SaveTest, SavingWhileAConversionRunsWritesThePictureAsItIsThen) {
    const QRgb red = qRgb(220, 20, 20);
    open(picture(QStringLiteral("cat.png"), 64, 48, red));
    bool saved = false;
    QMetaObject::invokeMethod(
        form.get(),
        [&] {
            overwriteSave(true);
            saved = QFile::exists(file(QStringLiteral("cat.jpg")));
        },
        Qt::QueuedConnection);
    form->N4->trigger();
    ASSERT_TRUE(saved) << "the save did not run during the conversion";
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_NE(picture(0).pixel(32, 24), red) << "the conversion did not finish";
    const QRgb seen =
        QImage::fromData(contents(file(QStringLiteral("cat.jpg"))), "JPEG").pixel(32, 24);
    EXPECT_NEAR(qRed(seen), qRed(red), 6);
    EXPECT_NEAR(qGreen(seen), qGreen(red), 6);
}

class SaveFault;

// A save that fails: how to make the fault (giving the name chosen in Save As, or an empty
// text when the fault cannot be made here) and the start of the message it must show.
struct FaultCase {
    const char* name;
    QString (SaveFault::*prepare)();
    QString message; // %1: the chosen name
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) {
    return out << c.name;
}

class SaveFault : public SaveTest, public ::testing::WithParamInterface<FaultCase> {
public:
    QString folderIsAFile() { return textFile(QStringLiteral("plain.txt")) + "/page.jpg"; }
    QString missingFolder() { return file(QStringLiteral("missing/page.bmp")); }
    QString readOnlyFolder() {
        const QString dir = file(QStringLiteral("locked"));
        const bool mounted = mountSmallDisk(dir, 256);
        if (!mounted)
            QDir().mkpath(dir);
        fixtures::writeFile(dir + "/old.jpg", "the old picture");
        if (mounted)
            return makeReadOnly(dir) ? dir + "/old.jpg" : QString();
        // Without a mount of its own the folder's rights must stop the write; they do not
        // stop root.
        if (geteuid() == 0)
            return QString();
        locked = dir;
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        return dir + "/old.jpg";
    }
    QString fullDisk() {
        const QString dir = file(QStringLiteral("small"));
        if (!mountSmallDisk(dir, 64))
            QDir().mkpath(dir);
        fixtures::writeFile(dir + "/old.bmp", "the old picture");
        if (mounts.isEmpty())
            sizeLimit.emplace(64 * 1024);
        return dir + "/old.bmp"; // the page takes 270 KB as a bitmap
    }
    QString encoderError() {
        page(0)->setPicture(Bitmap(65501, 1)); // wider than JPEG allows
        fixtures::writeFile(file(QStringLiteral("old.jpg")), "the old picture");
        return file(QStringLiteral("old.jpg"));
    }
    QString fifoTarget() {
        const QString pipe = file(QStringLiteral("pipe.bmp"));
        return ::mkfifo(QFile::encodeName(pipe).constData(), 0644) == 0 ? pipe : QString();
    }
    QString emptyPicture() {
        page(0)->setPicture(Bitmap());
        return file(QStringLiteral("new.jpg"));
    }

protected:
    void TearDown() override {
        if (!locked.isEmpty())
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SaveTest::TearDown();
    }
    QString locked;
};

TEST_P(SaveFault, ShowsItsMessageAndLeavesEveryFileAsItWas) {
    open(picture(QStringLiteral("photo.png"), 300, 300));
    const QString chosen = (this->*GetParam().prepare)();
    if (chosen.isEmpty())
        GTEST_SKIP() << "running as root where mounting is not permitted: root writes into "
                        "folders without write rights, so this fault cannot be made";
    const auto before = snapshot();
    saveAs(chosen);
    ASSERT_EQ(prompts.errors.size(), 1);
    const QString& message = GetParam().message;
    const QString expected = message.contains(QLatin1String("%1")) ? message.arg(chosen) : message;
    EXPECT_TRUE(prompts.errors[0].startsWith(expected)) << prompts.errors[0].toStdString();
    if (expected.endsWith(QStringLiteral("できません。"))) {
        EXPECT_GT(prompts.errors[0].size(), expected.size()) << "the system's reason is missing";
    }
    EXPECT_EQ(snapshot(), before);
}

const QString kCannotCreate = QStringLiteral("ファイル \"%1\" を作成できません。");

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFault,
    ::testing::Values(FaultCase{"folder_is_a_file", &SaveFault::folderIsAFile, kCannotCreate},
                      FaultCase{"missing_folder", &SaveFault::missingFolder, kCannotCreate},
                      FaultCase{"read_only_folder", &SaveFault::readOnlyFolder, kCannotCreate},
                      FaultCase{"full_disk", &SaveFault::fullDisk,
                                QStringLiteral("ストリームへの書き込みエラー\n%1")},
                      FaultCase{"target_is_a_fifo", &SaveFault::fifoTarget, kCannotCreate},
                      FaultCase{"encoder_error", &SaveFault::encoderError,
                                QStringLiteral("JPEG エラー #%1").arg(JERR_IMAGE_TOO_BIG)},
                      FaultCase{"empty_picture", &SaveFault::emptyPicture,
                                noPictureToSaveError().message()}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

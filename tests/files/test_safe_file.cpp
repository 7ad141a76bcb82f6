#include "app_error.h"
#include "fixtures.h"
#include "picture_saver.h"
#include "safe_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

class SafeFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList entries() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QTemporaryDir m_dir;
};

TEST_F(SafeFile, CreatesAndReplacesLeavingNoTemporaryFiles) {
    const QString target = path(QStringLiteral("page.bmp"));
    WriteFileSafely(target, "first");
    EXPECT_EQ(contents(target), QByteArray("first"));
    WriteFileSafely(target, "second, longer");
    EXPECT_EQ(contents(target), QByteArray("second, longer"));
    WriteFileSafely(target, "");
    EXPECT_EQ(contents(target), QByteArray());
    EXPECT_EQ(entries(), QStringList{QStringLiteral("page.bmp")});
}

struct CreateFailure {
    const char* name;
    const char* target; // relative to the temporary directory
};

class CannotCreate : public SafeFile, public ::testing::WithParamInterface<CreateFailure> {};

TEST_P(CannotCreate, ReportsThePathAndTheReasonAndChangesNothing) {
    // Tests may run as root, so the failures come from the file system's shape, not rights.
    put(path(QStringLiteral("plain")), "keep me");
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("folder/inner")));
    put(path(QStringLiteral("folder/inner/x")), "keep me too");
    const QStringList before = entries();

    const QString target = path(QLatin1String(GetParam().target));
    try {
        WriteFileSafely(target, "new data");
        FAIL() << "no error";
    } catch (const EAppError& error) {
        const QString prefix = QStringLiteral("ファイル \"%1\" を作成できません。").arg(target);
        EXPECT_TRUE(error.message().startsWith(prefix)) << error.message().toStdString();
        EXPECT_GT(error.message().size(), prefix.size()) << "the reason is missing";
    }
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(contents(path(QStringLiteral("plain"))), QByteArray("keep me"));
    EXPECT_EQ(contents(path(QStringLiteral("folder/inner/x"))), QByteArray("keep me too"));
}

INSTANTIATE_TEST_SUITE_P(Paths, CannotCreate,
                         ::testing::Values(CreateFailure{"parent_is_a_file", "plain/page.bmp"},
                                           CreateFailure{"target_is_a_folder", "folder"},
                                           CreateFailure{"no_such_folder", "missing/page.bmp"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeFile, ShortWriteIsAStreamErrorAndKeepsTheOldFile) {
    const QString target = path(QStringLiteral("page.bmp"));
    put(target, "the old picture");
    const QByteArray big(200000, 'x');
    try {
        fixtures::FileSizeLimit limit(4096);
        WriteFileSafely(target, big);
        FAIL() << "no error";
    } catch (const EAppError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("ストリームへの書き込みエラー"));
    }
    EXPECT_EQ(contents(target), QByteArray("the old picture"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("page.bmp")});
}

TEST_F(SafeFile, PicturesThatOutgrowTheDiskWhileEncodedKeepTheOldFile) {
    // Either file is far beyond the limit, and is written as it is encoded.
    const Bitmap page = Bitmap::fromImage(fixtures::photo(400, 300), 24);
    for (const char* name : {"page.bmp", "page.jpg"}) {
        const QString target = path(QLatin1String(name));
        put(target, "the old picture");
        try {
            fixtures::FileSizeLimit limit(16384);
            SavePicture(page, target, SaveFormatOf(target));
            ADD_FAILURE() << name << ": no error";
        } catch (const EAppError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("ストリームへの書き込みエラー")) << name;
        }
        EXPECT_EQ(contents(target), QByteArray("the old picture")) << name;
    }
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("page.bmp"), QStringLiteral("page.jpg")}));
}

} // namespace

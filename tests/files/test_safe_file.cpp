// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "fixtures.h"
#include "picture_saver.h"
#include "safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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
        EXPECT_EQ(error.message(), QStringLiteral("ストリームへの書き込みエラー\n") + target);
    }
    EXPECT_EQ(contents(target), QByteArray("the old picture"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("page.bmp")});
}

TEST_F(SafeFile, PicturesThatOutgrowTheDiskWhileEncodedKeepTheOldFile) {
    // Each file is far beyond the limit: a BMP or JPEG fails while it is encoded, a PNG once it is.
    const Bitmap page = Bitmap::fromImage(fixtures::photo(400, 300), 24);
    const std::pair<const char*, SaveFormat> saves[] = {{"page.bmp", SaveFormat::Bmp},
                                                        {"page.jpg", SaveFormat::Jpeg},
                                                        {"page.png", SaveFormat::Png}};
    for (const auto& [name, format] : saves) {
        const QString target = path(QLatin1String(name));
        put(target, "the old picture");
        try {
            fixtures::FileSizeLimit limit(16384);
            SavePicture(page, target, format);
            ADD_FAILURE() << name << ": no error";
        } catch (const EAppError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("ストリームへの書き込みエラー\n") + target)
                << name;
        }
        EXPECT_EQ(contents(target), QByteArray("the old picture")) << name;
    }
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("page.bmp"), QStringLiteral("page.jpg"),
                                      QStringLiteral("page.png")}));
}

// Names that are no file to replace: each made in the folder, and the name a save is given.
struct SpecialTarget {
    const char* name;
    std::function<QByteArray(const QByteArray& dir)> make;
};

QByteArray fifo(const QByteArray& at) {
    EXPECT_EQ(::mkfifo(at.constData(), 0644), 0);
    return at;
}

QByteArray linkTo(const QByteArray& target, const QByteArray& at) {
    EXPECT_EQ(::symlink(target.constData(), at.constData()), 0);
    return at;
}

QByteArray socketAt(const QByteArray& at) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, at.constData(), sizeof(address.sun_path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    return at;
}

const SpecialTarget kSpecialTargets[] = {
    {"fifo", [](const QByteArray& dir) { return fifo(dir + "/x.bmp"); }},
    {"link_to_fifo",
     [](const QByteArray& dir) {
         fifo(dir + "/pipe");
         return linkTo("pipe", dir + "/x.bmp");
     }},
    {"link_to_device", [](const QByteArray& dir) { return linkTo("/dev/null", dir + "/x.bmp"); }},
    {"link_to_folder",
     [](const QByteArray& dir) {
         EXPECT_EQ(::mkdir((dir + "/folder").constData(), 0755), 0);
         return linkTo("folder", dir + "/x.bmp");
     }},
    {"socket", [](const QByteArray& dir) { return socketAt(dir + "/x.sock"); }},
    {"standard_output", [](const QByteArray&) { return QByteArray("/dev/stdout"); }},
};

class Special : public SafeFile, public ::testing::WithParamInterface<SpecialTarget> {
protected:
    // The node the name leads to: its kind and identity, links followed.
    static QByteArray node(const QByteArray& name) {
        struct stat status {};
        if (::stat(name.constData(), &status) != 0)
            return "none";
        return QByteArray::number(status.st_mode & S_IFMT) + ':' +
               QByteArray::number(qulonglong(status.st_ino));
    }
};

TEST_P(Special, IsRefusedNamingItAndLeftAsItWas) {
    const QString target = QFile::decodeName(GetParam().make(QFile::encodeName(m_dir.path())));
    const QStringList before = entries();
    const QByteArray nodeBefore = node(QFile::encodeName(target));
    bool encoded = false;
    const std::function<void()> attempts[] = {
        [&] { checkSaveTarget(target); },
        [&] {
            WriteFileSafely(target, [&encoded](QIODevice& file) {
                encoded = true;
                return file.write("new") == 3;
            });
        },
    };
    for (const auto& attempt : attempts) {
        try {
            attempt();
            ADD_FAILURE() << "no error";
        } catch (const EAppError& error) {
            EXPECT_TRUE(error.message().startsWith(
                QStringLiteral("ファイル \"%1\" を作成できません。\"").arg(target)))
                << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(QStringLiteral("通常のファイルではありません")))
                << error.message().toStdString();
        }
    }
    EXPECT_FALSE(encoded) << "the contents were made for a target that was refused";
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(node(QFile::encodeName(target)), nodeBefore);
}

INSTANTIATE_TEST_SUITE_P(Targets, Special, ::testing::ValuesIn(kSpecialTargets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeFile, ATargetTurnedIntoAFifoWhileWrittenIsLeftAlone) {
    const QByteArray target = QFile::encodeName(path(QStringLiteral("page.bmp")));
    put(QFile::decodeName(target), "old");
    EXPECT_THROW(WriteFileSafely(QFile::decodeName(target),
                                 [&target](QIODevice& file) {
                                     ::unlink(target.constData());
                                     fifo(target);
                                     return file.write("new") == 3;
                                 }),
                 EAppError);
    struct stat status {};
    ASSERT_EQ(::lstat(target.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    // Nor is a temporary file left (the FIFO is no file to QDir).
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(SafeFile, LinksLeadToTheFileReplacedWhichKeepsItsOwnerAndRights) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("real")));
    const QByteArray real = QFile::encodeName(path(QStringLiteral("real/page.bmp")));
    put(QFile::decodeName(real), "old");
    ASSERT_EQ(::chmod(real.constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(real.constData(), 65534, 65534), 0);
    }
    // A chain of links, relative each; and a second name for the file itself.
    linkTo("real/page.bmp", QFile::encodeName(path(QStringLiteral("link.bmp"))));
    linkTo("link.bmp", QFile::encodeName(path(QStringLiteral("chain.bmp"))));
    ASSERT_EQ(::link(real.constData(), QFile::encodeName(path(QStringLiteral("hard.bmp")))), 0);

    WriteFileSafely(path(QStringLiteral("chain.bmp")), QByteArray("new"));

    EXPECT_EQ(contents(QFile::decodeName(real)), QByteArray("new"));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("chain.bmp"))).symLinkTarget(),
              path(QStringLiteral("link.bmp")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("link.bmp"))).symLinkTarget(), QFile::decodeName(real));
    struct stat status {};
    ASSERT_EQ(::stat(real.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(status.st_uid, 65534u);
        EXPECT_EQ(status.st_gid, 65534u);
    }
    // Replaced, not rewritten: the other name keeps what the file held.
    EXPECT_EQ(contents(path(QStringLiteral("hard.bmp"))), QByteArray("old"));
    EXPECT_EQ(QDir(path(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("page.bmp")});
}

} // namespace

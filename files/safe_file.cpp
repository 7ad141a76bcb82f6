// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "safe_file.h"

#include "app_error.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <optional>

#include <QCoreApplication>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EAppError cannotCreate(const QString& path, const QString& reason) {
    return EAppError(QCoreApplication::translate("SafeFile", "ファイル \"%1\" を作成できません。%2")
                         .arg(path, reason));
}

EAppError cannotCreate(const QString& path, int error) {
    return cannotCreate(path, qt_error_string(error));
}

EAppError writeError(const QString& path) {
    return EAppError(
        QCoreApplication::translate("SafeFile", "ストリームへの書き込みエラー\n%1").arg(path));
}

// A name under /proc (as /dev/stdout leads to) stands for a stream the process holds, even
// where its link names a regular file: replacing that file would cut the stream off.
bool inProcessTable(const QByteArray& name) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(name)))
        .startsWith(QLatin1String("/proc/"));
}

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return QCoreApplication::translate("SafeFile", "フォルダー");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("SafeFile", "名前付きパイプ");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("SafeFile", "ソケット");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("SafeFile", "デバイス");
    return QCoreApplication::translate("SafeFile", "特殊なファイル");
}

EAppError notARegularFile(const QString& path, const QByteArray& target, const QString& kind) {
    return cannotCreate(path, QCoreApplication::translate(
                                  "SafeFile", "\"%1\" は通常のファイルではありません（%2）。")
                                  .arg(QFile::decodeName(target), kind));
}

// The file a save replaces: path with its links followed, and what it is now.
struct Target {
    QByteArray name;
    bool exists = false;
    struct stat status {};
};

QByteArray directoryOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

// Follows path's links to the name that will be replaced; throws when that is anything but
// a regular file or a name not yet taken.
Target resolveTarget(const QString& path) {
    // As many links as the system itself follows before it gives up.
    constexpr int kMaxLinks = 40;
    Target target;
    target.name = QFile::encodeName(path);
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (inProcessTable(target.name))
            throw notARegularFile(path, target.name,
                                  QCoreApplication::translate("SafeFile", "ストリーム"));
        if (::lstat(target.name.constData(), &target.status) != 0) {
            if (errno == ENOENT)
                return target;
            throw cannotCreate(path, errno);
        }
        if (S_ISREG(target.status.st_mode)) {
            target.exists = true;
            return target;
        }
        if (!S_ISLNK(target.status.st_mode))
            throw notARegularFile(path, target.name, kindOf(target.status.st_mode));
        QByteArray link(qsizetype(target.status.st_size) + 1, '\0');
        const ssize_t length =
            ::readlink(target.name.constData(), link.data(), size_t(link.size()));
        if (length < 0 || length >= link.size())
            throw cannotCreate(path, length < 0 ? errno : ELOOP);
        link.truncate(length);
        target.name = link.startsWith('/') ? link : directoryOf(target.name) + '/' + link;
    }
    throw cannotCreate(path, ELOOP);
}

// Names of temporary files that exist on disk, removed by the handler of a signal that
// ends the process (SIGTERM, SIGINT, SIGHUP), so that a stopped save leaves nothing
// beside its target. Slots are claimed and freed without locks: a handler may run at any
// moment on any thread.
constexpr int kTemporarySlots = 32;
std::atomic<const char*> temporaryNames[kTemporarySlots];

extern "C" void removeTemporariesAndDie(int signal) {
    for (std::atomic<const char*>& slot : temporaryNames)
        if (const char* name = slot.load())
            ::unlink(name);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// The handler goes on each of the three signals the program has left to their default
// (ending the process); one the program handles itself is left alone.
void watchStoppingSignals() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            struct sigaction now {};
            if (::sigaction(signal, nullptr, &now) != 0 || now.sa_handler != SIG_DFL)
                continue;
            struct sigaction handler {};
            handler.sa_handler = removeTemporariesAndDie;
            sigemptyset(&handler.sa_mask);
            ::sigaction(signal, &handler, nullptr);
        }
    });
}

// Keeps a name in the list while it lives. Past kTemporarySlots saves at once, a name is
// not listed: a stopped save may then leave that file behind.
class ListedName {
public:
    explicit ListedName(const QByteArray& name) : m_name(name) {
        watchStoppingSignals();
        for (std::atomic<const char*>& slot : temporaryNames) {
            const char* empty = nullptr;
            if (slot.compare_exchange_strong(empty, m_name.constData())) {
                m_slot = &slot;
                return;
            }
        }
    }
    ~ListedName() {
        if (m_slot)
            m_slot->store(nullptr);
    }
    ListedName(const ListedName&) = delete;
    ListedName& operator=(const ListedName&) = delete;

private:
    const QByteArray m_name;
    std::atomic<const char*>* m_slot = nullptr;
};

// A name beside the target not yet taken, made by creating it with creation: a file
// descriptor, or -1 with errno set (EEXIST: try another name).
int createUnderFreshName(const QString& path, const QByteArray& stem, QByteArray& name,
                         const std::function<int(const QByteArray&)>& creation) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int result = creation(name);
        if (result >= 0)
            return result;
        if (errno != EEXIST)
            throw cannotCreate(path, errno);
    }
    throw cannotCreate(path, EEXIST);
}

// The temporary file beside the target; removed again unless it became the target. Where
// the system and the file system allow, it has no name until it is complete (O_TMPFILE):
// a process killed while writing, even by SIGKILL, leaves nothing. Elsewhere it is named
// from the start, and listed for the stopping signals' handler.
class TemporaryFile {
public:
    TemporaryFile(const QString& path, const Target& target)
        : m_path(path), m_stem(target.name + '.') {
        // Readable by none but the owner until it carries the target's own rights.
        const mode_t mode = target.exists ? 0600 : 0666;
#ifdef O_TMPFILE
        // Linking it later goes through /proc, without which it could never be named.
        if (::access("/proc/self/fd", X_OK) == 0) {
            m_fd = ::open(directoryOf(target.name).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                          mode);
            if (m_fd >= 0)
                return;
        }
#endif
        m_fd = createUnderFreshName(path, m_stem, m_name, [mode](const QByteArray& name) {
            return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          mode);
        });
        m_listed.emplace(m_name);
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.isEmpty())
            ::unlink(m_name.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const {
        return m_fd;
    }
    // The complete file takes the target's name; false when it could not be closed.
    // Throws when it cannot be named.
    bool replace(const QByteArray& target) {
        if (m_name.isEmpty()) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
            createUnderFreshName(m_path, m_stem, m_name, [&self](const QByteArray& name) {
                return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(),
                                AT_SYMLINK_FOLLOW);
            });
            m_listed.emplace(m_name);
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            return false;
        if (::rename(m_name.constData(), target.constData()) != 0)
            throw cannotCreate(m_path, errno);
        m_listed.reset();
        m_name.clear();
        return true;
    }

private:
    QString m_path;
    QByteArray m_stem;
    QByteArray m_name; // empty while the file has none
    int m_fd = -1;
    std::optional<ListedName> m_listed;
};

// The replaced file's owner, group and rights. Only root may give a file away; anyone may
// give it a group they belong to. Ownership goes first, as a change of owner clears the
// set-user and set-group bits.
void takeOverAttributes(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

} // namespace

void checkSaveTarget(const QString& path) {
    resolveTarget(path);
}

void WriteFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write) {
    const Target target = resolveTarget(path);
    TemporaryFile temporary(path, target);
    {
        QFile file;
        if (!file.open(temporary.fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            throw cannotCreate(path, file.errorString());
        // The temporary file goes with its guard when write throws.
        if (!write(file) || file.error() != QFileDevice::NoError || !file.flush())
            throw writeError(path);
    }
    if (target.exists)
        takeOverAttributes(temporary.fd(), target.status);
    // The new contents are on the disk before they replace the old.
    if (::fdatasync(temporary.fd()) != 0)
        throw writeError(path);
    // Whatever took the name while the contents were made is left alone unless it is a
    // regular file: rename replaces a name and never writes into a device or a pipe.
    struct stat now {};
    if (::lstat(target.name.constData(), &now) == 0 && !S_ISREG(now.st_mode))
        throw notARegularFile(path, target.name, kindOf(now.st_mode));
    if (!temporary.replace(target.name))
        throw writeError(path);
}

void WriteFileSafely(const QString& path, const QByteArray& data) {
    WriteFileSafely(path, [&data](QIODevice& file) { return file.write(data) == data.size(); });
}

void startWriteback(QIODevice& file) {
#ifdef Q_OS_LINUX
    if (auto* onDisk = qobject_cast<QFileDevice*>(&file); onDisk && onDisk->handle() >= 0)
        ::sync_file_range(onDisk->handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(file);
#endif
}

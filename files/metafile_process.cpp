// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "metafile_process.h"

#include "file_bytes.h"
#include "metafile_records.h"
#include "picture_format.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include <optional>

#include <csignal>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PINTABEL_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PINTABEL_ADDRESS_SANITIZER 1
#endif

namespace {

constexpr int kMaxSide = 65535;

struct Renderer {
    QString program;
    int timeoutMs;
};

std::optional<Renderer>& renderer() {
    static std::optional<Renderer> configured;
    return configured;
}

// Runs in the child between fork and exec.
void limitChild(qint64 maxBytes, int timeoutMs, pid_t parent) {
    // A child left behind would go on drawing for nobody until its time limit.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(MetafileExitUnreadable);
    // Nothing of the parent's but the two pipes and standard error.
    close_range(3, ~0U, 0);
#if !defined(PINTABEL_ADDRESS_SANITIZER)
    // The address sanitizer reserves far more address space than it uses. The child's own
    // code and libraries come on top of the pictures it draws.
    constexpr qint64 kChildBaseBytes = qint64(1) << 30;
    const rlim_t bytes = rlim_t(maxBytes + kChildBaseBytes);
    const rlimit memory{bytes, bytes};
    setrlimit(RLIMIT_AS, &memory);
#else
    Q_UNUSED(maxBytes);
#endif
    const rlim_t seconds = rlim_t(timeoutMs / 1000 + 1);
    const rlimit cpu{seconds, seconds};
    setrlimit(RLIMIT_CPU, &cpu);
}

// The picture the child sends back: width and height as 32-bit little-endian numbers, then
// the RGB32 rows. Null when what came is not exactly that. The rows are not copied: the
// picture keeps the bytes received.
QImage decodePicture(QByteArray sent, qint64 maxBytes, bool& tooLarge) {
    const qint64 width = littleEndian32(sent, 0);
    const qint64 height = littleEndian32(sent, 4);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return {};
    if (width * height * 4 > maxBytes) {
        tooLarge = true;
        return {};
    }
    if (sent.size() != 8 + width * height * 4)
        return {};
    auto* bytes = new QByteArray(std::move(sent));
    return QImage(
        reinterpret_cast<uchar*>(bytes->data()) + 8, int(width), int(height), width * 4,
        QImage::Format_RGB32, [](void* owner) { delete static_cast<QByteArray*>(owner); }, bytes);
}

// How many bytes a child may still send: the picture its header announces, and no more.
// Before the header is complete that is unknown, and only the header may come.
qint64 bytesExpected(const QByteArray& sent, qint64 maxBytes) {
    if (sent.size() < 8)
        return 8;
    const qint64 width = littleEndian32(sent, 0);
    const qint64 height = littleEndian32(sent, 4);
    if (width > kMaxSide || height > kMaxSide || width * height * 4 > maxBytes)
        return 8;
    return 8 + width * height * 4;
}

// Reads what the child writes to its standard output until it ends, the time runs out or
// it sends more than its header announced (then it is killed). False unless it ended on
// its own in time.
bool readChild(QProcess& child, qint64 maxBytes, int timeoutMs, QByteArray& sent) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        sent.append(child.readAllStandardOutput());
        const qint64 expected = bytesExpected(sent, maxBytes);
        if (sent.size() > expected)
            break;
        sent.reserve(expected);
        if (child.state() == QProcess::NotRunning)
            return child.exitStatus() == QProcess::NormalExit;
        if (deadline.hasExpired())
            break;
        child.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    child.kill();
    child.waitForFinished();
    return false;
}

} // namespace

void setMetafileRenderer(const QString& program, int timeoutMs) {
    renderer() = Renderer{program, timeoutMs};
}

QString findMetafileRenderer() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const char* candidate : {PINTABEL_METAFILE_FROM_BINDIR, "../metafile/pintabel-metafile"}) {
        const QFileInfo info(here.filePath(QLatin1String(candidate)));
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return {};
}

namespace {

// What the child may know of this process's environment: where programs and fonts are,
// and the sanitizers' settings in a sanitized build.
QProcessEnvironment childEnvironment() {
    const QProcessEnvironment parent = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const char* name : {"HOME", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (parent.contains(QLatin1String(name)))
            environment.insert(QLatin1String(name), parent.value(QLatin1String(name)));
    return environment;
}

} // namespace

QImage renderMetafileIsolated(const QByteArray& file, qint64 maxBytes, bool& tooLarge) {
    tooLarge = false;
    if (!renderer() || renderer()->program.isEmpty())
        return {};
    // Truncated and inconsistent files are refused here, without starting a child.
    const PictureFormat format = pictureFormatOf(file.left(kFormatProbeBytes));
    if (!(format == PictureFormat::Emf ? emfRecordsHold(file) : wmfRecordsHold(file)))
        return {};
    // The metafile goes through the child's standard input and the picture comes back
    // through its standard output: nothing is left on disk whichever of the two is killed.
    const int timeoutMs = renderer()->timeoutMs;
    const pid_t parent = getpid();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setProcessEnvironment(childEnvironment());
    child.setChildProcessModifier(
        [maxBytes, timeoutMs, parent] { limitChild(maxBytes, timeoutMs, parent); });
    child.start(renderer()->program, {QString::number(maxBytes)});
    if (!child.waitForStarted(timeoutMs))
        return {};
    child.write(file);
    child.closeWriteChannel();
    QByteArray sent;
    if (!readChild(child, maxBytes, timeoutMs, sent))
        return {};
    if (child.exitCode() == MetafileExitTooLarge) {
        tooLarge = true;
        return {};
    }
    if (child.exitCode() != MetafileExitDrawn)
        return {};
    return decodePicture(std::move(sent), maxBytes, tooLarge);
}

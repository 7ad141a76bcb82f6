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

// The least the child is given: its own code, libraries and translated drawing, beside the
// band of rows it draws at a time, in address space (about 140 MiB at its peak when
// measured drawing a small file, and one of 20000 x 20000 pixels).
constexpr qint64 kChildBaseBytes = qint64(256) << 20;
// The most the child may take: a metafile whose translation needs more is one nobody drew.
constexpr qint64 kChildMostBytes = qint64(1) << 30;

struct Renderer {
    QString program;
    int wallClockMs;
};

std::optional<Renderer>& renderer() {
    static std::optional<Renderer> configured;
    return configured;
}

// The processor time a child may take, whatever the machine's load: a base for starting
// and translating, and more for every pixel it draws and every record it plays (the
// records are played again for each band): a minute for a frame of 20000 x 20000 pixels,
// which took about 5 s of processor time when measured.
int cpuSecondsFor(const QByteArray& file, qint64 pixels) {
    const qint64 records = pictureFormatOf(file.left(kFormatProbeBytes)) == PictureFormat::Emf
                               ? littleEndian32(file, 52)
                               : file.size() / 6;
    return int(qMin<qint64>(3600, 20 + pixels / 10000000 + records / 2000));
}

// Runs in the child between fork and exec.
void limitChild(qint64 childBytes, int cpuSeconds, pid_t parent) {
    // A child left behind would go on drawing for nobody until its time limit.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(MetafileExitUnreadable);
    // Nothing of the parent's but the two pipes and standard error.
    close_range(3, ~0U, 0);
#if !defined(PINTABEL_ADDRESS_SANITIZER)
    // The address sanitizer reserves far more address space than it uses.
    const rlimit memory{rlim_t(childBytes), rlim_t(childBytes)};
    setrlimit(RLIMIT_AS, &memory);
#else
    Q_UNUSED(childBytes);
#endif
    // Past the first limit the child is told (SIGXCPU ends it); a second later it is killed.
    const rlimit cpu{rlim_t(cpuSeconds), rlim_t(cpuSeconds) + 1};
    setrlimit(RLIMIT_CPU, &cpu);
}

// Reads the picture the child sends back, width and height as 32-bit little-endian numbers
// then the RGB32 rows, straight into the image as the rows come, until the child ends, the
// wall clock runs out or it sends anything but that (then it is killed). Null unless the
// child ended on its own with the whole picture sent; tooLarge when the picture is larger
// than pictureBytes allows or cannot be had.
QImage readPicture(QProcess& child, qint64 pictureBytes, int wallClockMs, bool& tooLarge) {
    const QDeadlineTimer deadline(wallClockMs);
    char head[8];
    qint64 headRead = 0;
    QImage image;
    qint64 received = 0;
    qint64 expected = 0;
    for (;;) {
        if (headRead < 8) {
            headRead += qMax<qint64>(0, child.read(head + headRead, 8 - headRead));
            if (headRead < 8 && child.bytesAvailable() > 0)
                continue;
            if (headRead == 8) {
                const qint64 width = qFromLittleEndian<quint32>(head);
                const qint64 height = qFromLittleEndian<quint32>(head + 4);
                if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
                    break;
                expected = width * height * 4;
                if (expected > pictureBytes ||
                    (image = QImage(int(width), int(height), QImage::Format_RGB32)).isNull()) {
                    tooLarge = true;
                    break;
                }
            }
        }
        if (!image.isNull()) {
            // RGB32 rows are whole words, so the picture's bytes follow each other.
            received += qMax<qint64>(0, child.read(reinterpret_cast<char*>(image.bits()) + received,
                                                   expected - received));
            // More than the picture announced: a flood, not a picture.
            if (received == expected && child.bytesAvailable() > 0)
                break;
        }
        if (child.bytesAvailable() > 0)
            continue;
        if (child.state() == QProcess::NotRunning) {
            tooLarge = child.exitStatus() == QProcess::NormalExit &&
                       child.exitCode() == MetafileExitTooLarge;
            const bool drawn = child.exitStatus() == QProcess::NormalExit &&
                               child.exitCode() == MetafileExitDrawn && headRead == 8 &&
                               received == expected;
            return drawn ? image : QImage();
        }
        if (deadline.hasExpired())
            break;
        const int remainingMs = int(qMax<qint64>(1, deadline.remainingTime()));
        // Its output closed, a child has nothing more to send: it is only left to end.
        if (!child.waitForReadyRead(remainingMs) && child.state() == QProcess::Running)
            child.waitForFinished(remainingMs);
    }
    child.kill();
    child.waitForFinished();
    return {};
}

} // namespace

QSize metafilePixelSize(const QByteArray& file) {
    const PictureFormat format = pictureFormatOf(file.left(kFormatProbeBytes));
    return format == PictureFormat::Emf && emfRecordsHold(file) ? emfPixelSize(file) : QSize();
}

void setMetafileRenderer(const QString& program, int wallClockMs) {
    renderer() = Renderer{program, wallClockMs};
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
    // The picture and the child share maxBytes. An EMF's header tells the picture's size,
    // which is refused here when too large; a WMF's is known once it is translated, and
    // the child has the most it may take or half of maxBytes.
    const QSize size = metafilePixelSize(file);
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > kLargestMetafilePixels) {
        tooLarge = true;
        return {};
    }
    const qint64 childBytes = size.isEmpty() ? qMin(kChildMostBytes, maxBytes / 2)
                                             : qMin(kChildMostBytes, maxBytes - pixels * 4);
    if (childBytes < kChildBaseBytes) {
        tooLarge = true;
        return {};
    }
    const qint64 pictureBytes = maxBytes - childBytes;
    // The metafile goes through the child's standard input and the picture comes back
    // through its standard output: nothing is left on disk whichever of the two is killed.
    const int wallClockMs = renderer()->wallClockMs;
    const int cpuSeconds = cpuSecondsFor(file, size.isEmpty() ? pictureBytes / 4 : pixels);
    const pid_t parent = getpid();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setProcessEnvironment(childEnvironment());
    child.setChildProcessModifier(
        [childBytes, cpuSeconds, parent] { limitChild(childBytes, cpuSeconds, parent); });
    child.start(renderer()->program, {QString::number(pictureBytes)});
    if (!child.waitForStarted(wallClockMs))
        return {};
    child.write(file);
    child.closeWriteChannel();
    return readPicture(child, pictureBytes, wallClockMs, tooLarge);
}

#include "metafile_process.h"

#include "file_bytes.h"
#include "metafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <optional>

#include <sys/resource.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PINTABEL_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PINTABEL_ADDRESS_SANITIZER 1
#endif

namespace {

constexpr int kExitDrawn = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitTooLarge = 3;
constexpr int kMaxSide = 65535;

struct Renderer {
    QString program;
    int timeoutMs;
};

std::optional<Renderer>& renderer() {
    static std::optional<Renderer> configured;
    return configured;
}

void limitChild(qint64 maxBytes, int timeoutMs) {
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

QImage readPicture(const QString& path, qint64 maxBytes, bool& tooLarge) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(8);
    const qint64 width = littleEndian32(head, 0);
    const qint64 height = littleEndian32(head, 4);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
        file.size() != 8 + width * height * 4)
        return {};
    if (width * height * 4 > maxBytes) {
        tooLarge = true;
        return {};
    }
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) {
        tooLarge = true;
        return {};
    }
    for (int y = 0; y < image.height(); ++y)
        if (file.read(reinterpret_cast<char*>(image.scanLine(y)), width * 4) != width * 4)
            return {};
    return image;
}

} // namespace

void setMetafileRenderer(const QString& program, int timeoutMs) {
    renderer() = Renderer{program, timeoutMs};
}

QString findMetafileRenderer() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(QStringLiteral("pintabel-cli")),
                                     here.filePath(QStringLiteral("../cli/pintabel-cli"))}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return {};
}

QImage renderMetafileIsolated(const QByteArray& file, qint64 maxBytes, bool& tooLarge) {
    tooLarge = false;
    if (!renderer() || renderer()->program.isEmpty())
        return renderMetafile(file, maxBytes, tooLarge);
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("metafile"));
    const QString output = dir.filePath(QStringLiteral("picture"));
    QFile in(input);
    if (!dir.isValid() || !in.open(QIODevice::WriteOnly) || in.write(file) != file.size())
        return {};
    in.close();
    const int timeoutMs = renderer()->timeoutMs;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setChildProcessModifier([maxBytes, timeoutMs] { limitChild(maxBytes, timeoutMs); });
    child.start(renderer()->program,
                {QStringLiteral("render-metafile"), input, output, QString::number(maxBytes)});
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    if (child.exitStatus() != QProcess::NormalExit)
        return {};
    if (child.exitCode() == kExitTooLarge) {
        tooLarge = true;
        return {};
    }
    if (child.exitCode() != kExitDrawn)
        return {};
    return readPicture(output, maxBytes, tooLarge);
}

int renderMetafileCommand(const QString& input, const QString& output, qint64 maxBytes) {
    QFile in(input);
    if (!in.open(QIODevice::ReadOnly))
        return kExitUnreadable;
    bool tooLarge = false;
    QImage image;
    try {
        image = renderMetafile(in.readAll(), maxBytes, tooLarge);
    } catch (const std::bad_alloc&) {
        return kExitTooLarge;
    }
    if (tooLarge)
        return kExitTooLarge;
    if (image.isNull())
        return kExitUnreadable;
    QFile out(output);
    if (!out.open(QIODevice::WriteOnly))
        return kExitUnreadable;
    char head[8];
    qToLittleEndian(quint32(image.width()), head);
    qToLittleEndian(quint32(image.height()), head + 4);
    bool written = out.write(head, 8) == 8;
    const qint64 rowBytes = qint64(image.width()) * 4;
    for (int y = 0; written && y < image.height(); ++y)
        written =
            out.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
    return written ? kExitDrawn : kExitUnreadable;
}

#include "safe_file.h"

#include "app_error.h"

#include <QSaveFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {

EAppError cannotCreate(const QString& path, const QString& reason) {
    return EAppError(QStringLiteral("ファイル \"%1\" を作成できません。%2").arg(path, reason));
}

EAppError writeError() {
    return EAppError(QStringLiteral("ストリームへの書き込みエラー"));
}

} // namespace

void WriteFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate(path, file.errorString());
    // The temporary file goes with the QSaveFile when write throws.
    if (!write(file) || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        throw writeError();
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::RenameError)
            throw cannotCreate(path, file.errorString());
        throw writeError();
    }
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

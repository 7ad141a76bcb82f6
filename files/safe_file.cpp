#include "safe_file.h"

#include "app_error.h"

#include <QSaveFile>

namespace {

EAppError cannotCreate(const QString& path, const QString& reason) {
    return EAppError(QStringLiteral("ファイル \"%1\" を作成できません。%2").arg(path, reason));
}

EAppError writeError() {
    return EAppError(QStringLiteral("ストリームへの書き込みエラー"));
}

} // namespace

void WriteFileSafely(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate(path, file.errorString());
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        throw writeError();
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::RenameError)
            throw cannotCreate(path, file.errorString());
        throw writeError();
    }
}

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes a file at path through a temporary file beside it that replaces the target only
// once everything is written, so a failure never leaves a damaged or emptied file. write
// puts the contents into the temporary file as they are made; it returns false when the
// file took less than it was given, and may throw its own errors, which leave the target
// as it was and pass on. Throws EAppError: "ファイル "path" を作成できません。reason"
// when the file cannot be created, "ストリームへの書き込みエラー" when writing fails or
// falls short.
void WriteFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write);
void WriteFileSafely(const QString& path, const QByteArray& data);

// Asks the system to start putting what has been written to file so far on the disk, without
// waiting for it, so that a writer that makes its contents over a while leaves the sync before
// the rename little to wait for. Nothing for a device that is not a file, nor where the system
// offers no such request.
void startWriteback(QIODevice& file);

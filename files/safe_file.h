#pragma once

#include <QByteArray>
#include <QString>

// Writes data to path through a temporary file beside it that replaces the target only
// once everything is written, so a failure never leaves a damaged or emptied file.
// Throws EAppError: "ファイル "path" を作成できません。reason" when the file cannot be
// created, "ストリームへの書き込みエラー" when writing fails or falls short.
void WriteFileSafely(const QString& path, const QByteArray& data);

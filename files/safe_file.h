// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes a file at path through a temporary file beside it that replaces the target only
// once everything is written, so a failure never leaves a damaged or emptied file. write
// puts the contents into the temporary file as they are made; it returns false when the
// file took less than it was given, and may throw its own errors, which leave the target
// as it was and pass on.
//
// A symbolic link is followed: the file it names is replaced and the link stays. A target
// that is not a regular file (a folder, FIFO, device or socket) is refused and left alone,
// before anything is written and again just before the replacement. The replaced file's
// permissions are kept, and its owner and group where the process may set them. A file
// with other hard links is replaced under this name only: the other names keep the old
// contents, as the replacement is never written into the old file.
//
// Throws EAppError: "ファイル "path" を作成できません。reason" when the file cannot be
// created or the target is not a regular file, "ストリームへの書き込みエラー" and the path
// on a line of its own when writing fails or falls short (a full disk).
void WriteFileSafely(const QString& path, const std::function<bool(QIODevice&)>& write);
void WriteFileSafely(const QString& path, const QByteArray& data);

// Throws the refusal WriteFileSafely gives for a target that is not a regular file, so that
// a writer can refuse it before making the contents. Nothing for a regular file, a name not
// yet taken, or a link to either.
void checkSaveTarget(const QString& path);

// Asks the system to start putting what has been written to file so far on the disk, without
// waiting for it, so that a writer that makes its contents over a while leaves the sync before
// the rename little to wait for. Nothing for a device that is not a file, nor where the system
// offers no such request.
void startWriteback(QIODevice& file);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <stdexcept>

// An error the user is told about: its message is the text shown in the error box.
// Subsystems throw it (or a class derived from it); the window's command dispatcher
// catches it and shows message().
class EAppError : public std::runtime_error {
public:
    explicit EAppError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The error of a pixel loop whose progress range cannot be set: the picture is too narrow
// for its columns. The window and the command-line tool report it alike.
inline EAppError progressRangeError() {
    return EAppError(
        QCoreApplication::translate("AppError", "プロパティ TProgressBar の範囲を超えています"));
}

// Memory ran out, or a step would need more than it may have: the window and the
// command-line tool say so alike.
inline EAppError outOfMemoryError() {
    return EAppError(QCoreApplication::translate("AppError", "メモリが不足しています"));
}

// A picture of no pixels is never written to a file, so no file is created or replaced.
inline EAppError noPictureToSaveError() {
    return EAppError(QCoreApplication::translate("AppError", "保存する画像がありません。"));
}

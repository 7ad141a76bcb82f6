// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "step_failure.h"

#include <QCoreApplication>

EAppError stepFailed(const QString& step) {
    return EAppError(
        QCoreApplication::translate("LineArt", "%1 をこの画像に使うことができませんでした。")
            .arg(step));
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "print_layout.h"

#include "app_error.h"

#include <QFileInfo>

#include <QCoreApplication>
#include <cstdint>

QRect FitPictureToPage(int PW, int PH, int IW, int IH) {
    // The products are taken in 64 bits: a large picture on a high-resolution printer
    // overflows 32 bits, and the comparison must stay exact.
    const std::int64_t pw = PW, ph = PH, iw = IW, ih = IH;
    if (ph * iw > ih * pw) {
        const int h = int(ih * pw / iw);
        return QRect(0, (PH - h) / 2, PW, h);
    }
    if (ih == 0)
        throw EAppError(QCoreApplication::translate("PrintLayout", "印刷する画像がありません。"));
    const int w = int(iw * ph / ih);
    return QRect((PW - w) / 2, 0, w, PH);
}

QString PrintTitle(const QString& path) {
    // The host's separators: "/" here, and also "\" and the drive's ":" on Windows.
    QString name = QFileInfo(path).fileName();
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

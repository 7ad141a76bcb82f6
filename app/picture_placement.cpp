// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_placement.h"

QRect placedPicture(QSize area, QSize picture) {
    const QRect whole(QPoint(0, 0), area);
    if (picture.isEmpty() || area.isEmpty())
        return whole;
    const QSize fitted = picture.scaled(area, Qt::KeepAspectRatio);
    if (area.width() - fitted.width() <= 1 && area.height() - fitted.height() <= 1)
        return whole;
    return QRect(QPoint((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2),
                 fitted);
}

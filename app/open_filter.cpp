// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "open_filter.h"

#include <QCoreApplication>
#include <QStringList>

QList<PictureFormat> registeredPictureFormats() {
    return {
        {QStringLiteral("webp"), QCoreApplication::translate("OpenFilter", "WebP 画像")},
        {QStringLiteral("tiff"), QCoreApplication::translate("OpenFilter", "TIFF 画像")},
        {QStringLiteral("tif"), QCoreApplication::translate("OpenFilter", "TIFF 画像")},
        {QStringLiteral("wmf"), QCoreApplication::translate("OpenFilter", "メタファイル")},
        {QStringLiteral("emf"),
         QCoreApplication::translate("OpenFilter", "エンハンス メタファイル")},
        {QStringLiteral("ico"), QCoreApplication::translate("OpenFilter", "アイコン")},
        {QStringLiteral("bmp"), QCoreApplication::translate("OpenFilter", "ビットマップ")},
        {QStringLiteral("jpeg"),
         QCoreApplication::translate("OpenFilter", "JPEG イメージファイル")},
        {QStringLiteral("jpg"), QCoreApplication::translate("OpenFilter", "JPEG イメージファイル")},
        {QStringLiteral("gif"), QCoreApplication::translate("OpenFilter", "GIF 画像")},
        {QStringLiteral("png"), QStringLiteral("Portable Network Graphics")},
    };
}

QList<FilterEntry> openPictureFilterEntries(const QList<PictureFormat>& registered) {
    QList<FilterEntry> entries;
    QStringList all;
    for (auto it = registered.crbegin(); it != registered.crend(); ++it) {
        const QString pattern = QStringLiteral("*.") + it->extension;
        entries.append({QStringLiteral("%1 (%2)").arg(it->description, pattern), {pattern}});
        all.append(pattern);
    }
    if (registered.size() > 1) {
        const QString joined = all.join(QLatin1Char(';'));
        entries.prepend(
            {QCoreApplication::translate("OpenFilter", "すべて (%1)").arg(joined), all});
    }
    return entries;
}

QString openPictureFilter(const QList<FilterEntry>& entries) {
    QStringList filters;
    for (const FilterEntry& entry : entries)
        filters.append(
            QStringLiteral("%1 (%2)").arg(entry.text, entry.patterns.join(QLatin1Char(' '))));
    return filters.join(QStringLiteral(";;"));
}

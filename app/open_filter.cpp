// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "open_filter.h"

#include <QStringList>

QList<PictureFormat> registeredPictureFormats() {
    return {
        {QStringLiteral("webp"), QStringLiteral("WebP 画像")},
        {QStringLiteral("tiff"), QStringLiteral("TIFF 画像")},
        {QStringLiteral("tif"), QStringLiteral("TIFF 画像")},
        {QStringLiteral("wmf"), QStringLiteral("メタファイル")},
        {QStringLiteral("emf"), QStringLiteral("エンハンス メタファイル")},
        {QStringLiteral("ico"), QStringLiteral("アイコン")},
        {QStringLiteral("bmp"), QStringLiteral("ビットマップ")},
        {QStringLiteral("jpeg"), QStringLiteral("JPEG イメージファイル")},
        {QStringLiteral("jpg"), QStringLiteral("JPEG イメージファイル")},
        {QStringLiteral("gif"), QStringLiteral("GIF 画像")},
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
        entries.prepend({QStringLiteral("すべて (%1)").arg(joined), all});
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

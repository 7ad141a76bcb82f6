// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "open_filter.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(OpenPictureFilter, EntriesTakeTheFormatsFromTheLastRegisteredWithAllFirst) {
    const QList<FilterEntry> entries = openPictureFilterEntries(registeredPictureFormats());
    const QStringList expectedTexts = {
        QStringLiteral(
            "すべて (*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.tif;*.tiff;*.webp)"),
        QStringLiteral("Portable Network Graphics (*.png)"),
        QStringLiteral("GIF 画像 (*.gif)"),
        QStringLiteral("JPEG イメージファイル (*.jpg)"),
        QStringLiteral("JPEG イメージファイル (*.jpeg)"),
        QStringLiteral("ビットマップ (*.bmp)"),
        QStringLiteral("アイコン (*.ico)"),
        QStringLiteral("エンハンス メタファイル (*.emf)"),
        QStringLiteral("メタファイル (*.wmf)"),
        QStringLiteral("TIFF 画像 (*.tif)"),
        QStringLiteral("TIFF 画像 (*.tiff)"),
        QStringLiteral("WebP 画像 (*.webp)"),
    };
    ASSERT_EQ(entries.size(), expectedTexts.size());
    for (int i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].text, expectedTexts[i]) << i;
    EXPECT_EQ(entries[0].patterns,
              QStringList({"*.png", "*.gif", "*.jpg", "*.jpeg", "*.bmp", "*.ico", "*.emf", "*.wmf",
                           "*.tif", "*.tiff", "*.webp"}));
    EXPECT_EQ(entries[4].patterns, QStringList({"*.jpeg"}));
}

TEST(OpenPictureFilter, OneRegisteredFormatGetsNoAllEntry) {
    const QList<FilterEntry> entries =
        openPictureFilterEntries({{QStringLiteral("png"), QStringLiteral("PNG")}});
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].text, QStringLiteral("PNG (*.png)"));
}

TEST(OpenPictureFilter, QtSyntaxCarriesTheTextThenBlankSeparatedPatterns) {
    const QString filter = openPictureFilter(openPictureFilterEntries(registeredPictureFormats()));
    const QStringList entries = filter.split(QStringLiteral(";;"));
    ASSERT_EQ(entries.size(), 12);
    EXPECT_EQ(entries[0], QStringLiteral("すべて (*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;"
                                         "*.tif;*.tiff;*.webp) (*.png *.gif *.jpg *.jpeg *.bmp "
                                         "*.ico *.emf *.wmf *.tif *.tiff *.webp)"));
    EXPECT_EQ(entries[1], QStringLiteral("Portable Network Graphics (*.png) (*.png)"));
    EXPECT_EQ(entries[8], QStringLiteral("メタファイル (*.wmf) (*.wmf)"));
}

} // namespace

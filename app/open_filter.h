// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QList>
#include <QString>

// A picture format known to the open dialog: lower-case extension and its description.
struct PictureFormat {
    QString extension;
    QString description;
};

// The picture formats in their order of registration.
QList<PictureFormat> registeredPictureFormats();

// One entry of the open dialog's filter: the text the user reads and the patterns it
// lets through.
struct FilterEntry {
    QString text;
    QStringList patterns;
};

// The entries made from the registered formats, the last registered first, preceded by
// an entry "すべて" for all of them when there is more than one.
QList<FilterEntry> openPictureFilterEntries(const QList<PictureFormat>& registered);

// The entries in Qt's name-filter syntax, joined with ";;". Qt reads only blank-separated
// patterns from the last parenthesis of an entry, so each entry is its text followed by
// its patterns in that form; the dialog shows the text alone.
QString openPictureFilter(const QList<FilterEntry>& entries);

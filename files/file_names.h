// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

// Rules on picture file names. A path's last component starts after its last separator:
// "/" here, and also "\" and the drive's ":" on Windows.

// The name proposed in the save dialog: the file name up to its first ".", or the whole
// file name when it has no ".". ".hidden.png" proposes an empty name.
QString GetName(const QString& path);

// The folder the save dialog opens in: the path up to its last separator, keeping that
// separator when it is the root ("/", "D:\"). Empty when the path has no separator.
QString SaveDialogDirectory(const QString& path);

// The extension of the last component, from its last "." on, with a to z in upper case
// and nothing else changed; empty when the last component has no ".".
QString UpperExtension(const QString& path);

// The path with the extension of its last component replaced by ".jpg", or ".jpg"
// appended when it has none.
QString JpegFileName(const QString& path);

// The file that a name means on a system that compares extensions without regard to case:
// path itself when it exists or when no file in its folder has the same name up to the
// case of the extension, and otherwise that file (the first in name order), so replacing
// PHONE.jpg replaces an existing PHONE.JPG instead of creating a second file beside it.
QString ExistingSpelling(const QString& path);

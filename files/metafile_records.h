// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

// Whether a metafile's record chain holds together before it goes to a converter: every
// record at least as long as a record header, aligned, inside the file, the chain ending
// with its end-of-file record, and the header's counts agreeing with the chain (EMF: the
// number of records and of bytes; WMF: the file size and the largest record). Converters
// of metafiles trust these fields.
bool emfRecordsHold(const QByteArray& file);
bool wmfRecordsHold(const QByteArray& file);

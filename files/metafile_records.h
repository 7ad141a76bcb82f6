// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QSize>

// Whether a metafile's record chain holds together before it goes to a converter: every
// record at least as long as a record header, aligned, inside the file, the chain ending
// with its end-of-file record, and the header's counts agreeing with the chain (EMF: the
// number of records and of bytes; WMF: the file size and the largest record). Converters
// of metafiles trust these fields.
bool emfRecordsHold(const QByteArray& file);
bool wmfRecordsHold(const QByteArray& file);

// The picture an EMF whose records hold is drawn on, in pixels: its frame (hundredths of a
// millimetre) at the reference device's resolution, or the bounds in device pixels when
// the frame is unusable. Empty when neither gives a size from 1 to 65535 pixels a side.
// Read from the header alone, so the picture's size is known before anything is drawn.
QSize emfPixelSize(const QByteArray& file);

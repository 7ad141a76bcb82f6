// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

// What a JPEG stream's markers tell before libjpeg is started.

// How many scans the stream holds: its start-of-scan markers, found by walking the segments
// and skipping each scan's coded data, up to the end marker or the end of the bytes.
int jpegScanCount(const QByteArray& file);

// The orientation its Exif block gives the picture (1 to 8, as the Exif standard numbers
// them), or 1 when there is none or it cannot be read.
int jpegExifOrientation(const QByteArray& file);

// The picture as it is to be seen when stored with that orientation: mirrored and turned so
// that its top comes up. A null image when the memory for it cannot be had.
QImage orientedImage(const QImage& stored, int orientation);

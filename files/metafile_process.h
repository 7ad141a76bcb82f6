// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Metafiles are drawn by converters (libemf2svg, libwmf) that have had memory-safety
// faults on hostile files. Each metafile is drawn by a program of its own,
// pintabel-metafile, in a child process with a time and memory limit, so such a fault
// costs that file, not the pages already open.
//
// The child gets the metafile on its standard input and MAX_BYTES as its one argument,
// and writes the picture to its standard output: width and height as 32-bit little-endian
// numbers, then the RGB32 rows. Its exit status says how it went.
enum MetafileExit { MetafileExitDrawn = 0, MetafileExitUnreadable = 1, MetafileExitTooLarge = 3 };

// The most pixels a metafile's picture may have: a frame larger is refused as too large
// from the header alone, before anything is drawn, whatever memory there is. Its drawing
// would take minutes, and a page of it would be far finer than any sheet it is printed on.
constexpr qint64 kLargestMetafilePixels = qint64(1) << 29;

// The pixel size of a metafile's picture when its header alone tells (an EMF whose records
// hold); empty otherwise.
QSize metafilePixelSize(const QByteArray& file);

// Uses program for every later metafile (an empty one: metafiles cannot be read). The
// child's time is limited in CPU seconds, by the picture's size and the file's records, so
// a busy machine draws what an idle one does; a child still running after wallClockMs
// (a generous backstop for one stuck without using the processor), or sending more than
// the picture it announces, is killed and its file counts as unreadable. A child dies with
// the process that started it.
void setMetafileRenderer(const QString& program, int wallClockMs = 10 * 60 * 1000);

// pintabel-metafile where it is installed beside the running program, or in the build
// tree; empty when there is none.
QString findMetafileRenderer();

// The metafile drawn by the renderer: a null image when it cannot be read, or when it is
// larger than maxBytes allows (tooLarge is then set). maxBytes holds both the picture this
// process receives and the child's own memory: its address space is limited to what the
// picture leaves. The picture comes back a band of rows at a time, straight into the
// image returned.
QImage renderMetafileIsolated(const QByteArray& file, qint64 maxBytes, bool& tooLarge);

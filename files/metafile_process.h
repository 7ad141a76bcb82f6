// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
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

// Uses program for every later metafile (an empty one: metafiles cannot be read). A child
// running longer than timeoutMs, or sending more than the picture it announces, is killed
// and its file counts as unreadable. A child dies with the process that started it.
void setMetafileRenderer(const QString& program, int timeoutMs = 30000);

// pintabel-metafile where it is installed beside the running program, or in the build
// tree; empty when there is none.
QString findMetafileRenderer();

// The metafile drawn by the renderer: a null image when it cannot be read, or when it is
// larger than maxBytes allows (tooLarge is then set).
QImage renderMetafileIsolated(const QByteArray& file, qint64 maxBytes, bool& tooLarge);

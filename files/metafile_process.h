#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Metafiles are drawn by converters (libemf2svg, libwmf) that have had memory-safety
// faults on hostile files. With a renderer program set, each metafile is drawn in a
// child process with a time and memory limit, so such a fault costs that file, not the
// pages already open. The renderer is pintabel-cli's hidden render-metafile command.

// Uses program for every later metafile (an empty one: draw in this process); a child
// running longer than timeoutMs, or sending more than the picture it announces, is killed
// and its file counts as unreadable. A child dies with the process that started it.
void setMetafileRenderer(const QString& program, int timeoutMs = 30000);

// pintabel-cli beside the running program (installed side by side), or in the build
// tree's cli/ folder; empty when there is none.
QString findMetafileRenderer();

// renderMetafile's contract, drawn in the child when a renderer is set and in this
// process otherwise.
QImage renderMetafileIsolated(const QByteArray& file, qint64 maxBytes, bool& tooLarge);

// The child's side: draws the metafile read from standard input and writes the picture to
// standard output (width, height as 32-bit little-endian numbers, then the RGB32 rows).
// Gives the exit status: 0 drawn, 1 unreadable, 3 too large.
int renderMetafileCommand(qint64 maxBytes);

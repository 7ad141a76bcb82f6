// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

class QFile;

// Opens the file named by name's own bytes for reading, following links, and keeps it open
// in file only when it is a regular file. The open never waits: a FIFO without a writer, a
// device, a socket or a folder is refused before a byte is read.
bool openRegularFile(const QByteArray& name, QFile& file);

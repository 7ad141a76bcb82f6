// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// What loading one picture, or running one step on a page, may use, decided before any of
// it is done.

// No page picture may need more than this.
constexpr qint64 kPictureLimitBytes = qint64(4) << 30;
// Room for decoder rows, bands and tables beyond the pictures themselves.
constexpr qint64 kLoadWorkingBytes = qint64(64) << 20;

// The budget for a process with room bytes left to take (-1: unknown): the picture limit,
// or three quarters of the room when that is less, so that a job which cannot finish is
// refused before it starts rather than ended by the kernel's out-of-memory killer.
qint64 loadBudgetFor(qint64 room);

// The bytes this process may still take before the system refuses it or kills it, as the
// files under root tell (root is "/" on a live system; tests give a made-up tree): the
// least of MemAvailable in proc/meminfo, the room under the memory limit of the process's
// own control group and of every group above it (cgroup v2 memory.max less memory.current,
// v1 memory.limit_in_bytes less memory.usage_in_bytes, file cache that can be dropped not
// counted as used), and addressSpaceLimit (RLIMIT_AS, -1: none) less the process's VmSize.
// -1 when none of them is known.
qint64 memoryRoom(const QString& root, qint64 addressSpaceLimit);

// The budget now, from this process's memory room, lowered to PINTABEL_LOAD_BUDGET_MB
// mebibytes when that is set.
qint64 loadBudget();

// Bytes of a width x height picture at bitsPerPixel with rows padded to 4 bytes;
// saturates at the largest qint64 instead of overflowing.
qint64 pictureBytes(qint64 width, qint64 height, int bitsPerPixel);

// a + b, saturating.
qint64 addBytes(qint64 a, qint64 b);

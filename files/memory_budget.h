#pragma once

#include <QtGlobal>

// What loading one picture may use, decided before anything is decoded.

// No page picture may need more than this.
constexpr qint64 kPictureLimitBytes = qint64(4) << 30;
// Room for decoder rows, bands and tables beyond the pictures themselves.
constexpr qint64 kLoadWorkingBytes = qint64(64) << 20;

// The budget for a machine with memAvailable bytes free (-1: unknown): the picture limit,
// or three quarters of what is free when that is less, so that a load which cannot finish
// is refused before it starts rather than ended by the kernel's out-of-memory killer.
qint64 loadBudgetFor(qint64 memAvailable);

// The budget now, from the system's MemAvailable, lowered to PINTABEL_LOAD_BUDGET_MB
// mebibytes when that is set.
qint64 loadBudget();

// Bytes of a width x height picture at bitsPerPixel with rows padded to 4 bytes;
// saturates at the largest qint64 instead of overflowing.
qint64 pictureBytes(qint64 width, qint64 height, int bitsPerPixel);

// a + b, saturating.
qint64 addBytes(qint64 a, qint64 b);

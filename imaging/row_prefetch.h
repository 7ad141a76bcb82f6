// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QtGlobal>

// The pixel loops work on bands of columns, so they read a short piece of each row, and the
// processor's own prefetching does not carry on from one row to the next. Asking for the
// piece of a row a few rows ahead keeps such loops from waiting on memory at every row.
constexpr int kPrefetchRows = 3;

inline void prefetchPiece(const uchar* first, qsizetype bytes) {
    for (qsizetype i = 0; i < bytes; i += 64)
        __builtin_prefetch(first + i);
    if (bytes > 0)
        __builtin_prefetch(first + bytes - 1);
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "step_memory.h"

#include "app_error.h"
#include "memory_budget.h"

namespace {

// Bands, tables and the tool's own buffers beside the page-sized ones.
constexpr qint64 kStepWorkingBytes = qint64(16) << 20;

// tenthsOfABytePerPixel tenths of a byte for every pixel, and the working bytes.
qint64 perPixel(qint64 width, qint64 height, int tenthsOfABytePerPixel) {
    return addBytes(pictureBytes(width, height, tenthsOfABytePerPixel * 8) / 10, kStepWorkingBytes);
}

} // namespace

qint64 colourPageStepBytes(qint64 width, qint64 height, int depth) {
    return depth == 24 ? kStepWorkingBytes
                       : addBytes(pictureBytes(width, height, 24), kStepWorkingBytes);
}

qint64 cleanLinesStepBytes(qint64 width, qint64 height, qint64 copyWidth, qint64 copyHeight) {
    return addBytes(perPixel(width, height, 66), pictureBytes(copyWidth, copyHeight, 8 * 120));
}

qint64 colourByNumberStepBytes(qint64 width, qint64 height) {
    return perPixel(width, height, 40);
}

qint64 colourabilityCheckBytes(qint64 width, qint64 height, bool overlay) {
    const qint64 check = perPixel(width, height, 84);
    return overlay ? addBytes(check, pictureBytes(width, height, 32)) : check;
}

qint64 closeTinyRegionsStepBytes(qint64 width, qint64 height) {
    return perPixel(width, height, 98);
}

void requireStepMemory(qint64 bytes) {
    if (bytes > loadBudget())
        throw outOfMemoryError();
}

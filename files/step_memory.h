// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QtGlobal>

// What each processing step takes at its peak beyond the page it starts from, for a page of
// width x height pixels at depth bits per pixel, so that a step that cannot finish is refused
// before it starts. Measured as the peak resident size of `pintabel-cli` running the step
// (/usr/bin/time -v) less that of loading the page alone, on 4 to 400 megapixel pages, with
// about a tenth added. The steps' own code changes these: measure again when it does.

// The colouring filter and the tone steps: the page made 24-bit colour, then worked on in
// place.
qint64 colourPageStepBytes(qint64 width, qint64 height, int depth);
// The clean-lines engine (6 bytes a pixel when measured), and its work on the copy of
// copyWidth x copyHeight pixels the regions are found on (about 70 bytes a pixel of the
// copy when measured on a 2 x 2 picture's vector book; 120 counted): the copy has a size
// of its own, so a small page's can be many times the page. A book's drawing of the lines
// is made on that copy too.
qint64 cleanLinesStepBytes(qint64 width, qint64 height, qint64 copyWidth, qint64 copyHeight);
// The numbered page (a little taller than the picture) or its preview, and the row of
// colour indices beside them.
qint64 colourByNumberStepBytes(qint64 width, qint64 height);
// The fill-ability check: the regions and their measures, and with an overlay its picture
// in full colour.
qint64 colourabilityCheckBytes(qint64 width, qint64 height, bool overlay);
// Closing the tiny regions: the check, then filling.
qint64 closeTinyRegionsStepBytes(qint64 width, qint64 height);

// Throws outOfMemoryError() when bytes are more than the memory budget allows now (see
// loadBudget()).
void requireStepMemory(qint64 bytes);

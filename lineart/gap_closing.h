// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

// Closes the small gaps a line drawing leaves where outlines meet: from each free end of a
// one-pixel line (non-zero is ink), a straight line to the nearest ink within reach that is
// not the end's own line nearby. Where a line only bends back on itself within reach it is
// left open: that is a narrow bay, not a gap.
void closeGaps(cv::Mat& lines, int reach);

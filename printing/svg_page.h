// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "line_tracing.h"
#include "page_drawing.h"

#include <QByteArray>

// A drawn page as an SVG document whose user units are the page's pixels (viewBox 0 0 W H):
// its lines traced into filled paths, its centre lines stroked with round ends and joins,
// each word one <text> element, each swatch a filled square outlined as the lines are.
// Throws EAppError when the lines pass the tracing limits.
QByteArray SvgPage(const PageDrawing& drawing, const TracingLimits& limits);

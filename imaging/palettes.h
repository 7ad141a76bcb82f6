// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QList>
#include <QRgb>

// Colour tables of the indexed page depths.
const QList<QRgb>& monoColourTable();     // black, white
const QList<QRgb>& sixteenColourTable();  // the 16-colour table of 4-bit pages
const QList<QRgb>& halftoneColourTable(); // fixed 256 colours: 6x6x6 cube plus greys

// The table of an indexed page depth (1, 4 or 8 bits); nullptr for the other depths.
const QList<QRgb>* colourTableForDepth(int depth);

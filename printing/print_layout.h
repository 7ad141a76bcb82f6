// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QRect>
#include <QString>

// Where a picture of IW x IH pixels lands on a printable area of PW x PH device pixels:
// scaled with its proportions kept until it spans the whole width (when the page is
// relatively taller than the picture) or else the whole height, and centred along the
// other direction; an odd leftover pixel goes below or to the right. Integer arithmetic,
// truncating. A 0 x 0 picture cannot be placed: EAppError saying there is nothing to print.
QRect FitPictureToPage(int PW, int PH, int IW, int IH);

// The name a print job carries for a page read from path: the file name without folders
// and without the part from its last full stop on.
QString PrintTitle(const QString& path);

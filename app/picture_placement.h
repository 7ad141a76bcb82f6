// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QRect>
#include <QSize>

// Where a picture is drawn in an area: as large as fits in its own shape, centred. An area
// within a pixel of the picture's shape (the window's own sizing truncates the height) is
// covered whole, so standard and actual size show every pixel of it.
QRect placedPicture(QSize area, QSize picture);

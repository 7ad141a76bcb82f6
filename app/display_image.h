// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QImage>
#include <QSize>

// The picture at size for the screen: each screen pixel shows the mean of the picture area
// it covers, pixels cut by its edges counted by the part inside, so thin lines fade instead
// of breaking into dots. One pass over the picture's rows, which are read in place when
// the picture is 24-bit. Gives Format_RGB32.
QImage displayImage(const QImage& picture, QSize size);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QImage>

// A picture of the given size and format whose pixels are not set yet, rows padded to 4
// bytes as Qt pads them. Pictures of 2 MiB and more take their memory straight from the
// kernel in 2 MiB-aligned blocks marked for transparent huge pages: touching a fresh 24
// megapixel picture then costs a few hundred page faults instead of some eighteen thousand.
// Smaller pictures, and large ones the kernel will not map so, come from Qt as usual. A
// null image when there is no memory for it.
QImage newImage(int width, int height, QImage::Format format);

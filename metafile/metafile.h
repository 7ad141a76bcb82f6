// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

// Windows metafiles (EMF, WMF) drawn at their own pixel size over white. The pictures
// are translated to SVG (libemf2svg, libwmf) and drawn with QtSvg.

// The drawn picture as Format_RGB32, or a null image when the metafile cannot be read or
// its size is empty or larger than maxBytes allows (tooLarge is then set).
QImage renderMetafile(const QByteArray& file, qint64 maxBytes, bool& tooLarge);

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "palettes.h"

const QList<QRgb>& monoColourTable() {
    static const QList<QRgb> table{qRgb(0, 0, 0), qRgb(255, 255, 255)};
    return table;
}

const QList<QRgb>& sixteenColourTable() {
    static const QList<QRgb> table{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
        qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return table;
}

static QList<QRgb> makeHalftone() {
    QList<QRgb> table;
    table.reserve(256);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.append(qRgb(r * 51, g * 51, b * 51));
    // 40 greys between the cube's own greys, so the ramp has 46 steps.
    for (int i = 1; table.size() < 256; ++i) {
        int v = (i * 255 + 20) / 41;
        if (v % 51 == 0)
            v += 3;
        table.append(qRgb(v, v, v));
    }
    return table;
}

const QList<QRgb>& halftoneColourTable() {
    static const QList<QRgb> table = makeHalftone();
    return table;
}

const QList<QRgb>* colourTableForDepth(int depth) {
    switch (depth) {
    case 1:
        return &monoColourTable();
    case 4:
        return &sixteenColourTable();
    case 8:
        return &halftoneColourTable();
    default:
        return nullptr;
    }
}

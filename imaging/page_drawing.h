// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>

// A page described as what is drawn on it rather than as pixels, so that a book can write
// it in vectors and text: thin lines, words centred on points, coloured squares. Positions
// are in pixels of the page it stands for.
struct PageDrawing {
    QSize size;
    // Black where the lines run (1 bit deep), stretched over linesArea; painted in
    // lineColour.
    QImage lines;
    QRectF linesArea;
    QColor lineColour = Qt::black;
    struct Text {
        QPointF centre;
        double digitHeight = 0; // the height of its figures
        QString text;
        // Begins at centre's left rather than centred on it (a name after its swatch).
        bool fromLeft = false;
        // A number's figures as outlines from the program's own glyphs, filled where no
        // font can write them; empty for words.
        QPainterPath glyphs;
    };
    QList<Text> texts;
    struct Swatch {
        QRectF rect;
        QColor colour;
    };
    // Filled in their colour and outlined in lineColour.
    QList<Swatch> swatches;
    // Centre lines stroked strokeWidth wide in lineColour, with round ends and joins.
    struct Stroke {
        QPolygonF points;
        bool closed = false;
    };
    QList<Stroke> strokes;
    double strokeWidth = 1.0;
};

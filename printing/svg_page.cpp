// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "svg_page.h"

#include "app_error.h"

#include <QCoreApplication>
#include <QTransform>

namespace {

// A coordinate to a hundredth of a pixel, without trailing zeros.
QByteArray number(double value) {
    QByteArray text = QByteArray::number(value, 'f', 2);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

QByteArray point(QPointF p) {
    return number(p.x()) + ' ' + number(p.y());
}

QByteArray pathData(const QPainterPath& path) {
    QByteArray d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += 'M' + point(e);
        } else if (e.isLineTo()) {
            d += 'L' + point(e);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            d += 'C' + point(e) + ' ' + point(path.elementAt(i + 1)) + ' ' +
                 point(path.elementAt(i + 2));
            i += 2;
        }
    }
    return d;
}

QByteArray colour(const QColor& c) {
    return c.name(QColor::HexRgb).toLatin1();
}

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

// The em of a font whose figures stand digitHeight high: figures are about 0.72 of it.
double fontSizeFor(double digitHeight) {
    return digitHeight / 0.72;
}

} // namespace

QByteArray SvgPage(const PageDrawing& drawing, const TracingLimits& limits) {
    const QByteArray w = QByteArray::number(drawing.size.width());
    const QByteArray h = QByteArray::number(drawing.size.height());
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                     w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n";
    svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    const QByteArray lineColour = colour(drawing.lineColour);
    if (!drawing.lines.isNull()) {
        QPainterPath traced;
        if (TraceBlackAndWhite(drawing.lines, limits, traced) != TraceResult::Traced)
            throw EAppError(QCoreApplication::translate("SvgPage", "SVG にする線が細かすぎます。"));
        const QRectF& area = drawing.linesArea;
        const QTransform onPage(area.width() / drawing.lines.width(), 0, 0,
                                area.height() / drawing.lines.height(), area.x(), area.y());
        // Tracing wraps a line one pixel wide into a sliver: outlined a pixel wide as well,
        // it is drawn as wide as on the page.
        svg += "<path fill=\"" + lineColour + "\" fill-rule=\"" +
               (traced.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero") + "\" stroke=\"" +
               lineColour + "\" stroke-width=\"" + number(onPage.m11()) +
               "\" stroke-linejoin=\"round\" d=\"" + pathData(onPage.map(traced)) + "\"/>\n";
    }
    if (!drawing.strokes.isEmpty()) {
        QPainterPath strokes;
        for (const PageDrawing::Stroke& stroke : drawing.strokes) {
            strokes.moveTo(stroke.points.first());
            for (qsizetype i = 1; i < stroke.points.size(); ++i)
                strokes.lineTo(stroke.points[i]);
            if (stroke.closed)
                strokes.closeSubpath();
        }
        svg += "<path fill=\"none\" stroke=\"" + lineColour + "\" stroke-width=\"" +
               number(drawing.strokeWidth) +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"" + pathData(strokes) +
               "\"/>\n";
    }
    // As wide as a pixel of the lines.
    const double outline = drawing.lines.isNull()
                               ? drawing.strokeWidth
                               : drawing.linesArea.width() / drawing.lines.width();
    for (const PageDrawing::Swatch& swatch : drawing.swatches)
        svg += "<rect x=\"" + number(swatch.rect.x()) + "\" y=\"" + number(swatch.rect.y()) +
               "\" width=\"" + number(swatch.rect.width()) + "\" height=\"" +
               number(swatch.rect.height()) + "\" fill=\"" + colour(swatch.colour) +
               "\" stroke=\"" + lineColour + "\" stroke-width=\"" + number(outline) + "\"/>\n";
    for (const PageDrawing::Text& text : drawing.texts)
        // x, y on the baseline, below the figures' middle by half their height.
        svg += "<text x=\"" + number(text.centre.x()) + "\" y=\"" +
               number(text.centre.y() + 0.5 * text.digitHeight) + "\" font-size=\"" +
               number(fontSizeFor(text.digitHeight)) +
               "\" font-family=\"DejaVu Sans, sans-serif\" fill=\"#000000\" text-anchor=\"" +
               (text.fromLeft ? "start" : "middle") + "\">" + escaped(text.text) + "</text>\n";
    svg += "</svg>\n";
    return svg;
}

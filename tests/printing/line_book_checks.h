// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The photo the book tests turn into clean lines: a red disc on light grey, whose outline
// is one ring.
inline QImage discPhoto() {
    QImage photo(800, 600, QImage::Format_RGB32);
    photo.fill(qRgb(235, 235, 235));
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            if ((x - 400) * (x - 400) + (y - 300) * (y - 300) < 200 * 200)
                photo.setPixel(x, y, qRgb(200, 60, 60));
    return photo;
}

// How one page of a PDF puts its ink down, read back through poppler's SVG output: centre
// lines stroked with round ends and joins, filled outlines (what tracing gives) and
// pictures.
struct PdfInk {
    int roundStrokes = 0;
    int fills = 0;
    int images = 0;
};

inline PdfInk pdfInk(const QString& pdf, int page = 1) {
    QProcess process;
    const QString number = QString::number(page);
    process.start(QStringLiteral("pdftocairo"),
                  {QStringLiteral("-svg"), QStringLiteral("-f"), number, QStringLiteral("-l"),
                   number, pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    const QString svg = QString::fromUtf8(process.readAllStandardOutput());
    PdfInk ink;
    const QRegularExpression paths(QStringLiteral("<path style=\"([^\"]*)\""));
    for (auto match = paths.globalMatch(svg); match.hasNext();) {
        const QString style = match.next().captured(1);
        if (style.contains(QLatin1String("stroke-linecap:round")) &&
            style.contains(QLatin1String("stroke-linejoin:round")))
            ++ink.roundStrokes;
        else if (!style.contains(QLatin1String("fill:none")))
            ++ink.fills;
    }
    ink.images = int(svg.count(QLatin1String("<image")));
    return ink;
}

// The widths of the runs of ink across the middle row of a PDF's first page, rendered in grey
// at 100 dpi into folder: a ring drawn at one width gives two runs as wide as each other.
inline QList<int> inkRunsAcrossTheMiddle(const QString& pdf, const QString& folder) {
    const QString rendered = folder + QStringLiteral("/middle");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                   QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), pdf, rendered});
    process.waitForFinished(60000);
    const QImage page(rendered + QStringLiteral(".pgm"));
    QList<int> runs;
    bool inInk = false;
    const int y = page.height() / 2;
    for (int x = 0; x < page.width(); ++x) {
        const bool ink = qGray(page.pixel(x, y)) < 128;
        if (ink && !inInk)
            runs.append(0);
        if (ink)
            ++runs.last();
        inInk = ink;
    }
    return runs;
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colouring_book.h"

#include "app_error.h"
#include "bitmap.h"
#include "line_tracing.h"
#include "print_layout.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageSize>
#include <QSet>
#include <QTransform>

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

EAppError bookError() {
    return EAppError(QCoreApplication::translate("ColouringBook", "PDF を書き出せませんでした。"));
}

QPageSize pageSize(BookPaper paper) {
    return QPageSize(paper == BookPaper::Letter ? QPageSize::Letter : QPageSize::A4);
}

QPageLayout layoutFor(const BookSettings& settings, QPageLayout::Orientation orientation) {
    const QPageSize size = pageSize(settings.paper);
    const double m = settings.marginMillimetres;
    const QSizeF paper = size.size(QPageSize::Millimeter);
    // The margins must leave some paper between them, or there is nowhere to put a picture.
    if (!(m >= 0) || 2 * m >= std::min(paper.width(), paper.height()))
        throw EAppError(
            QCoreApplication::translate("ColouringBook", "余白 %1 mm は用紙に収まりません。")
                .arg(m));
    return QPageLayout(size, orientation, QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

// The traced lines moved onto the target and stretched exactly as the image would be, each
// point on a whole device pixel: far finer than any printer, and the PDF engine writes a
// whole number in a few digits where a fraction takes ten, which makes the page several
// times smaller and quicker to write.
QPainterPath placeLines(QPainterPath lines, const QRect& target, QSize picture) {
    const double sx = double(target.width()) / picture.width();
    const double sy = double(target.height()) / picture.height();
    for (int i = 0, n = lines.elementCount(); i < n; ++i) {
        const QPainterPath::Element e = lines.elementAt(i);
        lines.setElementPositionAt(i, std::round(target.x() + e.x * sx),
                                   std::round(target.y() + e.y * sy));
    }
    return lines;
}

// A picture of few colours: lines, numbers, painted regions, whose edges must stay sharp.
// A numbered page or its painting has at most kMostNumberColours and a few greys; a grey
// photograph has many more than that.
bool fewColours(const QImage& image) {
    constexpr qsizetype most = 64;
    if (image.depth() == 1)
        return true;
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        // A row at a time: a large photograph is never copied whole.
        const QImage line =
            image.copy(0, y, image.width(), 1).convertToFormat(QImage::Format_RGB32);
        const QRgb* row = reinterpret_cast<const QRgb*>(line.constScanLine(0));
        for (int x = 0; x < image.width(); ++x) {
            seen.insert(row[x]);
            // A photograph gets past this within its first rows.
            if (seen.size() > most)
                return false;
        }
    }
    return true;
}

// The picture at no less than kLeastPictureDpi over target (device pixels at the book's
// resolution): a small page would otherwise print as coarse squares, its numbers and lines
// jagged. A picture of few colours is enlarged pixel by pixel, keeping its edges and
// colours; a photograph is smoothed.
QImage atLeastPrintResolution(const QImage& image, QSize target, bool flat) {
    const double scale = double(kLeastPictureDpi) / ColouringBook::Resolution;
    const QSize least(std::max(1, int(std::ceil(target.width() * scale))),
                      std::max(1, int(std::ceil(target.height() * scale))));
    if (image.width() >= least.width() && image.height() >= least.height())
        return image;
    return image.scaled(least, Qt::IgnoreAspectRatio,
                        flat ? Qt::FastTransformation : Qt::SmoothTransformation);
}

std::int64_t area(const QRect& r) {
    return std::int64_t(r.width()) * r.height();
}

} // namespace

void checkBookMargins(const BookSettings& settings) {
    layoutFor(settings, QPageLayout::Portrait);
}

BookSheet PlaceBookPage(const BookSettings& settings, QSize picture, int resolution) {
    BookSheet best;
    for (const QPageLayout::Orientation orientation :
         {QPageLayout::Portrait, QPageLayout::Landscape}) {
        const QPageLayout layout = layoutFor(settings, orientation);
        const QRect paint = layout.paintRectPixels(resolution);
        const QRect target =
            FitPictureToPage(paint.width(), paint.height(), picture.width(), picture.height());
        if (orientation == QPageLayout::Portrait || area(target) > area(best.target))
            best = BookSheet{layout, target};
    }
    return best;
}

ColouringBook::ColouringBook(QIODevice& device, const BookSettings& settings, const QString& title,
                             qint64 largestBytes)
    : m_device(device), m_largestBytes(largestBytes), m_settings(settings),
      m_dated(sourceDateEpoch()
                  ? std::make_unique<PdfCreationDateDevice>(device, *sourceDateEpoch())
                  : nullptr),
      m_writer(m_dated ? static_cast<QIODevice*>(m_dated.get()) : &device) {
    m_writer.setResolution(Resolution);
    m_writer.setTitle(title);
    m_writer.setCreator(QStringLiteral("Pintabel"));
}

BookPage PrepareBookPage(const BookSettings& settings, const Bitmap& page,
                         const TracingLimits& limits) {
    BookPage prepared;
    // A copy: the page may change while the book is written, its sheet may not.
    const QImage image = page.image();
    prepared.sheet = PlaceBookPage(settings, image.size(), ColouringBook::Resolution);
    if (settings.vector) {
        QPainterPath lines;
        const TraceResult traced = TraceBlackAndWhite(image, limits, lines);
        if (traced == TraceResult::Traced) {
            prepared.lines = placeLines(std::move(lines), prepared.sheet.target, image.size());
            return prepared;
        }
        prepared.tooDetailedToTrace = traced == TraceResult::TooDetailed;
    }
    prepared.lossless = fewColours(image);
    prepared.image = atLeastPrintResolution(image, prepared.sheet.target.size(), prepared.lossless);
    return prepared;
}

BookPage PrepareDrawnBookPage(const BookSettings& settings, const PageDrawing& drawing,
                              const TracingLimits& limits) {
    BookPage prepared;
    prepared.sheet = PlaceBookPage(settings, drawing.size, ColouringBook::Resolution);
    const QRect& target = prepared.sheet.target;
    const double sx = double(target.width()) / drawing.size.width();
    const double sy = double(target.height()) / drawing.size.height();
    auto place = [&](QPointF p) {
        return QPointF(target.x() + p.x() * sx, target.y() + p.y() * sy);
    };
    QPainterPath lines;
    const QRectF area(place(drawing.linesArea.topLeft()), place(drawing.linesArea.bottomRight()));
    if (!drawing.lines.isNull()) {
        if (TraceBlackAndWhite(drawing.lines, limits, lines) != TraceResult::Traced)
            throw EAppError(
                QCoreApplication::translate("ColouringBook", "PDF にする線が細かすぎます。"));
        lines = placeLines(std::move(lines), area.toRect(), drawing.lines.size());
    }
    prepared.lines = lines;
    if (!drawing.strokes.isEmpty()) {
        QPainterPath strokes;
        for (const PageDrawing::Stroke& stroke : drawing.strokes) {
            strokes.moveTo(place(stroke.points.first()));
            for (qsizetype i = 1; i < stroke.points.size(); ++i)
                strokes.lineTo(place(stroke.points[i]));
            if (stroke.closed)
                strokes.closeSubpath();
        }
        prepared.strokes = strokes;
        prepared.strokeWidth = drawing.strokeWidth * sx;
    }
    prepared.lineColour = drawing.lineColour;
    const QTransform onSheet(sx, 0, 0, sy, target.x(), target.y());
    for (PageDrawing::Text text : drawing.texts) {
        text.centre = place(text.centre);
        text.digitHeight *= sy;
        text.glyphs = onSheet.map(text.glyphs);
        prepared.texts.append(text);
    }
    for (PageDrawing::Swatch swatch : drawing.swatches) {
        swatch.rect = QRectF(place(swatch.rect.topLeft()), place(swatch.rect.bottomRight()));
        prepared.swatches.append(swatch);
    }
    // As wide as a pixel of the picture's lines, or as its centre lines.
    prepared.swatchOutline = drawing.lines.isNull()
                                 ? drawing.strokeWidth * sx
                                 : area.width() / std::max(1, drawing.lines.width());
    return prepared;
}

void ColouringBook::addPage(const Bitmap& page) {
    addPage(PrepareBookPage(m_settings, page, TracingLimits()));
}

void ColouringBook::addPage(const BookPage& page) {
    // A new layout applies to the next sheet begun.
    m_writer.setPageLayout(page.sheet.layout);
    if (m_pages == 0 ? !m_painter.begin(&m_writer) : !m_writer.newPage())
        throw bookError();
    ++m_pages;
    // JPEG would smear figures and lines; a photograph may take it.
    m_painter.setRenderHint(QPainter::LosslessImageRendering, page.lossless);
    if (page.lines)
        m_painter.fillPath(*page.lines, page.lineColour);
    else
        m_painter.drawImage(page.sheet.target, page.image);
    if (page.strokes)
        m_painter.strokePath(*page.strokes, QPen(page.lineColour, page.strokeWidth, Qt::SolidLine,
                                                 Qt::RoundCap, Qt::RoundJoin));
    for (const PageDrawing::Swatch& swatch : page.swatches) {
        m_painter.fillRect(swatch.rect, swatch.colour);
        m_painter.setPen(QPen(page.lineColour, page.swatchOutline));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(swatch.rect);
    }
    drawTexts(page.texts);
    // A picture is written out as it is drawn; the page's lines follow with the next page.
    refuseWhenTooLarge();
}

namespace {

// A font that writes figures: on a machine without fonts Qt would draw a box for each.
bool writesFigures(const QFont& font) {
    // Without fonts, fontconfig still names a few families that stand for none.
    if (QFontInfo(font).family().isEmpty())
        return false;
    const QFontMetricsF metrics(font);
    for (char digit = '0'; digit <= '9'; ++digit)
        if (!metrics.inFont(QLatin1Char(digit)))
            return false;
    return true;
}

} // namespace

void ColouringBook::drawTexts(const QList<PageDrawing::Text>& texts) {
    if (texts.isEmpty())
        return;
    // The font is sized once, its figures measured, and scaled for each word: a word's
    // figures then stand as high as asked whatever the font installed.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(1000);
    if (!writesFigures(font)) {
        // Numbers are filled from the program's own glyphs; words have none.
        for (const PageDrawing::Text& text : texts) {
            if (text.glyphs.isEmpty())
                throw EAppError(QCoreApplication::translate(
                    "ColouringBook", "フォントが見つからないため、色の名前を PDF に書けません。"
                                     "フォント（fonts-dejavu-core など）を入れてください。"));
            m_painter.fillPath(text.glyphs, Qt::black);
        }
        return;
    }
    const double figures =
        QFontMetricsF(font, &m_writer).tightBoundingRect(QStringLiteral("0123456789")).height();
    m_painter.setPen(Qt::black);
    for (const PageDrawing::Text& text : texts) {
        QFont sized = font;
        sized.setPixelSize(std::max(1, int(std::lround(1000.0 * text.digitHeight / figures))));
        m_painter.setFont(sized);
        const QRectF box = QFontMetricsF(sized, &m_writer).tightBoundingRect(text.text);
        // A word begins at its point, its figures' middle on the point's height.
        const QPointF anchor =
            text.fromLeft ? QPointF(box.left(), -0.5 * text.digitHeight) : box.center();
        m_painter.drawText(text.centre - anchor, text.text);
    }
}

void ColouringBook::finish() {
    if (m_pages == 0)
        throw EAppError(
            QCoreApplication::translate("ColouringBook", "PDF にするページがありません。"));
    if (!m_painter.end() || (m_dated && !m_dated->flushWaiting()))
        throw bookError();
    // Every offset the document gives lies before its end.
    refuseWhenTooLarge();
}

void ColouringBook::refuseWhenTooLarge() const {
    if (m_device.pos() > m_largestBytes)
        throw EAppError(QCoreApplication::translate(
                            "ColouringBook",
                            "PDF が %1 バイトを超えるため書き出せません。ページを分けてください。")
                            .arg(m_largestBytes));
}

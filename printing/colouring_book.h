// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "book_settings.h"
#include "line_tracing.h"
#include "page_drawing.h"
#include "pdf_creation_date.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

class Bitmap;
class QIODevice;

// One sheet of the book: its paper, orientation and margins, and where the picture lands,
// in device pixels at resolution, from the corner inside the margins.
struct BookSheet {
    QPageLayout layout;
    QRect target;
};

// Throws the EAppError PlaceBookPage gives when the margins leave no room on the paper.
void checkBookMargins(const BookSettings& settings);

// The sheet for a picture of the given size: placed by the print job's fit rule inside the
// margins, on the paper turned whichever way shows the picture larger (upright when both
// show it alike). Throws EAppError for margins that leave no room on the paper, and the
// fit rule's error for a picture of no pixels.
BookSheet PlaceBookPage(const BookSettings& settings, QSize picture, int resolution);

// A page ready to be written: its sheet, and its traced lines (in device pixels on the
// sheet) or else its picture.
struct BookPage {
    BookSheet sheet;
    std::optional<QPainterPath> lines;
    QImage image;
    // The picture is written without loss (it has few colours, and JPEG would smear them).
    bool lossless = false;
    // A black and white page of a vector book that goes in as its picture, because tracing
    // it would pass the limits.
    bool tooDetailedToTrace = false;
    // A drawn page's lines colour, and its words and swatches placed on the sheet.
    QColor lineColour = Qt::black;
    QList<PageDrawing::Text> texts;
    QList<PageDrawing::Swatch> swatches;
    double swatchOutline = 0;
    // A drawn page's centre lines, stroked strokeWidth wide with round ends and joins.
    std::optional<QPainterPath> strokes;
    double strokeWidth = 0;
};

// Places a page and, in a vector book, traces it within limits when it is black and white.
// The slow part of a page, and touches nothing shared: it may run on another thread while
// the book writes the page before. Throws as PlaceBookPage and TraceBlackAndWhite do.
BookPage PrepareBookPage(const BookSettings& settings, const Bitmap& page,
                         const TracingLimits& limits);

// Places a drawn page: its lines traced (within limits, else the page is refused with
// EAppError), its words and swatches moved onto the sheet as its picture would be.
BookPage PrepareDrawnBookPage(const BookSettings& settings, const PageDrawing& drawing,
                              const TracingLimits& limits);

// A page that goes in as its picture is placed at no fewer pixels than this to the inch.
constexpr int kLeastPictureDpi = 300;

// The largest PDF the writer can address: it writes every offset into the file as a 32-bit
// signed number, so a document past this many bytes would come out with negative offsets.
constexpr qint64 kLargestBookBytes = 0x7fffffff;

// Writes pages as one PDF document to a device, one sheet each, in the order added, each
// written out as it is added rather than gathered in memory (a file as device keeps it so).
class ColouringBook {
public:
    static constexpr int Resolution = 1200;

    // Nothing is written until the first page is added. The document's creation date is
    // SOURCE_DATE_EPOCH's when that is set, so the same pages make the same document. A document
    // that grows past largestBytes is refused (EAppError) as soon as it does, from addPage or
    // finish; the device then holds an incomplete document for the caller to drop.
    ColouringBook(QIODevice& device, const BookSettings& settings, const QString& title,
                  qint64 largestBytes = kLargestBookBytes);
    ColouringBook(const ColouringBook&) = delete;
    ColouringBook& operator=(const ColouringBook&) = delete;

    // Throws as PlaceBookPage does, before anything of the page is written; EAppError when
    // the device refuses the document.
    void addPage(const Bitmap& page);
    // A page prepared with this book's settings.
    void addPage(const BookPage& page);
    // Completes the document. A book needs at least one page: EAppError otherwise.
    void finish();
    int pageCount() const { return m_pages; }

private:
    void refuseWhenTooLarge() const;
    // Each text in black, its figures digitHeight high, centred on its point.
    void drawTexts(const QList<PageDrawing::Text>& texts);

    QIODevice& m_device;
    qint64 m_largestBytes;
    BookSettings m_settings;
    // Between the writer and the device when SOURCE_DATE_EPOCH fixes the creation date.
    std::unique_ptr<PdfCreationDateDevice> m_dated;
    QPdfWriter m_writer;
    QPainter m_painter;
    int m_pages = 0;
};

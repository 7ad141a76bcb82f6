#pragma once

#include "book_settings.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRect>
#include <QSize>
#include <QString>

class Bitmap;
class QIODevice;

// One sheet of the book: its paper, orientation and margins, and where the picture lands,
// in device pixels at resolution, from the corner inside the margins.
struct BookSheet {
    QPageLayout layout;
    QRect target;
};

// The sheet for a picture of the given size: placed by the print job's fit rule inside the
// margins, on the paper turned whichever way shows the picture larger (upright when both
// show it alike). Throws EAppError for margins that leave no room on the paper, and the
// fit rule's error for a picture of no pixels.
BookSheet PlaceBookPage(const BookSettings& settings, QSize picture, int resolution);

// Writes pages as one PDF document to a device, one sheet each, in the order added.
class ColouringBook {
public:
    static constexpr int Resolution = 1200;

    // Nothing is written until the first page is added.
    ColouringBook(QIODevice& device, const BookSettings& settings, const QString& title);
    ColouringBook(const ColouringBook&) = delete;
    ColouringBook& operator=(const ColouringBook&) = delete;

    // Throws as PlaceBookPage does, before anything of the page is written; EAppError when
    // the device refuses the document.
    void addPage(const Bitmap& page);
    // Completes the document. A book needs at least one page: EAppError otherwise.
    void finish();
    int pageCount() const { return m_pages; }

private:
    BookSettings m_settings;
    QPdfWriter m_writer;
    QPainter m_painter;
    int m_pages = 0;
};

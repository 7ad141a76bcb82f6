// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "colouring_book.h"
#include "line_tracing.h"
#include "test_application.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int RenderDpi = 100;

// A picture of one colour.
Bitmap solid(int width, int height, QRgb colour = qRgb(200, 30, 30)) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return Bitmap::fromImage(image, 24);
}

// Black shapes on white, with a hole and an island in it: a line page.
Bitmap drawing() {
    QImage image(300, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(50, 50, 200, 400);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(150, 250), 90, 90);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(150, 250), 40, 40);
    painter.drawRect(20, 480, 1, 1);
    return Bitmap::fromImage(image, 24);
}

class ColouringBookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }

    QString write(const QList<Bitmap>& pages, const BookSettings& settings,
                  const QString& title = QStringLiteral("book")) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ColouringBook book(buffer, settings, title);
        for (const Bitmap& page : pages)
            book.addPage(page);
        book.finish();
        const QString path = folder.filePath(QStringLiteral("book%1.pdf").arg(++m_books));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(buffer.data());
        return path;
    }

    static QString tool(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << qPrintable(program);
        EXPECT_EQ(process.exitCode(), 0) << qPrintable(process.readAllStandardError());
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // pdfinfo's "Page N size: W x H pts" of every page, and its other fields.
    static QString info(const QString& pdf) {
        return tool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                QStringLiteral("-l"), QStringLiteral("99"), pdf});
    }

    QImage render(const QString& pdf, int page) {
        const QString base = folder.filePath(QStringLiteral("render"));
        tool(QStringLiteral("pdftoppm"),
             {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(RenderDpi),
              QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
              QString::number(page), QStringLiteral("-singlefile"), pdf, base});
        return QImage(base + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
    }

    // The pages pdfimages lists an image for.
    static QList<int> pagesWithImages(const QString& pdf) {
        QList<int> pages;
        const QStringList lines =
            tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n');
        for (const QString& line : lines.mid(2))
            if (!line.trimmed().isEmpty())
                pages.append(line.split(' ', Qt::SkipEmptyParts).first().toInt());
        return pages;
    }

    QTemporaryDir folder;
    int m_books = 0;
};

// The box of the pixels darker than the paper.
QRect inkBox(const QImage& grey) {
    QRect box;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (row[x] < 200)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

// The dark pixels of a that have no dark pixel of b within reach pixels.
int unmatchedInk(const QImage& a, const QImage& b, int reach) {
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.constScanLine(y)[x] >= 128)
                continue;
            bool found = false;
            for (int v = std::max(0, y - reach); v <= std::min(b.height() - 1, y + reach); ++v)
                for (int u = std::max(0, x - reach); u <= std::min(b.width() - 1, x + reach); ++u)
                    found = found || b.constScanLine(v)[u] < 128;
            unmatched += !found;
        }
    return unmatched;
}

struct SheetCase {
    QSize picture;
    const char* size; // pdfinfo's "W x H" in points
    QRectF boxMm;     // where the picture lands on the sheet
};

struct BookCase {
    const char* what;
    BookPaper paper;
    double margin;
    QList<SheetCase> sheets;
};

TEST_F(ColouringBookTest, EachPictureLiesWhereTheFitRulePutsItInsideTheMargins) {
    const BookCase cases[] = {
        {"A4, 10 mm",
         BookPaper::A4,
         10,
         {// Landscape: 277 x 190 mm inside the margins, spanned across (277 x 184.7);
          // upright it would be 190 wide only.
          {QSize(600, 400), "842 x 595", QRectF(10, 12.67, 277, 184.67)},
          // Upright: 190 x 277, spanned top to bottom: 166.2 wide, centred.
          {QSize(300, 500), "595 x 842", QRectF(21.9, 10, 166.2, 277)},
          // Square: 190 x 190 either way, so upright.
          {QSize(100, 100), "595 x 842", QRectF(10, 53.5, 190, 190)}}},
        {"Letter, 25 mm",
         BookPaper::Letter,
         25,
         // 165.9 x 229.4 mm inside the margins: 137.64 wide, centred.
         {{QSize(300, 500), "612 x 792", QRectF(39.13, 25, 137.64, 229.4)}}},
        {"A4, no margin",
         BookPaper::A4,
         0,
         {{QSize(40, 10), "842 x 595", QRectF(0, 68.25, 297, 74.25)}}},
    };
    for (const BookCase& c : cases) {
        QList<Bitmap> pages;
        for (const SheetCase& sheet : c.sheets)
            pages.append(solid(sheet.picture.width(), sheet.picture.height()));
        const QString pdf = write(pages, BookSettings{c.paper, c.margin, false});
        const QString fields = info(pdf);
        EXPECT_TRUE(fields.contains(
            QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.sheets.size()))))
            << c.what;
        for (int i = 0; i < c.sheets.size(); ++i) {
            const SheetCase& sheet = c.sheets[i];
            EXPECT_TRUE(fields.contains(QRegularExpression(
                QStringLiteral("Page +%1 size: +%2 pts").arg(i + 1).arg(sheet.size))))
                << c.what << " page " << i + 1 << "\n"
                << qPrintable(fields);
            const QRect box = inkBox(render(pdf, i + 1));
            const double px = RenderDpi / 25.4;
            const QRectF expected(sheet.boxMm.x() * px, sheet.boxMm.y() * px,
                                  sheet.boxMm.width() * px, sheet.boxMm.height() * px);
            EXPECT_NEAR(box.left(), expected.left(), 2) << c.what << " page " << i + 1;
            EXPECT_NEAR(box.top(), expected.top(), 2) << c.what << " page " << i + 1;
            EXPECT_NEAR(box.right() + 1, expected.right(), 2) << c.what << " page " << i + 1;
            EXPECT_NEAR(box.bottom() + 1, expected.bottom(), 2) << c.what << " page " << i + 1;
        }
    }
}

TEST_F(ColouringBookTest, VectorBooksTraceOnlyBlackAndWhitePagesAndDrawThemAlike) {
    const QList<Bitmap> pages{drawing(), solid(80, 60)};
    const QString raster = write(pages, BookSettings{BookPaper::A4, 10, false});
    const QString vector = write(pages, BookSettings{BookPaper::A4, 10, true});
    EXPECT_EQ(pagesWithImages(raster), (QList<int>{1, 2}));
    EXPECT_EQ(pagesWithImages(vector), QList<int>{2});
    const QImage rasterPage = render(raster, 1);
    const QImage vectorPage = render(vector, 1);
    // The picture is drawn 2.2 times its size here; the traced curves keep within about a
    // picture pixel of the pixels' edges.
    EXPECT_EQ(unmatchedInk(vectorPage, rasterPage, 3), 0);
    EXPECT_EQ(unmatchedInk(rasterPage, vectorPage, 3), 0);
}

// A photograph: a smooth blend of many colours.
Bitmap blend(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    return Bitmap::fromImage(image, 24);
}

// A picture is never written coarser than 300 pixels to the inch, nor made smaller than it
// is; a picture of few colours goes in without JPEG's smearing.
TEST_F(ColouringBookTest, PicturesGoInAtNoLessThan300DpiAndFlatOnesLossless) {
    const struct {
        const char* what;
        Bitmap page;
        int width; // of the image written, 0: enlarged to fill its place at 300 dpi
        bool jpegAllowed;
    } cases[] = {
        {"small flat page", solid(60, 40), 0, false},
        {"small line page", drawing(), 0, false},
        {"small photograph", blend(120, 80), 0, true},
        {"large photograph", blend(4000, 3000), 4000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString pdf = write({c.page}, BookSettings{});
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
        const QStringList lines =
            tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n');
        ASSERT_GE(lines.size(), 3);
        const QStringList fields = lines[2].split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(fields.size(), 14) << qPrintable(lines[2]);
        EXPECT_GE(fields[12].toInt(), 300) << qPrintable(lines[2]);
        EXPECT_GE(fields[13].toInt(), 300) << qPrintable(lines[2]);
        if (c.width > 0) {
            EXPECT_EQ(fields[3].toInt(), c.width);
        }
        if (!c.jpegAllowed) {
            EXPECT_NE(fields[8], QStringLiteral("jpeg")) << qPrintable(lines[2]);
        }
    }
}

TEST_F(ColouringBookTest, TitleIsTheOneGiven) {
    const QString pdf = write({solid(10, 10)}, BookSettings{}, QStringLiteral("塗り絵 cat.photo"));
    EXPECT_TRUE(
        info(pdf).contains(QRegularExpression(QStringLiteral("Title: +塗り絵 cat.photo\n"))))
        << qPrintable(info(pdf));
}

TEST_F(ColouringBookTest, WhatCannotBeABookIsRefused) {
    const std::function<void()> cases[] = {
        [this] {
            write({solid(10, 10)}, BookSettings{BookPaper::A4, 105, false});
        },
        [this] {
            write({solid(10, 10)}, BookSettings{BookPaper::A4, -1, false});
        },
        [this] { write({Bitmap(0, 0)}, BookSettings{}); },
        [this] { write({}, BookSettings{}); },
    };
    for (const auto& c : cases)
        EXPECT_THROW(c(), EAppError);
}

// A checkerboard of single pixels, whose outlines wind through one another at every corner.
QImage checkerboard(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

TEST(LineTracing, TracesOnlyBlackAndWhitePagesWithinItsLimits) {
    const QImage lines = drawing().image();
    // The drawing's outlines: the rectangle's 1200 edges, two circles, a speck's 4.
    const struct {
        const char* what;
        QImage picture;
        TracingLimits limits;
        TraceResult result;
    } cases[] = {
        {"a line page", lines, TracingLimits(), TraceResult::Traced},
        {"a colour pixel", solid(5, 5).image(), TracingLimits(), TraceResult::NotBlackAndWhite},
        {"a fine checkerboard", checkerboard(400), TracingLimits(), TraceResult::TooDetailed},
        {"a small one", checkerboard(40), TracingLimits(), TraceResult::Traced},
        {"outlines over the edge limit", lines, TracingLimits{1000, 100000, -1},
         TraceResult::TooDetailed},
        {"outlines within it", lines, TracingLimits{3000, 100000, -1}, TraceResult::Traced},
        {"outlines over the memory", lines,
         TracingLimits{3000000, 100000, 1000 * kTracingBytesPerEdge}, TraceResult::TooDetailed},
        {"corners over the limit", checkerboard(40), TracingLimits{3000000, 1000, -1},
         TraceResult::TooDetailed},
    };
    for (const auto& c : cases) {
        QPainterPath path;
        EXPECT_EQ(TraceBlackAndWhite(c.picture, c.limits, path), c.result) << c.what;
        EXPECT_EQ(path.isEmpty(), c.result != TraceResult::Traced) << c.what;
    }
}

TEST_F(ColouringBookTest, ABookPastTheLargestSizeIsRefused) {
    ensureApplication();
    const auto bytesOfBook = [](qint64 largest) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ColouringBook book(buffer, BookSettings{}, QStringLiteral("book"), largest);
        book.addPage(solid(300, 200));
        book.addPage(drawing());
        book.finish();
        return buffer.size();
    };
    const qint64 size = bytesOfBook(kLargestBookBytes);
    EXPECT_EQ(bytesOfBook(size), size);
    EXPECT_THROW(bytesOfBook(size - 1), EAppError);
    // The first page's picture alone passes this.
    EXPECT_THROW(bytesOfBook(1000), EAppError);
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"
#include "line_book_checks.h"

#include <QAction>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace {

QString pdfInfo(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                              QStringLiteral("-l"), QStringLiteral("9"), pdf});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class BookTest : public FormTest {
protected:
    // Binds the book with these settings into file (in the test's folder), the pages chosen
    // as the book dialog offers them; the book's path.
    QString bind(const BookSettings& settings, const QString& file) {
        prompts.bookChoice = settings;
        const QString book = folder.filePath(file);
        prompts.filesToSave.append(book);
        form->SaveBook1->trigger();
        return book;
    }
};

TEST_F(BookTest, WritesEveryOpenPageInTabOrderIntoOnePdf) {
    EXPECT_FALSE(form->SaveBook1->isEnabled());
    open(picture(QStringLiteral("cat.photo.png"), 60, 40));
    open(picture(QStringLiteral("dog.png"), 20, 50, qRgb(0, 0, 0)));
    open(picture(QStringLiteral("bird.png"), 30, 30, qRgb(255, 255, 255)));
    ASSERT_TRUE(form->SaveBook1->isEnabled());

    // Cancelled in the settings, then in the file choice: nothing is written.
    prompts.confirmDialogs = false;
    form->SaveBook1->trigger();
    EXPECT_TRUE(prompts.saveDialogs.isEmpty());
    prompts.confirmDialogs = true;
    form->SaveBook1->trigger();
    ASSERT_EQ(prompts.saveDialogs.size(), 1);
    EXPECT_EQ(prompts.saveDialogs[0].fileName, QStringLiteral("cat"));
    EXPECT_EQ(prompts.saveDialogs[0].defaultSuffix, QStringLiteral("pdf"));

    prompts.bookChoice = BookSettings{BookPaper::Letter, 5, true};
    prompts.filesToSave.append(folder.filePath(QStringLiteral("book")));
    form->SaveBook1->trigger();
    EXPECT_EQ(prompts.dialogsShown, QStringList(3, QStringLiteral("book")));
    EXPECT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
    EXPECT_FALSE(form->StatusProgress->isVisible());
    const QString fields = pdfInfo(folder.filePath(QStringLiteral("book.pdf")));
    EXPECT_TRUE(fields.contains(QRegularExpression(QStringLiteral("Title: +cat.photo\n"))))
        << qPrintable(fields);
    EXPECT_TRUE(fields.contains(QRegularExpression(QStringLiteral("Pages: +3\n"))));
    EXPECT_TRUE(fields.contains(QRegularExpression(QStringLiteral("Page +1 size: +792 x 612"))));
    EXPECT_TRUE(fields.contains(QRegularExpression(QStringLiteral("Page +2 size: +612 x 792"))));
    // The settings chosen are offered the next time.
    prompts.confirmDialogs = false;
    form->SaveBook1->trigger();
    EXPECT_EQ(prompts.bookShown.paper, BookPaper::Letter);
    EXPECT_EQ(prompts.bookShown.marginMillimetres, 5);
    EXPECT_TRUE(prompts.bookShown.vector);
}

TEST_F(BookTest, ABookNamedWithoutItsSuffixReplacesAFileThereOnlyWhenTheUserSaysSo) {
    open(picture(QStringLiteral("cat.png"), 60, 40));
    // The dialog asked about "photos.txt"; the book is written as "photos.txt.pdf".
    const struct {
        const char* what;
        bool there, answer;
        int questions;
        bool written;
    } cases[] = {
        {"nothing there", false, false, 0, true},
        {"kept", true, false, 1, false},
        {"replaced", true, true, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString book = folder.filePath(QStringLiteral("photos.txt.pdf"));
        QFile::remove(book);
        if (c.there) {
            QFile old(book);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("the family's old book");
        }
        prompts.questions.clear();
        prompts.answer = [&c](const QString&) { return c.answer; };
        bind(BookSettings{}, QStringLiteral("photos.txt"));
        EXPECT_EQ(prompts.questions.size(), c.questions);
        QFile written(book);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll().startsWith("%PDF"), c.written);
    }
}

TEST_F(BookTest, NumberedPagesGoInAsLinesAndTextWithTheirPaintedPictures) {
    open(picture(QStringLiteral("cat.photo.png"), 300, 200, qRgb(200, 60, 40)));
    open(picture(QStringLiteral("dog.png"), 200, 300, qRgb(40, 90, 200)));
    // One region of one colour on each page: its number and the key's; from a palette, the
    // colour's place in it and its name.
    const QStringList ones(4, QStringLiteral("1"));
    const QStringList crayons = QStringLiteral("1 1 red 5 5 blue").split(' ');
    const struct {
        bool withPreview;
        QString palette;
        int pages;
        int images;
        QStringList words;
    } cases[] = {{false, {}, 2, 0, ones},
                 {true, {}, 4, 2, ones},
                 {false, QStringLiteral("crayons-8"), 2, 0, crayons}};
    for (const auto& c : cases) {
        BookSettings settings;
        settings.numberColours = 8;
        settings.withPreview = c.withPreview;
        settings.numberPalette = c.palette;
        prompts.bookChoice = settings;
        const QString name =
            folder.filePath(QStringLiteral("numbers%1%2.pdf").arg(c.pages).arg(c.palette));
        prompts.filesToSave.append(name);
        form->SaveBook1->trigger();
        EXPECT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        EXPECT_TRUE(pdfInfo(name).contains(
            QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))));
        QProcess images;
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), name});
        images.waitForFinished(60000);
        EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).count('\n') - 2, c.images);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {name, QStringLiteral("-")});
        text.waitForFinished(60000);
        EXPECT_EQ(QString::fromUtf8(text.readAllStandardOutput())
                      .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts),
                  c.words);
    }
}

// A page the window numbered goes into any book as its own drawing, never numbered again:
// its figures are text, its edges lines, whatever the book's settings; a change to its
// pixels makes it a picture again, still not numbered again.
TEST_F(BookTest, ANumberedPageGoesInAsItsOwnDrawing) {
    QImage bands(300, 200, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(200, 40, 40), qRgb(40, 150, 70), qRgb(40, 60, 200)};
    for (int y = 0; y < bands.height(); ++y)
        for (int x = 0; x < bands.width(); ++x)
            bands.setPixel(x, y, colours[x / 100]);
    const QString photo = folder.filePath(QStringLiteral("bands.png"));
    ASSERT_TRUE(bands.save(photo));
    open(photo);
    prompts.colourByNumberAnswer = ColourByNumberSettings{8, 3.0};
    form->ColourByNumber1->trigger();
    ASSERT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));

    const struct {
        const char* what;
        bool vector;
        int numberColours;
        bool withPreview;
        bool edited; // a pixel of the page changed before the book
        int pages;
        int images; // on the first sheet
    } cases[] = {
        {"picture book", false, 0, false, false, 1, 0},
        {"vector book", true, 0, false, false, 1, 0},
        {"numbered book with paintings", false, 8, true, false, 2, 0},
        {"edited, picture book", false, 0, false, true, 1, 1},
        // Numbered again, the page would be one white region.
        {"edited, numbered book", false, 8, true, true, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.edited) {
            QImage image = picture(0).image().convertToFormat(QImage::Format_BGR888);
            image.setPixel(0, 0, qRgb(0, 0, 0));
            picture(0) = Bitmap::fromImage(image, 24);
        }
        BookSettings settings;
        settings.vector = c.vector;
        settings.numberColours = c.numberColours;
        settings.withPreview = c.withPreview;
        const QString book = bind(settings, QStringLiteral("numbered.pdf"));
        ASSERT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        EXPECT_TRUE(pdfInfo(book).contains(
            QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))));
        const PdfInk ink = pdfInk(book, 1);
        EXPECT_EQ(ink.images, c.images);
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                    QStringLiteral("1"), book, QStringLiteral("-")});
        text.waitForFinished(60000);
        const QStringList words =
            QString::fromUtf8(text.readAllStandardOutput())
                .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (c.images > 0) {
            EXPECT_TRUE(words.isEmpty()) << qPrintable(words.join(' '));
            continue;
        }
        // Not blank: its edges, and each band's number in its region and in the key.
        EXPECT_GT(ink.fills, 0);
        QStringList numbers = words;
        numbers.sort();
        EXPECT_EQ(numbers, (QStringList{"1", "1", "2", "2", "3", "3"}))
            << qPrintable(words.join(' '));
        if (c.withPreview) {
            EXPECT_EQ(pdfInk(book, 2).images, 1);
        }
    }
}

// A page the window turned into clean lines goes into a vector book as its centre lines,
// stroked at one width, while its pixels stay what a picture book shows; a change to the
// pixels drops the lines and the page is traced or put in as it is, and undo that brings the
// page back brings its lines back. A page of the same pixels loaded from a file is traced.
TEST_F(BookTest, CleanLinePagesOfAVectorBookAreStrokedCentreLines) {
    const QString photo = folder.filePath(QStringLiteral("disc.png"));
    ASSERT_TRUE(discPhoto().save(photo));
    open(photo);
    prompts.cleanLinesAnswer = CleanLineChoice{defaultCleanLineSettings(800, 600), false};
    form->CleanLines1->trigger();
    ASSERT_EQ(picture(0).depth(), 1);
    const QString copy = folder.filePath(QStringLiteral("copy.png"));
    ASSERT_TRUE(picture(0).image().save(copy));
    open(copy);
    ASSERT_TRUE(samePicture(picture(1), picture(0)));
    form->PageControl1->setCurrentIndex(0);

    // Traced: in the vector book as whatever outlines tracing its pixels finds.
    enum Ink { Stroked, Traced, Picture };
    const struct {
        const char* what;
        QAction* TForm1::*command; // on the first page, before the book
        bool vector;
        Ink first;
    } steps[] = {
        {"converted", nullptr, true, Stroked},
        {"picture book", nullptr, false, Picture},
        {"colouring filter", &TForm1::N4, true, Traced},
        {"undone", &TForm1::N6, true, Stroked},
        // Grey now: a picture, as any page that is not black and white alone.
        {"lighter", &TForm1::N9, true, Picture},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.command)
            (form.get()->*step.command)->trigger();
        BookSettings settings;
        settings.marginMillimetres = 0;
        settings.vector = step.vector;
        const QString book = bind(settings, QStringLiteral("lines.pdf"));
        ASSERT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        const PdfInk first = pdfInk(book, 1);
        EXPECT_EQ(first.roundStrokes > 0, step.first == Stroked);
        EXPECT_EQ(first.images, step.first == Picture ? 1 : 0);
        if (step.first != Traced) {
            EXPECT_EQ(first.fills, 0);
        }
        const PdfInk second = pdfInk(book, 2);
        EXPECT_EQ(second.roundStrokes, 0);
        EXPECT_EQ(second.fills > 0, step.vector);
        EXPECT_EQ(second.images, step.vector ? 0 : 1);
        if (step.first == Stroked) {
            const QList<int> runs = inkRunsAcrossTheMiddle(book, folder.path());
            ASSERT_EQ(runs.size(), 2);
            EXPECT_LE(std::abs(runs[0] - runs[1]), 1) << runs[0] << " and " << runs[1];
        }
    }
}

// The book lists the open pages by their tabs, marks the photographs not yet converted, and
// binds only the pages left ticked, in the order the user put them.
TEST_F(BookTest, BindsTheTickedPagesInTheChosenOrder) {
    open(picture(QStringLiteral("wide.png"), 60, 40));
    open(picture(QStringLiteral("tall.png"), 20, 50));
    open(picture(QStringLiteral("square.png"), 30, 30));
    form->PageControl1->setCurrentIndex(1);
    form->N4->trigger();
    prompts.bookChoice = BookSettings{BookPaper::Letter, 5};
    const auto reversed = [](QList<PageChoice>& pages) {
        std::reverse(pages.begin(), pages.end());
    };
    const auto firstOut = [](QList<PageChoice>& pages) { pages[0].ticked = false; };
    const struct {
        const char* what;
        std::function<void(QList<PageChoice>&)> choose;
        QStringList sizes; // pdfinfo's page sizes, in the book's order
    } cases[] = {
        {"as listed", {}, {"792 x 612", "612 x 792", "612 x 792"}},
        {"reversed", reversed, {"612 x 792", "612 x 792", "792 x 612"}},
        {"first unticked", firstOut, {"612 x 792", "612 x 792"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.choosePages = c.choose ? c.choose : [](QList<PageChoice>&) {};
        const QString name = folder.filePath(QStringLiteral("chosen.pdf"));
        prompts.filesToSave.append(name);
        form->SaveBook1->trigger();
        ASSERT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        QStringList listed, photos;
        for (const PageChoice& page : prompts.pagesShown) {
            listed.append(page.name);
            photos.append(page.untouchedPhoto ? QStringLiteral("photo") : QStringLiteral("page"));
            EXPECT_TRUE(page.ticked);
        }
        EXPECT_EQ(listed, (QStringList{"wide.png", "tall.png", "square.png"}));
        EXPECT_EQ(photos, (QStringList{"photo", "page", "photo"}));
        const QString fields = pdfInfo(name);
        EXPECT_TRUE(
            fields.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.sizes.size()))))
            << qPrintable(fields);
        for (qsizetype i = 0; i < c.sizes.size(); ++i)
            EXPECT_TRUE(fields.contains(QRegularExpression(
                QStringLiteral("Page +%1 size: +%2").arg(i + 1).arg(c.sizes[i]))))
                << i << qPrintable(fields);
    }
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"
#include "line_book_checks.h"

#include <QAction>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>

namespace {

QString pdfInfo(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                              QStringLiteral("-l"), QStringLiteral("9"), pdf});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

using BookTest = FormTest;

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

TEST_F(BookTest, NumberedPagesGoInAsLinesAndTextWithTheirPaintedPictures) {
    open(picture(QStringLiteral("cat.photo.png"), 300, 200, qRgb(200, 60, 40)));
    open(picture(QStringLiteral("dog.png"), 200, 300, qRgb(40, 90, 200)));
    const struct {
        bool withPreview;
        int pages;
        int images;
    } cases[] = {{false, 2, 0}, {true, 4, 2}};
    for (const auto& c : cases) {
        BookSettings settings;
        settings.numberColours = 8;
        settings.withPreview = c.withPreview;
        prompts.bookChoice = settings;
        const QString name = folder.filePath(QStringLiteral("numbers%1.pdf").arg(c.pages));
        prompts.filesToSave.append(name);
        form->SaveBook1->trigger();
        EXPECT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        EXPECT_TRUE(pdfInfo(name).contains(
            QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))));
        QProcess images;
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), name});
        images.waitForFinished(60000);
        EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).count('\n') - 2, c.images);
        // One region of one colour on each page: its number and the key's.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {name, QStringLiteral("-")});
        text.waitForFinished(60000);
        EXPECT_EQ(QString::fromUtf8(text.readAllStandardOutput())
                      .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts),
                  QStringList(4, QStringLiteral("1")));
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
        {"converted", nullptr, true, Stroked},           {"picture book", nullptr, false, Picture},
        {"colouring filter", &TForm1::N4, true, Traced}, {"undone", &TForm1::N6, true, Stroked},
        {"lighter", &TForm1::N9, true, Traced},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.command)
            (form.get()->*step.command)->trigger();
        BookSettings settings;
        settings.marginMillimetres = 0;
        settings.vector = step.vector;
        prompts.bookChoice = settings;
        const QString book = folder.filePath(QStringLiteral("lines.pdf"));
        prompts.filesToSave.append(book);
        form->SaveBook1->trigger();
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

} // namespace

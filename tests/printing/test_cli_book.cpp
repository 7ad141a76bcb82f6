// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "line_book_checks.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct BookRun {
    const char* what;
    QStringList arguments; // after "book"; names are in the test's folder
    int exitCode;
    int pages; // 0: the old book.pdf is left as it was
    QString errorOutput;
};

QString run(const QString& program, const QStringList& arguments, int& exitCode,
            QString* errorOutput = nullptr) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (errorOutput)
        *errorOutput = QString::fromLocal8Bit(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(CliBook, WritesThePagesAfterTheStepsOrNothing) {
    QTemporaryDir folder;
    QImage photo(60, 40, QImage::Format_RGB32);
    photo.fill(qRgb(90, 140, 200));
    ASSERT_TRUE(photo.save(folder.filePath(QStringLiteral("cat.photo.png"))));
    ASSERT_TRUE(photo.scaled(20, 50).save(folder.filePath(QStringLiteral("dog.png"))));
    // A checkerboard of single pixels, too detailed to trace.
    QImage checkerboard(400, 300, QImage::Format_Mono);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            checkerboard.setPixel(x, y, (x + y) % 2);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("fine")));
    ASSERT_TRUE(checkerboard.save(folder.filePath(QStringLiteral("fine/cat.photo.png"))));
    const QString old = QStringLiteral("an older book");
    const QString progress2 = QStringLiteral("page 1/2\npage 2/2\n");
    const BookRun cases[] = {
        {"two pages after a step",
         {"book.pdf", "--paper", "Letter", "--margin", "5", "--vector", "--colouring",
          "cat.photo.png", "dog.png"},
         0,
         2,
         progress2},
        {"a page too detailed to trace",
         {"book.pdf", "--paper", "Letter", "--vector", "fine/cat.photo.png"},
         0,
         1,
         QStringLiteral("1 ページ: 細かすぎてなぞれないため、画像として入れました\npage 1/1\n")},
        {"not a .pdf", {"book.png", "cat.photo.png"}, 2, 0, {}},
        {"no input", {"book.pdf"}, 2, 0, {}},
        {"unknown paper", {"book.pdf", "--paper", "A3", "cat.photo.png"}, 2, 0, {}},
        {"margin not a number", {"book.pdf", "--margin", "wide", "cat.photo.png"}, 2, 0, {}},
        {"margins filling the paper", {"book.pdf", "--margin", "150", "cat.photo.png"}, 1, 0, {}},
        {"unreadable input", {"book.pdf", "cat.photo.png", "missing.png"}, 1, 0, {}},
    };
    for (const BookRun& c : cases) {
        QFile book(folder.filePath(QStringLiteral("book.pdf")));
        ASSERT_TRUE(book.open(QIODevice::WriteOnly));
        book.write(old.toUtf8());
        book.close();
        QStringList arguments{QStringLiteral("book")};
        for (const QString& argument : c.arguments)
            arguments << (argument.startsWith(QLatin1String("--")) || !argument.contains('.')
                              ? argument
                              : folder.filePath(argument));
        int exitCode = 0;
        QString errors;
        run(QStringLiteral(PINTABEL_CLI), arguments, exitCode, &errors);
        EXPECT_EQ(exitCode, c.exitCode) << c.what << ": " << qPrintable(errors);
        if (c.pages == 0) {
            ASSERT_TRUE(book.open(QIODevice::ReadOnly));
            EXPECT_EQ(book.readAll(), old.toUtf8()) << c.what;
            continue;
        }
        EXPECT_TRUE(errors.endsWith(c.errorOutput)) << c.what << ": " << qPrintable(errors);
        int infoExit = 0;
        const QString info = run(QStringLiteral("pdfinfo"), {book.fileName()}, infoExit);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +cat.photo\n"))))
            << qPrintable(info);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))));
        EXPECT_TRUE(info.contains(QStringLiteral("792 x 612 pts (letter)"))) << qPrintable(info);
    }
}

TEST(CliBook, NumberedPagesAreLinesAndSearchableText) {
    QTemporaryDir folder;
    // Three colours in bands: three regions numbered 1 to 3, and the key's 1 to 3.
    QImage photo(600, 400, QImage::Format_RGB32);
    const QRgb bands[] = {qRgb(230, 60, 50), qRgb(40, 150, 70), qRgb(40, 60, 190)};
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, bands[x / 200]);
    const QString input = folder.filePath(QStringLiteral("bands.png"));
    ASSERT_TRUE(photo.save(input));
    const QString book = folder.filePath(QStringLiteral("numbers.pdf"));
    const struct {
        QStringList options;
        int pages;
        int images;
    } cases[] = {{{"--colour-by-number"}, 1, 0},
                 {{"--colour-by-number=3", "--with-preview"}, 2, 1},
                 {{"--lighter", "--colour-by-number", "--smallest-region", "8"}, 1, 0}};
    for (const auto& c : cases) {
        int exitCode = 0;
        QString errors;
        run(QStringLiteral(PINTABEL_CLI),
            QStringList{"book", book} + c.options + QStringList{input}, exitCode, &errors);
        ASSERT_EQ(exitCode, 0) << qPrintable(errors);
        const QString info = run(QStringLiteral("pdfinfo"), {book}, exitCode);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))))
            << qPrintable(info);
        const QStringList images = run(QStringLiteral("pdfimages"), {"-list", book}, exitCode)
                                       .split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(images.size() - 2, c.images) << qPrintable(images.join('\n'));
        const QString text = run(QStringLiteral("pdftotext"), {"-l", "1", book, "-"}, exitCode);
        const QStringList words =
            text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (const char* number : {"1", "2", "3"})
            EXPECT_EQ(words.count(QLatin1String(number)), 2) << number << ": " << qPrintable(text);
    }
}

// Clean-line pages of a vector book are their centre lines, stroked at one width with round
// ends and joins: a disc's outline comes out as a closed ring of even weight. A picture book
// keeps the page's pixels.
TEST(CliBook, CleanLinePagesOfAVectorBookAreStrokedCentreLines) {
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("disc.png"));
    ASSERT_TRUE(discPhoto().save(input));
    const QString book = folder.filePath(QStringLiteral("lines.pdf"));
    for (const bool vector : {true, false}) {
        SCOPED_TRACE(vector ? "vector" : "picture");
        QStringList arguments{"book", book, "--margin", "0"};
        if (vector)
            arguments << QStringLiteral("--vector");
        int exitCode = 0;
        QString errors;
        run(QStringLiteral(PINTABEL_CLI), arguments + QStringList{"--clean-lines", input}, exitCode,
            &errors);
        ASSERT_EQ(exitCode, 0) << qPrintable(errors);
        const PdfInk ink = pdfInk(book);
        EXPECT_EQ(ink.images, vector ? 0 : 1);
        EXPECT_EQ(ink.fills, 0);
        EXPECT_EQ(ink.roundStrokes > 0, vector);
        if (!vector)
            continue;
        const QList<int> runs = inkRunsAcrossTheMiddle(book, folder.path());
        ASSERT_EQ(runs.size(), 2);
        EXPECT_LE(std::abs(runs[0] - runs[1]), 1) << runs[0] << " and " << runs[1];
    }
}

} // namespace

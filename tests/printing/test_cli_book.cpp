// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "line_book_checks.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

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

// Three bands in the colours of places 2, 3 and 5 of a five-colour palette.
struct PaletteScene {
    QTemporaryDir folder;
    QString photo = folder.filePath(QStringLiteral("bands.png"));
    QString palette = folder.filePath(QStringLiteral("five.gpl"));
    const QRgb bands[3] = {qRgb(200, 40, 40), qRgb(40, 150, 70), qRgb(240, 210, 40)};
    const QStringList names{"rose", "fern", "lemon"};
    PaletteScene() {
        QImage image(600, 400, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, bands[x / 200]);
        EXPECT_TRUE(image.save(photo));
        QFile file(palette);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("GIMP Palette\nName: five\n#\n0 0 0\tink\n200 40 40\trose\n40 150 70\tfern\n"
                   "255 255 255\tsnow\n240 210 40\tlemon\n");
    }
    // The number a band's colour has in the palette.
    int numberOf(QRgb colour) const {
        const int places[] = {2, 3, 5};
        for (int band = 0; band < 3; ++band)
            if (colour == bands[band])
                return places[band];
        return 0;
    }
};

TEST(CliColourByNumber, SvgPageHoldsRegionsNumbersAndTheKey) {
    PaletteScene scene;
    const QString svg = scene.folder.filePath(QStringLiteral("page.svg"));
    const QString preview = scene.folder.filePath(QStringLiteral("preview.bmp"));
    int exitCode = 0;
    QString errors;
    for (const QString& step : QStringList{"--colour-by-number", "--colour-by-number-preview"}) {
        run(QStringLiteral(PINTABEL_CLI),
            {"convert", "--palette", scene.palette, step, scene.photo,
             step.endsWith("preview") ? preview : svg},
            exitCode, &errors);
        ASSERT_EQ(exitCode, 0) << qPrintable(errors);
    }
    const QImage painted(preview);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int numbers = 0;
    QStringList names;
    QSize size;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            const QStringList box = a.value("viewBox").toString().split(' ');
            ASSERT_EQ(box.size(), 4);
            EXPECT_EQ(box[0] + box[1], QStringLiteral("00"));
            size = QSize(box[2].toInt(), box[3].toInt());
        } else if (xml.name() == QLatin1String("text")) {
            const QPointF at(a.value("x").toDouble(), a.value("y").toDouble());
            const QString text = xml.readElementText();
            if (a.value("text-anchor") == QLatin1String("start")) {
                names << text;
            } else if (at.y() < painted.height()) {
                // A region's number stands on a region painted in its colour.
                ++numbers;
                EXPECT_EQ(text.toInt(), scene.numberOf(painted.pixel(at.toPoint())))
                    << qPrintable(text);
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_EQ(size.width(), 600);
    EXPECT_GT(size.height(), 400);
    EXPECT_EQ(numbers, 3);
    EXPECT_EQ(names, QStringList({"rose", "fern", "lemon"}));
    // Drawn, the outlines run between the bands and not through them.
    const QString png = scene.folder.filePath(QStringLiteral("drawn.png"));
    run(QStringLiteral("rsvg-convert"), {"-b", "white", "-o", png, svg}, exitCode);
    ASSERT_EQ(exitCode, 0);
    const QImage drawn(png);
    ASSERT_EQ(drawn.size(), size);
    int onEdge = 0;
    int inBand = 0;
    for (int y = 0; y < 400; ++y) {
        onEdge += qGray(drawn.pixel(200, y)) < 230 || qGray(drawn.pixel(199, y)) < 230;
        inBand += qGray(drawn.pixel(100, y)) < 230;
    }
    EXPECT_GT(onEdge, 390);
    EXPECT_LT(inBand, 40); // the band's own number only
}

TEST(CliColourByNumber, BrokenPalettesAndWrongSvgPagesWriteNothing) {
    PaletteScene scene;
    QFile broken(scene.folder.filePath(QStringLiteral("broken.gpl")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("GIMP Palette\n0 0 0 ink\n0 300 0 green\n");
    broken.close();
    const struct {
        QStringList arguments;
        int exitCode;
        const char* said;
    } cases[] = {
        {{"--palette", broken.fileName(), "--colour-by-number"}, 2, "broken.gpl:3: "},
        {{"--palette", "pastels", "--colour-by-number"}, 2, "crayons-8, crayons-12, crayons-24"},
        {{"--colouring"}, 2, "SVG"},
    };
    for (const auto& c : cases) {
        for (const char* output : {"out.bmp", "out.svg"}) {
            if (c.arguments.size() == 1 && QString::fromLatin1(output).endsWith(".bmp"))
                continue;
            const QString target = scene.folder.filePath(QLatin1String(output));
            int exitCode = 0;
            QString errors;
            run(QStringLiteral(PINTABEL_CLI),
                QStringList{"convert"} + c.arguments + QStringList{scene.photo, target}, exitCode,
                &errors);
            EXPECT_EQ(exitCode, c.exitCode) << output;
            EXPECT_TRUE(errors.contains(QLatin1String(c.said))) << qPrintable(errors);
            EXPECT_FALSE(QFile::exists(target)) << output;
        }
    }
}

TEST(CliColourByNumber, BooksNameTheColoursAndNeedNoFontForNumbers) {
    PaletteScene scene;
    // A second photo of two of the bands, the other way round: its colours keep the numbers
    // they have in the palette, not their places among the colours of its own page.
    const QString pair = scene.folder.filePath(QStringLiteral("pair.png"));
    {
        QImage image(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, x < 200 ? scene.bands[2] : scene.bands[0]);
        ASSERT_TRUE(image.save(pair));
    }
    const QString book = scene.folder.filePath(QStringLiteral("book.pdf"));
    // A font set-up that finds no font at all.
    const QString fonts = scene.folder.filePath(QStringLiteral("fonts.conf"));
    QFile conf(fonts);
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("<?xml version=\"1.0\"?><fontconfig><dir>" + scene.folder.path().toUtf8() +
               "/none</dir><cachedir>" + scene.folder.path().toUtf8() +
               "/cache</cachedir></fontconfig>\n");
    conf.close();
    const struct {
        const char* what;
        bool fonts;
        bool palette;
        int exitCode;
    } cases[] = {{"named colours", true, true, 0},
                 {"numbers without fonts", false, false, 0},
                 {"names without fonts", false, true, 1}};
    for (const auto& c : cases) {
        QFile::remove(book);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!c.fonts)
            environment.insert(QStringLiteral("FONTCONFIG_FILE"), fonts);
        process.setProcessEnvironment(environment);
        QStringList arguments{"book", book};
        if (c.palette)
            arguments << "--palette" << scene.palette;
        process.start(QStringLiteral(PINTABEL_CLI),
                      arguments + QStringList{"--colour-by-number", scene.photo, pair});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), c.exitCode)
            << c.what << ": " << process.readAllStandardError().constData();
        if (c.exitCode != 0) {
            EXPECT_FALSE(QFile::exists(book)) << c.what;
            continue;
        }
        int exitCode = 0;
        const QString text = run(QStringLiteral("pdftotext"), {book, "-"}, exitCode);
        if (c.fonts) {
            // A name once a page, in the key; a number in its region and in the key. Fern
            // is on the first page only.
            const struct {
                const char* word;
                int count;
            } words[] = {{"rose", 2}, {"fern", 1}, {"lemon", 2}, {"2", 4}, {"3", 2}, {"5", 4}};
            for (const auto& w : words)
                EXPECT_EQ(text.count(QRegularExpression(
                              QStringLiteral("\\b%1\\b").arg(QLatin1String(w.word)))),
                          w.count)
                    << w.word << ": " << qPrintable(text);
            continue;
        }
        // No text, yet every number is drawn: black ink, where the lines are grey.
        EXPECT_TRUE(text.trimmed().isEmpty()) << qPrintable(text);
        run(QStringLiteral("pdftoppm"),
            {"-r", "60", "-f", "1", "-l", "1", "-png", book, scene.folder.filePath("page")},
            exitCode);
        const QImage page(scene.folder.filePath(QStringLiteral("page-1.png")));
        ASSERT_FALSE(page.isNull());
        int black = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                black += qGray(page.pixel(x, y)) < 60;
        EXPECT_GT(black, 30) << c.what;
    }
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"
#include "line_book_checks.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString pdfInfo(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

using ExportTest = FormTest;

// Export writes what the name's extension says, asks (Cancel first) before it replaces a
// file, and leaves the file alone when told not to.
TEST_F(ExportTest, WritesThePageAsPngOrAOneSheetPdf) {
    EXPECT_FALSE(form->Export1->isEnabled());
    open(picture(QStringLiteral("cat.png"), 60, 40, qRgb(200, 30, 30)));
    ASSERT_TRUE(form->Export1->isEnabled());
    const QByteArray old("old contents");
    enum Kind { Png, Pdf, Refused };
    const struct {
        const char* name;
        bool exists;
        bool replace; // the answer to the question, when asked
        Kind kind;
    } cases[] = {
        {"page.pdf", false, false, Pdf},
        {"kept.PDF", true, false, Refused},
        {"replaced.pdf", true, true, Pdf},
        {"page.jpg", false, false, Refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        if (c.exists) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        prompts.questions.clear();
        prompts.questionDefaults.clear();
        prompts.informed.clear();
        prompts.answer = [&c](const QString&) { return c.replace; };
        prompts.filesToSave.append(path);
        form->Export1->trigger();
        EXPECT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        ASSERT_EQ(prompts.questions.size(), c.exists ? 1 : 0);
        if (c.exists) {
            EXPECT_TRUE(prompts.questions[0].contains(path)) << qPrintable(prompts.questions[0]);
            EXPECT_EQ(prompts.questionDefaults[0], Prompts::Default::Cancel);
        }
        const QByteArray written = contents(path);
        switch (c.kind) {
        case Png:
            EXPECT_EQ(QImage::fromData(written, "PNG").convertToFormat(QImage::Format_RGB32),
                      picture(0).image().convertToFormat(QImage::Format_RGB32));
            break;
        case Pdf:
            EXPECT_TRUE(written.startsWith("%PDF"));
            EXPECT_TRUE(pdfInfo(path).contains(QRegularExpression(QStringLiteral("Pages: +1\n"))));
            break;
        case Refused:
            EXPECT_EQ(written, c.exists ? old : QByteArray());
            break;
        }
    }
    EXPECT_EQ(prompts.informed,
              QStringList{QStringLiteral("書き出せるのは PNG と PDF のファイルだけです。")});
    EXPECT_EQ(prompts.saveDialogs.last().directory, folder.path());
    EXPECT_EQ(prompts.saveDialogs.last().fileName, QStringLiteral("cat"));
}

// SVG is offered for a page a conversion drew, and writes its drawing: clean lines as
// stroked centre lines, colour by number as outlines with its numbers as text. A page that
// is only pixels is refused, saying why.
TEST_F(ExportTest, WritesADrawnPageAsSvg) {
    const QString photo = folder.filePath(QStringLiteral("disc.png"));
    ASSERT_TRUE(discPhoto().save(photo));
    enum Conversion { None, Lines, Numbers };
    const struct {
        Conversion conversion;
        const char* drawn; // in the SVG written; nullptr: refused
    } cases[] = {{None, nullptr}, {Lines, "stroke-linecap=\"round\""}, {Numbers, "<text "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.conversion));
        open(photo);
        if (c.conversion == Lines) {
            prompts.cleanLinesAnswer = CleanLineChoice{defaultCleanLineSettings(800, 600), false};
            form->CleanLines1->trigger();
        } else if (c.conversion == Numbers) {
            prompts.colourByNumberAnswer = ColourByNumberSettings{8, 3.0};
            form->ColourByNumber1->trigger();
        }
        prompts.informed.clear();
        const QString path = folder.filePath(QStringLiteral("page%1.svg").arg(int(c.conversion)));
        prompts.filesToSave.append(path);
        form->Export1->trigger();
        ASSERT_TRUE(prompts.errors.isEmpty()) << qPrintable(prompts.errors.join('\n'));
        EXPECT_EQ(prompts.saveDialogs.last().filter.contains(QStringLiteral("*.svg")),
                  c.drawn != nullptr);
        const QByteArray written = contents(path);
        if (!c.drawn) {
            EXPECT_TRUE(written.isEmpty());
            EXPECT_EQ(prompts.informed,
                      QStringList{QStringLiteral(
                          "SVG に書き出せるのは、線画か数字で塗り絵に変換したページだけです。")});
            continue;
        }
        EXPECT_TRUE(prompts.informed.isEmpty()) << qPrintable(prompts.informed.join('\n'));
        EXPECT_TRUE(written.contains("<svg ")) << written.left(200).constData();
        EXPECT_TRUE(written.contains(c.drawn)) << written.left(400).constData();
    }
}

} // namespace

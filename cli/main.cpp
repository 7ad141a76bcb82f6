// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "colourability.h"
#include "colouring_book.h"
#include "colouring_pipeline.h"
#include "image_loader.h"
#include "input_file.h"
#include "memory_budget.h"
#include "metafile_process.h"
#include "picture_saver.h"
#include "print_job.h"
#include "print_layout.h"
#include "qv_printers.h"
#include "safe_file.h"
#include "step_failure.h"
#include "step_memory.h"
#include "steps.h"
#include "ui_language.h"
#include "version.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <exception>
#include <future>
#include <memory>
#include <new>
#include <optional>

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// A file name exactly as the system gave it: any bytes, whether or not they are valid
// text in the locale.
void printName(FILE* stream, const QByteArray& name) {
    std::fwrite(name.constData(), 1, size_t(name.size()), stream);
}

bool loadArgument(const QByteArray& name, Bitmap& page) {
    page = Bitmap(0, 0, 24);
    QFile file;
    // The argument's own bytes, so a name that is not valid text in the locale is still found.
    return openRegularFile(name, file) && loadPicture(file, QFile::decodeName(name), page);
}

QString usage() {
    QString text = QCoreApplication::translate(
        "Cli",
        "Usage:\n"
        "  pintabel-cli info FILE...\n"
        "      Loads each FILE as the program does and prints FILE<TAB>WIDTHxHEIGHT<TAB>DEPTH\n"
        "      (bits per pixel of the page), or FILE<TAB>unreadable. Exits with 1 if any\n"
        "      file could not be read.\n"
        "  pintabel-cli convert [STEPS...] INPUT OUTPUT\n"
        "      Loads INPUT, applies the steps in the order given and writes the page as the\n"
        "      window's Save As does: OUTPUT ending in .jpg as JPEG (quality 90, the name's\n"
        "      extension made .jpg), ending in .bmp as a Windows bitmap at the page's depth.\n"
        "      An unreadable INPUT or another extension writes nothing.\n"
        "  pintabel-cli print [--printer NAME] [STEPS...] INPUT\n"
        "      Loads INPUT, applies the steps and prints the page as the window's Print\n"
        "      command does: one page, scaled to fit and centred, in a job named after\n"
        "      INPUT. Without --printer it goes to the default printer.\n"
        "  pintabel-cli book OUTPUT.pdf [--paper A4|Letter] [--margin MM] [--vector]\n"
        "                   [--with-preview] [STEPS...] INPUT...\n"
        "      Loads each INPUT, applies the steps and writes all of them as one PDF, one\n"
        "      page each in the order given, on A4 (the default) or Letter paper with\n"
        "      margins of MM millimetres (10 by default): each picture scaled to fit inside\n"
        "      the margins and centred as printing does, on the paper turned whichever way\n"
        "      shows it larger. With --vector, pages of pure black and white go in as traced\n"
        "      curves instead of images; a page too detailed to trace goes in as an image,\n"
        "      and the tool says so. With --vector and --clean-lines last among the steps,\n"
        "      each page goes in as its smoothed centre lines, stroked at the lines' width\n"
        "      with round ends. The document is titled after the first INPUT.\n"
        "      Says \"page N/TOTAL\" on standard error as each page is done. OUTPUT must end\n"
        "      in .pdf; it is written only when every page is, and replaced whole. A book\n"
        "      that would pass 2 GiB, the most a PDF writer can address, is refused.\n"
        "      With --colour-by-number last among the steps, each page is written as lines,\n"
        "      text and swatches; --with-preview adds its painted picture on the next sheet.\n"
        "  pintabel-cli check [--overlay OUT.png] [STEPS...] INPUT\n"
        "      Loads INPUT, applies the steps and tells whether the page can be coloured,\n"
        "      one figure a line: size WIDTHxHEIGHT, ink-share (0 to 1, pixels darker than\n"
        "      middle grey), regions (white regions closed by lines or the page's edge),\n"
        "      tiny-regions (those under 3 mm across with the page fitted to A4) and\n"
        "      tiny-under-px (that width in pixels of the page). --overlay writes the page\n"
        "      as PNG with the tiny regions filled red.\n"
        "  pintabel-cli --help\n"
        "      Shows this text.\n"
        "  pintabel-cli --version\n"
        "      Prints the version.\n"
        "\n"
        "Environment:\n"
        "  PINTABEL_LOAD_BUDGET_MB  caps the memory loading one picture, or one step on\n"
        "      its page, may use (MiB); one needing more is refused with the out-of-memory\n"
        "      message. Without it the cap follows the memory free to the tool: the\n"
        "      system's, its control group's and its address space limit.\n"
        "\n"
        "Steps:\n");
    const QList<ProcessingStep>& steps = processingSteps();
    if (steps.isEmpty())
        text += QCoreApplication::translate("Cli", "  (none available)\n");
    for (const ProcessingStep& step : steps)
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(step.option, QCoreApplication::translate("Steps", step.help.toUtf8()));
    return text;
}

int info(const QList<QByteArray>& files) {
    if (files.isEmpty()) {
        print(stderr, QCoreApplication::translate("Cli", "pintabel-cli info: no file given\n"));
        return 2;
    }
    int status = 0;
    for (const QByteArray& file : files) {
        Bitmap page;
        try {
            if (loadArgument(file, page)) {
                printName(stdout, file);
                print(stdout, QStringLiteral("\t%1x%2\t%3\n")
                                  .arg(page.width())
                                  .arg(page.height())
                                  .arg(page.depth()));
                continue;
            }
        } catch (const EAppError& error) {
            print(stderr, error.message() + QLatin1Char('\n'));
        }
        printName(stdout, file);
        print(stdout, QStringLiteral("\tunreadable\n"));
        status = 1;
    }
    return status;
}

// Splits the arguments of command into processing steps and paths (their own bytes);
// false (after saying why) on an unknown step.
bool parseSteps(const QString& command, const QList<QByteArray>& arguments,
                QList<const ProcessingStep*>& chosen, QList<QByteArray>& paths) {
    for (auto raw = arguments.begin(); raw != arguments.end(); ++raw) {
        const QString argument = QFile::decodeName(*raw);
        if (argument == QLatin1String(kSmallestRegionOption)) {
            if (++raw == arguments.end() || !setSmallestRegionMm(QFile::decodeName(*raw))) {
                print(stderr, QCoreApplication::translate(
                                  "Cli", "pintabel-cli %1: %2 needs a width from 1 to 50 mm\n")
                                  .arg(command, argument));
                return false;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            QString refusal;
            const ProcessingStep* step = findProcessingStep(argument, refusal);
            if (!step) {
                print(stderr, QStringLiteral("pintabel-cli %1: %2\n").arg(command, refusal));
                return false;
            }
            chosen.append(step);
        } else {
            paths.append(*raw);
        }
    }
    return true;
}

// Loads input as the program does and applies the steps in order; false (after saying so)
// when input cannot be read.
bool loadPage(const QString& command, const QByteArray& input,
              const QList<const ProcessingStep*>& chosen, Bitmap& page) {
    if (!loadArgument(input, page)) {
        print(stderr, QStringLiteral("pintabel-cli %1: ").arg(command));
        printName(stderr, input);
        print(stderr, QStringLiteral(": unreadable\n"));
        return false;
    }
    for (const ProcessingStep* step : chosen)
        step->apply(page);
    return true;
}

int convert(const QList<QByteArray>& arguments) {
    QList<const ProcessingStep*> chosen;
    QList<QByteArray> paths;
    if (!parseSteps(QStringLiteral("convert"), arguments, chosen, paths))
        return 2;
    if (paths.size() != 2) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli convert: give one INPUT and one OUTPUT\n"));
        return 2;
    }
    const QString output = QFile::decodeName(paths[1]);
    const SaveFormat format = SaveFormatOf(output);
    if (format == SaveFormat::Unsupported) {
        print(stderr, unsupportedSaveFormatMessage() + QLatin1Char('\n'));
        return 2;
    }
    // A photo only turned into its colouring page is decoded, converted and written at once;
    // whatever that way cannot do is done the ordinary way.
    if (chosen.size() == 1 && chosen[0]->option == QLatin1String("--colouring")) {
        QFile file;
        if (openRegularFile(paths[0], file) &&
            SaveColouringPipelined(file, QFile::decodeName(paths[0]), output, format))
            return 0;
    }
    Bitmap page;
    if (!loadPage(QStringLiteral("convert"), paths[0], chosen, page))
        return 1;
    SavePicture(page, output, format);
    return 0;
}

// Takes "OPTION VALUE" out of the arguments (value stays empty without OPTION); false, after
// saying so, when OPTION has no VALUE.
bool takeOption(const QString& command, const char* option, const char* what,
                QList<QByteArray>& arguments, QByteArray& value) {
    const qsizetype at = arguments.indexOf(QByteArray(option));
    if (at < 0)
        return true;
    if (at + 1 >= arguments.size()) {
        print(stderr, QCoreApplication::translate("Cli", "pintabel-cli %1: %2 needs a %3\n")
                          .arg(command, QLatin1String(option), QLatin1String(what)));
        return false;
    }
    value = arguments.takeAt(at + 1);
    arguments.removeAt(at);
    return true;
}

// The arguments of a command that takes one "OPTION VALUE", steps and one INPUT.
struct OneInputArguments {
    QByteArray optionValue; // empty without OPTION
    QList<const ProcessingStep*> chosen;
    QByteArray input;
};

// Splits them; false (after saying why) when OPTION has no VALUE, on an unknown step and on
// another number of paths.
bool oneInputArguments(const QString& command, const char* option, const char* what,
                       QList<QByteArray> arguments, OneInputArguments& given) {
    if (!takeOption(command, option, what, arguments, given.optionValue))
        return false;
    QList<QByteArray> paths;
    if (!parseSteps(command, arguments, given.chosen, paths))
        return false;
    if (paths.size() != 1) {
        print(stderr,
              QCoreApplication::translate("Cli", "pintabel-cli %1: give one INPUT\n").arg(command));
        return false;
    }
    given.input = paths[0];
    return true;
}

int check(const QList<QByteArray>& arguments) {
    OneInputArguments given;
    if (!oneInputArguments(QStringLiteral("check"), "--overlay", "FILE", arguments, given))
        return 2;
    const QString overlay = QFile::decodeName(given.optionValue);
    if (!overlay.isEmpty())
        checkSaveTarget(overlay);
    Bitmap page;
    if (!loadPage(QStringLiteral("check"), given.input, given.chosen, page))
        return 1;
    requireStepMemory(colourabilityCheckBytes(page.width(), page.height(), !overlay.isEmpty()));
    const ColourabilityCheck figures =
        runLineArtStep(QStringLiteral("check"), [&] { return ColourabilityCheck(page); });
    print(stdout, QStringLiteral("size %1x%2\n").arg(page.width()).arg(page.height()));
    print(stdout, QStringLiteral("ink-share %1\n").arg(figures.inkShare(), 0, 'f', 4));
    print(stdout, QStringLiteral("regions %1\n").arg(figures.regions()));
    print(stdout, QStringLiteral("tiny-regions %1\n").arg(figures.tinyRegions()));
    print(stdout,
          QStringLiteral("tiny-under-px %1\n").arg(figures.minimumAcrossPixels(), 0, 'f', 1));
    if (!overlay.isEmpty()) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!figures.overlay(page).save(&png, "PNG")) {
            print(stderr, QCoreApplication::translate(
                              "Cli", "pintabel-cli check: cannot make the overlay\n"));
            return 1;
        }
        // Replaced whole or not at all, like every picture the tool writes.
        WriteFileSafely(overlay, png.data());
    }
    return 0;
}

int printPage(const QList<QByteArray>& arguments) {
    OneInputArguments given;
    if (!oneInputArguments(QStringLiteral("print"), "--printer", "NAME", arguments, given))
        return 2;
    const QString printerName = QString::fromLocal8Bit(given.optionValue);
    TQvPrinter service;
    if (!printerName.isEmpty()) {
        service.CheckNoPrinter();
        service.selectPrinter(printerName);
    }
    Bitmap page;
    if (!loadPage(QStringLiteral("print"), given.input, given.chosen, page))
        return 1;
    PrintPicture(service, page, QFile::decodeName(given.input));
    return 0;
}

// The book's settings from its options, taken out of arguments; false after saying why.
bool bookSettings(QList<QByteArray>& arguments, BookSettings& settings) {
    QByteArray paperOption("A4");
    QByteArray marginOption("10");
    const QString command = QStringLiteral("book");
    if (!takeOption(command, "--paper", "value", arguments, paperOption) ||
        !takeOption(command, "--margin", "value", arguments, marginOption))
        return false;
    const QString paper = QString::fromLocal8Bit(paperOption);
    const QString margin = QString::fromLocal8Bit(marginOption);
    settings.vector = arguments.removeAll(QByteArray("--vector")) > 0;
    if (paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
        settings.paper = BookPaper::A4;
    } else if (paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
        settings.paper = BookPaper::Letter;
    } else {
        print(
            stderr,
            QCoreApplication::translate("Cli", "pintabel-cli book: unknown paper %1\n").arg(paper));
        return false;
    }
    bool number = false;
    settings.marginMillimetres = margin.toDouble(&number);
    if (!number || !(settings.marginMillimetres >= 0)) {
        print(stderr,
              QCoreApplication::translate("Cli", "pintabel-cli book: bad margin %1\n").arg(margin));
        return false;
    }
    return true;
}

int book(QList<QByteArray> arguments) {
    BookSettings settings;
    if (!bookSettings(arguments, settings))
        return 2;
    bool withPreview = arguments.removeAll(QByteArray("--with-preview")) > 0;
    QList<const ProcessingStep*> chosen;
    QList<QByteArray> paths;
    if (!parseSteps(QStringLiteral("book"), arguments, chosen, paths))
        return 2;
    if (paths.size() < 2) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli book: give OUTPUT.pdf and at least one INPUT\n"));
        return 2;
    }
    const QString output = QFile::decodeName(paths.takeFirst());
    // A picture named first by mistake must not be overwritten with a PDF.
    if (!output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        print(stderr,
              QCoreApplication::translate("Cli", "pintabel-cli book: OUTPUT must end in .pdf\n"));
        return 2;
    }
    checkSaveTarget(output);
    // Margins that leave no paper are refused before any page is worked on.
    checkBookMargins(settings);
    // The next page is loaded, processed and traced on a second thread while the book
    // writes the one before; nothing, when it cannot be read.
    TracingLimits limits;
    limits.memoryBytes = loadBudget();
    // A last step that can draw its page puts it in as a drawing, the painted picture after
    // it when asked.
    const ProcessingStep* drawn =
        !chosen.isEmpty() && chosen.last()->draw &&
                (settings.vector || !chosen.last()->drawnInVectorBooksOnly)
            ? chosen.last()
            : nullptr;
    if (drawn)
        chosen.removeLast();
    if (withPreview && !(drawn && drawn->paintsPreview)) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli book: --with-preview is ignored: only a "
                                 "colour-by-number page has a painted picture to add\n"));
        withPreview = false;
    }
    const auto prepare = [&](qsizetype i) -> std::optional<QList<BookPage>> {
        Bitmap page;
        if (!loadPage(QStringLiteral("book"), paths[i], chosen, page))
            return std::nullopt;
        if (!drawn)
            return QList<BookPage>{PrepareBookPage(settings, page, limits)};
        Bitmap painted;
        const PageDrawing drawing = drawn->draw(page, withPreview ? &painted : nullptr);
        page = Bitmap();
        QList<BookPage> sheets{PrepareDrawnBookPage(settings, drawing, limits)};
        if (withPreview)
            sheets.append(PrepareBookPage(settings, painted, limits));
        return sheets;
    };
    // Thrown through the writing when a page cannot be read: the book is dropped.
    struct PageUnreadable {};
    try {
        // Written straight into the temporary file that replaces OUTPUT once complete.
        WriteFileSafely(output, [&](QIODevice& pdf) {
            ColouringBook writer(pdf, settings, PrintTitle(QFile::decodeName(paths[0])));
            std::future<std::optional<QList<BookPage>>> next =
                std::async(std::launch::async, prepare, 0);
            for (qsizetype i = 0; i < paths.size(); ++i) {
                const std::optional<QList<BookPage>> sheets = next.get();
                if (!sheets)
                    throw PageUnreadable();
                if (i + 1 < paths.size())
                    next = std::async(std::launch::async, prepare, i + 1);
                for (const BookPage& page : *sheets) {
                    if (page.tooDetailedToTrace)
                        print(stderr, QCoreApplication::translate(
                                          "Cli", "page %1: too detailed to trace, put in as an "
                                                 "image\n")
                                          .arg(i + 1));
                    writer.addPage(page);
                }
                print(stderr, QStringLiteral("page %1/%2\n").arg(i + 1).arg(paths.size()));
            }
            writer.finish();
            return true;
        });
    } catch (const PageUnreadable&) {
        return 1;
    }
    return 0;
}

QtMessageHandler qtDefaultHandler = nullptr;

// The tool prints its results and its own errors, nothing else: Qt's notes and warnings
// about its surroundings (a missing runtime folder, fonts, the platform) are dropped.
// Critical and fatal messages still show.
void dropQtChatter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtDefaultHandler(type, context, message);
}

// Drawing (a printed page, a book) needs a GUI application, though no screen. Reading,
// converting and writing pictures need neither, and skip loading the platform.
std::unique_ptr<QCoreApplication> application(int& argc, char** argv) {
    const bool draws =
        argc > 1 && (std::strcmp(argv[1], "print") == 0 || std::strcmp(argv[1], "book") == 0);
    if (!draws)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    qtDefaultHandler = qInstallMessageHandler(dropQtChatter);
    const std::unique_ptr<QCoreApplication> app = application(argc, argv);
    const UiTranslations translations(systemUiLanguage());
    // The arguments' own bytes: file names are passed on unchanged.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    if (arguments.isEmpty() || arguments[0] == "--help" || arguments[0] == "-h") {
        print(arguments.isEmpty() ? stderr : stdout, usage());
        return arguments.isEmpty() ? 2 : 0;
    }
    if (arguments[0] == "--version") {
        print(stdout, QStringLiteral("pintabel-cli " PINTABEL_VERSION "\n"));
        return 0;
    }
    const QString command = QFile::decodeName(arguments.takeFirst());
    setMetafileRenderer(findMetafileRenderer());
    try {
        if (command == QLatin1String("info"))
            return info(arguments);
        if (command == QLatin1String("convert"))
            return convert(arguments);
        if (command == QLatin1String("print"))
            return printPage(arguments);
        if (command == QLatin1String("book"))
            return book(arguments);
        if (command == QLatin1String("check"))
            return check(arguments);
    } catch (const EAppError& error) {
        print(stderr, error.message() + QLatin1Char('\n'));
        return 1;
    } catch (const std::bad_alloc&) {
        print(stderr, outOfMemoryError().message() + QLatin1Char('\n'));
        return 1;
    } catch (const std::exception& error) {
        print(stderr,
              QStringLiteral("pintabel-cli: %1\n").arg(QString::fromLocal8Bit(error.what())));
        return 1;
    }
    print(stderr,
          QCoreApplication::translate("Cli", "pintabel-cli: unknown command %1\n\n").arg(command) +
              usage());
    return 2;
}

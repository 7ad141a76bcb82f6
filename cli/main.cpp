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
#include "svg_page.h"
#include "ui_language.h"
#include "version.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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
        "使い方:\n"
        "  pintabel-cli info FILE...\n"
        "      各 FILE をプログラムと同じように読み込み、FILE<TAB>幅x高さ<TAB>深さ（ページの\n"
        "      1 ピクセルあたりのビット数）か、FILE<TAB>unreadable を出力します。読めない\n"
        "      ファイルが一つでもあれば終了コードは 1 です。\n"
        "  pintabel-cli convert [STEPS...] INPUT OUTPUT\n"
        "      INPUT を読み込み、指定した順に処理を施して、ページを OUTPUT に書き出します。\n"
        "      形式は拡張子（大文字小文字を問わない）で決まります: .png は PNG（2 色のページは\n"
        "      1 ピクセル 1 ビット、256 色以下のページはその色のパレット付き）、.jpg と .jpeg\n"
        "      は JPEG（品質 90）、.bmp はページの深さの Windows ビットマップ、.svg は SVG 図\n"
        "      （最後の処理が --colour-by-number か --clean-lines "
        "のページだけ）です。ほかの拡張子、\n"
        "      フォルダー、書き込めないフォルダーの中の名前の OUTPUT は、何もする前に断ります\n"
        "      （終了コード 2）。INPUT が読めなければ何も書き出しません。\n"
        "  pintabel-cli print [--printer NAME] [STEPS...] INPUT\n"
        "      INPUT を読み込み、処理を施して、ウィンドウの印刷コマンドと同じようにページを\n"
        "      印刷します: 1 ページに収まるよう拡大縮小して中央に置き、INPUT の名前のジョブで\n"
        "      送ります。--printer がなければ既定のプリンタに送ります。\n"
        "  pintabel-cli book OUTPUT.pdf [--paper A4|Letter] [--margin MM] [--vector]\n"
        "                   [--with-preview] [STEPS...] INPUT...\n"
        "      各 INPUT を読み込み、処理を施して、すべてを 1 つの PDF に、指定した順に 1 枚\n"
        "      1 ページで書き出します。用紙は A4（既定）か Letter、余白は MM ミリメートル\n"
        "      （既定 10）です: 各画像は余白の内側に収まるよう拡大縮小し、印刷と同じく中央に\n"
        "      置き、用紙は画像が大きく見える向きにします。--vector では白と黒だけのページを\n"
        "      画像ではなくなぞった曲線で入れます。細かすぎてなぞれないページは画像で入れ、\n"
        "      そのことを知らせます。--vector で処理の最後が --clean-lines なら、各ページを\n"
        "      滑らかにした中心線として、線の幅で端の丸い線を引いて入れます。文書の題は最初の\n"
        "      INPUT の名前です。ページを一つ終えるごとに標準エラーに \"page N/TOTAL\" と出し\n"
        "      ます。OUTPUT は .pdf で終わる名前にします。すべてのページができたときだけ書き\n"
        "      出し、まるごと置き換えます。PDF を書く側が扱える 2 GiB を超える本は断ります。\n"
        "      処理の最後が --colour-by-number なら、各ページを線、文字、色見本で書き出し\n"
        "      ます。--with-preview で塗った絵を次の用紙に加えます。\n"
        "  pintabel-cli check [--overlay OUT.png] [--smallest-region MM] [STEPS...] INPUT\n"
        "      INPUT を読み込み、処理を施して、ページが塗れるかどうかを 1 行に 1 つの数で示し\n"
        "      ます: size 幅x高さ、ink-share（0 から 1、中間の灰色より暗いピクセルの割合）、\n"
        "      regions（線かページの端で閉じた白い領域の数）、tiny-regions（ページを A4 に\n"
        "      合わせたとき幅 MM 未満の領域の数。--smallest-region がなければ 3 mm）、\n"
        "      tiny-under-px（その幅をページのピクセルで表したもの）。--overlay は小さすぎる\n"
        "      領域を赤く塗ったページを PNG で書き出します。\n"
        "  pintabel-cli --help\n"
        "      この説明を表示します。\n"
        "  pintabel-cli --version\n"
        "      バージョンを表示します。\n"
        "\n"
        "環境変数:\n"
        "  PINTABEL_LOAD_BUDGET_MB  1 枚の画像の読み込みか、そのページへの 1 つの処理が使える\n"
        "      メモリの上限（MiB）。それより多く要るものはメモリ不足のメッセージで断ります。\n"
        "      指定がなければ、上限はツールが使える空きメモリ（システム、コントロール\n"
        "      グループ、アドレス空間の制限）に従います。\n"
        "\n"
        "処理:\n");
    const QList<ProcessingStep>& steps = processingSteps();
    if (steps.isEmpty())
        text += QCoreApplication::translate("Cli", "  （ありません）\n");
    for (const ProcessingStep& step : steps)
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(step.option, QCoreApplication::translate("Steps", step.help.toUtf8()));
    text += QCoreApplication::translate(
        "Cli",
        "\n"
        "主題（--clean-lines と --colour-by-number に）:\n"
        "  --subject X,Y,W,H\n"
        "      画像の主題を囲む枠。読み込んだ（正立させた）画像のピクセルで指定します。主題を\n"
        "      枠から切り抜き、その特徴を多めに描きます。画像の外にある枠は断ります。\n"
        "  --background none|simple|full\n"
        "      主題のまわりに残すもの: 白い紙（none、既定）、背景の大きな形いくつか\n"
        "      （simple）、背景すべて（full）。\n");
    return text;
}

int info(const QList<QByteArray>& files) {
    if (files.isEmpty()) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli info: ファイルが指定されていません\n"));
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
                print(stderr,
                      QCoreApplication::translate(
                          "Cli",
                          "pintabel-cli %1: %2 には 1 から 50 までの幅 (mm) を指定してください\n")
                          .arg(command, argument));
                return false;
            }
        } else if (argument == QLatin1String(kPaletteOption)) {
            if (++raw == arguments.end()) {
                print(stderr,
                      QCoreApplication::translate(
                          "Cli", "pintabel-cli %1: %2 には GIMP のパレットファイル (.gpl) か"
                                 "組み込みの色の組の名前を指定してください\n")
                          .arg(command, argument));
                return false;
            }
            try {
                setNumberPalette(QFile::decodeName(*raw));
            } catch (const EAppError& error) {
                print(stderr,
                      QStringLiteral("pintabel-cli %1: %2\n").arg(command, error.message()));
                return false;
            }
        } else if (argument == QLatin1String(kSubjectOption)) {
            if (++raw == arguments.end() || !setSubjectBox(QFile::decodeName(*raw))) {
                print(stderr,
                      QCoreApplication::translate(
                          "Cli", "pintabel-cli %1: %2 には画像のピクセルで X,Y,W,H の枠を、幅と"
                                 "高さを 0 より大きくして指定してください\n")
                          .arg(command, argument));
                return false;
            }
        } else if (argument == QLatin1String(kBackgroundOption)) {
            if (++raw == arguments.end() || !setBackground(QFile::decodeName(*raw))) {
                print(
                    stderr,
                    QCoreApplication::translate(
                        "Cli",
                        "pintabel-cli %1: %2 には none、simple、full のどれかを指定してください\n")
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

// Refuses, after saying why, an output the tool cannot write: a name that is no file (a
// folder, a pipe, a device) or one in a folder that is missing or cannot be written to. It
// is asked before anything is loaded, so a refused output costs nothing and nothing is
// written.
bool writableOutput(const QString& command, const QString& output) {
    try {
        checkSaveTarget(output);
    } catch (const EAppError& error) {
        print(stderr, QStringLiteral("pintabel-cli %1: %2\n").arg(command, error.message()));
        return false;
    }
    const QFileInfo folder(QFileInfo(output).absolutePath());
    if (folder.isDir() && folder.isWritable())
        return true;
    print(stderr, QCoreApplication::translate(
                      "Cli", "pintabel-cli %1: \"%2\" を書き出せません。フォルダー \"%3\" "
                             "に書き込めません\n")
                      .arg(command, output, folder.filePath()));
    return false;
}

// Loads input as the program does and applies the steps in order; false (after saying so)
// when input cannot be read.
bool loadPage(const QString& command, const QByteArray& input,
              const QList<const ProcessingStep*>& chosen, Bitmap& page) {
    if (!loadArgument(input, page)) {
        print(stderr, QStringLiteral("pintabel-cli %1: ").arg(command));
        printName(stderr, input);
        print(stderr, QCoreApplication::translate("Cli", ": 読み込めません\n"));
        return false;
    }
    for (const ProcessingStep* step : chosen)
        step->apply(page);
    return true;
}

bool isSvgName(const QString& output) {
    return output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
}

// An SVG is a drawing: the last step must be one that draws its page.
int convertToSvg(QList<const ProcessingStep*> chosen, const QByteArray& input,
                 const QString& output) {
    if (chosen.isEmpty() || !chosen.last()->draw) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli convert: SVG に書き出せるのは数字で塗り絵か線画の"
                                 "ページだけです。最後の処理に --colour-by-number か "
                                 "--clean-lines を指定してください\n"));
        return 2;
    }
    checkSaveTarget(output);
    const ProcessingStep* drawn = chosen.takeLast();
    Bitmap page;
    if (!loadPage(QStringLiteral("convert"), input, chosen, page))
        return 1;
    TracingLimits limits;
    limits.memoryBytes = loadBudget();
    const PageDrawing drawing = drawn->draw(page, nullptr);
    page = Bitmap();
    WriteFileSafely(output, SvgPage(drawing, limits));
    return 0;
}

int convert(const QList<QByteArray>& arguments) {
    QList<const ProcessingStep*> chosen;
    QList<QByteArray> paths;
    if (!parseSteps(QStringLiteral("convert"), arguments, chosen, paths))
        return 2;
    if (paths.size() != 2) {
        print(stderr,
              QCoreApplication::translate(
                  "Cli", "pintabel-cli convert: INPUT と OUTPUT を 1 つずつ指定してください\n"));
        return 2;
    }
    const QString output = QFile::decodeName(paths[1]);
    // A folder is told it is one rather than that its name lacks an extension.
    if (!writableOutput(QStringLiteral("convert"), output))
        return 2;
    if (isSvgName(output))
        return convertToSvg(chosen, paths[0], output);
    const SaveFormat format = OutputFormatOf(output);
    if (format == SaveFormat::Unsupported) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli convert: \"%1\" を書き出せません。名前の拡張子を "
                                 ".png、.jpg、.jpeg、.bmp、.svg のどれかにしてください\n")
                          .arg(output));
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
    WritePicture(page, output, format);
    return 0;
}

// Takes "OPTION VALUE" out of the arguments (value stays empty without OPTION); false, after
// saying so, when OPTION has no VALUE.
bool takeOption(const QString& command, const char* option, const QString& what,
                QList<QByteArray>& arguments, QByteArray& value) {
    const qsizetype at = arguments.indexOf(QByteArray(option));
    if (at < 0)
        return true;
    if (at + 1 >= arguments.size()) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli %1: %2 の後に %3 を指定してください\n")
                          .arg(command, QLatin1String(option), what));
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
bool oneInputArguments(const QString& command, const char* option, const QString& what,
                       QList<QByteArray> arguments, OneInputArguments& given) {
    if (!takeOption(command, option, what, arguments, given.optionValue))
        return false;
    QList<QByteArray> paths;
    if (!parseSteps(command, arguments, given.chosen, paths))
        return false;
    if (paths.size() != 1) {
        print(stderr,
              QCoreApplication::translate("Cli", "pintabel-cli %1: INPUT を 1 つ指定してください\n")
                  .arg(command));
        return false;
    }
    given.input = paths[0];
    return true;
}

int check(const QList<QByteArray>& arguments) {
    OneInputArguments given;
    if (!oneInputArguments(QStringLiteral("check"), "--overlay", QStringLiteral("FILE"), arguments,
                           given))
        return 2;
    const QString overlay = QFile::decodeName(given.optionValue);
    if (!overlay.isEmpty() && OutputFormatOf(overlay) != SaveFormat::Png) {
        print(stderr, QCoreApplication::translate(
                          "Cli", "pintabel-cli check: \"%1\" を書き出せません。--overlay は PNG "
                                 "を書き出すので、名前の拡張子を .png にしてください\n")
                          .arg(overlay));
        return 2;
    }
    if (!overlay.isEmpty() && !writableOutput(QStringLiteral("check"), overlay))
        return 2;
    Bitmap page;
    if (!loadPage(QStringLiteral("check"), given.input, given.chosen, page))
        return 1;
    requireStepMemory(colourabilityCheckBytes(page.width(), page.height(), !overlay.isEmpty()));
    const ColourabilityCheck figures = runLineArtStep(QStringLiteral("check"), [&] {
        return ColourabilityCheck(page, chosenSmallestRegionMm());
    });
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
            print(stderr,
                  QCoreApplication::translate("Cli", "pintabel-cli check: 重ねた絵を作れません\n"));
            return 1;
        }
        // Replaced whole or not at all, like every picture the tool writes.
        WriteFileSafely(overlay, png.data());
    }
    return 0;
}

int printPage(const QList<QByteArray>& arguments) {
    OneInputArguments given;
    if (!oneInputArguments(QStringLiteral("print"), "--printer", QStringLiteral("NAME"), arguments,
                           given))
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
    const QString value = QCoreApplication::translate("Cli", "値");
    if (!takeOption(command, "--paper", value, arguments, paperOption) ||
        !takeOption(command, "--margin", value, arguments, marginOption))
        return false;
    const QString paper = QString::fromLocal8Bit(paperOption);
    const QString margin = QString::fromLocal8Bit(marginOption);
    settings.vector = arguments.removeAll(QByteArray("--vector")) > 0;
    if (paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
        settings.paper = BookPaper::A4;
    } else if (paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
        settings.paper = BookPaper::Letter;
    } else {
        print(stderr,
              QCoreApplication::translate("Cli", "pintabel-cli book: 用紙 %1 はありません\n")
                  .arg(paper));
        return false;
    }
    bool number = false;
    settings.marginMillimetres = margin.toDouble(&number);
    if (!number || !(settings.marginMillimetres >= 0)) {
        print(stderr,
              QCoreApplication::translate("Cli", "pintabel-cli book: 余白 %1 が正しくありません\n")
                  .arg(margin));
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
        print(stderr,
              QCoreApplication::translate(
                  "Cli", "pintabel-cli book: OUTPUT.pdf と 1 つ以上の INPUT を指定してください\n"));
        return 2;
    }
    const QString output = QFile::decodeName(paths.takeFirst());
    // A picture named first by mistake must not be overwritten with a PDF.
    if (!output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        print(stderr,
              QCoreApplication::translate(
                  "Cli", "pintabel-cli book: OUTPUT の名前は .pdf で終わるものにしてください\n"));
        return 2;
    }
    if (!writableOutput(QStringLiteral("book"), output))
        return 2;
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
                          "Cli", "pintabel-cli book: --with-preview は無視します。塗った絵を"
                                 "加えられるのは数字で塗り絵のページだけです\n"));
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
                        print(stderr,
                              QCoreApplication::translate(
                                  "Cli",
                                  "%1 ページ: 細かすぎてなぞれないため、画像として入れました\n")
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
    } catch (const SubjectOutsidePicture& refusal) {
        print(stderr, QStringLiteral("pintabel-cli %1: %2\n").arg(command, refusal.message));
        return 2;
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
    print(stderr, QCoreApplication::translate("Cli", "pintabel-cli: %1 というコマンドはありません\n"
                                                     "\n")
                          .arg(command) +
                      usage());
    return 2;
}

#include "app_error.h"
#include "bitmap.h"
#include "colourability.h"
#include "image_loader.h"
#include "metafile_process.h"
#include "picture_saver.h"
#include "print_job.h"
#include "qv_printers.h"
#include "steps.h"
#include "version.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// A file name exactly as the system gave it: any bytes, whether or not they are valid
// text in the locale.
void printName(FILE* stream, const QByteArray& name) {
    std::fwrite(name.constData(), 1, size_t(name.size()), stream);
}

// Loads the file named by the argument's own bytes, so a name that is not valid text in
// the locale is still found.
bool loadArgument(const QByteArray& name, Bitmap& page) {
    page = Bitmap(0, 0, 24);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return loadPicture(file, QFile::decodeName(name), page);
}

QString usage() {
    QString text = QStringLiteral(
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
        "  PINTABEL_LOAD_BUDGET_MB  caps the memory loading one picture may use (MiB);\n"
        "      a picture needing more is refused with the out-of-memory message.\n"
        "\n"
        "Steps:\n");
    const QList<ProcessingStep>& steps = processingSteps();
    if (steps.isEmpty())
        text += QStringLiteral("  (none available)\n");
    for (const ProcessingStep& step : steps)
        text += QStringLiteral("  %1\n      %2\n").arg(step.option, step.help);
    return text;
}

int info(const QList<QByteArray>& files) {
    if (files.isEmpty()) {
        print(stderr, QStringLiteral("pintabel-cli info: no file given\n"));
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

const ProcessingStep* findStep(const QString& option) {
    return findProcessingStep(option);
}

// Splits the arguments of command into processing steps and paths (their own bytes);
// false (after saying why) on an unknown step.
bool parseSteps(const QString& command, const QList<QByteArray>& arguments,
                QList<const ProcessingStep*>& chosen, QList<QByteArray>& paths) {
    for (const QByteArray& raw : arguments) {
        const QString argument = QFile::decodeName(raw);
        if (argument.startsWith(QLatin1String("--"))) {
            const ProcessingStep* step = findStep(argument);
            if (!step) {
                print(stderr,
                      QStringLiteral("pintabel-cli %1: unknown step %2\n").arg(command, argument));
                return false;
            }
            chosen.append(step);
        } else {
            paths.append(raw);
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
        print(stderr, QStringLiteral("pintabel-cli convert: give one INPUT and one OUTPUT\n"));
        return 2;
    }
    const QString output = QFile::decodeName(paths[1]);
    const SaveFormat format = SaveFormatOf(output);
    if (format == SaveFormat::Unsupported) {
        print(stderr, unsupportedSaveFormatMessage() + QLatin1Char('\n'));
        return 2;
    }
    Bitmap page;
    if (!loadPage(QStringLiteral("convert"), paths[0], chosen, page))
        return 1;
    SavePicture(page, output, format);
    return 0;
}

// Splits the arguments of a command that takes steps and one INPUT; false (after saying why)
// on an unknown step or another number of paths.
bool stepsAndOneInput(const QString& command, const QList<QByteArray>& arguments,
                      QList<const ProcessingStep*>& chosen, QByteArray& input) {
    QList<QByteArray> paths;
    if (!parseSteps(command, arguments, chosen, paths))
        return false;
    if (paths.size() != 1) {
        print(stderr, QStringLiteral("pintabel-cli %1: give one INPUT\n").arg(command));
        return false;
    }
    input = paths[0];
    return true;
}

// Takes "OPTION VALUE" out of the arguments (value stays empty without OPTION); false, after
// saying so, when OPTION has no VALUE.
bool takeOption(const QString& command, const char* option, const char* what,
                QList<QByteArray>& arguments, QByteArray& value) {
    const qsizetype at = arguments.indexOf(QByteArray(option));
    if (at < 0)
        return true;
    if (at + 1 >= arguments.size()) {
        print(stderr, QStringLiteral("pintabel-cli %1: %2 needs a %3\n")
                          .arg(command, QLatin1String(option), QLatin1String(what)));
        return false;
    }
    value = arguments.takeAt(at + 1);
    arguments.removeAt(at);
    return true;
}

int check(QList<QByteArray> arguments) {
    QByteArray overlayName;
    if (!takeOption(QStringLiteral("check"), "--overlay", "FILE", arguments, overlayName))
        return 2;
    const QString overlay = QFile::decodeName(overlayName);
    QList<const ProcessingStep*> chosen;
    QByteArray input;
    if (!stepsAndOneInput(QStringLiteral("check"), arguments, chosen, input))
        return 2;
    Bitmap page;
    if (!loadPage(QStringLiteral("check"), input, chosen, page))
        return 1;
    const ColourabilityCheck figures(page);
    print(stdout, QStringLiteral("size %1x%2\n").arg(page.width()).arg(page.height()));
    print(stdout, QStringLiteral("ink-share %1\n").arg(figures.inkShare(), 0, 'f', 4));
    print(stdout, QStringLiteral("regions %1\n").arg(figures.regions()));
    print(stdout, QStringLiteral("tiny-regions %1\n").arg(figures.tinyRegions()));
    print(stdout,
          QStringLiteral("tiny-under-px %1\n").arg(figures.minimumAcrossPixels(), 0, 'f', 1));
    if (!overlay.isEmpty() && !figures.overlay(page).save(overlay, "PNG")) {
        print(stderr, QStringLiteral("pintabel-cli check: cannot write %1\n").arg(overlay));
        return 1;
    }
    return 0;
}

int printPage(QList<QByteArray> arguments) {
    QByteArray printerBytes;
    if (!takeOption(QStringLiteral("print"), "--printer", "NAME", arguments, printerBytes))
        return 2;
    const QString printerName = QString::fromLocal8Bit(printerBytes);
    QList<const ProcessingStep*> chosen;
    QByteArray input;
    if (!stepsAndOneInput(QStringLiteral("print"), arguments, chosen, input))
        return 2;
    TQvPrinter service;
    if (!printerName.isEmpty()) {
        service.CheckNoPrinter();
        service.selectPrinter(printerName);
    }
    Bitmap page;
    if (!loadPage(QStringLiteral("print"), input, chosen, page))
        return 1;
    PrintPicture(service, page, QFile::decodeName(input));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Metafiles are drawn with QPainter, which needs a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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
    // Hidden: the child side of drawing a metafile (see metafile_process.h).
    if (command == QLatin1String("render-metafile") && arguments.size() == 3)
        return renderMetafileCommand(QFile::decodeName(arguments[0]),
                                     QFile::decodeName(arguments[1]), arguments[2].toLongLong());
    setMetafileRenderer(QCoreApplication::applicationFilePath());
    try {
        if (command == QLatin1String("info"))
            return info(arguments);
        if (command == QLatin1String("convert"))
            return convert(arguments);
        if (command == QLatin1String("print"))
            return printPage(arguments);
        if (command == QLatin1String("check"))
            return check(arguments);
    } catch (const EAppError& error) {
        print(stderr, error.message() + QLatin1Char('\n'));
        return 1;
    } catch (const std::exception& error) {
        print(stderr,
              QStringLiteral("pintabel-cli: %1\n").arg(QString::fromLocal8Bit(error.what())));
        return 1;
    }
    print(stderr, QStringLiteral("pintabel-cli: unknown command %1\n\n").arg(command) + usage());
    return 2;
}

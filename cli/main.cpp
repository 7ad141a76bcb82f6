#include "app_error.h"
#include "bitmap.h"
#include "bmp_writer.h"
#include "image_loader.h"
#include "metafile_process.h"
#include "safe_file.h"
#include "steps.h"

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
        "  pintabel-cli convert [STEPS...] INPUT OUTPUT.bmp\n"
        "      Loads INPUT, applies the steps in the order given and writes the page as a\n"
        "      Windows bitmap at its depth. An unreadable INPUT writes nothing.\n"
        "  pintabel-cli --help\n"
        "      Shows this text.\n"
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
    for (const ProcessingStep& step : processingSteps())
        if (step.option == option)
            return &step;
    return nullptr;
}

int convert(const QList<QByteArray>& rawArguments) {
    QList<const ProcessingStep*> chosen;
    QList<QByteArray> paths;
    for (const QByteArray& raw : rawArguments) {
        const QString argument = QFile::decodeName(raw);
        if (argument.startsWith(QLatin1String("--"))) {
            const ProcessingStep* step = findStep(argument);
            if (!step) {
                print(stderr,
                      QStringLiteral("pintabel-cli convert: unknown step %1\n").arg(argument));
                return 2;
            }
            chosen.append(step);
        } else {
            paths.append(raw);
        }
    }
    if (paths.size() != 2) {
        print(stderr, QStringLiteral("pintabel-cli convert: give one INPUT and one OUTPUT.bmp\n"));
        return 2;
    }
    const QByteArray& input = paths[0];
    const QString output = QFile::decodeName(paths[1]);
    if (!output.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) {
        print(stderr, QStringLiteral("pintabel-cli convert: %1: only .bmp output is supported\n")
                          .arg(output));
        return 2;
    }
    Bitmap page;
    if (!loadArgument(input, page)) {
        print(stderr, QStringLiteral("pintabel-cli convert: "));
        printName(stderr, input);
        print(stderr, QStringLiteral(": unreadable\n"));
        return 1;
    }
    for (const ProcessingStep* step : chosen)
        step->apply(page);
    WriteFileSafely(output, EncodeBmp(page));
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

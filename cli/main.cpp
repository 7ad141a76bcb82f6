#include "app_error.h"
#include "bitmap.h"
#include "image_loader.h"
#include "picture_saver.h"
#include "steps.h"
#include "version.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
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
        "  pintabel-cli --help\n"
        "      Shows this text.\n"
        "  pintabel-cli --version\n"
        "      Prints the version.\n"
        "\n"
        "Steps:\n");
    const QList<ProcessingStep>& steps = processingSteps();
    if (steps.isEmpty())
        text += QStringLiteral("  (none available)\n");
    for (const ProcessingStep& step : steps)
        text += QStringLiteral("  %1\n      %2\n").arg(step.option, step.help);
    return text;
}

int info(const QStringList& files) {
    if (files.isEmpty()) {
        print(stderr, QStringLiteral("pintabel-cli info: no file given\n"));
        return 2;
    }
    int status = 0;
    for (const QString& file : files) {
        Bitmap page;
        try {
            if (ImageLoaderGP(file, page)) {
                print(stdout, QStringLiteral("%1\t%2x%3\t%4\n")
                                  .arg(file)
                                  .arg(page.width())
                                  .arg(page.height())
                                  .arg(page.depth()));
                continue;
            }
        } catch (const EAppError& error) {
            print(stderr, error.message() + QLatin1Char('\n'));
        }
        print(stdout, QStringLiteral("%1\tunreadable\n").arg(file));
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

int convert(const QStringList& arguments) {
    QList<const ProcessingStep*> chosen;
    QStringList paths;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("--"))) {
            const ProcessingStep* step = findStep(argument);
            if (!step) {
                print(stderr,
                      QStringLiteral("pintabel-cli convert: unknown step %1\n").arg(argument));
                return 2;
            }
            chosen.append(step);
        } else {
            paths.append(argument);
        }
    }
    if (paths.size() != 2) {
        print(stderr, QStringLiteral("pintabel-cli convert: give one INPUT and one OUTPUT\n"));
        return 2;
    }
    const QString& input = paths[0];
    const QString& output = paths[1];
    const SaveFormat format = SaveFormatOf(output);
    if (format == SaveFormat::Unsupported) {
        print(stderr, unsupportedSaveFormatMessage() + QLatin1Char('\n'));
        return 2;
    }
    Bitmap page;
    if (!ImageLoaderGP(input, page)) {
        print(stderr, QStringLiteral("pintabel-cli convert: %1: unreadable\n").arg(input));
        return 1;
    }
    for (const ProcessingStep* step : chosen)
        step->apply(page);
    SavePicture(page, output, format);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Metafiles are drawn with QPainter, which needs a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments[0] == QLatin1String("--help") ||
        arguments[0] == QLatin1String("-h")) {
        print(arguments.isEmpty() ? stderr : stdout, usage());
        return arguments.isEmpty() ? 2 : 0;
    }
    if (arguments[0] == QLatin1String("--version")) {
        print(stdout, QStringLiteral("pintabel-cli " PINTABEL_VERSION "\n"));
        return 0;
    }
    const QString command = arguments.takeFirst();
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

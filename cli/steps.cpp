// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "steps.h"

#include "app_error.h"
#include "bitmap.h"
#include "clean_lines.h"
#include "colour_by_number.h"
#include "colourability.h"
#include "colouring_filter.h"
#include "step_failure.h"
#include "step_memory.h"
#include "tone.h"

#include <QCoreApplication>

#include <deque>
#include <optional>

namespace {

void colouring(Bitmap& bitmap) {
    // The window's progress range (1 to width - 2) cannot be set below 3 pixels; the command
    // fails there, before it reads a pixel, and the tool fails the same way.
    if (bitmap.width() < 3)
        throw progressRangeError();
    requireStepMemory(colourPageStepBytes(bitmap.width(), bitmap.height(), bitmap.depth()));
    bitmap.setDepth(24);
    ColouringInPlace(bitmap);
}

void tone(Bitmap& bitmap, quint8 mode) {
    TGammaImage gamma;
    gamma.Mode = mode;
    const ToneTable table(gamma);
    requireStepMemory(colourPageStepBytes(bitmap.width(), bitmap.height(), bitmap.depth()));
    bitmap.setDepth(24);
    // Every pixel is written from itself alone, so the picture can be its own output.
    ToneColumns(bitmap, bitmap, table, 0, bitmap.width());
}

// The tool runs one command: --smallest-region holds for all its clean-lines steps.
double smallestRegionMm = CleanLineSettings().smallestRegionMm;

// The page's clean-line settings with detail and thickness as given; either left out takes
// the page's default. Refused when the page's memory for the step is not there.
CleanLineSettings cleanLineSettingsFor(const Bitmap& bitmap, std::optional<int> detail,
                                       std::optional<int> thickness) {
    const cv::Size copy = CleanLinesSource::copySizeFor(bitmap.width(), bitmap.height());
    requireStepMemory(
        cleanLinesStepBytes(bitmap.width(), bitmap.height(), copy.width, copy.height));
    CleanLineSettings settings = defaultCleanLineSettings(bitmap.width(), bitmap.height());
    settings.smallestRegionMm = smallestRegionMm;
    settings.detail = detail.value_or(settings.detail);
    settings.thickness = thickness.value_or(settings.thickness);
    return settings;
}

void cleanLinesStep(Bitmap& bitmap, std::optional<int> detail, std::optional<int> thickness) {
    bitmap = *cleanLines(bitmap, cleanLineSettingsFor(bitmap, detail, thickness));
}

// The same page as centre lines to stroke, for a vector book.
PageDrawing cleanLinesDrawing(const Bitmap& bitmap, std::optional<int> detail,
                              std::optional<int> thickness) {
    // The settings first: they refuse a page whose memory is not there, before any work.
    const CleanLineSettings settings = cleanLineSettingsFor(bitmap, detail, thickness);
    return CleanLinesSource(bitmap).drawing(settings);
}

// The clean-lines step with detail and thickness as given (either may be left out).
ProcessingStep cleanLinesStepWith(const QString& option, const QString& help,
                                  std::optional<int> detail, std::optional<int> thickness) {
    return ProcessingStep{
        option, help,
        [detail, thickness](Bitmap& bitmap) { cleanLinesStep(bitmap, detail, thickness); },
        [detail, thickness](const Bitmap& bitmap, Bitmap*) {
            return cleanLinesDrawing(bitmap, detail, thickness);
        },
        true};
}

const QString colourByNumberOption = QStringLiteral("--colour-by-number");
const QString colourByNumberPreviewOption = QStringLiteral("--colour-by-number-preview");

// The numbered page, or with preview the picture it makes once painted.
void colourByNumberStep(Bitmap& bitmap, int colours, bool preview) {
    requireStepMemory(colourByNumberStepBytes(bitmap.width(), bitmap.height()));
    const NumberedRegions regions = *numberRegions(bitmap, {colours, smallestRegionMm});
    bitmap = Bitmap();
    bitmap = preview ? colouredPreview(regions) : numberedPage(regions);
}

PageDrawing colourByNumberDrawing(const Bitmap& bitmap, int colours, Bitmap* preview) {
    requireStepMemory(colourByNumberStepBytes(bitmap.width(), bitmap.height()));
    const NumberedRegions regions = *numberRegions(bitmap, {colours, smallestRegionMm});
    if (preview)
        *preview = colouredPreview(regions);
    return numberedDrawing(regions);
}

// The step that makes the numbered page (or its preview) with so many colours.
ProcessingStep colourByNumberStep(const QString& option, const QString& help, int colours,
                                  bool preview) {
    ProcessingStep step{
        option,
        help,
        [colours, preview](Bitmap& bitmap) { colourByNumberStep(bitmap, colours, preview); },
        {}};
    if (!preview) {
        step.draw = [colours](const Bitmap& bitmap, Bitmap* painted) {
            return colourByNumberDrawing(bitmap, colours, painted);
        };
        step.paintsPreview = true;
    }
    return step;
}

void closeTinyRegionsStep(Bitmap& bitmap) {
    requireStepMemory(closeTinyRegionsStepBytes(bitmap.width(), bitmap.height()));
    ColourabilityCheck(bitmap).closeTinyRegions(bitmap);
}

// One number of the step's value: nothing when empty, false when it is not a whole number
// from minimum to maximum.
bool numberIn(const QString& text, int minimum, int maximum, std::optional<int>& number) {
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        return false;
    number = value;
    return true;
}

// "DETAIL" or "DETAIL,THICKNESS" (either may be empty): detail 0 to 100, thickness 1 to 200.
// Nothing, with what is wrong in refusal, for any other value.
std::optional<ProcessingStep> cleanLinesWith(const QString& argument, const QString& value,
                                             QString& refusal) {
    const QStringList parts = value.split(QLatin1Char(','));
    std::optional<int> detail;
    std::optional<int> thickness;
    if (parts.size() > 2) {
        refusal = QCoreApplication::translate("Steps", "%1 takes DETAIL,THICKNESS, not %2")
                      .arg(argument, value);
        return std::nullopt;
    }
    if (!numberIn(parts[0], 0, 100, detail)) {
        refusal = QCoreApplication::translate(
                      "Steps", "bad detail %1 in %2: give a whole number from 0 to 100")
                      .arg(parts[0], argument);
        return std::nullopt;
    }
    if (parts.size() == 2 && !numberIn(parts[1], 1, 200, thickness)) {
        refusal = QCoreApplication::translate(
                      "Steps", "bad thickness %1 in %2: give a whole number from 1 to 200")
                      .arg(parts[1], argument);
        return std::nullopt;
    }
    return cleanLinesStepWith(argument, QString(), detail, thickness);
}

// "COLOURS", a whole number of colours the page may use.
std::optional<ProcessingStep> colourByNumberWith(const QString& argument, const QString& value,
                                                 bool preview, QString& refusal) {
    std::optional<int> colours;
    if (!numberIn(value, kFewestNumberColours, kMostNumberColours, colours)) {
        refusal =
            QCoreApplication::translate(
                "Steps", "%1: %2 is not a number of colours; give a whole number from %3 to %4")
                .arg(argument, value)
                .arg(kFewestNumberColours)
                .arg(kMostNumberColours);
        return std::nullopt;
    }
    return colourByNumberStep(argument, QString(),
                              colours.value_or(ColourByNumberSettings().colours), preview);
}

// A step given a value after "=", or nothing with refusal set.
std::optional<ProcessingStep> stepWithValue(const QString& argument, QString& refusal) {
    const int equals = int(argument.indexOf(QLatin1Char('=')));
    const QString name = argument.left(equals);
    const QString value = equals < 0 ? QString() : argument.mid(equals + 1);
    if (equals > 0 && name == QStringLiteral("--clean-lines"))
        return cleanLinesWith(argument, value, refusal);
    if (equals > 0 && (name == colourByNumberOption || name == colourByNumberPreviewOption))
        return colourByNumberWith(argument, value, name == colourByNumberPreviewOption, refusal);
    refusal = QCoreApplication::translate("Steps", "unknown step %1").arg(argument);
    return std::nullopt;
}

// The step with OpenCV's own errors turned into its refusal, naming its option.
ProcessingStep guarded(ProcessingStep step) {
    const QString name = step.option.section(QLatin1Char('='), 0, 0);
    step.apply = [name, apply = step.apply](Bitmap& bitmap) {
        runLineArtStep(name, [&] { apply(bitmap); });
    };
    if (step.draw)
        step.draw = [name, draw = step.draw](const Bitmap& bitmap, Bitmap* preview) {
            return runLineArtStep(name, [&] { return draw(bitmap, preview); });
        };
    return step;
}

QList<ProcessingStep> guarded(QList<ProcessingStep> steps) {
    for (ProcessingStep& step : steps)
        step = guarded(step);
    return steps;
}

} // namespace

const QList<ProcessingStep>& processingSteps() {
    static const QList<ProcessingStep> steps = guarded({
        {QStringLiteral("--colouring"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps", "convert into a colouring page")),
         colouring,
         {}},
        {QStringLiteral("--lighter"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps", "make the picture lighter")),
         [](Bitmap& bitmap) { tone(bitmap, 0); },
         {}},
        {QStringLiteral("--darker"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps", "make the picture darker")),
         [](Bitmap& bitmap) { tone(bitmap, 1); },
         {}},
        cleanLinesStepWith(
            QStringLiteral("--clean-lines"),
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "Steps", "convert into clean black lines on white (1 bit); "
                         "--clean-lines=DETAIL,THICKNESS chooses detail from 0 (few lines) to "
                         "100 (many, default 50) and the lines' width in pixels (default about "
                         "0.6 mm on A4); --smallest-region MM makes every region at least MM "
                         "mm across on A4 (default 3; 5 for a child, 8 for a small child)")),
            std::nullopt, std::nullopt),
        {QStringLiteral("--close-tiny-regions"),
         QString::fromUtf8(QT_TRANSLATE_NOOP(
             "Steps", "fill with black the white regions under 3 mm across on A4")),
         closeTinyRegionsStep,
         {}},
        colourByNumberStep(
            colourByNumberOption,
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "Steps", "convert into a colour-by-number page: regions of a few colours, each "
                         "with its number, and the key below; --colour-by-number=COLOURS "
                         "chooses 2 to 36 colours (default 16); --smallest-region MM as for "
                         "--clean-lines")),
            ColourByNumberSettings().colours, false),
        colourByNumberStep(
            colourByNumberPreviewOption,
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "Steps", "the colour-by-number page painted, to compare: "
                         "--colour-by-number-preview=COLOURS chooses the colours as above")),
            ColourByNumberSettings().colours, true),
    });
    return steps;
}

bool setSmallestRegionMm(const QString& value) {
    bool ok = false;
    const double mm = value.toDouble(&ok);
    if (!ok || !(mm >= 1.0 && mm <= 50.0))
        return false;
    smallestRegionMm = mm;
    return true;
}

const ProcessingStep* findProcessingStep(const QString& argument, QString& refusal) {
    for (const ProcessingStep& step : processingSteps())
        if (step.option == argument)
            return &step;
    std::optional<ProcessingStep> step = stepWithValue(argument, refusal);
    if (!step)
        return nullptr;
    // The tool runs one command: the steps it was given live as long as it does.
    static std::deque<ProcessingStep> given;
    given.push_back(guarded(*step));
    return &given.back();
}

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

// The tool runs one command: --smallest-region, --subject and --background hold for all its
// clean-lines and colour-by-number steps, and --palette for all its colour-by-number steps.
double smallestRegionMm = CleanLineSettings().smallestRegionMm;
std::optional<CrayonPalette> numberPalette;
Subject chosenSubject;

// The subject as the page gets it: the box clipped to the page, refused when nothing of it is
// on the page.
Subject subjectOn(const Bitmap& bitmap) {
    Subject subject = chosenSubject;
    if (!subject.isSet())
        return subject;
    const cv::Rect box = subject.box;
    subject.box &= cv::Rect(0, 0, bitmap.width(), bitmap.height());
    if (subject.box.empty())
        throw SubjectOutsidePicture{
            QCoreApplication::translate("Steps",
                                        "%1 %2,%3,%4,%5 は %6 x %7 ピクセルの画像の外にあります")
                .arg(QLatin1String(kSubjectOption))
                .arg(box.x)
                .arg(box.y)
                .arg(box.width)
                .arg(box.height)
                .arg(bitmap.width())
                .arg(bitmap.height())};
    return subject;
}

ColourByNumberSettings colourByNumberSettings(int colours, const Bitmap& bitmap) {
    return {colours, smallestRegionMm, numberPalette, subjectOn(bitmap)};
}

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
    settings.subject = subjectOn(bitmap);
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
    const NumberedRegions regions = *numberRegions(bitmap, colourByNumberSettings(colours, bitmap));
    bitmap = Bitmap();
    bitmap = preview ? colouredPreview(regions) : numberedPage(regions);
}

PageDrawing colourByNumberDrawing(const Bitmap& bitmap, int colours, Bitmap* preview) {
    requireStepMemory(colourByNumberStepBytes(bitmap.width(), bitmap.height()));
    const NumberedRegions regions = *numberRegions(bitmap, colourByNumberSettings(colours, bitmap));
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
    ColourabilityCheck(bitmap, smallestRegionMm).closeTinyRegions(bitmap);
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
        refusal = QCoreApplication::translate(
                      "Steps", "%1 には %2 ではなく DETAIL,THICKNESS を指定してください")
                      .arg(argument, value);
        return std::nullopt;
    }
    if (!numberIn(parts[0], 0, 100, detail)) {
        refusal = QCoreApplication::translate(
                      "Steps",
                      "%2 の線の量 %1 が正しくありません。0 から 100 までの整数を指定してください")
                      .arg(parts[0], argument);
        return std::nullopt;
    }
    if (parts.size() == 2 && !numberIn(parts[1], 1, 200, thickness)) {
        refusal =
            QCoreApplication::translate(
                "Steps",
                "%2 の線の太さ %1 が正しくありません。1 から 200 までの整数を指定してください")
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
                "Steps", "%1: %2 は色の数ではありません。%3 から %4 までの整数を指定してください")
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
    refusal = QCoreApplication::translate("Steps", "%1 という処理はありません").arg(argument);
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
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps", "塗り絵のページに変換する")),
         colouring,
         {}},
        {QStringLiteral("--lighter"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps", "画像を明るくする")),
         [](Bitmap& bitmap) { tone(bitmap, 0); },
         {}},
        {QStringLiteral("--darker"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps", "画像を暗くする")),
         [](Bitmap& bitmap) { tone(bitmap, 1); },
         {}},
        cleanLinesStepWith(
            QStringLiteral("--clean-lines"),
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "Steps",
                "白地にくっきりした黒い線（1 ビット）に変換する。--clean-lines=DETAIL,THICKNESS "
                "で線の量を 0（少ない）から 100（多い、既定 50）で、線の幅をピクセルで（既定は A4 "
                "で約 0.6 mm）選ぶ。--smallest-region MM はどの領域も A4 で幅 MM mm "
                "以上にする（既定 3。子どもは 5、小さな子どもは 8）")),
            std::nullopt, std::nullopt),
        {QStringLiteral("--close-tiny-regions"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("Steps",
                                             "A4 で最小の領域の幅（--smallest-region MM、既定は 3 "
                                             "mm）に満たない白い領域を黒で塗りつぶす")),
         closeTinyRegionsStep,
         {}},
        colourByNumberStep(
            colourByNumberOption,
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "Steps",
                "数字で塗り絵のページに変換する。少ない色の領域にそれぞれの番号を入れ、下"
                "に色の見本を置く。--colour-by-number=COLOURS で色の数を 2 から 36 "
                "で選ぶ（既定 16）。--smallest-region MM は --clean-lines と同じ。--palette "
                "FILE|NAME で GIMP のパレットファイル (.gpl) か組み込みの組（crayons-8、"
                "crayons-12、crayons-24）の色だけを使い、色見本にはその組での番号と名前を"
                "付ける")),
            ColourByNumberSettings().colours, false),
        colourByNumberStep(colourByNumberPreviewOption,
                           QString::fromUtf8(QT_TRANSLATE_NOOP(
                               "Steps", "数字で塗り絵のページを塗った絵（見比べるため）。--colour-"
                                        "by-number-preview=COLOURS で色の数を上と同じように選ぶ")),
                           ColourByNumberSettings().colours, true),
    });
    return steps;
}

double chosenSmallestRegionMm() {
    return smallestRegionMm;
}

bool setSmallestRegionMm(const QString& value) {
    bool ok = false;
    const double mm = value.toDouble(&ok);
    if (!ok || !(mm >= 1.0 && mm <= 50.0))
        return false;
    smallestRegionMm = mm;
    return true;
}

void setNumberPalette(const QString& fileOrName) {
    numberPalette = choosePalette(fileOrName);
}

bool setSubjectBox(const QString& value) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return false;
    chosenSubject.box = cv::Rect(numbers[0], numbers[1], numbers[2], numbers[3]);
    return true;
}

bool setBackground(const QString& value) {
    static const std::pair<const char*, Background> backgrounds[] = {
        {"none", Background::None}, {"simple", Background::Simple}, {"full", Background::Full}};
    for (const auto& [name, background] : backgrounds)
        if (value == QLatin1String(name)) {
            chosenSubject.background = background;
            return true;
        }
    return false;
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

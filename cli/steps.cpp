#include "steps.h"

#include "app_error.h"
#include "bitmap.h"
#include "colouring_filter.h"
#include "tone.h"

namespace {

void colouring(Bitmap& bitmap) {
    // The window's progress range (1 to width - 2) cannot be set below 3 pixels; the command
    // fails there, before it reads a pixel, and the tool fails the same way.
    if (bitmap.width() < 3)
        throw progressRangeError();
    bitmap.setDepth(24);
    ColouringInPlace(bitmap);
}

void tone(Bitmap& bitmap, quint8 mode) {
    TGammaImage gamma;
    gamma.Mode = mode;
    const ToneTable table(gamma);
    bitmap.setDepth(24);
    // Every pixel is written from itself alone, so the picture can be its own output.
    ToneColumns(bitmap, bitmap, table, 0, bitmap.width());
}

} // namespace

const QList<ProcessingStep>& processingSteps() {
    static const QList<ProcessingStep> steps{
        {QStringLiteral("--colouring"), QStringLiteral("convert into a colouring page"), colouring},
        {QStringLiteral("--lighter"), QStringLiteral("make the picture lighter"),
         [](Bitmap& bitmap) { tone(bitmap, 0); }},
        {QStringLiteral("--darker"), QStringLiteral("make the picture darker"),
         [](Bitmap& bitmap) { tone(bitmap, 1); }},
    };
    return steps;
}

#include "steps.h"

#include "bitmap.h"

const QList<ProcessingStep>& processingSteps() {
    static const QList<ProcessingStep> steps{};
    return steps;
}

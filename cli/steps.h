// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "page_drawing.h"

#include <QList>
#include <QString>
#include <functional>

class Bitmap;

// A processing step of `pintabel-cli convert`, chosen by its option (e.g. "--colouring").
struct ProcessingStep {
    QString option;
    QString help;
    std::function<void(Bitmap&)> apply;
    // A step whose page a book can write as a drawing: the drawing of the page apply would
    // make, and when preview is given the picture that page shows painted.
    std::function<PageDrawing(const Bitmap&, Bitmap* preview)> draw;
    // Drawn only in a vector book (--vector); a picture book takes the page apply makes.
    bool drawnInVectorBooksOnly = false;
    // draw paints the preview when asked; other steps have no painted picture to give.
    bool paintsPreview = false;
};

// Every step the tool offers, in the order --help lists them.
const QList<ProcessingStep>& processingSteps();

// The step an argument names: one of the list, or one given a value after "=" (for example
// "--clean-lines=40,3"). Null for an unknown step or a value the step does not take, with
// refusal saying which ("unknown step --x", or the bad value and what the step takes).
const ProcessingStep* findProcessingStep(const QString& argument, QString& refusal);

// The option that sets how wide, in mm with the page fitted to A4, the narrowest region of
// every clean-lines step is; its value is the next argument.
inline constexpr const char* kSmallestRegionOption = "--smallest-region";
// Sets that width for the steps of this run; false when value is not a number from 1 to 50.
bool setSmallestRegionMm(const QString& value);

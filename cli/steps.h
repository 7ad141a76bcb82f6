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
// The width set, 3 mm when none was.
double chosenSmallestRegionMm();

// The option that gives the palette every colour-by-number step of this run chooses its
// colours from: a GIMP palette file or a built-in set's name, the next argument.
inline constexpr const char* kPaletteOption = "--palette";
// Sets it; throws EAppError, saying why, for a broken file or an unknown set.
void setNumberPalette(const QString& fileOrName);

// The options that choose a subject for the clean-lines and colour-by-number steps of this
// run, "X,Y,W,H" in the loaded picture's pixels, and what their pages keep of the background
// (none, simple or full); each value is the next argument.
inline constexpr const char* kSubjectOption = "--subject";
inline constexpr const char* kBackgroundOption = "--background";
// Set them for this run; false when the value is not four whole numbers with a width and
// height above 0, or not one of the three backgrounds.
bool setSubjectBox(const QString& value);
bool setBackground(const QString& value);

// Thrown by a step whose subject box lies wholly outside its page: a mistake in the command,
// not in the picture.
struct SubjectOutsidePicture {
    QString message;
};

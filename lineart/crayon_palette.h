// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The colours a family owns: a box of crayons or a maker's palette. A colour's number on a
// page is its place in the palette, counted from 1, so every page numbers it alike.

struct CrayonColour {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
    QString name;
};

struct CrayonPalette {
    QString name;
    // What choosePalette was given: a built-in set's name or the file's path, which chooses
    // the same palette again.
    QString source;
    std::vector<CrayonColour> colours;
};

inline constexpr int kFewestPaletteColours = 2;
inline constexpr int kMostPaletteColours = 256;

// A GIMP palette's text: "GIMP Palette", optional "Name:" and "Columns:" lines, "#"
// comments and blank lines, then one "R G B name" row a colour (the name may be left out).
// Throws EAppError naming fileName and the line for anything else, a value outside 0..255,
// and fewer than kFewestPaletteColours or more than kMostPaletteColours colours.
CrayonPalette parseGimpPalette(const QByteArray& text, const QString& fileName);

// The names of the built-in sets, e.g. "crayons-8".
QStringList builtInPaletteNames();

// A built-in set by name, or a GIMP palette file: an existing file, or a name with a "/" or
// ending in ".gpl". Throws EAppError when the file cannot be read or is broken, and for an unknown
// set, listing the sets.
CrayonPalette choosePalette(const QString& fileOrName);

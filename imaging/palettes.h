#pragma once

#include <QList>
#include <QRgb>

// Colour tables of the indexed page depths.
const QList<QRgb>& monoColourTable();      // black, white
const QList<QRgb>& sixteenColourTable();   // the 16-colour table of 4-bit pages
const QList<QRgb>& halftoneColourTable();  // fixed 256 colours: 6x6x6 cube plus greys

#pragma once

#include <QByteArray>

class Bitmap;

// The bitmap as an uncompressed Windows bitmap file at its own depth: file header, 40-byte
// information header, the 5-6-5 masks for 16 bits, the colour table for 8 bits or fewer,
// rows from the bottom line up, each padded to 4 bytes. An empty bitmap throws EAppError.
QByteArray EncodeBmp(const Bitmap& bitmap);

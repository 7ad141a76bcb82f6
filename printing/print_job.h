// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QList>
#include <QString>

class Bitmap;
class TQvPrinter;

// Prints picture as one page on printer's current printer, in a job named after
// sourcePath: scaled to fit the printable area and centred. Throws what the printer
// service throws; once the job has begun, any failure abandons it before propagating.
void PrintPicture(TQvPrinter& printer, const Bitmap& picture, const QString& sourcePath);

// Prints pictures in one job named after sourcePath, one page each in the order given,
// each fitted and centred as PrintPicture does. Nothing is printed for no pictures.
void PrintPictures(TQvPrinter& printer, const QList<Bitmap>& pictures, const QString& sourcePath);

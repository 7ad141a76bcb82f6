// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "print_job.h"

#include "bitmap.h"
#include "print_layout.h"
#include "qv_printers.h"

#include <QPainter>

void PrintPicture(TQvPrinter& printer, const Bitmap& picture, const QString& sourcePath) {
    PrintPictures(printer, {picture}, sourcePath);
}

void PrintPictures(TQvPrinter& printer, const QList<Bitmap>& pictures, const QString& sourcePath) {
    if (pictures.isEmpty())
        return;
    const QSize page = printer.GetPageSizePixels();
    printer.BeginJob(PrintTitle(sourcePath));
    try {
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            if (i > 0)
                printer.NewPage();
            // A copy: the page may change while the job spools, the printed picture may not.
            const QImage image = pictures[i].image();
            const QRect target =
                FitPictureToPage(page.width(), page.height(), image.width(), image.height());
            printer.JobCanvas().drawImage(target, image);
        }
    } catch (...) {
        printer.AbortJob();
        throw;
    }
    printer.EndJob();
}

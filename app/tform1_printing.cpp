// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "page_image.h"
#include "print_dialogs.h"
#include "print_job.h"
#include "qv_printers.h"

#include <QTabWidget>

void TForm1::Printing() {
    if (QvPrintDialog1.ShowDialog())
        PrintOut();
}

void TForm1::PrintSetup1Click() {
    QVPrinterSetupDialog1.ShowDialog();
}

void TForm1::PrintOut() {
    const int i = activePage();
    TPageImage* page = activeImage();
    if (!page)
        return;
    PrintPicture(QvPrinter(), page->picture(), Store.PageFileNames[size_t(i)]);
}

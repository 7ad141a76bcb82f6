// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "page_choice.h"
#include "page_image.h"
#include "print_dialogs.h"
#include "print_job.h"
#include "prompts.h"
#include "qv_printers.h"

#include <QTabWidget>

void TForm1::Printing() {
    if (QvPrintDialog1.ShowDialog())
        PrintOut();
}

void TForm1::PrintAll1Click() {
    // A running pixel loop may still change its page; printing waits for it.
    if (refusedWhileLoopRuns() || PageControl1->count() == 0)
        return;
    QList<PageChoice> choices = openPageChoices();
    if (!m_prompts.pagesDialog(choices))
        return;
    const QList<int> chosen = chosenPages(choices);
    // Copies share the pixels: taken now, they are what was chosen whatever happens next.
    QList<Bitmap> pictures;
    for (int i : chosen)
        pictures.append(Store.PageImages[size_t(i)]->picture());
    if (pictures.isEmpty() || !QvPrintDialog1.ShowDialog())
        return;
    PrintPictures(QvPrinter(), pictures, Store.PageFileNames[size_t(chosen.first())]);
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

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "print_dialogs.h"

#include "prompts.h"
#include "qv_printers.h"

namespace {

bool showOverPrinter(Prompts& prompts, bool (Prompts::*show)(QPrinter&)) {
    TQvPrinter& service = QvPrinter();
    // Printers may have come or gone since the list was last taken.
    service.refreshPrinters();
    const bool confirmed = (prompts.*show)(service.printer());
    if (confirmed)
        service.CheckNoPrinter();
    return confirmed;
}

} // namespace

bool TQvPrintDialog::ShowDialog() {
    return showOverPrinter(m_prompts, &Prompts::printDialog);
}

bool TQvPrinterSetupDialog::ShowDialog() {
    return showOverPrinter(m_prompts, &Prompts::printerSetupDialog);
}

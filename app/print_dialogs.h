// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

class Prompts;

// The print dialog and the printer-setup dialog of the printer service. Each shows its
// dialog over the service's current printer; when the user confirms, the service must
// have a printer that is not hidden (EQvPrinterNoPrinter otherwise).
class TQvPrintDialog {
public:
    explicit TQvPrintDialog(Prompts& prompts) : m_prompts(prompts) {}
    bool ShowDialog();

private:
    Prompts& m_prompts;
};

class TQvPrinterSetupDialog {
public:
    explicit TQvPrinterSetupDialog(Prompts& prompts) : m_prompts(prompts) {}
    bool ShowDialog();

private:
    Prompts& m_prompts;
};

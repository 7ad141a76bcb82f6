#pragma once

#include "prompts.h"

// Prompts shown with real message boxes and file dialogs, parented to the active window.
class QtPrompts : public Prompts {
public:
    bool confirm(const QString& question) override;
    void inform(const QString& message) override;
    void showError(const QString& message) override;
    QString openFileName(const QString& filter) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetupDialog(QPrinter& printer) override;
    QString saveFileName(const QString& directory, const QString& fileName,
                         const QString& defaultSuffix, const QString& filter) override;
};

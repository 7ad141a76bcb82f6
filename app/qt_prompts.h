// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "prompts.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

// Prompts shown with real message boxes and file dialogs. They belong to the owner window
// (centred over it, no taskbar entry of their own), or to the active window while no owner
// is set.
class QtPrompts : public Prompts {
public:
    void setOwner(QWidget* window) { m_owner = window; }

    bool confirm(const QString& question, Default defaultButton) override;
    void inform(const QString& message) override;
    void warn(const QString& message) override;
    void showError(const QString& message) override;
    QStringList openFileNames(const QString& filter) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetupDialog(QPrinter& printer) override;
    bool bookDialog(BookSettings& settings, QList<PageChoice>& pages) override;
    bool pagesDialog(QList<PageChoice>& pages) override;
    QString saveFileName(const QString& directory, const QString& fileName,
                         const QString& defaultSuffix, const QString& filter) override;
    QString exportFileName(const QString& directory, const QString& fileName,
                           const QString& defaultSuffix, const QString& filter) override;
    bool cleanLinesDialog(const Bitmap& page, CleanLineChoice& choice) override;
    bool colourByNumberDialog(const Bitmap& page, ColourByNumberSettings& settings) override;
    void beep() override;

private:
    QWidget* owner() const;
    void showMessage(QMessageBox::Icon icon, const QString& message);

    QPointer<QWidget> m_owner;
};

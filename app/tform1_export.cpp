// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "file_names.h"
#include "page_image.h"
#include "picture_saver.h"
#include "print_layout.h"
#include "prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTabWidget>

namespace {

enum class ExportFormat { Png, Pdf, Unknown };

// Chosen by the extension, in any letter case.
ExportFormat exportFormatOf(const QString& name) {
    const QString extension = UpperExtension(name);
    if (extension == QLatin1String(".PNG"))
        return ExportFormat::Png;
    if (extension == QLatin1String(".PDF"))
        return ExportFormat::Pdf;
    return ExportFormat::Unknown;
}

} // namespace

void TForm1::Export1Click() {
    // A running pixel loop may still change the page; what is written waits for it.
    if (refusedWhileLoopRuns() || !activeImage())
        return;
    const QPointer<TPageImage> page = activeImage();
    const QString source = Store.PageFileNames[size_t(activePage())];
    const QString name = m_prompts.exportFileName(
        SaveDialogDirectory(source), GetName(source), QStringLiteral("png"),
        tr("PNG イメージファイル (*.png);;PDF ファイル (*.pdf)"));
    if (name.isEmpty())
        return;
    const ExportFormat format = exportFormatOf(name);
    if (format == ExportFormat::Unknown) {
        m_prompts.inform(tr("書き出せるのは PNG と PDF のファイルだけです。"));
        return;
    }
    if (QFileInfo::exists(name) &&
        !m_prompts.confirm(tr("\"%1\" はすでにあります。\r\n置き換えますか？")
                               .arg(QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath())),
                           Prompts::Default::Cancel))
        return;
    if (!page)
        return;
    if (format == ExportFormat::Pdf) {
        // One sheet as the book lays out a page, on the book's paper and margins; the page
        // goes in as it is, never turned into a colour-by-number page.
        BookSettings sheet = m_bookSettings;
        sheet.numberColours = 0;
        sheet.withPreview = false;
        writeBook(name, sheet, {page}, PrintTitle(source));
        return;
    }
    SavePicture(page->picture(), name, SaveFormat::Png);
    // Every pixel of the page is in the file, as after Save As.
    page->markSaved();
}

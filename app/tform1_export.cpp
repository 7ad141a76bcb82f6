// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "file_names.h"
#include "memory_budget.h"
#include "page_image.h"
#include "page_lines.h"
#include "picture_saver.h"
#include "pixel_loop.h"
#include "print_layout.h"
#include "prompts.h"
#include "safe_file.h"
#include "step_failure.h"
#include "svg_page.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTabWidget>

namespace {

enum class ExportFormat { Png, Pdf, Svg, Unknown };

// Chosen by the extension, in any letter case.
ExportFormat exportFormatOf(const QString& name) {
    const QString extension = UpperExtension(name);
    if (extension == QLatin1String(".PNG"))
        return ExportFormat::Png;
    if (extension == QLatin1String(".PDF"))
        return ExportFormat::Pdf;
    if (extension == QLatin1String(".SVG"))
        return ExportFormat::Svg;
    return ExportFormat::Unknown;
}

} // namespace

void TForm1::Export1Click() {
    // A running pixel loop may still change the page; what is written waits for it.
    if (refusedWhileLoopRuns() || !activeImage())
        return;
    const QPointer<TPageImage> page = activeImage();
    const QString source = Store.PageFileNames[size_t(activePage())];
    // Only a page drawn by a conversion (clean lines or colour by number) has a drawing
    // to write as SVG.
    const bool drawn = page->lines() != nullptr;
    QString filter = tr("PNG イメージファイル (*.png);;PDF ファイル (*.pdf)");
    if (drawn)
        filter += tr(";;SVG 図 (*.svg)");
    const QString name = m_prompts.exportFileName(SaveDialogDirectory(source), GetName(source),
                                                  QStringLiteral("png"), filter);
    if (name.isEmpty())
        return;
    const ExportFormat format = exportFormatOf(name);
    if (format == ExportFormat::Unknown || (format == ExportFormat::Svg && !drawn)) {
        m_prompts.inform(
            drawn ? tr("書き出せるのは PNG、PDF と SVG のファイルだけです。")
            : format == ExportFormat::Svg
                ? tr("SVG に書き出せるのは、線画か数字で塗り絵に変換したページだけです。")
                : tr("書き出せるのは PNG と PDF のファイルだけです。"));
        return;
    }
    if (!mayReplace(name))
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
    if (format == ExportFormat::Svg) {
        writeDrawing(name, page);
        return;
    }
    SavePicture(page->picture(), name, SaveFormat::Png);
    // Every pixel of the page is in the file, as after Save As.
    page->markSaved();
}

void TForm1::writeDrawing(const QString& name, const QPointer<TPageImage>& page) {
    // A target that cannot be replaced is refused before the page is drawn.
    checkSaveTarget(name);
    const std::shared_ptr<const PageLines> lines = page->lines();
    PixelLoop running(m_loops, Store, *StatusProgress, PixelLoop::Adjustment);
    TracingLimits limits;
    limits.memoryBytes = loadBudget();
    QByteArray svg;
    // Tracing a large page takes its time: the window keeps answering meanwhile.
    if (!running.runOnWorker(page, [&](const PixelLoop::Reach&) {
            svg = runLineArtStep(tr("SVG の書き出し"),
                                 [&] { return SvgPage(lines->drawing(), limits); });
        }))
        return;
    WriteFileSafely(name, svg);
}

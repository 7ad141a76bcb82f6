// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "clean_lines_dialog.h"
#include "colour_by_number.h"
#include "colourability.h"
#include "colouring_filter.h"
#include "column_bands.h"
#include "page_image.h"
#include "page_lines.h"
#include "prompts.h"
#include "remembered_choices.h"
#include "soft_lines.h"
#include "step_failure.h"

#include <QPointer>
#include <QTabWidget>

#include <optional>

void TForm1::Change_Nurie() {
    if (!canReplaceActivePage())
        return;
    const QPointer<QWidget> sheet = PageControl1->currentWidget();
    CustomFilter();
    // The page converted is marked, whichever tab is active now.
    if (sheet)
        setTabImageIndex(sheet, 0);
}

void TForm1::CustomFilter() {
    if (!canReplaceActivePage())
        return;
    PixelLoop loop(m_loops, Store, *StatusProgress, PixelLoop::Conversion);

    const int p = activePage();
    const QPointer<TPageImage> page = Store.PageImages[size_t(p)];
    Bitmap& src = page->picture();
    // The snapshot keeps the picture in the depth it has before the first pixel read. It
    // shares the picture's pixels: the conversion only reads them and writes a new bitmap.
    Store.UndoImages[size_t(p)] = std::make_shared<const Bitmap>(src);
    Store.UndoLines[size_t(p)] = page->lines();
    const int width = src.width();
    const int height = src.height();
    // White only where the filter does not write: filling 72 MB first would cost a click's
    // worth of time before the loop first lets messages through.
    Bitmap out = ColouringOutput(src);
    loop.showProgress(1, width - 2);

    // Pixels are read, and the page picture brought to 24 bits, only if a row is computed.
    const bool computesRows = height - 3 > 0;
    if (computesRows)
        src.setDepth(24);
    const bool completed =
        loop.run(page, ColumnBands(1, width - 2), [&src, &out, computesRows](int x0, int x1) {
            if (computesRows)
                CustomFilterColumns(src, out, x0, x1);
        });
    loop.end();
    if (completed)
        page->setPicture(out);
}

void TForm1::Egg_Plus_ON() {
    if (!canReplaceActivePage())
        return;
    ToneObject.Mode = 0;
    ToneFilter(ToneObject);
}

void TForm1::Egg_Minus_ON() {
    if (!canReplaceActivePage())
        return;
    ToneObject.Mode = 1;
    ToneFilter(ToneObject);
}

void TForm1::ToneFilter(TImageProcessing& processor) {
    if (!canReplaceActivePage())
        return;
    PixelLoop loop(m_loops, Store, *StatusProgress, PixelLoop::Adjustment);

    const QPointer<TPageImage> page = activeImage();
    // The curves keep black and white as they are: a page of lines alone gets greys at its
    // lines' edges first, for the curves to act on.
    Bitmap softened;
    if (page->picture().depth() == 1)
        softened = softenedLines(page->picture());
    Bitmap& src = softened.isEmpty() ? page->picture() : softened;
    src.setDepth(24);
    const int width = src.width();
    // Every pixel is written by the loop, so none is filled first.
    Bitmap out = Bitmap::whiteOutside(width, src.height(), QRect(0, 0, width, src.height()));
    loop.showProgress(0, width);

    const ToneTable table(processor);
    const bool completed =
        loop.run(page, ColumnBands(0, width - 1),
                 [&src, &out, &table](int x0, int x1) { ToneColumns(src, out, table, x0, x1); });
    loop.end();
    if (completed)
        page->setPicture(out);
}

void TForm1::convertOnWorker(const QPointer<QWidget>& sheet, const QPointer<TPageImage>& page,
                             const Bitmap& source, int stages, const QString& step,
                             const Conversion& work) {
    PixelLoop loop(m_loops, Store, *StatusProgress, PixelLoop::Conversion);
    Store.UndoImages[size_t(activePage())] = std::make_shared<const Bitmap>(source);
    Store.UndoLines[size_t(activePage())] = page->lines();
    // The stages run on a thread of their own, so the window keeps answering (a click asks
    // whether to abandon) while each one runs; abandoning takes effect between stages.
    loop.showProgress(0, stages);
    std::optional<Converted> result;
    const bool completed = loop.runOnWorker(page, [&](const PixelLoop::Reach& reach) {
        result = runLineArtStep(step, [&] { return work(reach); });
    });
    loop.end();
    if (!completed || !result)
        return;
    page->setPicture(result->picture, std::move(result->lines));
    // The page converted is marked, whichever tab is active now.
    if (sheet)
        setTabImageIndex(sheet, 0);
}

void TForm1::convertToCleanLines() {
    if (!canReplaceActivePage())
        return;
    const QPointer<QWidget> sheet = PageControl1->currentWidget();
    const QPointer<TPageImage> page = activeImage();
    const Bitmap source = page->picture();
    CleanLineChoice choice =
        rememberedCleanLines({defaultCleanLineSettings(source.width(), source.height()), false},
                             source.width(), source.height());
    const bool confirmed = m_prompts.cleanLinesDialog(source, choice);
    rememberCleanLines(choice, source.width(), source.height());
    if (!confirmed || !page || refusedWhileLoopRuns())
        return;
    constexpr int stages = 5;
    convertOnWorker(sheet, page, source, stages, tr("線画への変換"),
                    [&](const PixelLoop::Reach& reach) -> std::optional<Converted> {
                        if (!reach(0))
                            return std::nullopt;
                        // The source is kept with the page for a book to draw the lines from.
                        auto lines = std::make_shared<const PageLines>(
                            PageLines{CleanLinesSource(source), choice.settings});
                        std::optional<Bitmap> result = lines->source->lines(
                            choice.settings, [&reach](int stage, int) { return reach(stage); });
                        if (!result || !reach(stages - 1))
                            return std::nullopt;
                        if (choice.closeTinyRegions) {
                            const ColourabilityCheck check(*result,
                                                           choice.settings.smallestRegionMm);
                            // Regions filled black are no part of the lines: such a page is traced.
                            if (check.tinyRegions() > 0) {
                                check.closeTinyRegions(*result);
                                lines.reset();
                            }
                        }
                        return Converted{*result, std::move(lines)};
                    });
}

void TForm1::convertToColourByNumber() {
    if (!canReplaceActivePage())
        return;
    const QPointer<QWidget> sheet = PageControl1->currentWidget();
    const QPointer<TPageImage> page = activeImage();
    const Bitmap source = page->picture();
    ColourByNumberSettings settings = rememberedColourByNumber(ColourByNumberSettings());
    const bool confirmed = m_prompts.colourByNumberDialog(source, settings);
    rememberColourByNumber(settings);
    if (!confirmed || !page || refusedWhileLoopRuns())
        return;
    constexpr int stages = 4;
    convertOnWorker(sheet, page, source, stages, tr("数字で塗り絵への変換"),
                    [&](const PixelLoop::Reach& reach) -> std::optional<Converted> {
                        const std::optional<NumberedRegions> regions = numberRegions(
                            source, settings, [&reach](int stage, int) { return reach(stage); });
                        if (!regions || !reach(stages - 1))
                            return std::nullopt;
                        // The regions are kept with the page for a book to draw it from.
                        return Converted{numberedPage(*regions),
                                         std::make_shared<const PageLines>(PageLines(*regions))};
                    });
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "colour_by_number.h"
#include "colouring_book.h"
#include "file_names.h"
#include "memory_budget.h"
#include "page_choice.h"
#include "page_image.h"
#include "page_lines.h"
#include "print_layout.h"
#include "prompts.h"
#include "safe_file.h"
#include "step_failure.h"
#include "step_memory.h"

#include <QPointer>
#include <QTabWidget>

#include <optional>

namespace {

// A colour-by-number page's sheets: its numbered drawing and, when asked, its painted
// picture.
QList<BookPage> numberedSheets(const BookSettings& settings, const NumberedRegions& regions,
                               const TracingLimits& limits) {
    QList<BookPage> sheets{PrepareDrawnBookPage(settings, numberedDrawing(regions), limits)};
    if (settings.numberColours > 0 && settings.withPreview)
        sheets.append(PrepareBookPage(settings, colouredPreview(regions), limits));
    return sheets;
}

// The sheets of one page: the page itself (in a vector book, the lines drawn on it as
// stroked centre lines), or its colour-by-number drawing and, when asked, its painted
// picture.
QList<BookPage> prepareBookSheets(const BookSettings& settings, const Bitmap& picture, bool photo,
                                  const PageLines* lines, const TracingLimits& limits) {
    // A page already numbered goes in as itself, in any book: numbering it again would find
    // one white region, and its pixels would blur its figures.
    if (lines && lines->regions)
        return numberedSheets(settings, *lines->regions, limits);
    // Only a photograph is numbered: a page converted already would be one white region.
    const bool numbering = settings.numberColours > 0 && photo;
    if (!numbering && settings.vector && lines && lines->source) {
        // The lines are drawn again on the photo's copy, whatever the page's size.
        const cv::Size copy = lines->source->copySize();
        requireStepMemory(cleanLinesStepBytes(0, 0, copy.width, copy.height));
        return {PrepareDrawnBookPage(settings, lines->drawing(), limits)};
    }
    if (!numbering)
        return {PrepareBookPage(settings, picture, limits)};
    ColourByNumberSettings numbers(settings.numberColours, settings.smallestRegionMm);
    if (!settings.numberPalette.isEmpty())
        numbers.palette = choosePalette(settings.numberPalette);
    return numberedSheets(settings, *numberRegions(picture, numbers), limits);
}

} // namespace

void TForm1::SaveBook1Click() {
    // A running pixel loop may still change its page; the book waits for it.
    if (refusedWhileLoopRuns() || PageControl1->count() == 0)
        return;
    BookSettings settings = m_bookSettings;
    QList<PageChoice> choices = openPageChoices();
    if (!m_prompts.bookDialog(settings, choices))
        return;
    m_bookSettings = settings;
    // The pages by identity, in the order chosen: no command frees one while the book is
    // written.
    const QList<int> chosen = chosenPages(choices);
    if (chosen.isEmpty())
        return;
    QList<QPointer<TPageImage>> pages;
    for (int i : chosen)
        pages.append(Store.PageImages[size_t(i)]);
    QList<bool> photos;
    for (const PageChoice& choice : choices)
        if (choice.ticked)
            photos.append(choice.untouchedPhoto);
    const QString first = Store.PageFileNames[size_t(chosen.first())];
    QString name = m_prompts.saveFileName(SaveDialogDirectory(first), GetName(first),
                                          QStringLiteral("pdf"), tr("PDF ファイル (*.pdf)"));
    if (name.isEmpty())
        return;
    // The dialog asked about the name it returned, not about the book's own name once
    // ".pdf" is added (a name typed as "photos.txt" becomes "photos.txt.pdf"): a book
    // already there under that name is replaced only when the user says so.
    if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        name += QLatin1String(".pdf");
        if (!mayReplace(name))
            return;
    }
    writeBook(name, settings, pages, PrintTitle(first), photos);
}

QList<PageChoice> TForm1::openPageChoices() const {
    QList<PageChoice> choices;
    for (int i = 0; i < PageControl1->count() && i < PageStore::Capacity; ++i)
        // A page's tab shows image 0 once it has been converted.
        choices.append({i, PageControl1->tabText(i), tabImageIndex(i) != 0, true});
    return choices;
}

void TForm1::writeBook(const QString& name, const BookSettings& settings,
                       const QList<QPointer<TPageImage>>& pages, const QString& title,
                       const QList<bool>& photos) {
    // A target that cannot be replaced is refused before any page is drawn.
    checkSaveTarget(name);
    PixelLoop running(m_loops, Store, *StatusProgress, PixelLoop::Adjustment);
    running.showProgress(0, int(pages.size()));

    TracingLimits limits;
    limits.memoryBytes = loadBudget();
    // Thrown through the writing when the loop is abandoned: the book is dropped unsaid.
    struct Abandoned {};
    try {
        // Written straight into the temporary file that replaces the chosen one once complete.
        WriteFileSafely(name, [&](QIODevice& pdf) {
            ColouringBook book(pdf, settings, title);
            for (qsizetype i = 0; i < pages.size(); ++i) {
                const QPointer<TPageImage>& page = pages[i];
                const bool photo = i < photos.size() && photos[i];
                if (!page)
                    throw Abandoned();
                // Tracing takes its time: it runs on a thread of its own while the window
                // keeps answering.
                const Bitmap picture = page->picture();
                const std::shared_ptr<const PageLines> lines = page->lines();
                QList<BookPage> prepared;
                if (!running.runOnWorker(page, [&](const PixelLoop::Reach&) {
                        prepared = runLineArtStep(tr("PDF の書き出し"), [&] {
                            return prepareBookSheets(settings, picture, photo, lines.get(), limits);
                        });
                    }))
                    throw Abandoned();
                for (const BookPage& sheet : prepared)
                    book.addPage(sheet);
                running.advance(book.pageCount());
            }
            book.finish();
            return true;
        });
    } catch (const Abandoned&) {
    }
}

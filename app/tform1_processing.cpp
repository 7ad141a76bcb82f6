#include "tform1.h"

#include "clean_lines_dialog.h"
#include "colourability.h"
#include "colouring_filter.h"
#include "column_bands.h"
#include "page_image.h"
#include "progress_range.h"
#include "prompts.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTabWidget>
#include <QThread>

#include <atomic>
#include <thread>

namespace {

// Marks a pixel loop as running for as long as it exists, and hides the progress bar on
// every way out of the loop.
class LoopScope {
public:
    LoopScope(int& depth, QProgressBar& progress) : m_depth(depth), m_progress(progress) {
        ++m_depth;
    }
    ~LoopScope() {
        m_progress.setValue(m_progress.minimum());
        m_progress.hide();
        --m_depth;
    }
    LoopScope(const LoopScope&) = delete;
    LoopScope& operator=(const LoopScope&) = delete;

private:
    int& m_depth;
    QProgressBar& m_progress;
};

// Marks a conversion as running, not yet abandoned, for as long as it exists.
class ConvertingScope {
public:
    ConvertingScope(bool& converting, bool& abortRequested) : m_converting(converting) {
        abortRequested = false;
        m_converting = true;
    }
    ~ConvertingScope() { m_converting = false; }
    ConvertingScope(const ConvertingScope&) = delete;
    ConvertingScope& operator=(const ConvertingScope&) = delete;

private:
    bool& m_converting;
};

} // namespace

bool TForm1::runBands(const QPointer<TPageImage>& page, ColumnBands bands,
                      const std::function<void(int, int)>& work) {
    int x0 = 0;
    int x1 = 0;
    while (bands.next(x0, x1)) {
        work(x0, x1);
        StatusProgress->setValue(x1 - 1);
        QCoreApplication::processEvents();
        if (Store.AbortRequested || page.isNull())
            return false;
    }
    return true;
}

void TForm1::finishLoop() {
    if (loopRunning() || !m_closeWhenLoopEnds)
        return;
    m_closeWhenLoopEnds = false;
    // Closing from here would pull the window away from under the command that ran the loop.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

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
    Store.AbortRequested = false;
    Store.Converting = true;
    struct ConvertingFlag {
        bool& flag;
        ~ConvertingFlag() { flag = false; }
    } converting{Store.Converting};
    LoopScope scope(m_loopDepth, *StatusProgress);

    const int p = activePage();
    const QPointer<TPageImage> page = Store.PageImages[size_t(p)];
    Bitmap& src = page->picture();
    // The snapshot keeps the picture in the depth it has before the first pixel read.
    Store.UndoImages[size_t(p)] = std::make_shared<const Bitmap>(src);
    const int width = src.width();
    const int height = src.height();
    Bitmap out(width, height, 24);

    setProgressMaximum(*StatusProgress, width - 2);
    setProgressMinimum(*StatusProgress, 1);
    StatusProgress->setValue(1);
    StatusProgress->show();

    // Pixels are read, and the page picture brought to 24 bits, only if a row is computed.
    const bool computesRows = height - 3 > 0;
    if (computesRows)
        src.setDepth(24);
    const bool completed =
        runBands(page, ColumnBands(1, width - 2), [&src, &out, computesRows](int x0, int x1) {
            if (computesRows)
                CustomFilterColumns(src, out, x0, x1);
        });
    StatusProgress->setValue(0);
    StatusProgress->hide();
    Store.Converting = false;
    if (completed && !Store.AbortRequested && page)
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
    Store.AbortRequested = false;
    LoopScope scope(m_loopDepth, *StatusProgress);

    const QPointer<TPageImage> page = activeImage();
    Bitmap& src = page->picture();
    src.setDepth(24);
    const int width = src.width();
    Bitmap out(width, src.height(), 24);

    setProgressMaximum(*StatusProgress, width);
    setProgressMinimum(*StatusProgress, 0);
    StatusProgress->setValue(0);
    StatusProgress->show();

    const ToneTable table(processor);
    const bool completed =
        runBands(page, ColumnBands(0, width - 1),
                 [&src, &out, &table](int x0, int x1) { ToneColumns(src, out, table, x0, x1); });
    StatusProgress->setValue(0);
    if (completed && !Store.AbortRequested && page)
        page->setPicture(out);
    StatusProgress->hide();
}

void TForm1::convertToCleanLines() {
    if (!canReplaceActivePage())
        return;
    const QPointer<QWidget> sheet = PageControl1->currentWidget();
    const QPointer<TPageImage> page = activeImage();
    const Bitmap source = page->picture();
    CleanLineChoice choice{defaultCleanLineSettings(source.width(), source.height()), false};
    if (!m_prompts.cleanLinesDialog(source, choice) || !page || !canReplaceActivePage())
        return;

    const ConvertingScope converting(Store.Converting, Store.AbortRequested);
    LoopScope scope(m_loopDepth, *StatusProgress);
    Store.UndoImages[size_t(activePage())] = std::make_shared<const Bitmap>(source);

    // The stages run on a thread of their own, so the window keeps answering (a click asks
    // whether to abandon) while each one runs; abandoning takes effect between stages.
    constexpr int stages = 5;
    setProgressMaximum(*StatusProgress, stages);
    setProgressMinimum(*StatusProgress, 0);
    StatusProgress->setValue(0);
    StatusProgress->show();
    std::atomic<int> reached{0};
    std::atomic<bool> abandon{false};
    std::atomic<bool> done{false};
    std::optional<Bitmap> result;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            result = cleanLines(source, choice.settings, [&](int stage, int) {
                reached = stage;
                return !abandon;
            });
            reached = stages - 1;
            if (result && choice.closeTinyRegions && !abandon)
                ColourabilityCheck(*result).closeTinyRegions(*result);
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        StatusProgress->setValue(reached);
        if (Store.AbortRequested || page.isNull())
            abandon = true;
        if (!done)
            QThread::msleep(5);
    }
    worker.join();
    StatusProgress->setValue(0);
    StatusProgress->hide();
    Store.Converting = false;
    if (failure)
        std::rethrow_exception(failure);
    if (!result || abandon || Store.AbortRequested || !page)
        return;
    page->setPicture(*result);
    // The page converted is marked, whichever tab is active now.
    if (sheet)
        setTabImageIndex(sheet, 0);
}

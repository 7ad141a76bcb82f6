// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "pixel_loop.h"

#include "column_bands.h"
#include "page_image.h"
#include "page_store.h"
#include "progress_range.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <exception>
#include <thread>

bool PixelLoops::deferClose(PageStore& store) {
    if (!anyRunning())
        return false;
    if (store.Converting)
        store.AbortRequested = true;
    m_closePending = true;
    return true;
}

PixelLoop::PixelLoop(PixelLoops& loops, PageStore& store, QProgressBar& progress, Kind kind)
    : m_loops(loops), m_store(store), m_progress(progress), m_kind(kind) {
    ++m_loops.m_depth;
    m_store.AbortRequested = false;
    if (m_kind == Conversion)
        m_store.Converting = true;
}

PixelLoop::~PixelLoop() {
    end();
    if (--m_loops.m_depth > 0 || !m_loops.m_closePending)
        return;
    m_loops.m_closePending = false;
    // Closing from here would pull the window away from under the command that ran the loop.
    QMetaObject::invokeMethod(&m_loops.m_window, &QWidget::close, Qt::QueuedConnection);
}

void PixelLoop::showProgress(int minimum, int maximum) {
    setProgressMaximum(m_progress, maximum);
    setProgressMinimum(m_progress, minimum);
    m_progress.setValue(minimum);
    m_progress.show();
}

bool PixelLoop::run(const QPointer<TPageImage>& page, ColumnBands bands,
                    const std::function<void(int, int)>& work) {
    int x0 = 0;
    int x1 = 0;
    while (bands.next(x0, x1)) {
        work(x0, x1);
        advance(x1 - 1);
        if (abandoned(page))
            return false;
    }
    return true;
}

void PixelLoop::advance(int value) {
    m_progress.setValue(value);
    QCoreApplication::processEvents();
}

bool PixelLoop::runOnWorker(const QPointer<TPageImage>& page,
                            const std::function<void(const Reach&)>& work) {
    std::atomic<int> reached{m_progress.value()};
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work([&](int value) {
                reached = value;
                return !stop;
            });
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
    });
    // Messages are let through in short turns, so the wait ends soon after the work does.
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        m_progress.setValue(reached);
        if (abandoned(page))
            stop = true;
        if (!done)
            QThread::msleep(5);
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return !stop && !abandoned(page);
}

bool PixelLoop::abandoned(const QPointer<TPageImage>& page) const {
    return m_store.AbortRequested || page.isNull();
}

void PixelLoop::end() {
    // reset(), not setValue(0): a bar whose minimum is 1 would ignore 0 and stay full.
    m_progress.reset();
    m_progress.hide();
    if (m_kind == Conversion)
        m_store.Converting = false;
}

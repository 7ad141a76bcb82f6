// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "preview_worker.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRunnable>
#include <QThreadPool>

#include <utility>

PreviewWorker::PreviewWorker(QObject* parent) : QObject(parent) {}

PreviewWorker::~PreviewWorker() {
    // A running drawing sees that it is not wanted and stops at its next step.
    ++*m_latest;
}

void PreviewWorker::request(Job job) {
    ++*m_latest;
    if (m_running) {
        m_waiting = std::move(job);
        return;
    }
    m_running = true;
    emit busyChanged(true);
    start(std::move(job));
}

void PreviewWorker::start(Job job) {
    const quint64 generation = *m_latest;
    // The guard is only looked at on the window's thread, where the worker is destroyed.
    QThreadPool::globalInstance()->start(
        [job = std::move(job), latest = m_latest, generation, guard = QPointer(this)]() mutable {
            auto wanted = [&latest, generation] { return *latest == generation; };
            // Queued before the drawing's own result, so never shown after it.
            auto draft = [guard, generation](Show show) {
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(),
                    [guard, generation, show = std::move(show)] {
                        if (guard)
                            guard->showDraft(generation, show);
                    },
                    Qt::QueuedConnection);
            };
            Show show;
            try {
                show = job(wanted, draft);
            } catch (...) {
                // A drawing that fails shows nothing; the dialog's OK makes the page, and
                // says why it cannot.
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [guard = std::move(guard), generation, show = std::move(show)] {
                    if (guard)
                        guard->finished(generation, show);
                },
                Qt::QueuedConnection);
        });
}

void PreviewWorker::showDraft(quint64 generation, const Show& show) {
    if (generation != *m_latest || !show)
        return;
    show();
    emit draftShown();
}

void PreviewWorker::finished(quint64 generation, const Show& show) {
    if (m_waiting) {
        start(std::exchange(m_waiting, {}));
        return;
    }
    m_running = false;
    if (generation == *m_latest && show)
        show();
    emit busyChanged(false);
}

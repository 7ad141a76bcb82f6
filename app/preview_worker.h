// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

// Draws a dialog's preview off the window's thread, so that the dialog answers while a large
// page is worked on. One drawing runs at a time; a newer request waits for it and replaces any
// request waiting before it, and the running one is told it is no longer wanted, so that it
// can stop at its next step. A drawing's result reaches the window's thread only when no
// newer one was asked for since. The worker may be destroyed while a drawing runs: the
// drawing finishes on its own (it must own or share whatever it reads) and its result is
// dropped.
class PreviewWorker : public QObject {
    Q_OBJECT
public:
    // Called on the window's thread with the result, when it is still the latest wanted.
    using Show = std::function<void()>;
    // Hands a first answer to the window's thread while the drawing goes on (a rough page
    // while the true one takes seconds): shown only while still the latest wanted, and
    // always before the drawing's own result, which replaces it.
    using Draft = std::function<void(Show)>;
    // Runs on a worker thread. wanted() turns false once a newer drawing is asked for or the
    // worker is gone; the job may then return early, with any Show (it is not called).
    using Job = std::function<Show(const std::function<bool()>& wanted, const Draft& draft)>;

    explicit PreviewWorker(QObject* parent = nullptr);
    ~PreviewWorker() override;

    void request(Job job);
    bool isBusy() const { return m_running; }

signals:
    // true when a drawing starts while none runs, false once the latest one was shown.
    void busyChanged(bool busy);
    // A drawing's first answer is shown; its own result is still to come.
    void draftShown();

private:
    void start(Job job);
    void finished(quint64 generation, const Show& show);
    void showDraft(quint64 generation, const Show& show);

    std::shared_ptr<std::atomic<quint64>> m_latest = std::make_shared<std::atomic<quint64>>(0);
    bool m_running = false;
    Job m_waiting;
};

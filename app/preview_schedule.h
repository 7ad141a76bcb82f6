// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Redraws a dialog's preview once its controls have stopped changing for this turn of the
// event loop: a slider dragged sends many values at once, and only the last is drawn.
class PreviewSchedule {
public:
    PreviewSchedule(QObject* owner, std::function<void()> draw)
        : m_owner(owner), m_draw(std::move(draw)) {}

    void schedule() {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, m_owner, [this] {
            if (m_pending)
                drawNow();
        });
    }
    void drawNow() {
        m_pending = false;
        m_draw();
    }

private:
    QObject* m_owner;
    std::function<void()> m_draw;
    bool m_pending = false;
};

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QMouseEvent>
#include <QRect>

// Tells a click apart: a press and a release of the left button inside the same widget.
class ClickTracker {
public:
    void press(const QMouseEvent& event) { m_pressed = event.button() == Qt::LeftButton; }
    bool release(const QMouseEvent& event, const QRect& area) {
        const bool click = m_pressed && event.button() == Qt::LeftButton &&
                           area.contains(event.position().toPoint());
        m_pressed = false;
        return click;
    }

private:
    bool m_pressed = false;
};

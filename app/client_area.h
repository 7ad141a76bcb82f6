// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "click_tracker.h"

#include <QWidget>

// The client area of the main window: every child fills it whole (the placeholder and the
// page control take turns in the same place, and keep their size while hidden), and a
// click on it is reported.
class TClientArea : public QWidget {
    Q_OBJECT
public:
    explicit TClientArea(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickTracker m_click;
};

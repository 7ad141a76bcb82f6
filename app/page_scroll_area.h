// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QScrollArea>

// The scrolled view of one page's picture: the tab row stays put while the picture moves.
// The wheel scrolls up and down, with Shift held left and right.
class TPageScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit TPageScrollArea(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

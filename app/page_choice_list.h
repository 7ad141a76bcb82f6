// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "page_choice.h"

#include <QWidget>

class QListWidget;
class QPushButton;

// The open pages as a list with a tick box each, and buttons that move the selected page up
// or down.
class PageChoiceList : public QWidget {
    Q_OBJECT
public:
    explicit PageChoiceList(const QList<PageChoice>& choices, QWidget* parent = nullptr);
    // The pages in the list's order, ticked or not.
    QList<PageChoice> choices() const;
    // Selects the page at row and moves it step rows up (negative) or down.
    void move(int row, int step);

signals:
    // A tick was set or cleared.
    void ticksChanged();

private:
    void updateButtons();

    QList<PageChoice> m_pages; // in the order first given
    QListWidget* m_list = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
};

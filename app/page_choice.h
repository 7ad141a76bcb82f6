// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QList>
#include <QString>

// One open page as a list of pages to print or bind offers it: the user ticks it or not and
// moves it up or down.
struct PageChoice {
    int page = 0; // its tab
    QString name; // its tab's text
    // Still the photograph it was opened as, not converted to a colouring page.
    bool untouchedPhoto = false;
    bool ticked = true;
};

// The tabs of the ticked pages, in the list's order.
inline QList<int> chosenPages(const QList<PageChoice>& choices) {
    QList<int> pages;
    for (const PageChoice& choice : choices)
        if (choice.ticked)
            pages.append(choice.page);
    return pages;
}

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class TPageImage;
struct PageLines;

// The open pages: parallel tables whose slot i is tab i of the page control, the page
// counter and the flags through which a running pixel loop and a request to stop it meet.
class PageStore {
public:
    static constexpr int Capacity = 101;

    std::array<QPointer<TPageImage>, Capacity> PageImages;
    // A snapshot is shared only so that observers can hold a weak reference to it; the
    // store releases it as soon as it is replaced or its page closes.
    std::array<std::shared_ptr<const Bitmap>, Capacity> UndoImages;
    // The lines drawn on each snapshot, when it is a page of lines a conversion drew; undo
    // brings them back with it.
    std::array<std::shared_ptr<const PageLines>, Capacity> UndoLines;
    std::array<QPointer<QWidget>, Capacity> PageSheets;
    std::array<QString, Capacity> PageFileNames;
    int PageCount = 0;

    bool AbortRequested = false;
    bool Converting = false;
    bool HasPage = false;

    bool isFull() const { return PageCount >= Capacity; }
    // Empties slot i (the sheet itself is not freed here).
    void clearSlot(int i);
    // Moves the slots after k down by one, over slot k, and empties slot count - 1.
    void removeSlot(int k, int count);
};

// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "page_store.h"

#include "page_image.h"

void PageStore::clearSlot(int i) {
    PageImages[i] = nullptr;
    UndoImages[i].reset();
    UndoLines[i].reset();
    PageSheets[i] = nullptr;
    PageFileNames[i].clear();
}

void PageStore::removeSlot(int k, int count) {
    for (int i = k; i <= count - 2; ++i) {
        PageImages[i] = PageImages[i + 1];
        UndoImages[i] = std::move(UndoImages[i + 1]);
        UndoLines[i] = std::move(UndoLines[i + 1]);
        PageSheets[i] = PageSheets[i + 1];
        PageFileNames[i] = PageFileNames[i + 1];
    }
    if (count >= 1)
        clearSlot(count - 1);
}

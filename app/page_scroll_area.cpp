// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "page_scroll_area.h"

#include <QWheelEvent>

TPageScrollArea::TPageScrollArea(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The window may be as narrow as its menu allows; the bars' own sizes do not widen it.
    setMinimumSize(1, 1);
}

void TPageScrollArea::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    // Without Shift, which the scroll bar would take as a page step.
    QWheelEvent sideways(event->position(), event->globalPosition(),
                         event->pixelDelta().transposed(), event->angleDelta().transposed(),
                         event->buttons(), event->modifiers() & ~Qt::ShiftModifier, event->phase(),
                         event->inverted(), event->source());
    QScrollArea::wheelEvent(&sideways);
    event->setAccepted(sideways.isAccepted());
}
